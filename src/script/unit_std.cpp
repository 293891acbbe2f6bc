// The basic classes: TObject (the engine's root class, given its public methods here), TPersistent and
// TComponent. The interface types of automation objects come first: scripts reach the objects behind
// them (a browser's document, a media player's interface) by late binding, so they travel as variants.
#include "script/standard_units.h"

namespace script {

using namespace decl;

static constexpr Decl kStd[] = {
    type("IUnknown", "Variant"),
    type("IDispatch", "Variant"),

    cls("TObject", ""),
    method("constructor Create;"),
    method("procedure Free;"),
    method("function ClassName: string;"),
    method("function ClassNameIs(const Name: string): Boolean;"),
    method("function InstanceSize: Longint;"),

    cls("TPersistent", "TObject"),
    method("procedure Assign(Source: TPersistent);"),
    method("function GetNamePath: string;"),

    cls("TComponent", "TPersistent"),
    method("constructor Create(AOwner: TComponent);"),
    method("function FindComponent(const AName: string): TComponent;"),
    method("procedure DestroyComponents;"),
    method("procedure FreeNotification(AComponent: TComponent);"),
    method("procedure RemoveFreeNotification(AComponent: TComponent);"),
    method("procedure InsertComponent(AComponent: TComponent);"),
    method("procedure RemoveComponent(AComponent: TComponent);"),
    method("function HasParent: Boolean;"),
    propR("Components", "TComponent Integer"),
    propR("ComponentCount", "Integer"),
    prop("ComponentIndex", "Integer"),
    propR("Owner", "TComponent"),
    prop("Name", "string"),
    prop("Tag", "Longint"),
};

std::span<const Decl> stdUnit()
{
    return kStd;
}

} // namespace script

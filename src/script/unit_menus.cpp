// Menus: menu items, main and pop-up menus, shortcuts. Completes TMenuItem, TMainMenu and TPopupMenu,
// which the controls and forms units named ahead; the menu item's drawing events come after the
// classes their types refer to. ShortCutToKey's key is an Integer var parameter for the reason told
// in unit_dateutils.cpp.
#include "script/standard_units.h"

namespace script {

using namespace decl;

static constexpr Decl kMenus[] = {
    type("TShortCut", "Word"),
    type("TMenuBreak", "(mbNone, mbBreak, mbBarBreak)"),
    type("TMenuItemAutoFlag", "(maAutomatic, maManual, maParent)"),
    type("TPopupAlignment", "(paLeft, paRight, paCenter)"),
    type("TTrackButton", "(tbRightButton, tbLeftButton)"),
    routine("function ShortCut(Key: Word; Shift: TShiftState): TShortCut;"),
    routine("procedure ShortCutToKey(ShortCut: TShortCut; var Key: Integer; var Shift: TShiftState);"),
    routine("function ShortCutToText(ShortCut: TShortCut): string;"),
    routine("function TextToShortCut(Text: string): TShortCut;"),

    cls("TMenuItem", "TComponent"),
    method("procedure Add(Item: TMenuItem);"),
    method("procedure Clear;"),
    method("procedure Click;"),
    method("procedure Delete(Index: Integer);"),
    method("function Find(ACaption: string): TMenuItem;"),
    method("function IndexOf(Item: TMenuItem): Integer;"),
    method("procedure Insert(Index: Integer; Item: TMenuItem);"),
    method("function IsLine: Boolean;"),
    method("procedure Remove(Item: TMenuItem);"),
    propR("Command", "Word"),
    propR("Count", "Integer"),
    propR("Handle", "Integer"),
    propR("Items", "TMenuItem Integer"),
    defaultProp("Items"),
    prop("MenuIndex", "Integer"),
    propR("Parent", "TMenuItem"),
    prop("AutoCheck", "Boolean"),
    prop("AutoHotkeys", "TMenuItemAutoFlag"),
    prop("AutoLineReduction", "TMenuItemAutoFlag"),
    prop("Bitmap", "TBitmap"),
    prop("Break", "TMenuBreak"),
    prop("Caption", "string"),
    prop("Checked", "Boolean"),
    prop("Default", "Boolean"),
    prop("Enabled", "Boolean"),
    prop("GroupIndex", "Byte"),
    prop("HelpContext", "THelpContext"),
    prop("Hint", "string"),
    prop("ImageIndex", "Integer"),
    prop("RadioItem", "Boolean"),
    prop("ShortCut", "TShortCut"),
    prop("Visible", "Boolean"),
    prop("OnClick", "TNotifyEvent"),

    type("TMenuChangeEvent", "procedure (Sender: TObject; Source: TMenuItem; Rebuild: Boolean)"),
    type("TMenuDrawItemEvent",
         "procedure (Sender: TObject; ACanvas: TCanvas; ARect: TRect; Selected: Boolean)"),
    type("TAdvancedMenuDrawItemEvent",
         "procedure (Sender: TObject; ACanvas: TCanvas; ARect: TRect; State: TOwnerDrawState)"),
    type("TMenuMeasureItemEvent",
         "procedure (Sender: TObject; ACanvas: TCanvas; var Width, Height: Integer)"),

    cls("TMenuItem", "TComponent"),
    prop("OnAdvancedDrawItem", "TAdvancedMenuDrawItemEvent"),
    prop("OnDrawItem", "TMenuDrawItemEvent"),
    prop("OnMeasureItem", "TMenuMeasureItemEvent"),

    cls("TMenu", "TComponent"),
    method("function DispatchCommand(ACommand: Word): Boolean;"),
    propR("Handle", "Integer"),
    propR("Items", "TMenuItem"),
    prop("AutoHotkeys", "TMenuItemAutoFlag"),
    prop("AutoLineReduction", "TMenuItemAutoFlag"),
    prop("OwnerDraw", "Boolean"),
    prop("OnChange", "TMenuChangeEvent"),

    cls("TMainMenu", "TMenu"),
    method("procedure Merge(Menu: TMainMenu);"),
    method("procedure Unmerge(Menu: TMainMenu);"),
    prop("AutoMerge", "Boolean"),

    cls("TPopupMenu", "TMenu"),
    method("procedure Popup(X, Y: Integer);"),
    prop("PopupComponent", "TComponent"),
    prop("Alignment", "TPopupAlignment"),
    prop("AutoPopup", "Boolean"),
    prop("HelpContext", "THelpContext"),
    prop("TrackButton", "TTrackButton"),
    prop("OnPopup", "TNotifyEvent"),
};

std::span<const Decl> menusUnit()
{
    return kMenus;
}

} // namespace script

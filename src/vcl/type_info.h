// Metadata of the component classes: types, published properties and classes.
//
// One table describes every class a form may contain and the persistent classes they use. It feeds the
// form streams (which properties are written, in which order, with which value), the inspectors and the
// quick edit menu (names, types, enumeration elements, read-only flags), the script interface and the
// completion lists (classes, properties with their type names, events with their parameter lists), and
// the runtime (class kinds, initial values).
//
// Properties are listed in declaration order, inherited first. A class may redeclare an inherited
// property (to publish it, or to give it another default or stored rule); the redeclaration keeps the
// position of the first published declaration and shares its storage (`root`).
#pragma once

#include "vcl/value.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vcl {

struct ClassInfo;

// Hashing and comparison of names without regard to ASCII letter case, usable with string_view keys.
struct NoCaseHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const noexcept
    {
        std::size_t h = 1469598103934665603ull;
        for (char c : s) {
            const unsigned char u = static_cast<unsigned char>(c >= 'a' && c <= 'z' ? c - 32 : c);
            h = (h ^ u) * 1099511628211ull;
        }
        return h;
    }
};
struct NoCaseEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const noexcept
    {
        if (a.size() != b.size())
            return false;
        for (std::size_t i = 0; i < a.size(); ++i) {
            const char x = a[i] >= 'a' && a[i] <= 'z' ? static_cast<char>(a[i] - 32) : a[i];
            const char y = b[i] >= 'a' && b[i] <= 'z' ? static_cast<char>(b[i] - 32) : b[i];
            if (x != y)
                return false;
        }
        return true;
    }
};
template <typename T> using NoCaseMap = std::unordered_map<std::string, T, NoCaseHash, NoCaseEqual>;

enum class TypeKind : std::uint8_t {
    Integer, // a 32-bit ordinal range; may have identifiers (TColor, TCursor, TFontCharset)
    Int64,
    Char, // one byte, streamed as a String of length 1
    Boolean,
    Enumeration, // streamed as Ident
    Set,         // streamed as Set
    String,
    Float,
    Class,  // persistent object, string list, picture, collection or component reference
    Method, // event
};

enum class FloatKind : std::uint8_t { Single, Double, Extended, Currency, Date };

// How a class-typed property is held and streamed.
enum class ClassRole : std::uint8_t {
    Object,     // nested persistent (TFont, TSizeConstraints ...): its properties as "Prop.Sub"
    Strings,    // TStrings: a List of Strings as "Prop.Strings"
    Picture,    // TPicture: Binary "Prop.Data" = graphic class name (length byte + text), graphic data
    Graphic,    // TBitmap, TIcon: Binary "Prop.Data" = the graphic's own data
    Collection, // a Collection value under the property's own name
    Reference,  // a component: Ident with the component's name, or nothing for nil
};

struct IdentEntry {
    std::int64_t value;
    std::string_view name;
};

struct TypeInfo {
    std::string name; // as declarations show it ("TAlign", "Integer", "TNotifyEvent")
    TypeKind kind = TypeKind::Integer;
    std::int64_t minValue = 0;
    std::int64_t maxValue = 0;
    std::span<const IdentEntry> idents;    // Integer: values written as identifiers, in enumeration order
    bool shortCut = false;                 // Integer: shown as a key combination ("Ctrl+S")
    bool wide = false;                     // String: WideString
    std::vector<std::string> elements;     // Enumeration
    const TypeInfo* elementType = nullptr; // Set
    FloatKind floatKind = FloatKind::Double;
    const ClassInfo* classInfo = nullptr; // Class
    std::string params;                   // Method: "(Sender: TObject; var Key: Char)"
    std::string resultType;               // Method: the result of a function type, else empty

    bool isOrdinal() const;
    int elementIndex(std::string_view name) const; // case-insensitive; -1 when absent
    const IdentEntry* identFor(std::int64_t value) const;
    bool valueOfIdent(std::string_view name, std::int64_t& value) const; // case-insensitive
};

enum class Visibility : std::uint8_t {
    Public,    // declared, not published: kept in memory, not streamed or inspected
    Published, // streamed and shown by the inspectors
    Custom,    // data the class streams itself, after its published properties (TextHeight)
};

enum class StoredRule : std::uint8_t {
    Always,
    Never,
    WhenFlagFalse, // stored while the flag property is false (Color while not ParentColor)
    WhenFlagTrue,
    Predicate, // a named rule of the class behaviour (component_rules.cpp)
};

struct PropInfo {
    std::string name;
    const TypeInfo* type = nullptr;
    const ClassInfo* declaredIn = nullptr;
    const PropInfo* root = this; // first declaration: the storage this property shares
    int slot = 0;                // storage slot of the root, unique along one line of inheritance
    Visibility visibility = Visibility::Public;
    bool readOnly = false;
    bool writeOnly = false;
    bool hasDefault = false; // ordinal and set types: false means "nodefault", always written
    Value defaultValue;
    StoredRule stored = StoredRule::Always;
    const PropInfo* storedFlag = nullptr; // root of the flag property
    std::string storedPredicate;
    // The ParentXxx flag that makes this property follow the parent control's value while it is true.
    const PropInfo* parentFlag = nullptr;

    bool isPublished() const { return visibility == Visibility::Published; }
    bool isEvent() const { return type->kind == TypeKind::Method; }
    ClassRole classRole() const; // only for TypeKind::Class
};

enum class ClassKind : std::uint8_t {
    Persistent,     // not a component
    Component,      // non-visual component
    GraphicControl, // a control without a window of its own
    WinControl,     // a windowed control
};

struct ClassInfo {
    std::string name;
    const ClassInfo* parent = nullptr;
    ClassKind kind = ClassKind::Persistent;
    ClassRole role = ClassRole::Object; // how properties of this class type are held
    bool abstract = false;
    bool streamable = false;              // may appear in a form stream
    bool acceptsControls = false;         // controls can be put into it in the designer
    bool tile = false;                    // design-time tile: always 32 x 32, hidden after reading
    bool ownedByParent = false;           // created by its parent control and owned by it (notebook pages)
    std::string nameProperty;             // the text that follows the name while they are equal ("Caption")
    const ClassInfo* itemClass = nullptr; // collections: the class of their items

    // Published and custom properties in stream order: published (inherited first), then custom.
    std::vector<const PropInfo*> properties;

    const PropInfo* findProperty(std::string_view name) const; // any visibility, case-insensitive
    bool inheritsFrom(const ClassInfo* other) const;
    bool inheritsFrom(std::string_view className) const;
    bool isComponent() const { return kind != ClassKind::Persistent; }
    bool isControl() const { return kind == ClassKind::GraphicControl || kind == ClassKind::WinControl; }
    bool isWinControl() const { return kind == ClassKind::WinControl; }

    // The value a new instance starts with (the constructor's), for a property of this class.
    const Value& initialValue(const PropInfo& prop) const;
    // Initial values of nested objects set by this class ("Font.Height" = -13), inherited first.
    const std::vector<NamedValue>& nestedInitials() const { return m_nestedInitials; }

    std::vector<const PropInfo*> publishedProperties() const; // without events
    std::vector<const PropInfo*> events() const;

    // The property of this class that uses a storage slot (its newest declaration).
    const PropInfo* propertyAtSlot(int slot) const { return m_bySlot[static_cast<std::size_t>(slot)]; }
    int slotCount() const { return static_cast<int>(m_bySlot.size()); }

    // Filled by the registry.
    std::vector<std::unique_ptr<PropInfo>> m_own;
    NoCaseMap<const PropInfo*> m_byName; // name -> newest declaration
    std::vector<const PropInfo*> m_bySlot;
    std::vector<Value> m_initialBySlot;
    std::vector<NamedValue> m_nestedInitials;
    std::vector<const PropInfo*> m_published;
    std::vector<const PropInfo*> m_custom;
};

// The value a property of this type has when nothing set it: 0, False, the first element, [], '', nil.
Value zeroValue(const TypeInfo& type);

// Brings a value into the one form that properties of `type` hold (integers for colours given by name,
// the declared spelling of enumeration elements, sets in element order ...). Returns false, with a
// message fit to show, when the value does not fit the type.
bool coerceValue(const TypeInfo& type, const Value& in, Value& out, std::string& error);

// The class role of a class-typed property type, Object for anything else.
ClassRole roleOf(const TypeInfo& type);

} // namespace vcl

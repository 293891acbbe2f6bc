// The compiler's model of declarations: types, classes with their members, routine signatures,
// symbols. Everything here lives in the Environment of one compile and is referred to by pointer.
#pragma once

#include "pascal/compiler.h"
#include "pascal/names.h"
#include "pascal/value.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace pascal {

enum class TK : std::uint8_t {
    Void,    // no value (procedure results)
    Integer, // also subranges of integers
    Char,    // also subranges of characters
    Bool,    // Boolean, LongBool
    Enum,    // also subranges of enumerations
    Float,
    String, // every string type and PChar
    Variant,
    Pointer,
    Set,
    Array,     // static: index type, element type
    DynArray,  // array of T
    OpenArray, // parameter `array of T` / `array of const`
    Record,
    Proc,     // procedure / function types, `of object` or not
    Class,    // host classes
    Nil,      // the type of nil
    ClassRef, // a class name used as a value (TButton.Create, TButton(X))
    TypeName, // a type named as an argument (SizeOf(Integer), Low(TEnum))
};

enum class IntKind : std::uint8_t { S8, U8, S16, U16, S32, U32, S64 };
enum class FloatKind : std::uint8_t { Single, Double, Extended, Currency };

struct Type;
struct ClassInfo;

struct Param {
    NameId name = kNoName;
    ParamMode mode = ParamMode::Value;
    const Type* type = nullptr;
};

struct Signature {
    std::vector<Param> params;
    const Type* result = nullptr; // nullptr for a procedure
    bool ofObject = false;
};

struct Field {
    NameId name;
    const Type* type;
};

struct Type {
    TK kind = TK::Void;
    IntKind ik = IntKind::S32;
    FloatKind fk = FloatKind::Double;
    bool longBool = false;
    bool arrayOfConst = false;       // OpenArray of const / of Variant
    std::string name;                // the declared name, or a text for anonymous types
    std::int64_t low = 0, high = 0;  // ordinal range, static array bounds
    const Type* elem = nullptr;      // set element, array element
    const Type* indexType = nullptr; // static array index
    const Type* ordBase = nullptr;   // enumerations: the enumeration of a subrange (itself otherwise)
    std::vector<NameId> enumNames;   // Enum (on the enumeration itself)
    std::vector<Field> fields;       // Record
    Signature sig;                   // Proc
    ClassInfo* cls = nullptr;        // Class, ClassRef
    int depth = 1;                   // structural nesting
    std::uint64_t cells = 1;         // values one instance holds (static arrays, records)
    mutable int rt = -1;             // index of the run-time type in the program being built

    bool isOrdinal() const
    {
        return kind == TK::Integer || kind == TK::Char || kind == TK::Bool || kind == TK::Enum;
    }
    bool isNumeric() const { return kind == TK::Integer || kind == TK::Float; }
    int fieldIndex(NameId n) const
    {
        for (std::size_t i = 0; i < fields.size(); ++i)
            if (fields[i].name == n)
                return static_cast<int>(i);
        return -1;
    }
};

struct Member {
    enum class Kind : std::uint8_t { Method, Property };
    Kind kind = Kind::Method;
    NameId name = kNoName;
    ClassInfo* owner = nullptr;
    // methods
    Signature sig;
    bool isConstructor = false;
    // properties
    const Type* type = nullptr;
    std::vector<const Type*> indexTypes;
    PropertyAccess access = PropertyAccess::ReadWrite;
    // import indices of the program being built (-1 until used)
    mutable int importCall = -1, importGet = -1, importSet = -1;
};

struct ClassInfo {
    NameId name = kNoName;
    std::string spelling;
    ClassInfo* parent = nullptr;
    Type* type = nullptr;    // TK::Class
    Type* refType = nullptr; // TK::ClassRef
    std::vector<Member*> members;
    std::unordered_map<NameId, Member*> byName;
    Member* defaultProperty = nullptr;
    int index = 0;
    mutable int rt = -1; // class index in the program being built

    const Member* find(NameId n) const
    {
        int guard = 0;
        for (const ClassInfo* c = this; c && guard < 10000; c = c->parent, ++guard) {
            auto it = c->byName.find(n);
            if (it != c->byName.end())
                return it->second;
        }
        return nullptr;
    }
    const Member* findDefault() const
    {
        int guard = 0;
        for (const ClassInfo* c = this; c && guard < 10000; c = c->parent, ++guard)
            if (c->defaultProperty)
                return c->defaultProperty;
        return nullptr;
    }
    bool descendsFrom(const ClassInfo* other) const
    {
        int guard = 0;
        for (const ClassInfo* c = this; c && guard < 10000; c = c->parent, ++guard)
            if (c == other)
                return true;
        return false;
    }
};

enum class RoutineKind : std::uint8_t { Script, Host, Native, External };

struct ExternalInfo {
    std::string symbol, library, convention;
    bool delayLoad = false;
};

struct Routine {
    NameId name = kNoName;
    Signature sig;
    RoutineKind kind = RoutineKind::Script;
    int id = -1;          // program routine / import / native / external index
    bool defined = false; // script routines: body seen
    bool forward = false;
    std::uint32_t pos = 0;
    ExternalInfo ext;
};

enum class SymKind : std::uint8_t { Const, Type, Var, Routine, Intrinsic };
enum class VarKind : std::uint8_t { Global, Local, Param, VarParam, Result };

struct Symbol {
    SymKind kind = SymKind::Var;
    VarKind vk = VarKind::Global;
    NameId name = kNoName;
    const Type* type = nullptr;
    Value value;    // Const
    int index = -1; // global index, slot, intrinsic id
    Routine* routine = nullptr;
    std::uint32_t pos = 0;
    bool used = false;
    bool script = false; // declared by the script (not by the host or the engine)
    bool exported = false;
};

enum class Intrinsic : int {
    Length,
    SetLength,
    Inc,
    Dec,
    Succ,
    Pred,
    Low,
    High,
    Ord,
    Chr,
    Abs,
    Sqr,
    SizeOf,
    Assigned,
    Exit,
    Break,
    Continue,
    Random,
    GetArrayLength,
    SetArrayLength,
};

} // namespace pascal

namespace pascal {
// Integer wrap-around to a storage kind (as assignments to narrower variables do).
std::int64_t wrapIntKind(std::int64_t v, IntKind k);
// Byte-wise comparison of strings: -1, 0 or 1.
int compareBytes(std::string_view a, std::string_view b);
} // namespace pascal

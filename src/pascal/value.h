// Values of the interpreter, as the host sees them through its bindings.
//
// A Value is 16 bytes: a tag and a payload. Ordinals (integers, characters, enumerations), booleans
// and floats live in the payload; strings, sets, arrays, records and host objects are reference
// counted blocks (counts are not atomic: a program runs on one thread). Strings are copy-on-write and
// 1-based for scripts; static arrays and records are values (shared until written); dynamic arrays are
// shared by reference, as in Delphi. A Variant is simply a Value of whatever simple kind it holds.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace pascal {

enum class Tag : std::uint8_t {
    Empty = 0, // Unassigned (the state of a fresh Variant)
    Null,      // Variant Null
    Bool,      // i = 0 or 1
    Int,       // i (every ordinal: integers, Char codes, enumeration ordinals)
    Float,     // f
    Proc,      // i = kind << 32 | index (see ProcRef); 0 = nil
    Ref,       // ref: the target of a var parameter (never seen by hosts as a value)
    Pointer,   // i: an opaque pointer value (nil = 0)
    // reference counted from here on
    Str,    // s (nullptr = '')
    Set,    // set (nullptr = [])
    Array,  // arr (nullptr = empty dynamic array)
    Record, // rec
    Object, // obj (nullptr = nil)
};

struct StrRep;
struct SetRep;
struct ArrRep;
struct RecRep;
class HostObject;
class Value;

// A host class instance as scripts see it. The host derives its objects from this; they are kept
// alive by every Value that refers to them and by the host's own ObjectRef.
class HostObject {
public:
    virtual ~HostObject() = default;
    // The script class name of the object ("TButton"), used by `is` and `as`.
    virtual std::string_view className() const = 0;
    // TObject.Free called by a script. The host releases what the object stands for; afterwards the
    // script's references see a freed object and calls through them fail.
    virtual void scriptFree() { m_freed = true; }
    bool freed() const { return m_freed; }
    void markFreed() { m_freed = true; }

    void retain() { ++m_refs; }
    void release()
    {
        if (--m_refs == 0)
            delete this;
    }

private:
    std::uint32_t m_refs = 0;
    bool m_freed = false;
};

// Kinds of procedural values.
enum class ProcKind : std::uint32_t { Nil = 0, Script = 1, Host = 2 };

class Value {
public:
    Value() : m_tag(Tag::Empty) { m_u.i = 0; }
    Value(const Value& o) : m_tag(o.m_tag), m_u(o.m_u)
    {
        if (isManaged())
            retainPayload();
    }
    Value(Value&& o) noexcept : m_tag(o.m_tag), m_u(o.m_u)
    {
        o.m_tag = Tag::Empty;
        o.m_u.i = 0;
    }
    Value& operator=(const Value& o)
    {
        if (this != &o) {
            // o may live inside the block this value releases: take it first
            Tag t = o.m_tag;
            U u = o.m_u;
            if (o.isManaged())
                o.retainPayload();
            if (isManaged())
                releasePayload();
            m_tag = t;
            m_u = u;
        }
        return *this;
    }
    Value& operator=(Value&& o) noexcept
    {
        if (this != &o) {
            Value tmp(std::move(o));
            swap(tmp);
        }
        return *this;
    }
    ~Value()
    {
        if (isManaged())
            releasePayload();
    }
    void swap(Value& o) noexcept
    {
        std::swap(m_tag, o.m_tag);
        std::swap(m_u, o.m_u);
    }

    // --- making values
    static Value integer(std::int64_t v) { return Value(Tag::Int, v); }
    static Value boolean(bool v) { return Value(Tag::Bool, v ? 1 : 0); }
    static Value real(double v)
    {
        Value r;
        r.m_tag = Tag::Float;
        r.m_u.f = v;
        return r;
    }
    static Value string(std::string_view s);
    static Value character(char c) { return Value(Tag::Int, static_cast<unsigned char>(c)); }
    static Value null() { return Value(Tag::Null, 0); }
    static Value object(HostObject* o); // nil for nullptr
    static Value nilObject() { return Value(Tag::Object, 0); }
    static Value proc(ProcKind kind, std::uint32_t index)
    {
        return Value(Tag::Proc, static_cast<std::int64_t>((std::uint64_t(kind) << 32) | index));
    }
    static Value emptySet() { return Value(Tag::Set, 0); }
    static Value emptyArray() { return Value(Tag::Array, 0); }
    static Value reference(Value* target)
    {
        Value r;
        r.m_tag = Tag::Ref;
        r.m_u.ref = target;
        return r;
    }

    // --- reading values
    Tag tag() const { return m_tag; }
    bool isManaged() const { return m_tag >= Tag::Str; }
    bool isEmpty() const { return m_tag == Tag::Empty; }
    bool isNull() const { return m_tag == Tag::Null; }

    std::int64_t asInt() const; // ordinals, booleans; floats are truncated; strings parsed
    double asFloat() const;
    bool asBool() const;
    std::string asString() const; // any simple value as text (a Variant's string form)
    // The text of a string value without copying; empty for any other kind.
    std::string_view str() const;
    HostObject* asObject() const { return m_tag == Tag::Object ? m_u.obj : nullptr; }
    template <class T> T* objectAs() const { return dynamic_cast<T*>(asObject()); }
    ProcKind procKind() const
    {
        return m_tag == Tag::Proc ? static_cast<ProcKind>(std::uint64_t(m_u.i) >> 32) : ProcKind::Nil;
    }
    std::uint32_t procIndex() const { return static_cast<std::uint32_t>(std::uint64_t(m_u.i)); }
    bool isNilProc() const { return procKind() == ProcKind::Nil; }

    // Array elements and record fields (read-only views; writes go through the interpreter).
    std::size_t length() const; // string length, array length, record field count
    const Value& element(std::size_t i) const;
    // A set element test (sets hold ordinals 0..255).
    bool setContains(int ordinal) const;

    // --- internal access for the interpreter
    std::int64_t& rawInt() { return m_u.i; }
    std::int64_t rawInt() const { return m_u.i; }
    double& rawFloat() { return m_u.f; }
    double rawFloat() const { return m_u.f; }
    StrRep* rawStr() const { return m_u.s; }
    SetRep* rawSet() const { return m_u.set; }
    ArrRep* rawArr() const { return m_u.arr; }
    RecRep* rawRec() const { return m_u.rec; }
    Value* rawRef() const { return m_u.ref; }

    // Overwrites the value with a non-managed one (releasing what was held).
    void setInt(std::int64_t v)
    {
        if (isManaged())
            releasePayload();
        m_tag = Tag::Int;
        m_u.i = v;
    }
    void setBool(bool v)
    {
        if (isManaged())
            releasePayload();
        m_tag = Tag::Bool;
        m_u.i = v ? 1 : 0;
    }
    void setFloat(double v)
    {
        if (isManaged())
            releasePayload();
        m_tag = Tag::Float;
        m_u.f = v;
    }
    void setTagged(Tag t, std::int64_t raw)
    {
        if (isManaged())
            releasePayload();
        m_tag = t;
        m_u.i = raw;
    }
    // Takes over a block whose count already includes this reference.
    void adoptStr(StrRep* s)
    {
        if (isManaged())
            releasePayload();
        m_tag = Tag::Str;
        m_u.s = s;
    }
    void adoptSet(SetRep* s)
    {
        if (isManaged())
            releasePayload();
        m_tag = Tag::Set;
        m_u.set = s;
    }
    void adoptArr(ArrRep* a)
    {
        if (isManaged())
            releasePayload();
        m_tag = Tag::Array;
        m_u.arr = a;
    }
    void adoptRec(RecRep* r)
    {
        if (isManaged())
            releasePayload();
        m_tag = Tag::Record;
        m_u.rec = r;
    }
    void clear()
    {
        if (isManaged())
            releasePayload();
        m_tag = Tag::Empty;
        m_u.i = 0;
    }

private:
    Value(Tag t, std::int64_t raw) : m_tag(t) { m_u.i = raw; }
    void retainPayload() const;
    void releasePayload();

    Tag m_tag;
    union U {
        std::int64_t i;
        double f;
        StrRep* s;
        SetRep* set;
        ArrRep* arr;
        RecRep* rec;
        HostObject* obj;
        Value* ref;
    } m_u;
};

static_assert(sizeof(Value) == 16, "a Value is a tag and one 8-byte payload");

// --- the blocks behind managed values

struct StrRep {
    std::uint32_t refs;
    std::uint32_t len;
    std::uint32_t cap;
    char* data() { return reinterpret_cast<char*>(this + 1); }
    const char* data() const { return reinterpret_cast<const char*>(this + 1); }
    std::string_view view() const { return {data(), len}; }
};

struct SetRep {
    std::uint32_t refs;
    std::uint64_t bits[4];
};

struct ArrRep {
    std::uint32_t refs;
    std::uint32_t len;
    Value* elems() { return reinterpret_cast<Value*>(this + 1); }
    const Value* elems() const { return reinterpret_cast<const Value*>(this + 1); }
};
static_assert(sizeof(ArrRep) % alignof(Value) == 0, "elements follow the header");

struct RecRep {
    std::uint32_t refs;
    std::uint32_t n;
    Value* fields() { return reinterpret_cast<Value*>(this + 1); }
    const Value* fields() const { return reinterpret_cast<const Value*>(this + 1); }
};
static_assert(sizeof(RecRep) % alignof(Value) == 0, "fields follow the header");

// Longest string and largest array a script can make; beyond, the operation fails with "Out of memory".
constexpr std::size_t kMaxStringLength = std::size_t(1) << 28;
constexpr std::size_t kMaxArrayLength = std::size_t(1) << 24;

// Block helpers used by the interpreter and the natives. New blocks come with a count of 1.
namespace rep {
StrRep* newStr(std::size_t len, std::size_t cap);
StrRep* makeStr(std::string_view s);
void freeStr(StrRep* s);
SetRep* newSet();
void freeSet(SetRep* s);
ArrRep* newArr(std::size_t len);   // elements Empty
ArrRep* cloneArr(const ArrRep* a); // shallow: elements retained
void freeArr(ArrRep* a);
RecRep* newRec(std::size_t n);
RecRep* cloneRec(const RecRep* r);
void freeRec(RecRep* r);
// Makes the string in v unique (count 1) with room for cap bytes, keeping its text.
StrRep* uniqueStr(Value& v, std::size_t cap);
// Appends text to a string value in place when it is not shared.
void appendStr(Value& v, std::string_view text);
void appendChar(Value& v, char c);
// Makes the array or record in v unique (count 1), copying when shared.
ArrRep* uniqueArr(Value& v);
RecRep* uniqueRec(Value& v);
} // namespace rep

// Owning reference to a host object for host code.
class ObjectRef {
public:
    ObjectRef() = default;
    explicit ObjectRef(HostObject* o) : m_o(o)
    {
        if (m_o)
            m_o->retain();
    }
    ObjectRef(const ObjectRef& r) : ObjectRef(r.m_o) {}
    ObjectRef& operator=(const ObjectRef& r)
    {
        ObjectRef tmp(r);
        std::swap(m_o, tmp.m_o);
        return *this;
    }
    ~ObjectRef()
    {
        if (m_o)
            m_o->release();
    }
    HostObject* get() const { return m_o; }
    HostObject* operator->() const { return m_o; }
    Value value() const { return Value::object(m_o); }

private:
    HostObject* m_o = nullptr;
};

} // namespace pascal

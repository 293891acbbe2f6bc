// Reference counted blocks behind script values, and the conversions a host needs.
#include "pascal/value.h"

#include "pascal/runtime_error.h"

#include <cstdio>
#include <cstdlib>
#include <new>

namespace pascal {

namespace rep {

[[noreturn]] static void outOfMemory()
{
    throw RuntimeError("Out of memory");
}

static void* allocate(std::size_t bytes)
{
    void* p = std::malloc(bytes);
    if (!p)
        outOfMemory();
    return p;
}

StrRep* newStr(std::size_t len, std::size_t cap)
{
    if (cap < len)
        cap = len;
    if (cap > kMaxStringLength)
        outOfMemory();
    auto* s = static_cast<StrRep*>(allocate(sizeof(StrRep) + cap + 1));
    s->refs = 1;
    s->len = static_cast<std::uint32_t>(len);
    s->cap = static_cast<std::uint32_t>(cap);
    s->data()[len] = '\0';
    return s;
}

StrRep* makeStr(std::string_view text)
{
    if (text.empty())
        return nullptr;
    StrRep* s = newStr(text.size(), text.size());
    std::memcpy(s->data(), text.data(), text.size());
    return s;
}

void freeStr(StrRep* s)
{
    std::free(s);
}

SetRep* newSet()
{
    auto* s = static_cast<SetRep*>(allocate(sizeof(SetRep)));
    s->refs = 1;
    std::memset(s->bits, 0, sizeof s->bits);
    return s;
}

void freeSet(SetRep* s)
{
    std::free(s);
}

ArrRep* newArr(std::size_t len)
{
    if (len > kMaxArrayLength)
        outOfMemory();
    auto* a = static_cast<ArrRep*>(allocate(sizeof(ArrRep) + len * sizeof(Value)));
    a->refs = 1;
    a->len = static_cast<std::uint32_t>(len);
    Value* e = a->elems();
    for (std::size_t i = 0; i < len; ++i)
        new (&e[i]) Value();
    return a;
}

ArrRep* cloneArr(const ArrRep* src)
{
    auto* a = static_cast<ArrRep*>(allocate(sizeof(ArrRep) + src->len * sizeof(Value)));
    a->refs = 1;
    a->len = src->len;
    Value* e = a->elems();
    const Value* s = src->elems();
    for (std::size_t i = 0; i < src->len; ++i)
        new (&e[i]) Value(s[i]);
    return a;
}

void freeArr(ArrRep* a)
{
    Value* e = a->elems();
    for (std::size_t i = 0; i < a->len; ++i)
        e[i].~Value();
    std::free(a);
}

RecRep* newRec(std::size_t n)
{
    auto* r = static_cast<RecRep*>(allocate(sizeof(RecRep) + n * sizeof(Value)));
    r->refs = 1;
    r->n = static_cast<std::uint32_t>(n);
    Value* f = r->fields();
    for (std::size_t i = 0; i < n; ++i)
        new (&f[i]) Value();
    return r;
}

RecRep* cloneRec(const RecRep* src)
{
    auto* r = static_cast<RecRep*>(allocate(sizeof(RecRep) + src->n * sizeof(Value)));
    r->refs = 1;
    r->n = src->n;
    Value* f = r->fields();
    const Value* s = src->fields();
    for (std::size_t i = 0; i < src->n; ++i)
        new (&f[i]) Value(s[i]);
    return r;
}

void freeRec(RecRep* r)
{
    Value* f = r->fields();
    for (std::size_t i = 0; i < r->n; ++i)
        f[i].~Value();
    std::free(r);
}

StrRep* uniqueStr(Value& v, std::size_t cap)
{
    StrRep* s = v.tag() == Tag::Str ? v.rawStr() : nullptr;
    if (s && s->refs == 1 && s->cap >= cap)
        return s;
    std::size_t len = s ? s->len : 0;
    StrRep* n = newStr(len, cap);
    if (len)
        std::memcpy(n->data(), s->data(), len);
    v.adoptStr(n);
    return n;
}

void appendStr(Value& v, std::string_view text)
{
    if (text.empty())
        return;
    StrRep* s = v.tag() == Tag::Str ? v.rawStr() : nullptr;
    std::size_t len = s ? s->len : 0;
    std::size_t need = len + text.size();
    if (need > kMaxStringLength)
        outOfMemory();
    if (!s || s->refs != 1 || s->cap < need) {
        std::size_t cap = need < 16 ? 16 : need + need / 2;
        if (cap > kMaxStringLength)
            cap = need;
        // text may point into the old block: copy before that block can go away
        StrRep* n = newStr(len, cap);
        if (len)
            std::memcpy(n->data(), s->data(), len);
        std::memcpy(n->data() + len, text.data(), text.size());
        n->len = static_cast<std::uint32_t>(need);
        n->data()[need] = '\0';
        v.adoptStr(n);
        return;
    }
    std::memmove(s->data() + len, text.data(), text.size());
    s->len = static_cast<std::uint32_t>(need);
    s->data()[need] = '\0';
}

void appendChar(Value& v, char c)
{
    appendStr(v, std::string_view(&c, 1));
}

ArrRep* uniqueArr(Value& v)
{
    ArrRep* a = v.rawArr();
    if (a->refs == 1)
        return a;
    ArrRep* n = cloneArr(a);
    v.adoptArr(n);
    return n;
}

RecRep* uniqueRec(Value& v)
{
    RecRep* r = v.rawRec();
    if (r->refs == 1)
        return r;
    RecRep* n = cloneRec(r);
    v.adoptRec(n);
    return n;
}

} // namespace rep

Value Value::string(std::string_view s)
{
    Value v;
    v.m_tag = Tag::Str;
    v.m_u.s = rep::makeStr(s);
    return v;
}

Value Value::object(HostObject* o)
{
    Value v;
    v.m_tag = Tag::Object;
    v.m_u.obj = o;
    if (o)
        o->retain();
    return v;
}

void Value::retainPayload() const
{
    switch (m_tag) {
    case Tag::Str:
        if (m_u.s)
            ++m_u.s->refs;
        break;
    case Tag::Set:
        if (m_u.set)
            ++m_u.set->refs;
        break;
    case Tag::Array:
        if (m_u.arr)
            ++m_u.arr->refs;
        break;
    case Tag::Record:
        if (m_u.rec)
            ++m_u.rec->refs;
        break;
    case Tag::Object:
        if (m_u.obj)
            m_u.obj->retain();
        break;
    default:
        break;
    }
}

void Value::releasePayload()
{
    switch (m_tag) {
    case Tag::Str:
        if (m_u.s && --m_u.s->refs == 0)
            rep::freeStr(m_u.s);
        break;
    case Tag::Set:
        if (m_u.set && --m_u.set->refs == 0)
            rep::freeSet(m_u.set);
        break;
    case Tag::Array:
        if (m_u.arr && --m_u.arr->refs == 0)
            rep::freeArr(m_u.arr);
        break;
    case Tag::Record:
        if (m_u.rec && --m_u.rec->refs == 0)
            rep::freeRec(m_u.rec);
        break;
    case Tag::Object:
        if (m_u.obj)
            m_u.obj->release();
        break;
    default:
        break;
    }
    m_u.i = 0;
}

std::string_view Value::str() const
{
    if (m_tag == Tag::Str && m_u.s)
        return m_u.s->view();
    return {};
}

std::int64_t Value::asInt() const
{
    switch (m_tag) {
    case Tag::Int:
    case Tag::Bool:
    case Tag::Pointer:
        return m_u.i;
    case Tag::Float: {
        double f = m_u.f;
        if (!(f > -9.2e18 && f < 9.2e18))
            return 0;
        return static_cast<std::int64_t>(f);
    }
    case Tag::Str: {
        std::string s(str());
        char* end = nullptr;
        long long v = std::strtoll(s.c_str(), &end, 10);
        return end && *end == '\0' ? v : 0;
    }
    default:
        return 0;
    }
}

double Value::asFloat() const
{
    switch (m_tag) {
    case Tag::Float:
        return m_u.f;
    case Tag::Int:
    case Tag::Bool:
        return static_cast<double>(m_u.i);
    case Tag::Str: {
        std::string s(str());
        return std::strtod(s.c_str(), nullptr);
    }
    default:
        return 0;
    }
}

bool Value::asBool() const
{
    switch (m_tag) {
    case Tag::Bool:
    case Tag::Int:
        return m_u.i != 0;
    case Tag::Float:
        return m_u.f != 0;
    case Tag::Str:
        return !str().empty();
    case Tag::Object:
        return m_u.obj != nullptr;
    default:
        return false;
    }
}

std::string formatFloat(double v, int precision)
{
    if (v != v)
        return "NAN";
    if (v == 1.0 / 0.0)
        return "INF";
    if (v == -1.0 / 0.0)
        return "-INF";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*G", precision < 1 ? 1 : precision > 18 ? 18 : precision, v);
    std::string s = buf;
    auto e = s.find('E');
    if (e != std::string::npos) {
        std::string mant = s.substr(0, e);
        std::string ex = s.substr(e + 1);
        bool neg = !ex.empty() && ex[0] == '-';
        if (!ex.empty() && (ex[0] == '+' || ex[0] == '-'))
            ex.erase(0, 1);
        while (ex.size() > 1 && ex[0] == '0')
            ex.erase(0, 1);
        s = mant + "E" + (neg ? "-" : "") + ex;
    }
    return s;
}

std::string Value::asString() const
{
    switch (m_tag) {
    case Tag::Str:
        return std::string(str());
    case Tag::Int:
        return std::to_string(m_u.i);
    case Tag::Bool:
        return m_u.i ? "True" : "False";
    case Tag::Float:
        return formatFloat(m_u.f);
    default:
        return {};
    }
}

std::size_t Value::length() const
{
    switch (m_tag) {
    case Tag::Str:
        return m_u.s ? m_u.s->len : 0;
    case Tag::Array:
        return m_u.arr ? m_u.arr->len : 0;
    case Tag::Record:
        return m_u.rec ? m_u.rec->n : 0;
    default:
        return 0;
    }
}

const Value& Value::element(std::size_t i) const
{
    static const Value empty;
    if (m_tag == Tag::Array && m_u.arr && i < m_u.arr->len)
        return m_u.arr->elems()[i];
    if (m_tag == Tag::Record && m_u.rec && i < m_u.rec->n)
        return m_u.rec->fields()[i];
    return empty;
}

bool Value::setContains(int ordinal) const
{
    if (m_tag != Tag::Set || !m_u.set || ordinal < 0 || ordinal > 255)
        return false;
    return (m_u.set->bits[ordinal >> 6] >> (ordinal & 63)) & 1;
}

} // namespace pascal

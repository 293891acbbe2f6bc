// The declarations every compile starts from: the engine's own SYSTEM.
#include "pascal/environment.h"

#include "pascal/natives.h"
#include "pascal/parser.h"

namespace pascal {

Type* Environment::newType(TK kind, std::string name)
{
    m_types.emplace_back();
    Type* t = &m_types.back();
    t->kind = kind;
    t->name = std::move(name);
    return t;
}

ClassInfo* Environment::newClass(NameId name)
{
    m_classStore.emplace_back();
    ClassInfo* c = &m_classStore.back();
    c->name = name;
    c->spelling = names.spelling(name);
    c->index = static_cast<int>(m_classStore.size() - 1);
    Type* t = newType(TK::Class, c->spelling);
    t->cls = c;
    c->type = t;
    Type* r = newType(TK::ClassRef, c->spelling);
    r->cls = c;
    c->refType = r;
    return c;
}

Member* Environment::newMember()
{
    m_members.emplace_back();
    return &m_members.back();
}

Symbol* Environment::newSymbol(SymKind kind, NameId name)
{
    m_symbols.emplace_back();
    Symbol* s = &m_symbols.back();
    s->kind = kind;
    s->name = name;
    return s;
}

Routine* Environment::newRoutine(NameId name)
{
    m_routines.emplace_back();
    Routine* r = &m_routines.back();
    r->name = name;
    return r;
}

Symbol* Environment::addGlobal(NameId name, const Type* type, std::uint32_t pos)
{
    Symbol* s = newSymbol(SymKind::Var, name);
    s->vk = VarKind::Global;
    s->type = type;
    s->pos = pos;
    s->index = static_cast<int>(globals.size());
    globals.push_back(s);
    if (name != kNoName)
        declare(s);
    return s;
}

const Type* Environment::integerType(IntKind k) const
{
    switch (k) {
    case IntKind::S8:
        return tShortInt;
    case IntKind::U8:
        return tByte;
    case IntKind::S16:
        return tSmallInt;
    case IntKind::U16:
        return tWord;
    case IntKind::S32:
        return tInteger;
    case IntKind::U32:
        return tCardinal;
    case IntKind::S64:
        return tInt64;
    }
    return tInteger;
}

bool Environment::isManaged(const Type* t)
{
    switch (t->kind) {
    case TK::String:
    case TK::Variant:
    case TK::Set:
    case TK::Array:
    case TK::DynArray:
    case TK::Record:
    case TK::Class:
        return true;
    default:
        return false;
    }
}

std::string Environment::typeName(const Type* t) const
{
    return t ? t->name : std::string();
}

RoutineInfo Environment::routineInfo(const Routine& r) const
{
    RoutineInfo ri;
    ri.name = names.spelling(r.name);
    ri.isFunction = r.sig.result != nullptr;
    ri.resultType = typeName(r.sig.result);
    for (const Param& p : r.sig.params)
        ri.params.push_back(RoutineInfo::Param{names.spelling(p.name), p.mode, typeName(p.type)});
    return ri;
}

Environment::Environment()
{
    declareSystem();
}

void Environment::declareSystem()
{
    auto type = [&](const char* name, TK kind) {
        Type* t = newType(kind, name);
        Symbol* s = newSymbol(SymKind::Type, names.intern(name));
        s->type = t;
        declare(s);
        return t;
    };
    auto alias = [&](const char* name, const Type* t) {
        Symbol* s = newSymbol(SymKind::Type, names.intern(name));
        s->type = t;
        declare(s);
    };
    auto integer = [&](const char* name, IntKind k, std::int64_t lo, std::int64_t hi) {
        Type* t = type(name, TK::Integer);
        t->ik = k;
        t->low = lo;
        t->high = hi;
        return t;
    };
    tVoid = newType(TK::Void, "procedure");
    tInteger = integer("Integer", IntKind::S32, INT32_MIN, INT32_MAX);
    alias("LongInt", tInteger);
    tCardinal = integer("Cardinal", IntKind::U32, 0, UINT32_MAX);
    alias("LongWord", tCardinal);
    tInt64 = integer("Int64", IntKind::S64, INT64_MIN, INT64_MAX);
    tByte = integer("Byte", IntKind::U8, 0, 255);
    tShortInt = integer("ShortInt", IntKind::S8, -128, 127);
    tWord = integer("Word", IntKind::U16, 0, 65535);
    tSmallInt = integer("SmallInt", IntKind::S16, -32768, 32767);
    auto floating = [&](const char* name, FloatKind k) {
        Type* t = type(name, TK::Float);
        t->fk = k;
        return t;
    };
    tSingle = floating("Single", FloatKind::Single);
    tDouble = floating("Double", FloatKind::Double);
    tExtended = floating("Extended", FloatKind::Extended);
    tCurrency = floating("Currency", FloatKind::Currency);
    Type* b = type("Boolean", TK::Bool);
    b->ik = IntKind::U8;
    b->low = 0;
    b->high = 1;
    b->enumNames = {names.intern("False"), names.intern("True")};
    tBoolean = b;
    Type* lb = type("LongBool", TK::Bool);
    lb->longBool = true;
    lb->ik = IntKind::U8;
    lb->low = 0;
    lb->high = 1;
    tLongBool = lb;
    Type* c = type("Char", TK::Char);
    c->ik = IntKind::U8;
    c->low = 0;
    c->high = 255;
    tChar = c;
    alias("AnsiChar", tChar);
    alias("WideChar", tChar);
    tString = type("String", TK::String);
    alias("AnsiString", tString);
    alias("WideString", tString);
    alias("UnicodeString", tString);
    alias("PChar", tString);
    tVariant = type("Variant", TK::Variant);
    tPointer = type("Pointer", TK::Pointer);
    tNil = newType(TK::Nil, "nil");
    Type* es = newType(TK::Set, "[]");
    es->elem = nullptr;
    tEmptySet = es;
    Type* aoc = newType(TK::OpenArray, "array of const");
    aoc->arrayOfConst = true;
    aoc->elem = tVariant;
    tArrayOfConst = aoc;
    tTypeName = newType(TK::TypeName, "type");

    auto constant = [&](const char* name, const Type* t, Value v) {
        Symbol* s = newSymbol(SymKind::Const, names.intern(name));
        s->type = t;
        s->value = std::move(v);
        declare(s);
    };
    constant("False", tBoolean, Value::boolean(false));
    constant("True", tBoolean, Value::boolean(true));
    constant("MaxInt", tInteger, Value::integer(INT32_MAX));

    objectClass = newClass(names.intern("TObject"));
    registerClass(objectClass);
    {
        Symbol* s = newSymbol(SymKind::Type, objectClass->name);
        s->type = objectClass->type;
        declare(s);
        Member* create = newMember();
        create->kind = Member::Kind::Method;
        create->name = names.intern("Create");
        create->owner = objectClass;
        create->isConstructor = true;
        Member* fr = newMember();
        fr->kind = Member::Kind::Method;
        fr->name = names.intern("Free");
        fr->owner = objectClass;
        Member* cn = newMember();
        cn->kind = Member::Kind::Method;
        cn->name = names.intern("ClassName");
        cn->owner = objectClass;
        cn->sig.result = tString;
        for (Member* m : {create, fr, cn}) {
            objectClass->members.push_back(m);
            objectClass->byName[m->name] = m;
        }
    }

    static const std::pair<const char*, Intrinsic> intrinsics[] = {
        {"Length", Intrinsic::Length},
        {"SetLength", Intrinsic::SetLength},
        {"Inc", Intrinsic::Inc},
        {"Dec", Intrinsic::Dec},
        {"Succ", Intrinsic::Succ},
        {"Pred", Intrinsic::Pred},
        {"Low", Intrinsic::Low},
        {"High", Intrinsic::High},
        {"Ord", Intrinsic::Ord},
        {"Chr", Intrinsic::Chr},
        {"Abs", Intrinsic::Abs},
        {"Sqr", Intrinsic::Sqr},
        {"SizeOf", Intrinsic::SizeOf},
        {"Assigned", Intrinsic::Assigned},
        {"Exit", Intrinsic::Exit},
        {"Break", Intrinsic::Break},
        {"Continue", Intrinsic::Continue},
        {"Random", Intrinsic::Random},
        {"GetArrayLength", Intrinsic::GetArrayLength},
        {"SetArrayLength", Intrinsic::SetArrayLength},
    };
    for (auto& [name, id] : intrinsics) {
        Symbol* s = newSymbol(SymKind::Intrinsic, names.intern(name));
        s->index = static_cast<int>(id);
        declare(s);
    }

    for (const NativeDef& n : nativeTable()) {
        if (!n.system)
            continue;
        Parser p(*this, n.declaration);
        Routine* r = p.parseRoutineDeclaration(RoutineKind::Native);
        (void)r;
    }
}

} // namespace pascal

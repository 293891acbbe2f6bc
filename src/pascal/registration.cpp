// The registration API over the compile's Environment. Declaration lines and type texts are read by
// the script parser itself, so what a host declares means exactly what a script would mean by it.
#include "pascal/registration.h"

#include "pascal/environment.h"
#include "pascal/parser.h"
#include "platform/text_encoding.h"

namespace pascal {

namespace {

std::string trimmed(std::string_view s)
{
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ')
        s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ')
        s.remove_suffix(1);
    return std::string(s);
}

[[noreturn]] void fail(const std::string& what, std::string_view decl, const CompileError& e)
{
    throw RegistrationError("Unable to register " + what + " '" + trimmed(decl) +
                            "': " + messageText(e.code, e.param));
}

NameId checkedName(Environment& env, std::string_view name, const char* what)
{
    std::string n = trimmed(name);
    bool ok = !n.empty() && !(n[0] >= '0' && n[0] <= '9');
    for (char c : n)
        ok = ok && ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_');
    if (!ok)
        throw RegistrationError(std::string("Unable to register ") + what + " '" + n +
                                "': Identifier expected");
    NameId id = env.names.intern(n);
    if (NameTable::isKeyword(id))
        throw RegistrationError(std::string("Unable to register ") + what + " '" + n +
                                "': Identifier expected");
    return id;
}

const Type* findType(Environment& env, std::string_view name)
{
    NameId n = env.names.find(trimmed(name));
    if (n == kNoName)
        return nullptr;
    Symbol* s = env.lookup(n);
    return s && s->kind == SymKind::Type ? s->type : nullptr;
}

} // namespace

void Registrar::addIntegerConstant(std::string_view name, std::int64_t value)
{
    NameId n = checkedName(*m_env, platform::toUpperAscii(name), "constant");
    Symbol* s = m_env->newSymbol(SymKind::Const, n);
    s->type = m_env->tInteger;
    s->value = Value::integer(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
    m_env->declare(s);
}

void Registrar::addTypedConstant(std::string_view name, std::string_view typeName, const ConstantValue& value)
{
    NameId n = checkedName(*m_env, name, "constant");
    const Type* t = findType(*m_env, typeName);
    if (!t)
        throw RegistrationError("Unable to register constant '" + trimmed(name) + "': Unknown type '" +
                                trimmed(typeName) + "'");
    Value v;
    bool ok = true;
    switch (t->kind) {
    case TK::Integer:
    case TK::Char:
    case TK::Enum:
        if (auto* i = std::get_if<std::int64_t>(&value))
            v = Value::integer(wrapIntKind(*i, t->ik));
        else if (auto* str = std::get_if<std::string>(&value); str && t->kind == TK::Char && str->size() == 1)
            v = Value::integer(static_cast<unsigned char>((*str)[0]));
        else
            ok = false;
        break;
    case TK::Bool:
        if (auto* b = std::get_if<bool>(&value))
            v = Value::boolean(*b);
        else if (auto* i = std::get_if<std::int64_t>(&value))
            v = Value::boolean(*i != 0);
        else
            ok = false;
        break;
    case TK::Float:
        if (auto* d = std::get_if<double>(&value))
            v = Value::real(*d);
        else if (auto* i = std::get_if<std::int64_t>(&value))
            v = Value::real(static_cast<double>(*i));
        else
            ok = false;
        break;
    case TK::String:
        if (auto* str = std::get_if<std::string>(&value))
            v = Value::string(*str);
        else
            ok = false;
        break;
    case TK::Variant:
        if (auto* i = std::get_if<std::int64_t>(&value))
            v = Value::integer(*i);
        else if (auto* d = std::get_if<double>(&value))
            v = Value::real(*d);
        else if (auto* b = std::get_if<bool>(&value))
            v = Value::boolean(*b);
        else
            v = Value::string(std::get<std::string>(value));
        break;
    default:
        ok = false;
    }
    if (!ok)
        throw RegistrationError("Unable to register constant '" + trimmed(name) + "': Type mismatch");
    Symbol* s = m_env->newSymbol(SymKind::Const, n);
    s->type = t;
    s->value = std::move(v);
    m_env->declare(s);
}

void Registrar::addExtendedConstant(std::string_view name, double value)
{
    NameId n = checkedName(*m_env, name, "constant");
    Symbol* s = m_env->newSymbol(SymKind::Const, n);
    s->type = m_env->tExtended;
    s->value = Value::real(value);
    m_env->declare(s);
}

void Registrar::addType(std::string_view name, std::string_view typeText)
{
    NameId n = checkedName(*m_env, name, "type");
    const Type* t;
    try {
        Parser p(*m_env, typeText);
        t = p.parseTypeText(n);
    } catch (const CompileError& e) {
        fail("type", name, e);
    }
    Symbol* s = m_env->newSymbol(SymKind::Type, n);
    s->type = t;
    m_env->declare(s);
}

void Registrar::addNativeEnum(std::string_view name, const std::vector<std::string>& elements,
                              std::int64_t firstOrdinal)
{
    if (firstOrdinal != 0 || elements.empty())
        throw RegistrationError("Internal error: RegisterRealEnum not passed a valid enum type");
    std::string text = "(";
    for (std::size_t i = 0; i < elements.size(); ++i) {
        if (i)
            text += ",";
        text += elements[i];
    }
    text += ")";
    addType(name, text);
}

void Registrar::addRoutine(std::string_view declaration)
{
    try {
        Parser p(*m_env, declaration);
        p.parseRoutineDeclaration(RoutineKind::Host);
    } catch (const CompileError& e) {
        fail("function", declaration, e);
    }
}

ClassDecl Registrar::addClass(std::string_view name, std::string_view parent)
{
    NameId n = checkedName(*m_env, name, "class");
    ClassInfo* p = nullptr;
    if (!trimmed(parent).empty()) {
        NameId pn = m_env->names.find(trimmed(parent));
        p = pn == kNoName ? nullptr : m_env->findClass(pn);
        if (!p)
            throw RegistrationError("Unable to register class '" + trimmed(name) + "': Unknown type '" +
                                    trimmed(parent) + "'");
    }
    ClassInfo* c = m_env->findClass(n);
    if (!c) {
        c = m_env->newClass(n);
        m_env->registerClass(c);
    }
    if (p && p->descendsFrom(c))
        throw RegistrationError("Unable to register class '" + trimmed(name) + "': circular parent '" +
                                trimmed(parent) + "'");
    c->parent = p;
    Symbol* s = m_env->newSymbol(SymKind::Type, n);
    s->type = c->type;
    m_env->declare(s);
    return ClassDecl(m_env, c->index);
}

ClassDecl Registrar::findClass(std::string_view name) const
{
    NameId n = m_env->names.find(trimmed(name));
    ClassInfo* c = n == kNoName ? nullptr : m_env->findClass(n);
    return c ? ClassDecl(m_env, c->index) : ClassDecl();
}

void Registrar::addVariable(std::string_view name, std::string_view typeName)
{
    const Type* t = findType(*m_env, typeName);
    if (!t)
        throw RegistrationError("Invalid type for variable " + trimmed(name));
    NameId n = checkedName(*m_env, name, "variable");
    Symbol* s = m_env->addGlobal(n, t, 0);
    s->used = true;
    s->exported = true;
}

bool Registrar::hasType(std::string_view name) const
{
    return findType(*m_env, name) != nullptr;
}

// --- classes --------------------------------------------------------------------------------------

static ClassInfo* classAt(Environment* env, int index)
{
    return env->classAt(index);
}

std::string ClassDecl::name() const
{
    if (!m_env)
        return {};
    return classAt(m_env, m_index)->spelling;
}

static void addMember(ClassInfo* c, Member* m)
{
    auto it = c->byName.find(m->name);
    if (it != c->byName.end()) {
        for (auto& slot : c->members)
            if (slot == it->second)
                slot = m;
        if (c->defaultProperty == it->second)
            c->defaultProperty = m->kind == Member::Kind::Property && !m->indexTypes.empty() ? m : nullptr;
        it->second = m;
    } else {
        c->members.push_back(m);
        c->byName[m->name] = m;
    }
}

bool ClassDecl::addMethod(std::string_view declaration)
{
    if (!m_env)
        return false;
    ClassInfo* c = classAt(m_env, m_index);
    Member tmp;
    try {
        Parser p(*m_env, declaration);
        if (!p.parseMethodDeclaration(tmp))
            return false;
    } catch (const CompileError&) {
        return false;
    }
    Member* m = m_env->newMember();
    *m = std::move(tmp);
    m->owner = c;
    addMember(c, m);
    return true;
}

bool ClassDecl::addProperty(std::string_view name, std::string_view typeText, int access)
{
    if (!m_env || access < 0 || access > 2)
        return false;
    ClassInfo* c = classAt(m_env, m_index);
    NameId n;
    try {
        n = checkedName(*m_env, name, "property");
    } catch (const RegistrationError&) {
        return false;
    }
    const Type* type = nullptr;
    std::vector<const Type*> indexTypes;
    try {
        Parser p(*m_env, typeText);
        if (!p.parsePropertyTypes(type, indexTypes))
            return false;
    } catch (const CompileError&) {
        return false;
    }
    Member* m = m_env->newMember();
    m->kind = Member::Kind::Property;
    m->name = n;
    m->owner = c;
    m->type = type;
    m->indexTypes = std::move(indexTypes);
    m->access = static_cast<PropertyAccess>(access);
    addMember(c, m);
    return true;
}

bool ClassDecl::setDefaultProperty(std::string_view name)
{
    if (!m_env)
        return false;
    ClassInfo* c = classAt(m_env, m_index);
    NameId n = m_env->names.find(trimmed(name));
    if (n == kNoName)
        return false;
    const Member* m = c->find(n);
    if (!m || m->kind != Member::Kind::Property || m->indexTypes.empty())
        return false;
    c->defaultProperty = const_cast<Member*>(m);
    return true;
}

} // namespace pascal

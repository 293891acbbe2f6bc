// Writer and reader of the binary component stream.
#include "vcl/form_stream.h"

#include "platform/errors.h"
#include "platform/text_encoding.h"
#include "vcl/class_registry.h"
#include "vcl/component_rules.h"
#include "vcl/naming.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <unordered_set>

namespace vcl {

// ---------------------------------------------------------------------------------------------------
// Writing

namespace {

// Cardinal, LongWord and handles: unsigned 32-bit values that the stream carries as the Int32 of the
// same bits, as the platform's streaming writes every 32-bit ordinal.
bool isUnsigned32(const TypeInfo& type)
{
    return type.kind == TypeKind::Integer && type.minValue >= 0 && type.maxValue > INT32_MAX &&
           type.maxValue <= UINT32_MAX;
}

bool isStored(const Persistent& obj, const PropInfo& prop)
{
    switch (prop.stored) {
    case StoredRule::Always:
        return true;
    case StoredRule::Never:
        return false;
    case StoredRule::WhenFlagFalse:
        return obj.storedValue(*prop.storedFlag).tag != ValueTag::True;
    case StoredRule::WhenFlagTrue:
        return obj.storedValue(*prop.storedFlag).tag == ValueTag::True;
    case StoredRule::Predicate:
        return rules::storedByRule(obj, prop.storedPredicate);
    }
    return true;
}

// A value is left out only when a reader, starting from a fresh instance, gets it back anyway: it
// equals the declared default and the class's initial value.
bool isDefault(const PropInfo& prop, const Value& v, const Value& initial)
{
    switch (prop.type->kind) {
    case TypeKind::String:
        return v.text.empty() && initial.text.empty();
    case TypeKind::Float:
        if (prop.type->floatKind == FloatKind::Currency)
            return v.integer == 0 && initial.integer == 0;
        return v.real == 0 && !std::signbit(v.real) && initial.real == 0;
    default:
        return prop.hasDefault && v == prop.defaultValue && v == initial;
    }
}

void writeSimple(TypedValueWriter& w, const TypeInfo& type, const Value& v)
{
    switch (type.kind) {
    case TypeKind::Integer:
    case TypeKind::Int64:
        if (const IdentEntry* e = type.identFor(v.integer))
            w.writeIdent(e->name);
        else if (isUnsigned32(type))
            w.writeInteger(static_cast<std::int32_t>(static_cast<std::uint32_t>(v.integer)));
        else
            w.writeInteger(v.integer);
        return;
    case TypeKind::Char:
        // One byte as it is: a character code, not text to re-encode.
        w.writeTag(ValueTag::String);
        w.writeShortString(v.text.substr(0, 1));
        return;
    default:
        w.writeValue(v);
        return;
    }
}

void writeProperties(TypedValueWriter& w, const Persistent& obj, const Component& owner, std::string& prefix)
{
    const ClassInfo& cls = obj.classInfo();
    const std::size_t prefixLength = prefix.size();
    Value scratch;
    for (const PropInfo* prop : cls.properties) {
        if (prop->isEvent() || prop->readOnly || prop->writeOnly || !isStored(obj, *prop))
            continue;
        prefix.resize(prefixLength);
        prefix += prop->name;
        if (prop->type->kind == TypeKind::Class) {
            switch (prop->classRole()) {
            case ClassRole::Object:
                prefix += '.';
                writeProperties(w, *obj.nested(*prop), owner, prefix);
                break;
            case ClassRole::Strings: {
                const Value& list = owner.propertyValueRef(obj, *prop, scratch);
                if (list.items.empty())
                    break;
                prefix += ".Strings";
                w.writeShortString(prefix);
                w.writeListBegin();
                for (const auto& item : list.items)
                    w.writeString(item.text);
                w.writeListEnd();
                break;
            }
            case ClassRole::Picture:
            case ClassRole::Graphic: {
                const Value& data = obj.storedValue(*prop);
                if (data.tag != ValueTag::Binary || data.text.empty())
                    break;
                prefix += ".Data";
                w.writeShortString(prefix);
                w.writeBinary(data.text);
                break;
            }
            case ClassRole::Collection:
                w.writeShortString(prefix);
                w.writeValue(obj.storedValue(*prop));
                break;
            case ClassRole::Reference: {
                const Value& ref = obj.storedValue(*prop);
                if (ref.tag == ValueTag::Ident && !ref.text.empty()) {
                    w.writeShortString(prefix);
                    w.writeIdent(ref.text);
                }
                break;
            }
            }
            continue;
        }
        const Value& v = owner.propertyValueRef(obj, *prop, scratch);
        if (isDefault(*prop, v, cls.initialValue(*prop)))
            continue;
        w.writeShortString(prefix);
        writeSimple(w, *prop->type, v);
    }
    for (const auto& u : obj.unknownProperties()) {
        prefix.resize(prefixLength);
        prefix += u.name;
        w.writeShortString(prefix);
        w.writeValue(u.value);
    }
    prefix.resize(prefixLength);
}

} // namespace

void writeComponentRecord(const Component& c, TypedValueWriter& w, bool isRoot)
{
    w.writeShortString(c.classInfo().name);
    w.writeShortString(c.name());
    std::string prefix;
    writeProperties(w, c, c, prefix);
    w.writeListEnd();
    for (const Component* child : c.controls())
        writeComponentRecord(*child, w, false);
    if (isRoot)
        for (const auto& owned : c.components())
            if (!owned->isControl())
                writeComponentRecord(*owned, w, false);
    w.writeListEnd();
}

void writeComponentStream(const Component& root, TypedValueWriter& out)
{
    const bool wide = out.wideForNonAscii();
    out.setWideForNonAscii(true);
    out.writeSignature();
    writeComponentRecord(root, out, true);
    out.setWideForNonAscii(wide);
}

std::string writeComponentStream(const Component& root)
{
    std::string out;
    out.reserve(4096);
    TypedValueWriter w(out);
    writeComponentStream(root, w);
    return out;
}

// ---------------------------------------------------------------------------------------------------
// Reading

namespace {

// No real form comes near this; it keeps a small malicious stream from taking memory without end, as
// every component costs far more memory than its record costs bytes.
constexpr std::size_t kMaxComponents = 100000;

struct ReadState {
    TypedValueReader& in;
    Component* root; // set when the root record has been created
    RecordReadContext* context;
    std::size_t components = 0;
};

[[noreturn]] void failAt(const ReadState& s, std::size_t pos, const std::string& message)
{
    s.in.failAt(message, pos);
}

// Reads "Name = value" into `c`; the name has been checked to be no end of list.
// The properties of one record read so far, to refuse a property given twice.
struct Seen {
    std::vector<std::pair<const Persistent*, const PropInfo*>> known;
    // Names of unknown properties (upper case, with the object that holds them): a record may carry
    // any number of them, so they are looked up by hash.
    std::unordered_set<std::string> unknown;
};

void readProperty(ReadState& s, Component& c, Seen& seen)
{
    TypedValueReader& in = s.in;
    const std::size_t namePos = in.position();
    const std::string fullName = in.readShortString();
    auto twice = [&] { failAt(s, namePos, "property " + fullName + " of " + c.name() + " appears twice"); };

    Persistent* obj = &c;
    std::string_view rest = fullName;
    const PropInfo* prop = nullptr;
    bool special = false; // ".Strings" of a string list, ".Data" of a picture
    while (true) {
        const auto dot = rest.find('.');
        const PropInfo* p = obj->classInfo().findProperty(rest.substr(0, dot));
        if (!p)
            break;
        if (dot == std::string_view::npos) {
            prop = p;
            break;
        }
        const std::string_view sub = rest.substr(dot + 1);
        if (p->type->kind == TypeKind::Class) {
            const ClassRole role = p->classRole();
            if (role == ClassRole::Object) {
                obj = obj == &c ? &c.ownObject(*p) : obj->nested(*p);
                rest = sub;
                continue;
            }
            if ((role == ClassRole::Strings && platform::equalsNoCase(sub, "Strings")) ||
                ((role == ClassRole::Picture || role == ClassRole::Graphic) &&
                 platform::equalsNoCase(sub, "Data"))) {
                prop = p;
                special = true;
            }
        }
        break;
    }

    if (prop) {
        const std::pair<const Persistent*, const PropInfo*> key{obj, prop->root};
        if (std::find(seen.known.begin(), seen.known.end(), key) != seen.known.end())
            twice();
        seen.known.push_back(key);
    } else {
        std::string key = std::to_string(reinterpret_cast<std::uintptr_t>(obj)) + ':';
        key += platform::toUpperAscii(rest);
        if (!seen.unknown.insert(std::move(key)).second)
            twice();
    }
    const std::size_t valuePos = in.position();
    Value v = in.readValue();
    if (!prop) {
        const std::string_view last = std::string_view(fullName).substr(fullName.rfind('.') + 1);
        if (!isValidIdentifier(last) || fullName.front() == '.' || fullName.find("..") != std::string::npos)
            failAt(s, namePos, "invalid property name '" + fullName.substr(0, 60) + "'");
        // Kept as it came, relative to the object that holds it, and written back after the known ones.
        obj->unknownProperties().push_back({std::string(rest), std::move(v)});
        return;
    }
    if (prop->stored == StoredRule::Never) {
        // A published property that the class streams itself is read as that.
        for (const PropInfo* custom : obj->classInfo().m_custom)
            if (custom->root == prop->root)
                prop = custom;
    }
    if (prop->isEvent() || prop->readOnly || prop->stored == StoredRule::Never)
        return; // handlers are bound through the script; computed and header values are not set
    if (prop->type->kind == TypeKind::Class) {
        const ClassRole role = prop->classRole();
        if ((role == ClassRole::Strings || role == ClassRole::Picture || role == ClassRole::Graphic) &&
            !special)
            failAt(s, namePos, "property " + fullName + " of " + c.name() + " has no value of its own");
        if (role == ClassRole::Object)
            failAt(s, namePos, "property " + fullName + " of " + c.name() + " has no value of its own");
    }
    if (isUnsigned32(*prop->type) && v.isInteger() && v.integer < 0 && v.integer >= INT32_MIN)
        v = Value::integerValue(v.integer + (std::int64_t(1) << 32));
    try {
        c.setPropertyValue(*obj, *prop, v, fullName);
    } catch (const StreamError&) {
        throw;
    } catch (const platform::Error& e) {
        failAt(s, valuePos, "error reading " + c.name() + "." + fullName + ": " + e.what());
    }
}

Component& readRecord(ReadState& s, Component* parent, int depth, const ClassInfo* rootClass,
                      std::unique_ptr<Component>* rootOut)
{
    TypedValueReader& in = s.in;
    const std::size_t start = in.position();
    if (depth >= kMaxStreamNesting)
        failAt(s, start, "components nested more than " + std::to_string(kMaxStreamNesting) + " levels deep");
    if (++s.components > kMaxComponents || (s.context && s.context->created.size() >= kMaxComponents))
        failAt(s, start, "more than " + std::to_string(kMaxComponents) + " components");
    const std::uint8_t first = in.readU8();
    if ((first & 0xF0) == 0xF0) {
        if ((first & 0x08) != 0)
            failAt(s, start, "unknown record flags " + std::to_string(first & 0x0F));
        if ((first & 0x02) != 0)
            in.readInteger(); // the child position of inherited forms: order is the record order here
    } else {
        in.seek(start);
    }
    const std::size_t classPos = in.position();
    const std::string className = in.readShortString();
    const ClassInfo* cls = classes().findStreamableClass(className);
    if (!cls)
        failAt(s, classPos,
               "Class " + (className.empty() ? std::string("(empty)") : className) + " not found");
    const std::size_t namePos = in.position();
    std::string name = in.readShortString();
    if (!name.empty() && !isValidIdentifier(name))
        failAt(s, namePos, "'" + name + "' is not a valid component name");

    Component* c = nullptr;
    if (rootOut) {
        if (rootClass && !cls->inheritsFrom(rootClass))
            failAt(s, classPos, "the stream holds a " + cls->name + ", not a " + rootClass->name);
        *rootOut = Component::create(*cls);
        c = rootOut->get();
        c->setNameRaw(std::move(name));
        c->setLoading(true);
        s.root = c;
    } else {
        if (cls->inheritsFrom("TCustomForm"))
            failAt(s, classPos, "a form (" + cls->name + ") cannot be inside another component");
        Component& root = *s.root;
        Component* owner = cls->ownedByParent && parent ? parent : &root;
        if (!name.empty() && (owner->findComponent(name) || platform::equalsNoCase(root.name(), name))) {
            if (!s.context || !s.context->renameCollisions)
                failAt(s, namePos, "A component named " + name + " already exists");
            const std::string base = nameBase(*cls);
            std::size_t& from = s.context->nextNumber.try_emplace(base, 1).first->second;
            std::string fresh = uniqueComponentName(root, base, from);
            s.context->renamed.emplace_back(name, fresh);
            name = std::move(fresh);
        }
        std::unique_ptr<Component> created = Component::create(*cls);
        created->setNameRaw(std::move(name));
        c = &owner->adopt(std::move(created));
        if (c->isControl()) {
            if (!parent || !parent->isWinControl())
                failAt(s, classPos,
                       "control " + c->name() + " cannot be inside " +
                           (parent ? parent->name() + " (" + parent->classInfo().name + ")"
                                   : std::string("nothing")));
            c->setParent(parent);
        }
        if (s.context)
            s.context->created.push_back(c);
    }

    Seen seen;
    while (!in.endOfList())
        readProperty(s, *c, seen);
    in.readListEnd();
    while (!in.endOfList())
        readRecord(s, c, depth + 1, nullptr, nullptr);
    in.readListEnd();
    c->applyPendingTabOrder();
    if (cls->tile) {
        // A tile is always 32 x 32 and hidden after reading; the designer still shows it.
        c->storeValue(*cls->findProperty("Width"), Value::integerValue(32));
        c->storeValue(*cls->findProperty("Height"), Value::integerValue(32));
        c->storeValue(*cls->findProperty("Visible"), Value::boolean(false));
    }
    return *c;
}

} // namespace

Component& readComponentRecord(TypedValueReader& in, Component& root, Component* parent, int depth,
                               RecordReadContext* context)
{
    ReadState s{in, &root, context};
    const bool wasLoading = root.isLoading();
    root.setLoading(true);
    try {
        Component& c = readRecord(s, parent, depth, nullptr, nullptr);
        root.setLoading(wasLoading);
        return c;
    } catch (...) {
        root.setLoading(wasLoading);
        throw;
    }
}

std::unique_ptr<Component> readComponentStream(TypedValueReader& in, const ClassInfo* rootClass)
{
    in.readSignature();
    std::unique_ptr<Component> root;
    ReadState s{in, nullptr, nullptr};
    readRecord(s, nullptr, 0, rootClass, &root);
    root->setLoading(false);
    return root;
}

std::unique_ptr<Component> readComponentStream(std::string_view bytes, const ClassInfo* rootClass)
{
    TypedValueReader in(bytes);
    return readComponentStream(in, rootClass);
}

std::string streamRootClassName(std::string_view stream)
{
    TypedValueReader in(stream);
    in.readSignature();
    const std::size_t start = in.position();
    const std::uint8_t first = in.readU8();
    if ((first & 0xF0) == 0xF0) {
        if (first & 2)
            in.readInteger();
    } else {
        in.seek(start);
    }
    return in.readShortString();
}

std::unique_ptr<Component> readFormStream(TypedValueReader& in)
{
    return readComponentStream(in, &classes().classNamed("TForm"));
}

std::unique_ptr<Component> readFormStream(std::string_view bytes)
{
    TypedValueReader in(bytes);
    return readFormStream(in);
}

} // namespace vcl

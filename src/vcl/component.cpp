// The component tree and property access with the class library's rules.
#include "vcl/component.h"

#include "platform/errors.h"
#include "platform/text_encoding.h"
#include "vcl/class_registry.h"
#include "vcl/component_rules.h"

#include <algorithm>
#include <unordered_set>

namespace vcl {

namespace {

const PropInfo& requireProperty(const Persistent& obj, std::string_view name)
{
    if (const PropInfo* p = obj.classInfo().findProperty(name))
        return *p;
    throw platform::Error("Property " + std::string(name) + " does not exist in " + obj.classInfo().name);
}

bool isObjectProperty(const PropInfo& p)
{
    return p.type->kind == TypeKind::Class && p.classRole() == ClassRole::Object;
}

} // namespace

bool isValidIdentifier(std::string_view name)
{
    if (name.empty())
        return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
        const bool digit = c >= '0' && c <= '9';
        if (!letter && !(digit && i > 0))
            return false;
    }
    return true;
}

PropertyTarget resolvePath(Persistent& obj, std::string_view path)
{
    const auto dot = path.find('.');
    const PropInfo& p = requireProperty(obj, path.substr(0, dot));
    if (dot == std::string_view::npos)
        return {&obj, &p};
    Persistent* n = obj.nested(p);
    if (!n)
        throw platform::Error("Property " + p.name + " has no sub-properties");
    return resolvePath(*n, path.substr(dot + 1));
}

// ---------------------------------------------------------------------------------------------------
// Creation, names, ownership

std::unique_ptr<Component> Component::create(const ClassInfo& cls)
{
    if (!cls.isComponent())
        throw platform::Error(cls.name + " is not a component class");
    if (cls.abstract)
        throw platform::Error("Cannot create an instance of the abstract class " + cls.name);
    return std::unique_ptr<Component>(new Component(cls));
}

std::unique_ptr<Component> Component::create(std::string_view className)
{
    return create(classes().classNamed(className));
}

Component::~Component()
{
    // Owned components go first; none of them may look at a parent that is already gone.
    for (auto& c : m_components) {
        c->m_parent = nullptr;
        c->m_controls.clear();
        c->m_tabList.clear();
    }
    for (Component* child : m_controls)
        child->m_parent = nullptr;
    m_components.clear();
    detachFromParent();
}

Component& Component::root()
{
    Component* c = this;
    while (c->m_owner)
        c = c->m_owner;
    return *c;
}

const Component& Component::root() const
{
    return const_cast<Component*>(this)->root();
}

void Component::indexName(Component& child)
{
    if (!child.m_name.empty())
        m_nameIndex.try_emplace(child.m_name, &child);
}

void Component::unindexName(Component& child, const std::string& name)
{
    const auto it = m_nameIndex.find(name);
    if (it == m_nameIndex.end() || it->second != &child)
        return;
    m_nameIndex.erase(it);
    // Another component of the same name (possible only through raw names) takes its place.
    for (const auto& c : m_components)
        if (c && c.get() != &child && NoCaseEqual()(c->m_name, name)) {
            m_nameIndex.emplace(c->m_name, c.get());
            break;
        }
}

void Component::setNameRaw(std::string name)
{
    if (m_owner)
        m_owner->unindexName(*this, m_name);
    m_name = std::move(name);
    if (m_owner)
        m_owner->indexName(*this);
}

Component& Component::adopt(std::unique_ptr<Component> child)
{
    if (child->m_owner)
        throw platform::Error("Component " + child->m_name + " already has an owner");
    child->m_owner = this;
    m_components.push_back(std::move(child));
    indexName(*m_components.back());
    return *m_components.back();
}

std::unique_ptr<Component> Component::release(Component& child)
{
    for (auto it = m_components.begin(); it != m_components.end(); ++it) {
        if (it->get() == &child) {
            std::unique_ptr<Component> out = std::move(*it);
            m_components.erase(it);
            unindexName(child, child.m_name);
            out->m_owner = nullptr;
            return out;
        }
    }
    throw platform::Error("Component " + child.m_name + " is not owned by " + m_name);
}

Component* Component::findComponent(std::string_view name) const
{
    if (name.empty())
        return nullptr;
    const auto it = m_nameIndex.find(name);
    return it == m_nameIndex.end() ? nullptr : it->second;
}

void Component::forEachOwned(const std::function<void(Component&)>& fn)
{
    for (const auto& c : m_components) {
        fn(*c);
        c->forEachOwned(fn);
    }
}

void Component::setName(std::string_view newName)
{
    if (newName == m_name)
        return;
    if (!newName.empty() && !isValidIdentifier(newName))
        throw platform::Error("'" + std::string(newName) + "' is not a valid component name");
    if (!newName.empty() && !platform::equalsNoCase(newName, m_name)) {
        const Component& r = root();
        bool taken = m_owner && m_owner->findComponent(newName) != nullptr;
        if (&r != this && platform::equalsNoCase(r.m_name, newName))
            taken = true;
        if (&r == this && findComponent(newName))
            taken = true;
        if (taken)
            throw platform::Error("A component named " + std::string(newName) + " already exists");
    }
    const std::string old = m_name;
    setNameRaw(std::string(newName));
    // A text that still shows the old name follows the new one, as new controls show their name.
    if (!isLoading() && !classInfo().nameProperty.empty()) {
        if (const PropInfo* p = classInfo().findProperty(classInfo().nameProperty)) {
            if (p->classRole() == ClassRole::Strings && p->type->kind == TypeKind::Class) {
                const auto lines = strings(p->name);
                if ((lines.empty() && old.empty()) || (lines.size() == 1 && lines[0] == old))
                    setStrings(p->name, {m_name});
            } else if (p->type->kind == TypeKind::String && text(p->name) == old) {
                setText(p->name, m_name);
            }
        }
    }
    if (!isLoading()) {
        if (m_owner)
            root().renameReferences(old, m_name);
        for (ComponentObserver* o : root().m_observers)
            o->componentRenamed(*this, old);
    }
}

void Component::destroy(Component& c)
{
    destroy(std::vector<Component*>{&c});
}

void Component::destroy(const std::vector<Component*>& components)
{
    if (components.empty())
        return;
    for (Component* c : components)
        if (!c->m_owner)
            throw platform::Error("The form itself cannot be deleted");
    // The components, the controls inside them and what they own, deepest first.
    std::vector<Component*> doomed;
    std::unordered_set<Component*> seen;
    std::function<void(Component&)> collect = [&](Component& x) {
        if (!seen.insert(&x).second)
            return;
        for (Component* child : x.m_controls)
            collect(*child);
        for (const auto& owned : x.m_components)
            if (owned->m_parent != &x)
                collect(*owned);
        doomed.push_back(&x);
    };
    for (Component* c : components)
        collect(*c);
    Component& r = components.front()->root();
    for (Component* d : doomed)
        for (ComponentObserver* o : r.m_observers)
            o->componentRemoving(*d);
    r.clearReferencesTo(doomed);
    std::vector<Component*> parents;
    for (Component* c : components)
        if (c->m_parent && !seen.count(c->m_parent) &&
            std::find(parents.begin(), parents.end(), c->m_parent) == parents.end())
            parents.push_back(c->m_parent);
    // Out of their parents' lists and their owners' lists in one pass per list, then gone.
    std::vector<std::unique_ptr<Component>> graveyard;
    std::unordered_set<Component*> lists;
    for (Component* d : doomed) {
        if (d->m_parent && !seen.count(d->m_parent))
            lists.insert(d->m_parent);
        if (d->m_owner && !seen.count(d->m_owner))
            lists.insert(d->m_owner);
    }
    for (Component* l : lists) {
        std::erase_if(l->m_controls, [&](Component* x) { return seen.count(x) != 0; });
        std::erase_if(l->m_tabList, [&](Component* x) { return seen.count(x) != 0; });
        bool any = false;
        for (auto& owned : l->m_components) {
            if (seen.count(owned.get())) {
                owned->m_owner = nullptr;
                graveyard.push_back(std::move(owned));
                any = true;
            }
        }
        if (any) {
            std::erase(l->m_components, nullptr);
            l->m_nameIndex.clear();
            for (const auto& owned : l->m_components)
                l->indexName(*owned);
        }
    }
    for (Component* d : doomed) {
        // Their parents and children go too: no destructor may look at another one.
        d->m_parent = nullptr;
        d->m_controls.clear();
        d->m_tabList.clear();
    }
    graveyard.clear();
    for (Component* p : parents)
        p->notifyControlsChanged();
}

// ---------------------------------------------------------------------------------------------------
// Parents, stacking and tab order

void Component::detachFromParent()
{
    if (!m_parent)
        return;
    std::erase(m_parent->m_controls, this);
    std::erase(m_parent->m_tabList, this);
    m_parent = nullptr;
}

bool Component::isParentOf(const Component& other) const
{
    for (const Component* p = other.m_parent; p; p = p->m_parent)
        if (p == this)
            return true;
    return false;
}

namespace {

// Where the windowed controls of a child list begin: the list holds the controls without a window
// first, so the place is found by halving, however many children a (read) form has.
std::vector<Component*>::iterator firstWindowed(std::vector<Component*>& list)
{
    return std::partition_point(list.begin(), list.end(), [](Component* c) { return !c->isWinControl(); });
}

} // namespace

void Component::setParent(Component* parent)
{
    if (parent == m_parent)
        return;
    if (parent) {
        if (!isControl())
            throw platform::Error(classInfo().name + " is not a control and cannot have a parent");
        if (!parent->isWinControl())
            throw platform::Error("Control '" + parent->m_name + "' cannot hold controls");
        if (parent == this || isParentOf(*parent))
            throw platform::Error("A control cannot be put inside itself");
    }
    Component* old = m_parent;
    detachFromParent();
    if (parent) {
        m_parent = parent;
        auto& list = parent->m_controls;
        if (isWinControl()) {
            list.push_back(this);
            parent->m_tabList.push_back(this);
        } else {
            // Controls without a window stay below the windowed ones.
            auto it = firstWindowed(list);
            list.insert(it, this);
        }
    }
    if (!isLoading()) {
        if (old)
            old->notifyControlsChanged();
        if (parent)
            parent->notifyControlsChanged();
    }
}

void Component::bringToFront()
{
    if (!m_parent)
        return;
    auto& list = m_parent->m_controls;
    std::erase(list, this);
    if (isWinControl()) {
        list.push_back(this);
    } else {
        auto it = firstWindowed(list);
        list.insert(it, this);
    }
    m_parent->notifyControlsChanged();
}

void Component::sendToBack()
{
    if (!m_parent)
        return;
    auto& list = m_parent->m_controls;
    std::erase(list, this);
    if (isWinControl()) {
        auto it = firstWindowed(list);
        list.insert(it, this);
    } else {
        list.insert(list.begin(), this);
    }
    m_parent->notifyControlsChanged();
}

int Component::tabIndex() const
{
    if (!m_parent || !isWinControl())
        return -1;
    const auto& t = m_parent->m_tabList;
    return static_cast<int>(std::find(t.begin(), t.end(), this) - t.begin());
}

void Component::setTabIndex(int index)
{
    if (!m_parent || !isWinControl())
        return;
    auto& t = m_parent->m_tabList;
    std::erase(t, this);
    const auto at = static_cast<std::size_t>(std::clamp(index, 0, static_cast<int>(t.size())));
    t.insert(t.begin() + static_cast<std::ptrdiff_t>(at), this);
    m_parent->notifyControlsChanged();
}

void Component::applyPendingTabOrder()
{
    // Each child goes to the position its TabOrder names; the others fill the free places in the
    // order they were read, as the platform does after reading a form.
    const std::size_t n = m_tabList.size();
    std::vector<Component*> placed(n, nullptr);
    std::vector<Component*> rest;
    for (Component* c : m_tabList) {
        const int j = c->m_pendingTabOrder;
        if (j >= 0 && static_cast<std::size_t>(j) < n && !placed[static_cast<std::size_t>(j)])
            placed[static_cast<std::size_t>(j)] = c;
        else
            rest.push_back(c);
        c->m_pendingTabOrder = -1;
    }
    std::size_t k = 0;
    for (auto& slot : placed)
        if (!slot)
            slot = rest[k++];
    m_tabList = std::move(placed);
}

// ---------------------------------------------------------------------------------------------------
// Properties

namespace {

// While a property follows the parent (Font with ParentFont), the parent's property of the same name.
const PropInfo* followedParentProperty(const Component& c, const Persistent& obj, const PropInfo& prop)
{
    if (&obj != &c || !prop.parentFlag || !c.parent())
        return nullptr;
    if (obj.storedValue(*prop.parentFlag).tag != ValueTag::True)
        return nullptr;
    const PropInfo* pp = c.parent()->classInfo().findProperty(prop.name);
    return pp && pp->type == prop.type ? pp : nullptr;
}

} // namespace

const Value& Component::propertyValueRef(const Persistent& obj, const PropInfo& prop, Value& scratch) const
{
    if (rules::derivedValue(*this, obj, prop, scratch))
        return scratch;
    if (const PropInfo* pp = followedParentProperty(*this, obj, prop))
        return m_parent->propertyValueRef(*m_parent, *pp, scratch);
    return obj.storedValue(prop);
}

Value Component::propertyValue(const Persistent& obj, const PropInfo& prop) const
{
    Value scratch;
    return propertyValueRef(obj, prop, scratch);
}

const Persistent& Component::object(std::string_view path) const
{
    const Persistent* obj = this;
    const Component* owner = this;
    while (true) {
        const auto dot = path.find('.');
        const PropInfo& p = requireProperty(*obj, path.substr(0, dot));
        if (!isObjectProperty(p))
            throw platform::Error("Property " + p.name + " has no sub-properties");
        if (const PropInfo* pp = followedParentProperty(*owner, *obj, p)) {
            std::string rest = pp->name;
            if (dot != std::string_view::npos) {
                rest += '.';
                rest += path.substr(dot + 1);
            }
            return owner->m_parent->object(rest);
        }
        obj = obj->nested(p);
        if (dot == std::string_view::npos)
            return *obj;
        path.remove_prefix(dot + 1);
    }
}

Value Component::value(std::string_view path) const
{
    const auto lastDot = path.rfind('.');
    if (lastDot == std::string_view::npos)
        return propertyValue(*this, requireProperty(*this, path));
    const Persistent& obj = object(path.substr(0, lastDot));
    const PropInfo& p = requireProperty(obj, path.substr(lastDot + 1));
    if (obj.owningComponent() != this)
        return obj.owningComponent()->propertyValue(obj, p);
    return propertyValue(obj, p);
}

void Component::setValue(std::string_view path, const Value& v)
{
    Persistent* obj = this;
    std::size_t start = 0;
    while (true) {
        const auto dot = path.find('.', start);
        if (dot == std::string_view::npos)
            break;
        const PropInfo& p = requireProperty(*obj, path.substr(start, dot - start));
        if (!isObjectProperty(p))
            throw platform::Error("Property " + p.name + " has no sub-properties");
        obj = obj == this ? &ownObject(p) : obj->nested(p);
        start = dot + 1;
    }
    setPropertyValue(*obj, requireProperty(*obj, path.substr(start)), v, path);
}

Persistent& Component::ownObject(const PropInfo& prop)
{
    if (prop.parentFlag && storedValue(*prop.parentFlag).tag == ValueTag::True) {
        // Changing a part of a followed object gives the control its own copy first.
        setPropertyValue(*this, *prop.parentFlag, Value::boolean(false), prop.parentFlag->name);
    }
    return *nested(prop);
}

void Component::setPropertyValue(Persistent& obj, const PropInfo& prop, const Value& v, std::string_view path)
{
    if (prop.isEvent())
        throw platform::Error("Event " + prop.name + " is bound by the script, not stored");
    if (prop.readOnly)
        throw platform::Error("Property " + prop.name + " is read-only");
    if (prop.type->kind == TypeKind::Class && prop.classRole() == ClassRole::Object)
        throw platform::Error("The properties of " + prop.name + " are set one by one");
    Value canonical;
    std::string error;
    if (!coerceValue(*prop.type, v, canonical, error))
        throw platform::Error(error);
    if (rules::assignDerived(*this, obj, prop, canonical)) {
        if (!isLoading())
            notifyPropertyChanged(path);
        return;
    }
    if (&obj == this) {
        // Setting a value the control would take from its parent makes it its own.
        if (prop.parentFlag && storedValue(*prop.parentFlag).tag == ValueTag::True)
            storeValue(*prop.parentFlag, Value::boolean(false));
        // Turning a ParentXxx flag off keeps what the control showed.
        if (canonical.tag == ValueTag::False) {
            for (int s = 0; s < classInfo().slotCount(); ++s) {
                const PropInfo* q = classInfo().propertyAtSlot(s);
                if (!q || q->parentFlag != prop.root)
                    continue;
                const PropInfo* pp = followedParentProperty(*this, *this, *q);
                if (!pp)
                    continue;
                if (isObjectProperty(*q))
                    nested(*q)->assignFrom(m_parent->object(pp->name));
                else
                    storeValue(*q, m_parent->propertyValue(*m_parent, *pp));
            }
        }
    }
    const Value previous = obj.storedValue(prop);
    obj.storeValue(prop, std::move(canonical));
    rules::afterAssign(*this, obj, prop, previous);
    if (!isLoading())
        notifyPropertyChanged(path);
}

std::int64_t Component::integer(std::string_view path) const
{
    const Value v = value(path);
    return v.isInteger() ? v.integer : 0;
}

bool Component::boolean(std::string_view path) const
{
    return value(path).tag == ValueTag::True;
}

std::string Component::text(std::string_view path) const
{
    Value v = value(path);
    return v.isString() || v.tag == ValueTag::Ident ? std::move(v.text) : std::string();
}

std::vector<std::string> Component::strings(std::string_view path) const
{
    std::vector<std::string> out;
    for (auto& item : value(path).items)
        out.push_back(item.text);
    return out;
}

void Component::setInteger(std::string_view path, std::int64_t v)
{
    setValue(path, Value::integerValue(v));
}

void Component::setBoolean(std::string_view path, bool v)
{
    setValue(path, Value::boolean(v));
}

void Component::setText(std::string_view path, std::string_view v)
{
    const auto dot = path.rfind('.');
    const Persistent& obj = dot == std::string_view::npos ? *this : object(path.substr(0, dot));
    const PropInfo& p = requireProperty(obj, dot == std::string_view::npos ? path : path.substr(dot + 1));
    const TypeKind k = p.type->kind;
    setValue(path, k == TypeKind::Enumeration || p.classRole() == ClassRole::Reference ? Value::ident(v)
                                                                                       : Value::string(v));
}

void Component::setStrings(std::string_view path, const std::vector<std::string>& lines)
{
    Value list = Value::list({});
    list.items.reserve(lines.size());
    for (const auto& l : lines)
        list.items.push_back(Value::string(l));
    setValue(path, list);
}

Component* Component::referenced(std::string_view path) const
{
    const Value v = value(path);
    if (v.tag != ValueTag::Ident)
        return nullptr;
    const Component& r = root();
    if (platform::equalsNoCase(r.m_name, v.text))
        return const_cast<Component*>(&r);
    return r.findComponent(v.text);
}

// ---------------------------------------------------------------------------------------------------
// References

namespace {

void forEachReference(Persistent& obj, const std::function<void(Persistent&, const PropInfo&)>& fn)
{
    const ClassInfo& cls = obj.classInfo();
    for (int s = 0; s < cls.slotCount(); ++s) {
        const PropInfo* p = cls.propertyAtSlot(s);
        if (!p || p->type->kind != TypeKind::Class)
            continue;
        if (p->classRole() == ClassRole::Reference && obj.hasOwnValue(*p))
            fn(obj, *p);
        else if (Persistent* n = obj.nested(*p))
            forEachReference(*n, fn);
    }
}

} // namespace

void Component::clearReferencesTo(const Component& target)
{
    clearReferencesTo(std::vector<Component*>{const_cast<Component*>(&target)});
}

void Component::clearReferencesTo(const std::vector<Component*>& targets)
{
    std::unordered_set<std::string, NoCaseHash, NoCaseEqual> names;
    for (const Component* t : targets)
        if (!t->m_name.empty())
            names.insert(t->m_name);
    if (names.empty())
        return;
    Component& r = root();
    auto clear = [&](Persistent& obj, const PropInfo& p) {
        const Value& v = obj.storedValue(p);
        if (v.tag == ValueTag::Ident && names.count(v.text))
            obj.storeValue(p, Value::nil());
    };
    forEachReference(r, clear);
    r.forEachOwned([&](Component& c) { forEachReference(c, clear); });
}

void Component::renameReferences(const std::string& oldName, const std::string& newName)
{
    if (oldName.empty())
        return;
    Component& r = root();
    auto rename = [&](Persistent& obj, const PropInfo& p) {
        const Value& v = obj.storedValue(p);
        if (v.tag == ValueTag::Ident && platform::equalsNoCase(v.text, oldName))
            obj.storeValue(p, newName.empty() ? Value::nil() : Value::ident(newName));
    };
    forEachReference(r, rename);
    r.forEachOwned([&](Component& c) { forEachReference(c, rename); });
}

// ---------------------------------------------------------------------------------------------------
// Designer state and observers

void Component::setLocks(DesignLocks locks)
{
    if (m_owner) // the form itself never carries locks
        m_locks = locks & 31;
}

void Component::addObserver(ComponentObserver* observer)
{
    root().m_observers.push_back(observer);
}

void Component::removeObserver(ComponentObserver* observer)
{
    std::erase(root().m_observers, observer);
}

void Component::notifyPropertyChanged(std::string_view path)
{
    for (ComponentObserver* o : root().m_observers)
        o->propertyChanged(*this, path);
}

void Component::notifyControlsChanged()
{
    if (isLoading())
        return;
    for (ComponentObserver* o : root().m_observers)
        o->controlsChanged(*this);
}

void Component::notifyInserted()
{
    for (ComponentObserver* o : root().m_observers)
        o->componentInserted(*this);
}

} // namespace vcl

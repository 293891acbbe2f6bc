// Value storage of the component model's instances.
#include "vcl/persistent.h"

#include "vcl/component.h"

#include <algorithm>

namespace vcl {

namespace {

// Applies the nested initial values a class gives ("Font.Height" = -13) to the nested objects.
void applyNestedInitial(Persistent& obj, std::string_view path, const Value& v)
{
    const auto dot = path.find('.');
    const PropInfo* p = obj.classInfo().findProperty(path.substr(0, dot));
    if (!p)
        return;
    if (dot == std::string_view::npos) {
        obj.storeValue(*p, v);
        return;
    }
    if (Persistent* n = obj.nested(*p))
        applyNestedInitial(*n, path.substr(dot + 1), v);
}

} // namespace

Persistent::Persistent(const ClassInfo& cls, Persistent* container, const PropInfo* containerProperty)
    : m_class(&cls), m_container(container), m_containerProperty(containerProperty)
{
    for (int s = 0; s < cls.slotCount(); ++s) {
        const PropInfo* p = cls.propertyAtSlot(s);
        if (p && p->type->kind == TypeKind::Class && p->classRole() == ClassRole::Object)
            m_nested.push_back({s, std::make_unique<Persistent>(*p->type->classInfo, this, p)});
    }
    for (const auto& init : cls.nestedInitials())
        applyNestedInitial(*this, init.name, init.value);
}

Persistent::~Persistent() = default;

Component* Persistent::owningComponent()
{
    Persistent* p = this;
    while (p && !p->isComponent())
        p = p->m_container;
    return static_cast<Component*>(p);
}

const Component* Persistent::owningComponent() const
{
    return const_cast<Persistent*>(this)->owningComponent();
}

const Persistent::Slot* Persistent::findSlot(int slot) const
{
    const auto it = std::lower_bound(m_values.begin(), m_values.end(), slot,
                                     [](const Slot& s, int v) { return s.slot < v; });
    return it != m_values.end() && it->slot == slot ? &*it : nullptr;
}

const Value& Persistent::storedValue(const PropInfo& prop) const
{
    if (const Slot* s = findSlot(prop.root->slot))
        return s->value;
    return m_class->initialValue(prop);
}

void Persistent::storeValue(const PropInfo& prop, Value value)
{
    const int slot = prop.root->slot;
    const auto it = std::lower_bound(m_values.begin(), m_values.end(), slot,
                                     [](const Slot& s, int v) { return s.slot < v; });
    if (it != m_values.end() && it->slot == slot)
        it->value = std::move(value);
    else
        m_values.insert(it, Slot{slot, std::move(value)});
}

bool Persistent::hasOwnValue(const PropInfo& prop) const
{
    return findSlot(prop.root->slot) != nullptr;
}

void Persistent::clearOwnValue(const PropInfo& prop)
{
    const int slot = prop.root->slot;
    std::erase_if(m_values, [slot](const Slot& s) { return s.slot == slot; });
}

Persistent* Persistent::nested(const PropInfo& prop) const
{
    for (const auto& n : m_nested)
        if (n.slot == prop.root->slot)
            return n.object.get();
    return nullptr;
}

void Persistent::assignFrom(const Persistent& other)
{
    m_values = other.m_values;
    for (auto& n : m_nested)
        for (const auto& o : other.m_nested)
            if (o.slot == n.slot)
                n.object->assignFrom(*o.object);
    m_unknown = other.m_unknown;
}

bool Persistent::sameValuesAs(const Persistent& other) const
{
    if (m_class != other.m_class)
        return false;
    for (int s = 0; s < m_class->slotCount(); ++s) {
        const PropInfo* p = m_class->propertyAtSlot(s);
        if (!p)
            continue;
        if (Persistent* n = nested(*p)) {
            if (!n->sameValuesAs(*other.nested(*p)))
                return false;
        } else if (!(storedValue(*p) == other.storedValue(*p))) {
            return false;
        }
    }
    return m_unknown == other.m_unknown;
}

} // namespace vcl

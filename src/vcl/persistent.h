// An instance of a class of the component model: the values of its properties.
//
// Only values that were set are kept (a small vector sorted by storage slot); everything else reads as
// the class's initial value, so a component costs little more than what differs from a fresh one.
// Properties whose type is a persistent class (Font, Constraints ...) hold a nested object, created with
// the instance. Values that a stream carried and no property knows are kept as they came and written
// back unchanged.
#pragma once

#include "vcl/type_info.h"

#include <memory>
#include <string_view>
#include <vector>

namespace vcl {

class Component;

class Persistent {
public:
    // `container` is the object holding this one as the value of `containerProperty` (a component's
    // Font), nullptr for a component.
    Persistent(const ClassInfo& cls, Persistent* container = nullptr,
               const PropInfo* containerProperty = nullptr);
    virtual ~Persistent();
    Persistent(const Persistent&) = delete;
    Persistent& operator=(const Persistent&) = delete;

    const ClassInfo& classInfo() const { return *m_class; }
    Persistent* container() const { return m_container; }
    const PropInfo* containerProperty() const { return m_containerProperty; }
    // This object if it is a component, else the component it belongs to.
    Component* owningComponent();
    const Component* owningComponent() const;
    virtual bool isComponent() const { return false; }

    // The value this object keeps for a property, or the class's initial value: no rule applied.
    const Value& storedValue(const PropInfo& prop) const;
    void storeValue(const PropInfo& prop, Value value);
    bool hasOwnValue(const PropInfo& prop) const;
    void clearOwnValue(const PropInfo& prop);

    // The nested object of a property of role Object, nullptr for any other property.
    Persistent* nested(const PropInfo& prop) const;

    // Properties read from a stream that no metadata knows, in the order they came.
    std::vector<NamedValue>& unknownProperties() { return m_unknown; }
    const std::vector<NamedValue>& unknownProperties() const { return m_unknown; }

    // Copies every value and nested object from `other` (of the same class).
    void assignFrom(const Persistent& other);
    // True when every value equals the other's (nested objects included).
    bool sameValuesAs(const Persistent& other) const;

private:
    struct Slot {
        int slot;
        Value value;
    };
    struct Nested {
        int slot;
        std::unique_ptr<Persistent> object;
    };

    const Slot* findSlot(int slot) const;

    const ClassInfo* m_class;
    Persistent* m_container;
    const PropInfo* m_containerProperty;
    std::vector<Slot> m_values;
    std::vector<Nested> m_nested;
    std::vector<NamedValue> m_unknown;
};

} // namespace vcl

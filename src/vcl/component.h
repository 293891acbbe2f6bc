// The component tree of a form: components with their names, owners and parents, and property access
// with the rules the class library applies.
//
// Ownership: a component owns the components it created or adopted, in creation order (a form owns
// every component on it; a notebook owns its pages). Parenthood: a windowed control holds its child
// controls in stacking order, controls without a window of their own always below windowed ones; it
// also keeps the tab order of its windowed children. Destroying a component destroys what it owns and
// the controls inside it.
//
// Property access goes by path ("Caption", "Font.Name", "Constraints.MaxWidth"). Reading gives the
// effective value: a property that follows its parent (Font while ParentFont is true) reads the
// parent's. Writing validates the value against the property's type, applies the rules that tie
// properties together (setting Color clears ParentColor, Font.Size sets Font.Height, Checked sets State
// ...) and tells the form's observers. Errors are platform::Error with a message fit to show.
#pragma once

#include "vcl/persistent.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vcl {

// Lock flags the designer keeps per control, in memory only: never streamed, never copied.
enum DesignLock : std::uint8_t {
    NoMove = 1,
    NoResize = 2,
    NoDelete = 4,
    NoInsertIn = 8,
    NoCopy = 16,
};
using DesignLocks = std::uint8_t;

class Component;

// Told about every change to a form; register it on the root (the form).
class ComponentObserver {
public:
    virtual ~ComponentObserver() = default;
    virtual void propertyChanged(Component& /*component*/, std::string_view /*path*/) {}
    virtual void componentInserted(Component& /*component*/) {}
    virtual void componentRemoving(Component& /*component*/) {}
    virtual void componentRenamed(Component& /*component*/, const std::string& /*oldName*/) {}
    // Children, stacking order or tab order of `parent` changed.
    virtual void controlsChanged(Component& /*parent*/) {}
};

class Component : public Persistent {
public:
    // A new, unnamed and unowned instance with the class's initial values. Throws platform::Error for
    // an abstract class or one that is not a component.
    static std::unique_ptr<Component> create(const ClassInfo& cls);
    static std::unique_ptr<Component> create(std::string_view className);

    ~Component() override;
    bool isComponent() const override { return true; }

    // ---- names ----
    const std::string& name() const { return m_name; }
    // Renames: the name must be an identifier (or empty) and unique among the owner's components and
    // the root. A text that equals the old name (Caption of a new button) follows the new one.
    void setName(std::string_view name);
    // Sets the name without checks or rules (stream readers, which check on their own).
    void setNameRaw(std::string name);

    // ---- ownership ----
    Component* owner() const { return m_owner; }
    const std::vector<std::unique_ptr<Component>>& components() const { return m_components; }
    // The topmost owner (the form for everything on it).
    Component& root();
    const Component& root() const;
    // Takes ownership of `child` (appended to the creation order) and returns it.
    Component& adopt(std::unique_ptr<Component> child);
    // Gives up ownership of `child`, which must be owned by this component.
    std::unique_ptr<Component> release(Component& child);
    // Deletes a component of a form with the controls inside it and what they own, after telling the
    // observers and clearing the references to them. Not for the form itself.
    static void destroy(Component& component);
    static void destroy(const std::vector<Component*>& components);
    // The owned component with this name (case-insensitive), nullptr when there is none.
    Component* findComponent(std::string_view name) const;
    // Every component of the form below this one: owned components and, recursively, theirs.
    void forEachOwned(const std::function<void(Component&)>& fn);

    // ---- parents and controls ----
    bool isControl() const { return classInfo().isControl(); }
    bool isWinControl() const { return classInfo().isWinControl(); }
    Component* parent() const { return m_parent; }
    // Stacking order, bottom first.
    const std::vector<Component*>& controls() const { return m_controls; }
    // Windowed children in tab order.
    const std::vector<Component*>& tabOrder() const { return m_tabList; }
    // Puts this control into `parent` (a windowed control) on top of its siblings, or takes it out of
    // its parent with nullptr. Throws for a component that is no control or a parent that has no window.
    void setParent(Component* parent);
    bool isParentOf(const Component& other) const; // direct or indirect
    void bringToFront();
    void sendToBack();
    int tabIndex() const; // position in the parent's tab order, -1 without parent or window
    void setTabIndex(int index);
    // Orders the tab list by the TabOrder values a stream gave the children (after reading them).
    void applyPendingTabOrder();

    // ---- properties ----
    Value value(std::string_view path) const;
    void setValue(std::string_view path, const Value& value);
    // The nested object at a path ("Font", "Gutter.Font"), the parent's while the property follows it.
    const Persistent& object(std::string_view path) const;
    // Shorthands.
    std::int64_t integer(std::string_view path) const;
    bool boolean(std::string_view path) const;
    std::string text(std::string_view path) const; // strings, enumeration and reference names
    std::vector<std::string> strings(std::string_view path) const;
    void setInteger(std::string_view path, std::int64_t v);
    void setBoolean(std::string_view path, bool v);
    void setText(std::string_view path, std::string_view v);
    void setStrings(std::string_view path, const std::vector<std::string>& lines);

    // The nested object of a property of role Object, made this control's own first when it follows
    // the parent's (changing Font.Name of a control with ParentFont gives it its own font).
    Persistent& ownObject(const PropInfo& prop);
    // Value and assignment of one property of `obj`, an object of this component (itself or nested).
    Value propertyValue(const Persistent& obj, const PropInfo& prop) const;
    // The same without a copy when the value is kept as it is; a computed one lands in `scratch`.
    const Value& propertyValueRef(const Persistent& obj, const PropInfo& prop, Value& scratch) const;
    void setPropertyValue(Persistent& obj, const PropInfo& prop, const Value& value, std::string_view path);

    // The component a reference property names, resolved on the root's components.
    Component* referenced(std::string_view path) const;

    // ---- designer state ----
    DesignLocks locks() const { return m_owner ? m_locks : DesignLocks{0}; }
    void setLocks(DesignLocks locks);
    bool hasLock(DesignLock lock) const { return (locks() & lock) != 0; }

    // ---- observers and loading (kept on the root) ----
    void addObserver(ComponentObserver* observer);
    void removeObserver(ComponentObserver* observer);
    bool isLoading() const { return root().m_loading; }
    void setLoading(bool loading) { root().m_loading = loading; }
    void notifyPropertyChanged(std::string_view path);
    void notifyControlsChanged();
    void notifyInserted();

    // Removes every reference to `target` from the components of this form (before it goes away), and
    // renames references when it is renamed.
    void clearReferencesTo(const Component& target);
    void clearReferencesTo(const std::vector<Component*>& targets);
    void renameReferences(const std::string& oldName, const std::string& newName);

    // Set by stream readers: the TabOrder value read, applied by the parent's applyPendingTabOrder().
    int m_pendingTabOrder = -1;

private:
    explicit Component(const ClassInfo& cls) : Persistent(cls) {}
    void detachFromParent();
    void indexName(Component& child);
    void unindexName(Component& child, const std::string& name);

    std::string m_name;
    Component* m_owner = nullptr;
    std::vector<std::unique_ptr<Component>> m_components;
    NoCaseMap<Component*> m_nameIndex; // the first owned component of each name
    Component* m_parent = nullptr;
    std::vector<Component*> m_controls;
    std::vector<Component*> m_tabList;
    DesignLocks m_locks = 0;
    std::vector<ComponentObserver*> m_observers;
    bool m_loading = false;
};

// A path resolved to the object that holds the property.
struct PropertyTarget {
    Persistent* object = nullptr;
    const PropInfo* prop = nullptr;
};
// Resolves a dotted path on `obj` through nested objects; throws platform::Error for an unknown name.
PropertyTarget resolvePath(Persistent& obj, std::string_view path);

// True when `name` is an identifier: a letter or '_', then letters, digits or '_'.
bool isValidIdentifier(std::string_view name);

} // namespace vcl

// Insertion and deletion on a design form.
#include "vcl/form_editing.h"

#include "platform/errors.h"
#include "vcl/class_registry.h"
#include "vcl/naming.h"

#include <algorithm>
#include <unordered_set>

namespace vcl {

Component& insertionParent(Component& form, Component* target)
{
    Component* c = target ? target : &form;
    while (c != &form) {
        if (c->classInfo().inheritsFrom("TNotebook")) {
            std::vector<Component*> pages;
            for (Component* child : c->controls())
                if (child->classInfo().inheritsFrom("TPage"))
                    pages.push_back(child);
            const auto i = c->integer("PageIndex");
            if (!c->hasLock(NoInsertIn) && i >= 0 && i < static_cast<std::int64_t>(pages.size()) &&
                !pages[static_cast<std::size_t>(i)]->hasLock(NoInsertIn))
                return *pages[static_cast<std::size_t>(i)];
        } else if (c->classInfo().acceptsControls && !c->hasLock(NoInsertIn)) {
            return *c;
        }
        c = c->parent() ? c->parent() : &form;
    }
    return form;
}

Component& insertComponent(Component& form, const ClassInfo& cls, Component* target, int left, int top)
{
    if (!cls.streamable || cls.abstract || cls.ownedByParent || cls.inheritsFrom("TCustomForm"))
        throw platform::Error("Class " + cls.name + " cannot be put on a form");
    // Set up before it joins the form, so that observers hear of it once, as inserted.
    std::unique_ptr<Component> created = Component::create(cls);
    created->setName(uniqueComponentName(form, cls));
    if (!cls.nameProperty.empty()) {
        const PropInfo* p = cls.findProperty(cls.nameProperty);
        if (p && p->type->kind == TypeKind::Class)
            created->setStrings(p->name, {created->name()});
        else if (p)
            created->setText(p->name, created->name());
    }
    if (cls.inheritsFrom("TNotebook"))
        created->setStrings("Pages", {"Default"});
    if (created->isControl()) {
        created->setInteger("Left", left);
        created->setInteger("Top", top);
    }
    Component& parent = insertionParent(form, target);
    Component& c = form.adopt(std::move(created));
    if (c.isControl())
        c.setParent(&parent);
    c.notifyInserted();
    return c;
}

int deleteComponents(Component& form, const std::vector<Component*>& selection)
{
    std::unordered_set<const Component*> eligible;
    for (Component* c : selection)
        if (c && c != &form && c->owner() && !c->hasLock(NoDelete))
            eligible.insert(c);
    // Components inside another deleted one go with it and are not counted on their own.
    std::vector<Component*> doomed;
    std::unordered_set<const Component*> done;
    for (Component* c : selection) {
        if (!eligible.count(c) || !done.insert(c).second)
            continue;
        bool inside = false;
        for (const Component* p = c->parent(); p && !inside; p = p->parent())
            inside = eligible.count(p) != 0;
        if (!inside)
            doomed.push_back(c);
    }
    Component::destroy(doomed);
    return static_cast<int>(doomed.size());
}

} // namespace vcl

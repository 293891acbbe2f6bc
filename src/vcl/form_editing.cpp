// Insertion and deletion on a design form.
#include "vcl/form_editing.h"

#include "platform/errors.h"
#include "vcl/class_registry.h"
#include "vcl/naming.h"

#include <algorithm>

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
    if (!cls.streamable || cls.abstract || cls.ownedByParent)
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
    // Components inside another selected one go with it; check that they are still there first.
    std::vector<Component*> doomed;
    for (Component* c : selection) {
        if (!c || c == &form || c->hasLock(NoDelete))
            continue;
        bool inside = false;
        for (Component* other : selection)
            if (other && other != c && other != &form && !other->hasLock(NoDelete) && other->isParentOf(*c))
                inside = true;
        if (!inside && std::find(doomed.begin(), doomed.end(), c) == doomed.end())
            doomed.push_back(c);
    }
    for (Component* c : doomed)
        Component::destroy(*c);
    return static_cast<int>(doomed.size());
}

} // namespace vcl

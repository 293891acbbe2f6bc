// Selection streams for copy and paste.
#include "vcl/selection_stream.h"

#include "platform/errors.h"
#include "platform/text_encoding.h"
#include "vcl/form_editing.h"
#include "vcl/form_file.h"
#include "vcl/form_stream.h"
#include "vcl/text_form.h"

#include <algorithm>
#include <functional>
#include <unordered_set>

namespace vcl {

namespace {

std::vector<const Component*> topLevel(const std::vector<const Component*>& selection)
{
    std::unordered_set<const Component*> copied;
    for (const Component* c : selection)
        if (c && c->owner() && !c->hasLock(NoCopy))
            copied.insert(c);
    std::vector<const Component*> out;
    std::unordered_set<const Component*> done;
    for (const Component* c : selection) {
        if (!copied.count(c) || !done.insert(c).second)
            continue;
        bool inside = false; // a control inside another copied one goes with it
        for (const Component* p = c->parent(); p && !inside; p = p->parent())
            inside = copied.count(p) != 0;
        if (!inside)
            out.push_back(c);
    }
    return out;
}

void renameReferences(Persistent& obj, const std::vector<std::pair<std::string, std::string>>& renamed)
{
    const ClassInfo& cls = obj.classInfo();
    for (int s = 0; s < cls.slotCount(); ++s) {
        const PropInfo* p = cls.propertyAtSlot(s);
        if (!p || p->type->kind != TypeKind::Class)
            continue;
        if (p->classRole() == ClassRole::Reference && obj.hasOwnValue(*p)) {
            const Value& v = obj.storedValue(*p);
            for (const auto& [from, to] : renamed)
                if (v.tag == ValueTag::Ident && platform::equalsNoCase(v.text, from)) {
                    obj.storeValue(*p, Value::ident(to));
                    break;
                }
        } else if (Persistent* n = obj.nested(*p)) {
            renameReferences(*n, renamed);
        }
    }
}

} // namespace

std::string copyComponents(const std::vector<const Component*>& selection)
{
    std::string out;
    TypedValueWriter w(out);
    w.setWideForNonAscii(true);
    for (const Component* c : topLevel(selection)) {
        w.writeSignature();
        writeComponentRecord(*c, w, false);
    }
    return out;
}

std::string copyComponentsAsText(const std::vector<const Component*>& selection)
{
    const std::string binary = copyComponents(selection);
    return binary.empty() ? std::string() : componentStreamToText(binary, "\r\n");
}

std::vector<Component*> pasteComponents(Component& form, Component* parent, std::string_view data)
{
    std::string converted;
    if (detectFormFileFormat(data) == FormFileFormat::Text) {
        converted = textToComponentStream(data);
        data = converted;
    } else if (detectFormFileFormat(data) != FormFileFormat::Stream) {
        throw platform::Error("The clipboard holds no components");
    }
    Component& target = parent ? insertionParent(form, parent) : form;
    std::unordered_set<const Component*> before{&form};
    for (const auto& owned : form.components())
        before.insert(owned.get());
    RecordReadContext context;
    context.renameCollisions = true;
    std::vector<Component*> pasted;
    TypedValueReader in(data);
    try {
        while (!in.atEnd()) {
            in.readSignature();
            pasted.push_back(&readComponentRecord(in, form, &target, 1, &context));
        }
    } catch (...) {
        // Leave the form as it was: delete what this paste created, outermost first.
        const auto isNew = [&](const Component* c) { return c && !before.count(c); };
        for (;;) {
            Component* victim = nullptr;
            for (const auto& owned : form.components())
                if (isNew(owned.get()) && !isNew(owned->parent())) {
                    victim = owned.get();
                    break;
                }
            if (!victim)
                break;
            Component::destroy(*victim);
        }
        throw;
    }
    for (Component* c : context.created)
        renameReferences(*c, context.renamed);
    for (Component* c : pasted)
        c->notifyInserted();
    return pasted;
}

} // namespace vcl

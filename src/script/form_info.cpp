// Form descriptions from the interface model.
#include "script/form_info.h"

#include "platform/text_encoding.h"
#include "script/decl_line.h"

namespace script {

std::vector<std::string> scriptEventProperties(const InterfaceModel& model, std::string_view className)
{
    std::vector<std::string> events;
    std::vector<std::string> seen;
    const ClassEntry* c = model.findClass(className);
    for (std::size_t steps = 0; c && steps <= model.classes().size(); ++steps) {
        for (const auto& p : c->properties) {
            bool hidden = false;
            for (const auto& s : seen)
                hidden = hidden || platform::equalsNoCase(s, p.name);
            if (hidden)
                continue;
            seen.push_back(p.name);
            const TypeEntry* t = model.findType(p.typeName());
            if (t && !p.indexed() && parseSignature(t->text))
                events.push_back(p.name);
        }
        c = c->parent.empty() ? nullptr : model.findClass(c->parent);
    }
    sortInspectorOrder(events);
    return events;
}

ClassTest scriptClassTest(const InterfaceModel& model, std::string className)
{
    return [&model, className = std::move(className)](std::string_view ancestor) {
        return model.isA(className, ancestor);
    };
}

DesignFormInfo describeForm(const std::string& formName, const std::vector<FormComponentRef>& components,
                            const InterfaceModel& model)
{
    DesignFormInfo info;
    info.form = {formName, "TForm", scriptClassTest(model, "TForm"), scriptEventProperties(model, "TForm")};
    for (const auto& c : components)
        info.components.push_back({c.name, c.className, scriptClassTest(model, c.className),
                                   scriptEventProperties(model, c.className)});
    return info;
}

FormObject describeObject(const vcl::Component& component)
{
    const vcl::ClassInfo* cls = &component.classInfo();
    FormObject object;
    object.name = component.name();
    object.className = cls->name;
    object.is = [cls](std::string_view ancestor) { return cls->inheritsFrom(ancestor); };
    for (const vcl::PropInfo* e : cls->events())
        object.eventProperties.push_back(e->name);
    sortInspectorOrder(object.eventProperties);
    return object;
}

DesignFormInfo describeForm(const vcl::Component& form)
{
    DesignFormInfo info;
    info.form = describeObject(form);
    for (const auto& c : form.components())
        info.components.push_back(describeObject(*c));
    return info;
}

} // namespace script

// The events a form's components publish against what scripts can bind: an event that the events page
// shows and whose type has a handler template must be a property of the same type on the script class,
// or its binding statement would not compile.
#include "platform/text_encoding.h"
#include "script/decl_line.h"
#include "script/declaration_sequence.h"
#include "script/interface_model.h"
#include "script/property_filters.h"
#include "vcl/class_registry.h"

#include <gtest/gtest.h>

using namespace script;

TEST(ComponentEvents, EveryShownEventOfAFormClassIsBindable)
{
    const auto& model = InterfaceModel::system();
    for (const vcl::ClassInfo* cls : vcl::classes().streamingClasses()) {
        if (!model.findClass(cls->name))
            continue; // a class scripts do not know: a form holding it does not compile at all
        const ClassTest is = [cls](std::string_view name) { return cls->inheritsFrom(name); };
        for (const vcl::PropInfo* e : cls->events()) {
            const TypeEntry* scriptType = model.findType(e->type->name);
            if (!eventsPageShows(is, e->name) || !scriptType || !parseSignature(scriptType->text))
                continue;
            const PropertyEntry* p = model.findProperty(cls->name, e->name);
            EXPECT_NE(p, nullptr) << cls->name << "." << e->name << " is not bindable";
            if (p) {
                EXPECT_TRUE(platform::equalsNoCase(p->typeName(), e->type->name))
                    << cls->name << "." << e->name << ": " << p->typeName() << " in scripts, "
                    << e->type->name << " published";
            }
        }
    }
}

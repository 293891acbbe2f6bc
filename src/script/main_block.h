// The main block that the compile appends to the preprocessed script: it binds every event that has a
// handler and passes the events filter, calls the form's OnCreate handler once, shows the form modally
// and frees it. The composed script text (preprocessed script + main block) is what projects store and
// the runtime compiles again.
//
//   <CR LF>begin  Button1.OnClick:=@Button1OnClick; Form1OnCreate(self); Form1.showmodal; Form1.Free; <CR
//   LF>end.
#pragma once

#include "script/event_handlers.h"
#include "script/property_filters.h"

#include <functional>
#include <string>
#include <vector>

namespace script {

// One object the binding visits: the design form first, then each component it owns, in component
// order.
struct BindingObject {
    std::string name;
    ClassTest is;                             // the object's class tests
    std::vector<std::string> eventProperties; // every event property, in inspector order
};

struct MainBlockInput {
    // Empty: no design form (a script compiled on its own); the block then only begins and ends.
    std::vector<BindingObject> objects;
    std::vector<std::string> scriptLines; // the editor's lines, where handlers are searched
    const EventLists* lists = nullptr;
    // Told the name of each object for which a handler was found ("Processing %s").
    std::function<void(const std::string& objectName)> processing;
};

std::string generateMainBlock(const MainBlockInput& input);

// The binding statement of one event: "Button1.OnClick:=@Button1OnClick;".
std::string bindingStatement(std::string_view objectName, std::string_view eventProperty);

} // namespace script

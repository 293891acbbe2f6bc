// Describing a design form to the compile from its component names and class names, with the event
// properties and class tests that scripts see for each class. The studio's compile takes the event
// properties from the component model's published properties; this description serves where only names
// and classes are known (a form read by a tool, tests) and gives the same bindings, because an event
// scripts cannot see has no handler template and is never bound.
#pragma once

#include "script/composed_script.h"
#include "script/interface_model.h"

#include <string>
#include <vector>

namespace script {

struct FormComponentRef {
    std::string name;
    std::string className;
};

// The event properties of a class and its ancestors (a nearer declaration hides a farther one), in
// inspector order.
std::vector<std::string> scriptEventProperties(const InterfaceModel& model, std::string_view className);

// A class test answering from the model's class hierarchy (a class scripts do not know is nothing). The
// model must outlive the test.
ClassTest scriptClassTest(const InterfaceModel& model, std::string className);

DesignFormInfo describeForm(const std::string& formName, const std::vector<FormComponentRef>& components,
                            const InterfaceModel& model = InterfaceModel::system());

} // namespace script

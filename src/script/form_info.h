// Describing a design form to the compile: its name, the components it owns in component order, each
// with its class name, its class tests and its event properties in inspector order.
//
// The studio describes its form from the component model (the events each class publishes, as the
// hidden binding inspector lists them). A description from names and class names alone takes the
// events scripts see on each class; it serves tests and forms of classes the component model lacks.
#pragma once

#include "script/composed_script.h"
#include "script/interface_model.h"
#include "vcl/component.h"

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

// From the component model: the form and each component it owns.
DesignFormInfo describeForm(const vcl::Component& form);
// One object, with the event properties its class publishes.
FormObject describeObject(const vcl::Component& component);

} // namespace script

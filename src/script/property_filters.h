// Which properties and events the inspectors show, per component class and property name. The events
// page and the compile-time binding use the same rules, so an event the user cannot see is never
// bound. Class tests are "is" tests (a descendant counts as the class); names compare without regard
// to case. The inspectors list a component's properties in alphabetical order of their names, without
// regard to case, and the binding statements follow that order.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace script {

// Answers whether the component is of the named class or descends from it.
using ClassTest = std::function<bool(std::string_view className)>;

bool eventsPageShows(const ClassTest& is, std::string_view eventProperty);
bool propertiesPageShows(const ClassTest& is, std::string_view property);

// Sorts property names into the inspectors' order.
void sortInspectorOrder(std::vector<std::string>& names);

} // namespace script

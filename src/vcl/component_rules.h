// The behaviour of particular classes that ties properties together: values computed from others
// (TabOrder, ClientWidth, Font.Size, a notebook's Pages), side effects of an assignment (Checked sets
// State, a checked radio button clears its siblings), and the named stored rules of the class tables.
// Used by Component; not part of the public interface.
#pragma once

#include "vcl/component.h"

#include <string>

namespace vcl::rules {

// A property whose value is computed rather than kept; false to read the kept value.
bool derivedValue(const Component& c, const Persistent& obj, const PropInfo& prop, Value& out);

// Handles the assignment of a computed property (true), or leaves it to be kept (false).
bool assignDerived(Component& c, Persistent& obj, const PropInfo& prop, const Value& v);

// Runs after `prop` of `obj` took a new value.
void afterAssign(Component& c, Persistent& obj, const PropInfo& prop, const Value& previous);

// A stored rule named in the class tables ("IsFormSizeStored").
bool storedByRule(const Persistent& obj, const std::string& rule);

// Frame of a form (border and caption) for ClientWidth/ClientHeight, in pixels.
void formFrame(const Component& form, int& width, int& height);

} // namespace vcl::rules

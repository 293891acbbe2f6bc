// Changes the designer makes to a form: inserting a new component where the user clicked and deleting
// a selection, with the naming rule and the lock flags.
#pragma once

#include "vcl/component.h"

#include <vector>

namespace vcl {

// The control that takes a control inserted into `target`: a notebook gives its active page, a control
// that cannot hold controls (or carries NoInsertIn) gives the nearest container above it that can, up
// to the form.
Component& insertionParent(Component& form, Component* target);

// Creates a component of `cls` on `form`, named with the class name less "T" and the smallest free
// number; a control goes into insertionParent(form, target) at (left, top). A text that shows the name
// (Caption, Text, Lines) starts with it, and a notebook starts with one page "Default". Observers are
// told. Throws platform::Error for a class that cannot be inserted.
Component& insertComponent(Component& form, const ClassInfo& cls, Component* target, int left, int top);

// Deletes the components of `selection` (with the controls inside them), except the form itself and
// those that carry NoDelete; returns how many were deleted.
int deleteComponents(Component& form, const std::vector<Component*>& selection);

} // namespace vcl

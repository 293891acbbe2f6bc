// Copy and paste of components: a selection written as component streams, and streams read into a
// form with fresh names where names collide. The designer's clipboard carries these bytes (or their
// text notation); lock flags are never part of them.
#pragma once

#include "vcl/component.h"

#include <string>
#include <string_view>
#include <vector>

namespace vcl {

// The selected components as one stream each (signature and record, controls inside them included),
// one after the other. The form itself, components inside another selected one and those that carry
// NoCopy are left out.
std::string copyComponents(const std::vector<const Component*>& selection);
// The same in the text notation (CR LF line ends), as text editors and other studios exchange it.
std::string copyComponentsAsText(const std::vector<const Component*>& selection);

// Reads copied components (binary streams or their text notation) into `form`: controls go into
// `parent` (the form when nullptr; not a notebook page's owner), names already used on the form become
// the class name and the next free number, and references between the pasted components follow their
// new names. Returns the pasted top-level components. Nothing is changed when the data is malformed.
std::vector<Component*> pasteComponents(Component& form, Component* parent, std::string_view data);

} // namespace vcl

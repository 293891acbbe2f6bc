// Names of components on a form: the name a newly inserted component gets, and the check of a name
// the user types.
#pragma once

#include "vcl/component.h"

#include <string>
#include <string_view>

namespace vcl {

// The class name less its leading "T" ("TLabel" gives "Label").
std::string nameBase(const ClassInfo& cls);

// The base followed by the smallest positive number that no component of `root` (nor the root itself)
// uses, compared without regard to case: "Label1", "Label2" ...
std::string uniqueComponentName(const Component& root, std::string_view base);
// The same, searching from number `from` on (names are only added meanwhile, as while pasting), and
// leaving in `from` the number used.
std::string uniqueComponentName(const Component& root, std::string_view base, std::size_t& from);
inline std::string uniqueComponentName(const Component& root, const ClassInfo& cls)
{
    return uniqueComponentName(root, nameBase(cls));
}

// Why `name` cannot be the name of `component` (which may still be unowned, to be put on `root`), or an
// empty text when it can: "'1abc' is not a valid component name", "A component named Label1 already
// exists".
std::string nameError(const Component& root, const Component* component, std::string_view name);

} // namespace vcl

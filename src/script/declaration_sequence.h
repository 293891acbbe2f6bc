// The order in which the declarations of unit SYSTEM reach the compiler. Order matters: a declaration
// may refer only to types declared before it, a type declared again replaces the earlier one for what
// follows, and a property whose type is not yet declared is dropped.
//
//   1. the extended constants NaN, Infinity and NegInfinity;
//   2. the standard units: date and time, basic classes, classes, graphics, controls, standard
//      controls, forms, menus;
//   3. the studio's TPicture;
//   4. extended controls and buttons;
//   5. the studio's component class imports, and the events three of the components publish beyond
//      their imports;
//   6. the support library, with its class imports and the system utilities at their fixed places.
//
// The imported class variables (Self, Application, InternalPlayList, the form and its components)
// come last and depend on the form being compiled; the compiler host adds them.
#pragma once

#include "script/decl.h"

namespace script {

std::span<const Decl> extendedConstants();

// Every group of the sequence above, in order.
std::span<const DeclGroup> systemDeclarations();

} // namespace script

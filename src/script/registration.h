// Handing the declaration tables to the compiler: one straight sequence through the engine's
// registration API, without conditions. What the compiler refuses inside a class (a property of an
// unknown type, a method line it cannot read) is left out silently, as the class imports expect; a
// routine, type or constant it refuses is a defect of the tables and raises its RegistrationError.
#pragma once

#include "pascal/registration.h"
#include "script/decl.h"

#include <string>
#include <vector>

namespace script {

// Registers the rows of one table in order.
void registerDecls(pascal::Registrar& registrar, std::span<const Decl> rows);

// Items 1 to 6 of unit SYSTEM: the extended constants, the standard units, the studio's imports and
// the support library.
void registerSystemDeclarations(pascal::Registrar& registrar);

// A global variable of a class type that the runtime binds by its upper-case name.
struct ImportedVariable {
    std::string name;
    std::string className;
};

// Item 7: Self, Application and InternalPlayList, then the form and each component it owns. A
// component whose class scripts do not know raises "Invalid type for variable " + its name.
void registerImportedVariables(pascal::Registrar& registrar,
                               const std::vector<ImportedVariable>& formVariables);

} // namespace script

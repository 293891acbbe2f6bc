// The console as a script host: Writeln, Readln and ExitProcess bound to standard streams, with the
// same declaration lines the support library uses. Used by `lmbtool run` and the engine's tests.
#pragma once

#include "pascal/bindings.h"
#include "pascal/registration.h"

#include <iosfwd>

namespace pascal {

void declareConsole(Registrar& r);
// Writeln writes its text and a line break to out; Readln writes its prompt to out and reads a line
// from in; ExitProcess ends the program with Halt.
void bindConsole(Bindings& b, std::ostream& out, std::istream& in);

} // namespace pascal

// What the interpreter keeps about the libraries of external routines.
#pragma once

#include "pascal/interpreter.h"

#include <map>
#include <string>
#include <vector>

namespace pascal {

struct Interpreter::ExternalState {
    std::map<std::string, void*> libraries;
    std::vector<void*> symbols; // per external routine, resolved lazily
};

} // namespace pascal

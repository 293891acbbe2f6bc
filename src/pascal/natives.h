// The routines of the engine's own SYSTEM that are ordinary functions (strings, numbers, variants).
// Each is declared from its declaration line at the start of a compile, and its implementation is
// found by name when a program is loaded. A host that declares a routine of the same name replaces
// the declaration; when the host then binds no implementation, the engine's one is used.
#pragma once

#include "pascal/value.h"

#include <string_view>
#include <vector>

namespace pascal {

class Interpreter;

using NativeFn = void (*)(Interpreter& vm, Value* args, Value& result);

struct NativeDef {
    const char* declaration; // "function IntToStr(Value: Int64): String"
    const char* name;        // upper case
    NativeFn fn;
    bool system; // declared in SYSTEM; otherwise only a fallback for host declarations
};

const std::vector<NativeDef>& nativeTable();
// Index into nativeTable(), or -1.
int findNative(std::string_view upperName);

} // namespace pascal

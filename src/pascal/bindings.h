// The host's side of a program: implementations of the routines, methods and properties that the
// host declared, found by the names the declarations use.
//
//   pascal::Bindings b;
//   b.bindRoutine("Writeln", [](pascal::HostCall& c) { std::puts(c.arg(0).asString().c_str()); });
//   b.bindMethod("TStrings", "Add", [](pascal::HostCall& c) { ... c.result = Value::integer(i); });
//   b.bindProperty("TControl", "Caption", getter, setter);
//
// Members are bound on the class that declared them: a property registered on TControl is one binding
// for every descendant. Names compare without regard to case.
#pragma once

#include "pascal/value.h"

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace pascal {

class Interpreter;

struct HostCall {
    Interpreter& vm;
    Value* self = nullptr;  // methods and properties: the object (never nil here)
    Value** args = nullptr; // arguments; a var parameter points at the script's variable
    int argc = 0;
    Value& result;              // functions, property getters, constructors
    std::string_view className; // constructors: the class the script named (TStringList.Create)

    const Value& arg(int i) const { return *args[i]; }
    Value& var(int i) { return *args[i]; }
    HostObject* object() const { return self ? self->asObject() : nullptr; }
};

using HostFn = std::function<void(HostCall&)>;

class Bindings {
public:
    void bindRoutine(std::string_view name, HostFn fn);
    // Methods and constructors ("Create") of a class.
    void bindMethod(std::string_view className, std::string_view method, HostFn fn);
    // A getter gets the index arguments; a setter gets them followed by the new value. Either may be
    // empty for write-only or read-only properties.
    void bindProperty(std::string_view className, std::string_view property, HostFn getter, HostFn setter);

    // Lookup by the keys the interpreter uses: "NAME", "CLASS.NAME", "CLASS.NAME:GET", "CLASS.NAME:SET".
    const HostFn* find(const std::string& key) const;

private:
    std::unordered_map<std::string, HostFn> m_fns;
};

} // namespace pascal

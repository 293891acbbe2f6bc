// The interpreter: runs a compiled Program with the host's Bindings.
//
//   pascal::Interpreter vm(result.program, bindings);
//   vm.setVariable("BUTTON1", pascal::Value::object(button));
//   vm.run();                                  // the main block
//   vm.call(storedOnClick, {pascal::Value::object(button)}); // an event handler, later
//
// Run-time errors end the run with a RuntimeError that carries the message and the source position of
// the statement that failed; ExitProcess-style ends come as Halt. Host routines, methods and
// properties are bound once when the interpreter is made; a declared one without an implementation
// fails with "Not implemented: Name" when it is called.
#pragma once

#include "pascal/bindings.h"
#include "pascal/program.h"
#include "pascal/runtime_error.h"

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace pascal {

class Interpreter {
public:
    Interpreter(std::shared_ptr<const Program> program, const Bindings& bindings);
    ~Interpreter();
    Interpreter(const Interpreter&) = delete;
    Interpreter& operator=(const Interpreter&) = delete;

    const Program& program() const { return *m_program; }

    // An exported variable by its upper-case name (SELF, APPLICATION, BUTTON1 ...); false when the
    // program exports no such variable or the value does not fit its type.
    bool setVariable(std::string_view upperName, const Value& value);
    // Any global variable of the script by name (case-insensitive); nullptr when there is none.
    const Value* variable(std::string_view name) const;

    // Runs the main block. Throws RuntimeError or Halt.
    void run();

    // Calls a procedural value the script stored (an event handler), or a script routine by name.
    // Arguments are converted to the parameter types. With a modifiable vector, what the routine
    // assigned to its var parameters is written back into it (an OnKeyPress handler's Key).
    Value call(const Value& proc, const std::vector<Value>& args);
    Value call(const Value& proc, std::vector<Value>& args);
    Value callRoutine(std::string_view name, const std::vector<Value>& args);
    Value callRoutine(std::string_view name, std::vector<Value>& args);

    // Stops a run that goes past this many loop iterations and calls ("Execution limit exceeded").
    void setInstructionLimit(std::uint64_t budget) { m_budget = budget ? budget : UINT64_MAX; }

    // For the engine's own routines.
    std::string exceptionMessage() const;
    std::mt19937_64& random() { return m_random; }

private:
    struct Frame {
        const RoutineCode* rc;
        Value* base;
        const Instr* ret; // where the caller goes on
        Value* savedTop;  // m_top before the frame was entered
    };
    struct Handler {
        std::size_t frame; // index into m_frames
        const Instr* target;
        std::size_t excDepth;
    };
    struct ExternalState;

    void bind(const Bindings& bindings);
    void buildDefaults();
    Value makeDefault(int type, int depth);
    Value* enter(std::uint32_t routine, Value* base, const Instr* ret);
    void leaveFrame();
    void execute(std::size_t baseDepth);
    bool dispatchException(RuntimeError& e, std::size_t baseDepth, const Instr*& pc, Value*& R);
    void attachPosition(RuntimeError& e, const Instr* pc) const;
    Value invoke(std::uint32_t routine, const std::vector<Value>& args, std::vector<Value>* varsOut);
    void callHost(std::uint32_t import, Value* base, int argc, Value* self, std::string_view cls);
    void callExternal(std::uint32_t index, Value* base, int argc);
    bool isFreeMethod(std::uint32_t import) const;
    void coerce(Value& v, std::int32_t type, const std::string& what) const;
    int classOf(const HostObject* o);
    bool isA(const HostObject* o, int cls);

    std::shared_ptr<const Program> m_program;
    const Instr* m_code = nullptr;
    std::vector<Value> m_globals;
    std::vector<Value> m_defaults;   // per run-time type
    std::vector<HostFn> m_imports;   // per import (empty: not implemented)
    std::vector<int> m_importNative; // native fallback per import, -1 none
    std::vector<void (*)(Interpreter&, Value*, Value&)> m_nativeFns;
    std::unique_ptr<Value[]> m_stack;
    Value* m_stackEnd = nullptr;
    Value* m_top = nullptr; // first free slot above the running frames
    std::vector<Frame> m_frames;
    std::vector<Handler> m_handlers;
    std::vector<RuntimeError> m_exceptions; // being handled (except and finally blocks)
    std::string m_lastException;
    std::uint64_t m_budget = UINT64_MAX;
    std::mt19937_64 m_random;
    std::unordered_map<std::string, int> m_classByName;
    std::unique_ptr<ExternalState> m_external;
};

} // namespace pascal

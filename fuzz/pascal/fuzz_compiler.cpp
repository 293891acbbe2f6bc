// Fuzz target of the script engine: the input is a script (its first byte picks whether it goes
// through the preprocessor, with an include file that includes itself). Whatever compiles is written
// out, read back, and run with a small budget of loop iterations and calls.
#include "pascal/compiler.h"
#include "pascal/console_host.h"
#include "pascal/interpreter.h"
#include "pascal/program.h"

#include <cstddef>
#include <cstdint>
#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    bool preprocessed = data[0] & 1;
    std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    pascal::Compiler compiler;
    compiler.addDeclarations(pascal::declareConsole);
    pascal::CompileResult r;
    if (preprocessed) {
        auto include = [](const std::string&, const std::string& name, pascal::IncludeFile& out) {
            out.text = "{$I " + name + "}\nprocedure Included; begin end;\n";
            return name.size() < 8;
        };
        r = compiler.compileSource(text, "", include);
    } else {
        r = compiler.compile(text);
    }
    for (const auto& m : r.messages)
        (void)m.longForm();
    if (!r.success)
        return 0;
    std::shared_ptr<pascal::Program> back = pascal::deserializeProgram(r.output());
    (void)r.debugOutput();
    std::ostringstream out;
    std::istringstream in("line\n");
    pascal::Bindings b;
    pascal::bindConsole(b, out, in);
    try {
        pascal::Interpreter vm(back, b);
        vm.setInstructionLimit(20000);
        vm.run();
    } catch (const pascal::RuntimeError&) {
    } catch (const pascal::Halt&) {
    }
    return 0;
}

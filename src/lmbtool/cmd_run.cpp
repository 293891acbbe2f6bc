// lmbtool run FILE: compiles a console script against the engine's SYSTEM and the console routines
// (Writeln, Readln, ExitProcess) and runs it. Compiler messages go to standard error in their long
// form; a run-time error prints "Runtime error at (row:col): text" there and ends with 30, as the
// player does; otherwise the exit code is the script's ExitProcess code or 0.
#include "lmbtool/command.h"
#include "lmbtool/script_files.h"
#include "pascal/compiler.h"
#include "pascal/console_host.h"
#include "pascal/interpreter.h"

#include <cstdio>
#include <iostream>

namespace {

int runCommand(const std::vector<std::string>& args)
{
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: lmbtool run FILE\n");
        return lmbtool::kUsageError;
    }
    std::string text;
    if (!lmbtool::readScriptFile(args[0], text)) {
        std::fprintf(stderr, "lmbtool: cannot read '%s'\n", args[0].c_str());
        return 1;
    }
    pascal::Compiler compiler;
    compiler.addDeclarations(pascal::declareConsole);
    pascal::CompileResult result = compiler.compileSource(text, args[0], lmbtool::includeFromFolder());
    for (const auto& m : result.messages)
        std::fprintf(stderr, "%s\n", m.longForm().c_str());
    if (!result.success)
        return 1;
    pascal::Bindings bindings;
    pascal::bindConsole(bindings, std::cout, std::cin);
    try {
        pascal::Interpreter vm(result.program, bindings);
        vm.run();
    } catch (const pascal::Halt& h) {
        std::cout.flush();
        return h.code();
    } catch (const pascal::RuntimeError& e) {
        std::cout.flush();
        std::fprintf(stderr, "%s\n", e.longForm().c_str());
        return 30;
    }
    std::cout.flush();
    return 0;
}

} // namespace

LMBTOOL_COMMAND("run", "FILE  compile a console script and run it (Writeln, Readln, ExitProcess)",
                runCommand);

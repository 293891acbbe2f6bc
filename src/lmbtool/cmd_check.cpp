// lmbtool check FILE: compiles a script and prints the compiler's messages in their long form, one a
// line ("[Error] (12:5): Unknown identifier 'Foo'"). Ends with 0 when the compile succeeds, 1 when
// it fails. The declarations a script is checked against are made in declareForCheck.
#include "lmbtool/command.h"
#include "lmbtool/script_files.h"
#include "pascal/compiler.h"
#include "pascal/console_host.h"

#include <cstdio>

namespace {

// The script world of `check`: the engine's own SYSTEM, plus the console routines so that scripts
// written for `lmbtool run` check as well.
void declareForCheck(pascal::Compiler& compiler)
{
    compiler.addDeclarations(pascal::declareConsole);
}

int checkCommand(const std::vector<std::string>& args)
{
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: lmbtool check FILE\n");
        return lmbtool::kUsageError;
    }
    std::string text;
    if (!lmbtool::readScriptFile(args[0], text)) {
        std::fprintf(stderr, "lmbtool: cannot read '%s'\n", args[0].c_str());
        return 1;
    }
    pascal::Compiler compiler;
    declareForCheck(compiler);
    pascal::CompileResult result = compiler.compileSource(text, args[0], lmbtool::includeFromFolder());
    for (const auto& m : result.messages)
        std::printf("%s\n", m.longForm().c_str());
    return result.success ? 0 : 1;
}

} // namespace

LMBTOOL_COMMAND("check", "FILE  compile a script and print the compiler's messages", checkCommand);

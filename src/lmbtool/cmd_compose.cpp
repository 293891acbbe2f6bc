// lmbtool compose FILE.lmb: prints the composed script text of a project, as the studio's compile
// makes it from the project's lines and form (the preprocessed script and the generated main block),
// without compiling it. Ends with 0, or 1 when the file cannot be read.
#include "lmbtool/command.h"
#include "script/project_compile.h"

#include <cstdio>
#include <exception>

namespace {

int composeCommand(const std::vector<std::string>& args)
{
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: lmbtool compose FILE.lmb\n");
        return lmbtool::kUsageError;
    }
    try {
        const auto project = script::loadProjectScript(args[0]);
        const std::string text = script::composeScript(project->request).text();
        std::fwrite(text.data(), 1, text.size(), stdout);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "lmbtool: %s\n", e.what());
        return 1;
    }
}

} // namespace

LMBTOOL_COMMAND("compose", "FILE.lmb  print the composed script text of a project", composeCommand);

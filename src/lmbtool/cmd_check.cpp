// lmbtool check FILE: compiles a script or a project against the studio's script interface and prints
// what the compiler says. Ends with 0 when the compile succeeds, 1 when it fails.
//
//   lmbtool check FILE.lmb   the project's lines against its form, exactly as the studio compiles
//                            them; prints the rows of the Messages list, one per line (the texts)
//   lmbtool check FILE.pas   a script without a form; prints the compiler's messages in their long
//                            form ("[Error] (12:5): Unknown identifier 'Foo'"), includes resolved
//                            against the folder of the including file
#include "lmbtool/command.h"
#include "lmbtool/script_files.h"
#include "platform/text_encoding.h"
#include "script/compiler_host.h"
#include "script/project_compile.h"

#include <cstdio>
#include <exception>
#include <filesystem>

namespace {

bool isProjectFile(const std::string& path)
{
    return path.size() >= 4 && platform::equalsNoCase(std::string_view(path).substr(path.size() - 4), ".lmb");
}

int checkProject(const std::string& path)
{
    try {
        const auto project = script::loadProjectScript(path);
        script::CompilerHost host;
        const script::CompileOutcome out = host.compile(project->request);
        for (const auto& row : out.rows)
            std::printf("%s\n", row.text.c_str());
        return out.success ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "lmbtool: %s\n", e.what());
        return 1;
    }
}

int checkScript(const std::string& path)
{
    std::string text;
    if (!lmbtool::readScriptFile(path, text)) {
        std::fprintf(stderr, "lmbtool: cannot read '%s'\n", path.c_str());
        return 1;
    }
    script::CompileRequest request;
    request.editorText = text;
    request.lists = &script::studioEventLists();
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    request.includeFolder = folder.empty() ? std::filesystem::path(".") : folder;
    script::CompilerHost host;
    const script::CompileOutcome out = host.compile(request);
    // The first row tells success or failure; the compiler's own messages follow it.
    for (std::size_t i = 1; i < out.rows.size(); ++i)
        std::printf("%s\n", out.rows[i].text.c_str());
    return out.success ? 0 : 1;
}

int checkCommand(const std::vector<std::string>& args)
{
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: lmbtool check FILE.lmb|FILE.pas\n");
        return lmbtool::kUsageError;
    }
    return isProjectFile(args[0]) ? checkProject(args[0]) : checkScript(args[0]);
}

} // namespace

LMBTOOL_COMMAND("check", "FILE.lmb|FILE  compile a project or a script and print the compiler's messages",
                checkCommand);

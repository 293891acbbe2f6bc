// listgen: writes the list files of the data folder (ELEvents.lst, EventsByNames.lst, funcs.lst,
// ParamCompletion.lst, RepMaj.lst, code/<Class>.lst) from the script interface at build time, so they
// cannot drift from what the compiler accepts. `listgen OUTPUT_FOLDER`.
#include "script/list_files.h"
#include "script/list_generator.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: listgen OUTPUT_FOLDER\n");
        return 2;
    }
    const std::filesystem::path out = argv[1];
    for (const auto& list : script::generateStudioLists()) {
        const auto file = out / list.relativePath;
        std::error_code ec;
        std::filesystem::create_directories(file.parent_path(), ec);
        std::ofstream f(file, std::ios::binary | std::ios::trunc);
        const std::string text = script::joinListLines(list.lines);
        f.write(text.data(), static_cast<std::streamsize>(text.size()));
        if (!f) {
            std::fprintf(stderr, "listgen: cannot write %s\n", file.string().c_str());
            return 1;
        }
    }
    return 0;
}

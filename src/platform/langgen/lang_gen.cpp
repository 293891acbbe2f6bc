// Build step: writes language/English.lng of the install tree from the program's message table, so
// the shipped English file always holds exactly the texts built into the program.
#include "platform/atomic_file.h"
#include "platform/languages.h"

#include <cstdio>
#include <filesystem>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: lmb_langgen OUTPUT.lng\n");
        return 2;
    }
    const std::filesystem::path out = argv[1];
    std::error_code ec;
    std::filesystem::create_directories(out.parent_path(), ec);
    std::string error;
    if (!platform::writeFileAtomically(out, platform::englishLanguageFile(), &error)) {
        std::fprintf(stderr, "lmb_langgen: %s\n", error.c_str());
        return 1;
    }
    return 0;
}

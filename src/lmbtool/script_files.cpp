// Script files and their includes.
#include "lmbtool/script_files.h"

#include "platform/text_encoding.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace lmbtool {

bool readScriptFile(const std::string& path, std::string& text)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream ss;
    ss << in.rdbuf();
    text = platform::ansiToUtf8(ss.str());
    return true;
}

pascal::IncludeCallback includeFromFolder()
{
    return [](const std::string& including, const std::string& name, pascal::IncludeFile& out) {
        const std::filesystem::path p =
            (std::filesystem::path(including).parent_path() / name).lexically_normal();
        std::string text;
        if (!readScriptFile(p.string(), text))
            return false;
        out.text = std::move(text);
        out.path = p.string();
        return true;
    };
}

} // namespace lmbtool

// lmbtool text2form: a text form back to a binary form resource file (or a bare stream with --raw).
#include "lmbtool/command.h"
#include "vcl/form_file.h"
#include "vcl/form_stream.h"
#include "vcl/text_form.h"

#include <cstdio>
#include <exception>

namespace {

int run(const std::vector<std::string>& args)
{
    bool raw = false;
    std::vector<std::string> files;
    for (const auto& a : args) {
        if (a == "--raw")
            raw = true;
        else
            files.push_back(a);
    }
    if (files.size() != 2) {
        std::fprintf(stderr, "usage: lmbtool text2form FILE.txt OUT [--raw]\n");
        return lmbtool::kUsageError;
    }
    try {
        const std::string text = vcl::readWholeFile(files[0]);
        const std::vector<std::string> streams = vcl::textToComponentStreams(text);
        if (raw) {
            std::string all;
            for (const auto& s : streams)
                all += s;
            vcl::replaceFileContents(files[1], all);
            return 0;
        }
        if (streams.size() != 1) {
            std::fprintf(stderr, "lmbtool: %s holds %zu objects; a form resource holds one (use --raw)\n",
                         files[0].c_str(), streams.size());
            return 1;
        }
        const std::string& stream = streams.front();
        const std::string className = vcl::streamRootClassName(stream);
        vcl::replaceFileContents(files[1], vcl::formResourceHeader(className, stream.size()) + stream);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "lmbtool: %s\n", e.what());
        return 1;
    }
}

} // namespace

LMBTOOL_COMMAND("text2form", "FILE.txt OUT [--raw]  a text form as a binary form resource (or bare stream)",
                run);

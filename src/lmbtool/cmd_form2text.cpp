// lmbtool form2text: a form file (binary resource or bare stream) in the component stream's text notation.
#include "lmbtool/command.h"
#include "vcl/form_file.h"
#include "vcl/text_form.h"

#include <cstdio>
#include <exception>

namespace {

int run(const std::vector<std::string>& args)
{
    if (args.empty() || args.size() > 2) {
        std::fprintf(stderr, "usage: lmbtool form2text FILE [OUT]\n");
        return lmbtool::kUsageError;
    }
    try {
        const std::string bytes = vcl::readWholeFile(args[0]);
        std::string_view stream;
        std::string converted;
        switch (vcl::detectFormFileFormat(bytes)) {
        case vcl::FormFileFormat::Resource:
            stream = vcl::formResourceStream(bytes);
            break;
        case vcl::FormFileFormat::Stream:
            stream = bytes;
            break;
        case vcl::FormFileFormat::Text:
            converted = vcl::textToComponentStream(bytes); // already text: normalised
            stream = converted;
            break;
        case vcl::FormFileFormat::Unknown:
            std::fprintf(stderr, "lmbtool: %s is not a form file\n", args[0].c_str());
            return 1;
        }
        if (args.size() == 2) {
            vcl::replaceFileContents(args[1], vcl::componentStreamToText(stream, "\r\n"));
        } else {
            const std::string text = vcl::componentStreamToText(stream, "\n");
            std::fwrite(text.data(), 1, text.size(), stdout);
        }
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "lmbtool: %s\n", e.what());
        return 1;
    }
}

} // namespace

LMBTOOL_COMMAND("form2text", "FILE [OUT]  a binary form file (resource or stream) as text, to OUT or stdout",
                run);

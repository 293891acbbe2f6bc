// lmbtool pack DIR FILE.lmb [--level none|fast|default|max]: builds a project file from a folder made
// by unpack, the way the studio saves it: the script is compiled first (nothing is written when that
// fails), then the value section, embedded/ as block 1 and the composed script text as script.txt.
#include "lmbtool/command.h"
#include "lmbtool/project_json.h"
#include "platform/atomic_file.h"
#include "platform/text_encoding.h"
#include "platform/version.h"
#include "project/project_file.h"
#include "script/compiler_host.h"
#include "script/project_compile.h"
#include "vcl/form_file.h"
#include "vcl/form_stream.h"
#include "vcl/text_form.h"

#include <cstdio>

namespace lmbtool {
namespace {

namespace fs = std::filesystem;

// Refusals and archive reports go to standard error; no password is ever asked.
class ConsolePrompter final : public project::Prompter {
public:
    std::string askPassword() override { return ""; }
    void showMessage(const std::string& text, const std::string&, project::MessageIcon) override
    {
        std::fprintf(stderr, "%s\n", text.c_str());
    }
};

std::optional<int> levelIndex(std::string_view name)
{
    static const char* const names[] = {"fast", "none", "default", "max"};
    for (int i = 0; i < 4; ++i)
        if (platform::equalsNoCase(name, names[i]))
            return i;
    return std::nullopt;
}

std::vector<std::string> splitLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(platform::ansiToUtf8(line));
        start = end + 1;
    }
    return lines;
}

std::string formStreamOf(const std::string& bytes)
{
    switch (vcl::detectFormFileFormat(bytes)) {
    case vcl::FormFileFormat::Resource:
        return std::string(vcl::formResourceStream(bytes));
    case vcl::FormFileFormat::Stream:
        return bytes;
    case vcl::FormFileFormat::Text:
        return vcl::textToComponentStream(bytes);
    case vcl::FormFileFormat::Unknown:
        break;
    }
    throw platform::Error("not a form file");
}

int refuse(const std::string& text)
{
    std::fprintf(stderr, "lmbtool: %s\n", text.c_str());
    return 1;
}

int pack(const std::vector<std::string>& args)
{
    std::vector<std::string> positional;
    std::optional<int> level;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--level" && i + 1 < args.size()) {
            level = levelIndex(args[++i]);
            if (!level) {
                std::fprintf(stderr, "lmbtool pack: unknown level '%s'\n", args[i].c_str());
                return kUsageError;
            }
        } else {
            positional.push_back(args[i]);
        }
    }
    if (positional.size() != 2) {
        std::fprintf(stderr, "usage: lmbtool pack DIR FILE.lmb [--level none|fast|default|max]\n");
        return kUsageError;
    }
    const fs::path dir = positional[0], target = positional[1];
    constexpr size_t kMaxText = size_t(1) << 30;

    project::Project p;
    const auto form = platform::readWholeFile(dir / "form.dfm", kMaxText);
    if (!form)
        return refuse("cannot read " + (dir / "form.dfm").string());
    std::unique_ptr<vcl::Component> root;
    try {
        // Text, a bare stream or a form resource; written back the way the studio streams its form.
        root = vcl::readFormStream(formStreamOf(*form));
        p.formStream = vcl::writeComponentStream(*root);
    } catch (const std::exception& e) {
        return refuse(std::string("form.dfm: ") + e.what());
    }
    if (fs::exists(dir / "script.pas")) {
        const auto script = platform::readWholeFile(dir / "script.pas", kMaxText);
        if (!script)
            return refuse("cannot read " + (dir / "script.pas").string());
        p.lines = splitLines(*script);
    }

    project::SaveOptions options;
    options.programVersion = platform::programVersion();
    if (fs::exists(dir / "project.json")) {
        const auto text = platform::readWholeFile(dir / "project.json", kMaxText);
        if (!text)
            return refuse("cannot read " + (dir / "project.json").string());
        try {
            const Json json = parseJson(*text);
            project::PasswordFields pw;
            if (const Json* v = json.find("protected"))
                pw.isProtected = v->flag;
            if (const Json* v = json.find("check"))
                pw.check = static_cast<int32_t>(v->integer);
            options.passwordFields = pw;
            if (const Json* b = json.find("bookmarks")) {
                for (size_t i = 0; i < b->items.size() && i < p.bookmarks.size(); ++i) {
                    const auto& pair = b->items[i].items;
                    if (pair.size() == 2 && pair[0].integer != -1 && pair[1].integer != -1)
                        p.bookmarks[i] = {static_cast<int32_t>(pair[0].integer),
                                          static_cast<int32_t>(pair[1].integer)};
                }
            }
            if (const Json* c = json.find("compression"); c && !level)
                level = levelIndex(c->text);
        } catch (const std::exception& e) {
            return refuse("project.json: " + std::string(e.what()));
        }
    }
    options.compressionIndex = level.value_or(project::kDefaultCompressionIndex);
    // As the studio does: compile the lines against the form first, and write nothing when the compile
    // fails. Every row but the success row goes to standard error.
    options.compose = [](const project::Project& project) -> std::optional<std::string> {
        try {
            const auto compile = script::prepareProjectScript(project.lines, project.formStream);
            script::CompilerHost host;
            const script::CompileOutcome outcome = host.compile(compile->request);
            for (const auto& row : outcome.rows)
                if (row.icon != script::MessageIcon::Success)
                    std::fprintf(stderr, "%s\n", row.text.c_str());
            if (outcome.success)
                return outcome.composedText;
        } catch (const std::exception& e) {
            std::fprintf(stderr, "lmbtool: %s\n", e.what());
        }
        return std::nullopt;
    };
    p.embeddedDir = dir / "embedded";

    ConsolePrompter prompter;
    project::Progress progress;
    return project::SaveProject(p, target, options, prompter, progress) ? 0 : 1;
}

} // namespace
} // namespace lmbtool

LMBTOOL_COMMAND("pack", "DIR FILE.lmb [--level none|fast|default|max]  build a project file from a folder",
                lmbtool::pack);

// lmbtool unpack FILE.lmb DIR: the project as a folder of files: form.dfm, script.pas, project.json
// (password check, bookmarks, compression level) and embedded/ with the embedded files.
#include "lmbtool/command.h"
#include "lmbtool/project_json.h"
#include "platform/atomic_file.h"
#include "project/project_file.h"
#include "vcl/text_form.h"

#include <cstdio>

namespace lmbtool {
namespace {

namespace fs = std::filesystem;

const char* const kLevelNames[] = {"fast", "none", "default", "max"};

bool writeOut(const fs::path& file, const std::string& bytes)
{
    std::string error;
    if (platform::writeFileAtomically(file, bytes, &error))
        return true;
    std::fprintf(stderr, "lmbtool: cannot write %s: %s\n", file.c_str(), error.c_str());
    return false;
}

int unpack(const std::vector<std::string>& args)
{
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: lmbtool unpack FILE.lmb DIR\n");
        return kUsageError;
    }
    const fs::path path = args[0], dir = args[1];
    const fs::path embedded = dir / "embedded";
    std::error_code ec;
    if (fs::exists(embedded, ec) && !fs::is_empty(embedded, ec)) {
        std::fprintf(stderr, "lmbtool: %s is not empty\n", embedded.c_str());
        return 1;
    }
    project::ProjectFileContents c;
    try {
        fs::create_directories(embedded);
        const auto sink = project::makeFolderSink(embedded);
        c = project::readProjectFile(path, sink.get(), nullptr);
    } catch (const project::ProjectLoadError& e) {
        std::fprintf(stderr, "%s\n", loadFailureText(e.failure(), path).c_str());
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "lmbtool: %s\n", e.what());
        return 1;
    }
    for (const auto& e : c.block1.entries) {
        if (e.skipped)
            std::fprintf(stderr, "%s: %s\n", project::kCannotReadFile, e.name.c_str());
        else if (!e.checkOk())
            std::fprintf(
                stderr, "%s\n",
                project::crcFailedText((embedded / e.name).string(), e.storedCheck, e.computedCheck).c_str());
    }
    if (!c.block1.error.empty())
        std::fprintf(stderr, "%s\n", c.block1.error.c_str());

    std::string script;
    for (const auto& line : c.values.lines)
        script += line + "\n";
    std::string json;
    JsonWriter j(json);
    j.beginObject();
    j.key("protected");
    j.value(c.values.isProtected);
    j.key("check");
    j.value(int64_t(c.values.check));
    j.key("bookmarks");
    j.beginArray();
    for (const auto& b : c.values.bookmarks) {
        j.beginArray();
        j.value(int64_t(b.x));
        j.value(int64_t(b.y));
        j.endArray();
    }
    j.endArray();
    j.key("compression");
    j.value(kLevelNames[c.block1.levelIndex.value_or(project::kDefaultCompressionIndex)]);
    j.endObject();
    json += '\n';
    const bool ok = writeOut(dir / "form.dfm", vcl::componentStreamToText(c.values.formStream, "\r\n")) &&
                    writeOut(dir / "script.pas", script) && writeOut(dir / "project.json", json);
    return ok ? 0 : 1;
}

} // namespace
} // namespace lmbtool

LMBTOOL_COMMAND("unpack", "FILE.lmb DIR  write form.dfm, script.pas, project.json and embedded/ into DIR",
                lmbtool::unpack);

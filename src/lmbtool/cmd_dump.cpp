// lmbtool dump FILE.lmb: the whole project file as one JSON object on standard output.
#include "lmbtool/command.h"
#include "lmbtool/project_json.h"
#include "platform/text_encoding.h"
#include "project/project_file.h"

#include <cstdio>

namespace lmbtool {
namespace {

// Keeps the content of block 2's script.txt.
struct ScriptSink final : project::ArchiveSink {
    std::optional<std::string> text;
    bool current = false;
    Open open(const project::ArchiveEntry& e) override
    {
        current = !text && platform::equalsNoCase(e.name, "script.txt");
        if (current)
            text.emplace();
        return Open::Accept;
    }
    void write(const void* data, size_t n) override
    {
        if (current)
            text->append(static_cast<const char*>(data), n);
    }
    void close(const project::ArchiveEntry&) override { current = false; }
};

int dump(const std::vector<std::string>& args)
{
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: lmbtool dump FILE.lmb\n");
        return kUsageError;
    }
    const std::filesystem::path path = args[0];
    ScriptSink script;
    project::ProjectFileContents c;
    std::string formText;
    try {
        c = project::readProjectFile(path, nullptr, &script);
        formText = formStreamToText(c.values.formStream);
    } catch (const project::ProjectLoadError& e) {
        std::fprintf(stderr, "%s\n", loadFailureText(e.failure(), path).c_str());
        return 1;
    } catch (const std::exception&) {
        std::fprintf(stderr, "%s\n", loadFailureText(project::LoadFailure::Damaged, path).c_str());
        return 1;
    }
    const auto& v = c.values;
    std::string out;
    JsonWriter j(out);
    j.beginObject();
    j.key("tag");
    j.value(v.tag);
    j.key("protected");
    j.value(v.isProtected);
    j.key("check");
    j.value(int64_t(v.check));
    if (v.extended) {
        j.key("version");
        j.value(int64_t(v.version));
        j.key("version2");
        j.value(int64_t(v.version2));
    }
    j.key("banner");
    j.value(v.banner);
    j.key("creator");
    j.value(v.creator);
    j.key("saved");
    j.value(v.saved);
    j.key("saved_date");
    j.value(v.savedDate);
    j.key("form");
    j.value(formText);
    j.key("lines");
    j.beginArray();
    for (const auto& line : v.lines)
        j.value(line);
    j.endArray();
    j.key("bookmarks");
    j.beginArray();
    for (const auto& b : v.bookmarks) {
        j.beginArray();
        j.value(int64_t(b.x));
        j.value(int64_t(b.y));
        j.endArray();
    }
    j.endArray();
    j.key("archives");
    j.value(v.archivesFollow);
    j.key("embedded");
    j.beginArray();
    for (const auto& e : c.block1.entries) {
        j.beginObject();
        j.key("name");
        j.value(platform::ansiToUtf8(e.name));
        j.key("size");
        j.value(int64_t(e.size));
        j.key("time");
        j.value(int64_t(e.dosTime));
        j.key("crc");
        j.value(int64_t(e.storedCheck));
        j.key("crc_ok");
        j.value(e.checkOk());
        j.endObject();
    }
    j.endArray();
    j.key("script_txt");
    if (c.block2 && script.text)
        j.value(platform::ansiToUtf8(*script.text));
    else
        j.null();
    j.endObject();
    out += '\n';
    std::fwrite(out.data(), 1, out.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

} // namespace
} // namespace lmbtool

LMBTOOL_COMMAND("dump", "FILE.lmb  print the project file as one JSON object", lmbtool::dump);

#include "lmbtool/project_json.h"
#include "project/password.h"
#include "project_fixture.h"
#include "vcl/form_stream.h"

#include "support/run_program.h"

#include <gtest/gtest.h>

using namespace project;
using namespace projecttest;
namespace fs = std::filesystem;

namespace {

using ToolRun = lmbtest::ProgramRun;

ToolRun runTool(const lmbtest::TempHome& home, const std::vector<std::string>& args)
{
    return lmbtest::runProgram(lmbtest::distDir() / "lmbtool", args, home.root());
}

std::vector<std::string> keys(const lmbtool::Json& j)
{
    std::vector<std::string> k;
    for (const auto& [name, v] : j.members)
        k.push_back(name);
    return k;
}

class LmbtoolProject : public ::testing::Test {
protected:
    lmbtest::TempHome home;
    ScriptedPrompter prompter;
    Progress progress;
    fs::path file = home.root() / "Menu.lmb";

    void save(Project p, SaveOptions o = {})
    {
        o.programVersion = "2.0";
        ASSERT_TRUE(SaveProject(p, file, o, prompter, progress));
    }
    lmbtool::Json dump(const fs::path& f)
    {
        const ToolRun r = runTool(home, {"dump", f.string()});
        EXPECT_EQ(r.status, 0) << r.err;
        return lmbtool::parseJson(r.out);
    }
};

} // namespace

TEST_F(LmbtoolProject, DumpShowsEveryPart)
{
    Project p = sampleProject(home);
    p.password = "abc";
    SaveOptions o;
    o.compose = [](const Project&) { return std::optional<std::string>("begin\nend."); };
    save(p, o);
    const lmbtool::Json j = dump(file);
    EXPECT_EQ(keys(j), (std::vector<std::string>{"tag", "protected", "check", "version", "version2", "banner",
                                                 "creator", "saved", "saved_date", "form", "lines",
                                                 "bookmarks", "archives", "embedded", "script_txt"}));
    EXPECT_EQ(j.find("tag")->text, "LMBScriptExtended");
    EXPECT_TRUE(j.find("protected")->flag);
    EXPECT_EQ(j.find("check")->integer, 1274);
    EXPECT_EQ(j.find("version")->integer, 20);
    EXPECT_EQ(j.find("creator")->text, "Created with Lumeni Zarerud version 2.0");
    EXPECT_EQ(j.find("form")->text, "object Form1: TForm\n  Caption = 'My menu'\n  ClientWidth = 490\n"
                                    "  object Button1: TButton\n    Caption = 'Play'\n  end\nend\n");
    ASSERT_EQ(j.find("lines")->items.size(), p.lines.size());
    EXPECT_EQ(j.find("lines")->items[3].text, p.lines[3]);
    ASSERT_EQ(j.find("bookmarks")->items.size(), 10u);
    EXPECT_EQ(j.find("bookmarks")->items[0].items[1].integer, 4);
    EXPECT_EQ(j.find("bookmarks")->items[1].items[0].integer, -1);
    EXPECT_TRUE(j.find("archives")->flag);
    const auto& embedded = j.find("embedded")->items;
    ASSERT_EQ(embedded.size(), 2u);
    EXPECT_EQ(keys(embedded[0]), (std::vector<std::string>{"name", "size", "time", "crc", "crc_ok"}));
    EXPECT_EQ(embedded[0].find("name")->text, "empty.txt");
    EXPECT_EQ(embedded[0].find("crc")->integer, 0);
    EXPECT_EQ(embedded[1].find("name")->text, "logo.png");
    EXPECT_EQ(embedded[1].find("size")->integer, 5000);
    EXPECT_TRUE(embedded[1].find("crc_ok")->flag);
    EXPECT_EQ(j.find("script_txt")->text, "begin\r\nend.\r\n");
}

TEST_F(LmbtoolProject, DumpOfOlderAndDamagedFiles)
{
    // An older file: no version rows in the dump, no archives, no script.txt.
    Project p = sampleProject(home);
    std::string old;
    {
        vcl::TypedValueWriter w(old);
        w.writeSignature();
        w.writeString("LMBScript");
        const std::string section =
            writeValueSection(p, makeSaveStamp("1.0", std::chrono::system_clock::now()));
        vcl::TypedValueReader r(section);
        r.readSignature();
        for (int i = 0; i < 7; ++i)
            r.skipValue();
        old += section.substr(r.position(), section.size() - 1 - r.position());
    }
    const lmbtool::Json j = dump(home.writeFile("old.lmb", old));
    EXPECT_FALSE(j.find("version"));
    EXPECT_FALSE(j.find("version2"));
    EXPECT_FALSE(j.find("protected")->flag);
    EXPECT_FALSE(j.find("archives")->flag);
    EXPECT_EQ(j.find("script_txt")->kind, lmbtool::Json::Kind::Null);

    // A bad check value shows as crc_ok false; a file that is no project gives the studio's text.
    save(p);
    std::string bytes = lmbtest::readFile(file);
    const size_t check = bytes.find("empty.txt") + 9 + 2 + 4 + 4 + 4;
    bytes[check] = 1;
    EXPECT_FALSE(dump(home.writeFile("crc.lmb", bytes)).find("embedded")->items[0].find("crc_ok")->flag);

    const fs::path junk = home.writeFile("junk.lmb", "not a project");
    ToolRun r = runTool(home, {"dump", junk.string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "The file \"" + junk.string() +
                         "\"\r\nis not an Lumeni Zarerud file or the file is corrupted.\n");
    EXPECT_TRUE(r.out.empty());
    r = runTool(home, {"dump", (home.root() / "none.lmb").string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(runTool(home, {"dump"}).status, 2);
}

TEST_F(LmbtoolProject, UnpackAndPackRoundTrip)
{
    Project p = sampleProject(home);
    p.password = "pw";
    SaveOptions o;
    o.compressionIndex = 3;
    save(p, o);
    const fs::path dir = home.root() / "unpacked";
    ToolRun r = runTool(home, {"unpack", file.string(), dir.string()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(lmbtest::readFile(dir / "script.pas"),
              "program Menu;\n\nbegin\n  ShowMessage('H\xC3\xA9llo');\nend.\n");
    EXPECT_EQ(lmbtest::readFile(dir / "embedded" / "logo.png"), std::string(5000, 'L'));
    const lmbtool::Json settings = lmbtool::parseJson(lmbtest::readFile(dir / "project.json"));
    EXPECT_EQ(settings.find("compression")->text, "max");
    EXPECT_EQ(settings.find("check")->integer, PasswordChecksum("pw"));

    const fs::path again = home.root() / "Again.lmb";
    r = runTool(home, {"pack", dir.string(), again.string()});
    ASSERT_EQ(r.status, 0) << r.err;
    lmbtool::Json a = dump(file), b = dump(again);
    for (auto* j : {&a, &b})
        std::erase_if(j->members, [](const auto& m) { return m.first.rfind("saved", 0) == 0; });
    EXPECT_EQ(lmbtool::parseJson("[]").kind, lmbtool::Json::Kind::Array);
    const auto text = [](const lmbtool::Json& j) {
        std::string s;
        for (const auto& [k, v] : j.members)
            if (k != "embedded" && k != "script_txt" && k != "form")
                s += k + ":" + v.text + std::to_string(v.integer) + std::to_string(v.flag) + ";";
        return s;
    };
    EXPECT_EQ(text(a), text(b));
    prompter.passwords = {"pw"};
    auto loaded = LoadProject(again, {home.root() / "tmpapp"}, prompter, progress);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->lines, p.lines);
    EXPECT_EQ(loaded->bookmarks, p.bookmarks);
    // The form is streamed again the way the studio writes it.
    EXPECT_EQ(loaded->formStream, vcl::writeComponentStream(*vcl::readFormStream(p.formStream)));
    EXPECT_EQ(lmbtest::readFile(loaded->embeddedDir / "logo.png"), std::string(5000, 'L'));
    // Compiled first: script.txt holds the composed text with its generated main block.
    const std::string composed = b.find("script_txt")->text;
    EXPECT_NE(composed.find("ShowMessage('H\xC3\xA9llo');"), std::string::npos) << composed;
    EXPECT_NE(composed.find("Form1.showmodal;"), std::string::npos) << composed;

    // The level can be chosen; refusals and wrong command lines have their statuses.
    r = runTool(home, {"pack", dir.string(), again.string(), "--level", "none"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(runTool(home, {"pack", dir.string(), again.string(), "--level", "huge"}).status, 2);
    EXPECT_EQ(runTool(home, {"pack", dir.string()}).status, 2);
    EXPECT_EQ(runTool(home, {"unpack", file.string(), dir.string()}).status, 1) << "embedded/ is not empty";
    // A script that does not compile: refused, and the old file stays as it was.
    const std::string before = lmbtest::readFile(again);
    home.writeFile("unpacked/script.pas", "procedure Broken;\nbegin\n  Undeclared := 1;\nend;\n");
    r = runTool(home, {"pack", dir.string(), again.string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Failed when compiling script."), std::string::npos) << r.err;
    EXPECT_EQ(lmbtest::readFile(again), before);
    home.writeFile("unpacked/form.dfm", formStream("TButton"));
    EXPECT_EQ(runTool(home, {"pack", dir.string(), again.string()}).status, 1);
    EXPECT_EQ(runTool(home, {"pack", (home.root() / "nothing").string(), again.string()}).status, 1);
}

TEST(Json, WriterAndReaderAgree)
{
    std::string out;
    lmbtool::JsonWriter w(out);
    w.beginObject();
    w.key("s");
    w.value("a\"b\\c\r\n\x01\xC3\xA9");
    w.key("n");
    w.value(int64_t(-12));
    w.key("a");
    w.beginArray();
    w.value(true);
    w.null();
    w.endArray();
    w.endObject();
    EXPECT_EQ(out, "{\"s\":\"a\\\"b\\\\c\\r\\n\\u0001\xC3\xA9\",\"n\":-12,\"a\":[true,null]}");
    const lmbtool::Json j = lmbtool::parseJson(out);
    EXPECT_EQ(j.find("s")->text, "a\"b\\c\r\n\x01\xC3\xA9");
    EXPECT_EQ(j.find("n")->integer, -12);
    EXPECT_EQ(j.find("a")->items.size(), 2u);
    EXPECT_EQ(lmbtool::parseJson("\"\\u00e9\\ud83d\\ude00\"").text, "\xC3\xA9\xF0\x9F\x98\x80");
    for (const char* bad : {"", "{", "[1,]", "{\"a\" 1}", "\"open", "tru", "1 2"})
        EXPECT_THROW(lmbtool::parseJson(bad), platform::Error) << bad;
}

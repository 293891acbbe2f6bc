#include "project/line_encoding.h"
#include "project/password.h"
#include "project_fixture.h"

#include <gtest/gtest.h>
#include <random>

using namespace project;
using namespace projecttest;
namespace fs = std::filesystem;

namespace {

struct Capture final : ArchiveSink {
    std::vector<std::pair<std::string, std::string>> files;
    Open open(const ArchiveEntry& e) override
    {
        files.emplace_back(e.name, "");
        return Open::Accept;
    }
    void write(const void* d, size_t n) override
    {
        files.back().second.append(static_cast<const char*>(d), n);
    }
    void close(const ArchiveEntry&) override {}
};

SaveOptions options(int index = 1)
{
    SaveOptions o;
    o.compressionIndex = index;
    o.programVersion = "2.0";
    return o;
}

size_t countEntries(const fs::path& dir)
{
    size_t n = 0;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
        ++n;
    return n;
}

class ProjectFile : public ::testing::Test {
protected:
    lmbtest::TempHome home;
    ScriptedPrompter prompter;
    Progress progress;
    fs::path file = home.root() / "work" / "Menu.lmb";
    LoadOptions load{home.root() / "tmpapp"};

    void SetUp() override { fs::create_directories(file.parent_path()); }

    void save(const Project& p, const SaveOptions& o = options())
    {
        Project copy = p;
        ASSERT_TRUE(SaveProject(copy, file, o, prompter, progress)) << messages();
        EXPECT_FALSE(copy.modified);
        EXPECT_EQ(copy.fileName, file);
    }
    std::string messages() const
    {
        std::string all;
        for (const auto& m : prompter.messages)
            all += "[" + m.caption + "] " + m.text + "\n";
        return all;
    }
    void expectOnlyMessage(const std::string& text)
    {
        ASSERT_EQ(prompter.messages.size(), 1u) << messages();
        EXPECT_EQ(prompter.messages[0].text, text);
        EXPECT_EQ(prompter.messages[0].caption, "Error");
        prompter.messages.clear();
    }
};

} // namespace

TEST_F(ProjectFile, SaveAndLoadKeepEverything)
{
    Project p = sampleProject(home);
    home.writeFile("tmpapp/lmb-00001Embedded/sub/not-saved.txt", "x");
    std::string big(kArchiveChunkSize + 1, '\0');
    std::mt19937 rng(1);
    for (auto& c : big)
        c = static_cast<char>(rng());
    home.writeFile("tmpapp/lmb-00001Embedded/Big.BIN", big);
    p.password = "secret";
    for (int index : {0, 1, 2, 3}) {
        SaveOptions o = options(index);
        o.compose = [](const Project&) { return std::optional<std::string>("program Menu;\nbegin\nend."); };
        save(p, o);
        prompter.passwords = {"secret"};
        auto loaded = LoadProject(file, load, prompter, progress);
        ASSERT_TRUE(loaded) << messages();
        EXPECT_TRUE(prompter.messages.empty()) << messages();
        EXPECT_EQ(loaded->fileName, file);
        EXPECT_FALSE(loaded->modified);
        EXPECT_EQ(loaded->password, "secret");
        EXPECT_EQ(loaded->formStream, p.formStream);
        EXPECT_EQ(loaded->lines, p.lines);
        EXPECT_EQ(loaded->bookmarks, p.bookmarks);
        EXPECT_NE(loaded->embeddedDir, p.embeddedDir);
        EXPECT_EQ(loaded->embeddedDir.parent_path(), home.root() / "tmpapp");
        EXPECT_EQ(loaded->embeddedDir.filename().string().substr(0, 4), "lmb-");
        EXPECT_EQ(lmbtest::readFile(loaded->embeddedDir / "logo.png"), std::string(5000, 'L'));
        EXPECT_EQ(lmbtest::readFile(loaded->embeddedDir / "big.bin"), big);
        EXPECT_TRUE(fs::exists(loaded->embeddedDir / "empty.txt"));
        EXPECT_EQ(countEntries(loaded->embeddedDir), 3u) << "the subfolder is not saved";

        Capture script;
        const auto contents = readProjectFile(file, nullptr, &script);
        ASSERT_TRUE(contents.block2);
        ASSERT_EQ(script.files.size(), 1u);
        EXPECT_EQ(script.files[0].first, "script.txt");
        EXPECT_EQ(script.files[0].second, "program Menu;\r\nbegin\r\nend.\r\n");
        fs::remove_all(loaded->embeddedDir);
    }
    // No temporary file is left beside the project.
    EXPECT_EQ(countEntries(file.parent_path()), 1u);
}

TEST_F(ProjectFile, ValueSectionRowsInOrder)
{
    Project p = sampleProject(home);
    p.lines = {std::string(189, 'a'), std::string(190, 'b')}; // 252 and 256 encoded characters
    save(p);
    const std::string bytes = lmbtest::readFile(file);
    vcl::TypedValueReader in(bytes);
    in.readSignature();
    EXPECT_EQ(in.readString(), "LMBScriptExtended");
    EXPECT_FALSE(in.readBoolean());
    EXPECT_EQ(in.readInteger(), 0);
    EXPECT_EQ(in.readInteger(), 0);
    EXPECT_EQ(in.readString(), "");
    EXPECT_EQ(in.readInteger(), 0);
    EXPECT_EQ(in.readString(), "");
    EXPECT_EQ(in.readInteger(), 20);
    EXPECT_EQ(in.readInteger(), 20);
    EXPECT_EQ(in.readString().rfind("Lumeni Zarerud Project - Get your free copy of Lumeni Zarerud from ", 0),
              0u);
    EXPECT_EQ(in.readString(), "Created with Lumeni Zarerud version 2.0");
    EXPECT_EQ(in.readString().rfind("Saved on ", 0), 0u);
    EXPECT_EQ(in.peekTag(), vcl::ValueTag::Date);
    EXPECT_NEAR(in.readDate(), toDelphiDate(std::chrono::system_clock::now()), 0.01);
    EXPECT_EQ(in.readString(), "");
    EXPECT_EQ(in.readString(), "");
    EXPECT_EQ(bytes.substr(in.position(), p.formStream.size()), p.formStream);
    in.seek(in.position() + p.formStream.size());
    EXPECT_EQ(in.readInteger(), 2);
    EXPECT_EQ(in.peekTag(), vcl::ValueTag::String);
    EXPECT_EQ(in.readString(), encodeLine(std::string(189, 'a')));
    EXPECT_EQ(in.peekTag(), vcl::ValueTag::LString);
    EXPECT_EQ(in.readString(), encodeLine(std::string(190, 'b')));
    const int32_t expect[] = {3, 4, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 1, 1};
    for (int32_t v : expect)
        EXPECT_EQ(in.readInteger(), v);
    EXPECT_TRUE(in.readBoolean());
    // Archive block 1 follows directly.
    EXPECT_EQ(in.readU32(), 14u);
    EXPECT_EQ(in.readBytes(14), "Embedded Files");
}

TEST_F(ProjectFile, OlderAndDifferentlyWrittenFilesLoad)
{
    Project p = sampleProject(home);
    p.lines.clear();
    const SaveStamp stamp = makeSaveStamp("2.0", std::chrono::system_clock::now());
    std::string section = writeValueSection(p, stamp);
    ASSERT_EQ(section.back(), char(vcl::ValueTag::True));

    struct Case {
        const char* what;
        std::string bytes;
    };
    std::string otherCase = section;
    const size_t tagAt = otherCase.find("LMBScriptExtended");
    otherCase.replace(tagAt, 17, "lmbscriptEXTENDED");
    // The older format: tag "LMBScript" and no protection or reserved rows.
    std::string old;
    {
        vcl::TypedValueWriter w(old);
        w.writeSignature();
        w.writeString("LMBScript");
        const size_t after = section.find("LMBScriptExtended") + 17;
        vcl::TypedValueReader r(section);
        r.seek(after);
        for (int i = 0; i < 6; ++i)
            r.skipValue();
        old += section.substr(r.position(), section.size() - 1 - r.position()); // and without row 21
    }
    const Case cases[] = {
        {"ends after row 20", section.substr(0, section.size() - 1)},
        {"tag in other letter case", otherCase},
        {"LMBScript without rows 3 to 8 and 21", old},
    };
    for (const auto& c : cases) {
        home.writeFile("work/Menu.lmb", c.bytes);
        auto loaded = LoadProject(file, load, prompter, progress);
        ASSERT_TRUE(loaded) << c.what << "\n" << messages();
        EXPECT_TRUE(loaded->lines.empty()) << c.what;
        EXPECT_EQ(loaded->formStream, p.formStream) << c.what;
        EXPECT_EQ(countEntries(loaded->embeddedDir), 0u) << c.what;
        EXPECT_EQ(prompter.passwordPrompts, 0) << c.what;
    }
    EXPECT_TRUE(prompter.messages.empty()) << messages();
}

TEST_F(ProjectFile, PasswordCheck)
{
    Project p = sampleProject(home);
    p.password = "abc";
    save(p);
    prompter.passwords = {"abd"};
    EXPECT_FALSE(LoadProject(file, load, prompter, progress));
    expectOnlyMessage("Incorect Password!\r\nYou cannot open this file.");
    EXPECT_FALSE(LoadProject(file, load, prompter, progress)); // cancelled prompt
    expectOnlyMessage("Incorect Password!\r\nYou cannot open this file.");
    EXPECT_EQ(prompter.passwordPrompts, 2);
    EXPECT_EQ(countEntries(home.root() / "tmpapp"), 1u) << "refused loads leave no folder behind";

    // Not protected but with a check value: asked, and whatever is entered opens it.
    std::string bytes = lmbtest::readFile(file);
    const size_t flag = bytes.find("LMBScriptExtended") + 17;
    ASSERT_EQ(bytes[flag], char(vcl::ValueTag::True));
    bytes[flag] = char(vcl::ValueTag::False);
    home.writeFile("work/Menu.lmb", bytes);
    prompter.passwords = {"whatever"};
    auto loaded = LoadProject(file, load, prompter, progress);
    ASSERT_TRUE(loaded) << messages();
    EXPECT_EQ(loaded->password, "whatever");
    EXPECT_EQ(prompter.passwordPrompts, 3);

    // Removing the password writes false and 0, and nothing is asked.
    loaded->password.clear();
    save(*loaded);
    const std::string plain = lmbtest::readFile(file);
    EXPECT_EQ(plain[flag], char(vcl::ValueTag::False));
    EXPECT_EQ(plain.substr(flag + 1, 2), std::string("\x02\x00", 2));
    EXPECT_TRUE(LoadProject(file, load, prompter, progress));
    EXPECT_EQ(prompter.passwordPrompts, 3);
}

TEST_F(ProjectFile, RefusedFilesShowTheirMessage)
{
    Project p = sampleProject(home);
    save(p);
    const std::string good = lmbtest::readFile(file);
    const std::string path = file.string();
    const std::string badFormat =
        "The file \"" + path + "\"\r\nis not an Lumeni Zarerud file or the file is corrupted.";
    const std::string damaged = "An error occured while loading \"" + path + "\".";

    std::string newer = good;
    {
        vcl::TypedValueReader r(newer);
        r.readSignature();
        for (int i = 0; i < 7; ++i)
            r.skipValue();
        ASSERT_EQ(newer[r.position()], char(vcl::ValueTag::Int8));
        newer[r.position() + 1] = 21;
    }
    std::string notForm = good;
    notForm.replace(notForm.find("TForm"), 5, "TEdit");
    const std::string form = formStream();
    const size_t formAt = good.find(form);

    struct Case {
        const char* what;
        std::string bytes;
        std::vector<std::string> texts;
    };
    const Case cases[] = {
        {"empty file", "", {badFormat}},
        {"no signature", "TPF1" + good.substr(4), {badFormat}},
        {"unknown tag", std::string("TPF0\x06\x03XYZ", 8), {badFormat}},
        {"tag cut short", std::string("TPF0\x06\x20LMB", 8), {badFormat}},
        {"newer version",
         newer,
         {"The file \"" + path +
              "\"\r\nis designed to be edited by a newer version of Lumeni Zarerud.\r\n\r\nVisit "
              "https://lumeni-zarerud.example/ and download the latest version of Lumeni Zarerud.",
          damaged}},
        {"root is not a form", notForm, {damaged}},
        {"cut inside the form", good.substr(0, formAt + form.size() / 2), {damaged}},
        {"cut inside the lines", good.substr(0, formAt + form.size() + 6), {damaged}},
    };
    for (const auto& c : cases) {
        home.writeFile("work/Menu.lmb", c.bytes);
        EXPECT_FALSE(LoadProject(file, load, prompter, progress)) << c.what;
        ASSERT_EQ(prompter.messages.size(), c.texts.size()) << c.what << "\n" << messages();
        for (size_t i = 0; i < c.texts.size(); ++i)
            EXPECT_EQ(prompter.messages[i].text, c.texts[i]) << c.what;
        if (c.texts.size() == 2) {
            EXPECT_EQ(prompter.messages[0].caption, "Newer version detected !");
            EXPECT_EQ(prompter.messages[0].icon, MessageIcon::Warning);
        }
        prompter.messages.clear();
    }
    EXPECT_EQ(countEntries(home.root() / "tmpapp"), 1u) << "failed loads leave no folder behind";

    EXPECT_FALSE(LoadProject(home.root() / "missing.lmb", load, prompter, progress));
    expectOnlyMessage("Cannot open file \"" + (home.root() / "missing.lmb").string() +
                      "\" because it does not exists !");
}

TEST_F(ProjectFile, DamagedEmbeddedFilesAreReportedAndLoadingGoesOn)
{
    Project p = sampleProject(home);
    save(p);
    std::string bytes = lmbtest::readFile(file);
    // The last four bytes of block 1's first entry ("empty.txt") hold its check value 0.
    const size_t name = bytes.find("empty.txt");
    const size_t check = name + 9 + 2 + 4 + 4 + 4;
    ASSERT_EQ(bytes.substr(check, 4), std::string(4, '\0'));
    bytes[check] = 5;
    home.writeFile("work/Menu.lmb", bytes);
    auto loaded = LoadProject(file, load, prompter, progress);
    ASSERT_TRUE(loaded);
    ASSERT_EQ(prompter.messages.size(), 1u) << messages();
    EXPECT_EQ(prompter.messages[0].text, "CRC Failed in file " +
                                             (loaded->embeddedDir / "empty.txt").string() +
                                             ".\r\nStored CRC32 : 5.\r\nCurrent CRC32 : 0.");
    EXPECT_TRUE(fs::exists(loaded->embeddedDir / "empty.txt"));
    EXPECT_TRUE(fs::exists(loaded->embeddedDir / "logo.png"));
}

TEST_F(ProjectFile, FailedSavesLeaveTheOldFileAlone)
{
    Project p = sampleProject(home);
    save(p);
    const std::string before = lmbtest::readFile(file);

    // A failed compile writes nothing.
    Project edited = p;
    edited.lines.push_back("garbage");
    SaveOptions failing = options();
    failing.compose = [](const Project&) { return std::optional<std::string>(); };
    EXPECT_FALSE(SaveProject(edited, file, failing, prompter, progress));
    EXPECT_TRUE(edited.modified);
    expectOnlyMessage("Failed when compiling script.\r\nFile not saved.");

    // An embedded file that cannot be read aborts the save before the old file is replaced.
    fs::create_symlink("/proc/self/mem", p.embeddedDir / "unreadable.bin");
    EXPECT_FALSE(SaveProject(edited, file, options(), prompter, progress));
    EXPECT_TRUE(edited.modified);
    ASSERT_EQ(prompter.messages.size(), 2u) << messages();
    EXPECT_EQ(prompter.messages[0].text, "Cannot read file");
    EXPECT_EQ(prompter.messages[1].text, "Error saving file \"" + file.string() + "\".");
    prompter.messages.clear();
    EXPECT_EQ(lmbtest::readFile(file), before);
    EXPECT_EQ(countEntries(file.parent_path()), 1u) << "the temporary file is removed";

    // A folder that does not exist.
    const fs::path nowhere = home.root() / "no" / "such.lmb";
    EXPECT_FALSE(SaveProject(edited, nowhere, options(), prompter, progress));
    expectOnlyMessage("Error saving file \"" + nowhere.string() + "\".");
}

TEST_F(ProjectFile, AdoptingReplacesTheEmbeddedFolder)
{
    Project current = sampleProject(home);
    save(current);
    const fs::path oldDir = current.embeddedDir;
    auto loaded = LoadProject(file, load, prompter, progress);
    ASSERT_TRUE(loaded);
    const fs::path newDir = loaded->embeddedDir;
    adoptProject(current, std::move(*loaded));
    EXPECT_FALSE(fs::exists(oldDir));
    EXPECT_EQ(current.embeddedDir, newDir);
    EXPECT_TRUE(fs::exists(newDir / "logo.png"));
    renewEmbeddedDir(current, home.root() / "tmpapp");
    EXPECT_FALSE(fs::exists(newDir));
    EXPECT_TRUE(fs::is_directory(current.embeddedDir));
    EXPECT_EQ(countEntries(current.embeddedDir), 0u);
}

TEST(ScriptTxt, LinesEndWithCrLf)
{
    EXPECT_EQ(scriptTxtBytes(""), "");
    EXPECT_EQ(scriptTxtBytes("a"), "a\r\n");
    EXPECT_EQ(scriptTxtBytes("a\nb\r\nc\r"), "a\r\nb\r\nc\r\n");
    EXPECT_EQ(scriptTxtBytes("\n\n"), "\r\n\r\n");
}

TEST_F(ProjectFile, LargeFormsAreReadPastTheFirstPrefix)
{
    // A picture in the form makes the value section longer than the loader's first read.
    Project p = sampleProject(home);
    std::string picture(3'500'000, '\0');
    std::mt19937 rng(9);
    for (auto& c : picture)
        c = static_cast<char>(rng());
    std::string form;
    vcl::TypedValueWriter w(form);
    w.writeSignature();
    w.writeShortString("TForm");
    w.writeShortString("Form1");
    w.writeShortString("Picture.Data");
    w.writeBinary(picture);
    w.writeListEnd();
    w.writeListEnd();
    p.formStream = form;
    save(p);
    auto loaded = LoadProject(file, load, prompter, progress);
    ASSERT_TRUE(loaded) << messages();
    EXPECT_EQ(loaded->formStream, form);
    EXPECT_EQ(loaded->lines, p.lines);
    EXPECT_TRUE(fs::exists(loaded->embeddedDir / "logo.png"));

    const std::string bytes = lmbtest::readFile(file);
    home.writeFile("work/Menu.lmb", bytes.substr(0, 2'000'000));
    EXPECT_FALSE(LoadProject(file, load, prompter, progress));
    expectOnlyMessage("An error occured while loading \"" + file.string() + "\".");
}

TEST_F(ProjectFile, SavingThroughALinkReplacesTheLinkedFile)
{
    Project p = sampleProject(home);
    save(p);
    const fs::path link = home.root() / "link.lmb";
    fs::create_symlink(file, link);
    p.lines = {"changed"};
    ASSERT_TRUE(SaveProject(p, link, options(), prompter, progress)) << messages();
    EXPECT_TRUE(fs::is_symlink(link));
    auto loaded = LoadProject(file, load, prompter, progress);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->lines, std::vector<std::string>{"changed"});
    EXPECT_EQ(countEntries(file.parent_path()), 1u);
}

TEST_F(ProjectFile, OnlyBytesThatRanOutAskForMoreOfTheFile)
{
    // A first part of a file that ends inside the form asks for more; a form that is damaged in its
    // first part is refused at once, so a damaged file is never read whole into memory.
    Project p = sampleProject(home);
    save(p);
    const std::string good = lmbtest::readFile(file);
    const size_t formAt = good.find(formStream());
    const std::string_view cut = std::string_view(good).substr(0, formAt + 20);
    EXPECT_THROW(readValueSection(cut, false), NeedMoreBytes);
    std::string notForm = good;
    notForm.replace(notForm.find("TForm"), 5, "TEdit");
    try {
        readValueSection(std::string_view(notForm).substr(0, formAt + 20), false);
        ADD_FAILURE() << "accepted";
    } catch (const ProjectLoadError& e) {
        EXPECT_EQ(e.failure(), LoadFailure::Damaged);
    }
}

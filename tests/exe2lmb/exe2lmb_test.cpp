// Runs the EXE2LMB program of this build and checks its console text and exit status.
#include "export/single_executable.h"
#include "support/run_program.h"
#include "support/temp_home.h"

#include <cstring>
#include <gtest/gtest.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using ToolRun = lmbtest::ProgramRun;

ToolRun exe2lmb(const lmbtest::TempHome& home, const std::vector<std::string>& args)
{
    return lmbtest::runProgram(lmbtest::distDir() / "EXE2LMB", args, home.root());
}

const std::string kBanner = "EXE2LMB Console Version 1.0\n"
                            "Copyright (C) Orvane. All rights reserved.\n"
                            "Get your free copy of Lumeni Zarerud from https://lumeni-zarerud.example/\n"
                            "\n";
const std::string kUsage = "Usage: EXE2LMB SingleExeFile LMBFile\n"
                           "\n"
                           "      SingleExeFile - Exported Single Exe File (Embedded LMB Project)\n"
                           "      LMBFile       - Output .LMB File\n"
                           "\n"
                           "\n";
const std::string kTrying = "Trying to extract embedded LMB file...\n";

std::string runtimeImage()
{
    std::string s(4096, '\x90');
    s.replace(0, 64, std::string(64, '\0'));
    s[0] = 'M';
    s[1] = 'Z';
    return s;
}

} // namespace

TEST(Exe2Lmb, UsageWhenTheInputIsMissing)
{
    lmbtest::TempHome home;
    for (const auto& args : std::vector<std::vector<std::string>>{
             {}, {(home.root() / "nothing.exe").string(), "x.lmb"}, {home.root().string()}}) {
        const ToolRun r = exe2lmb(home, args);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, kBanner + kUsage);
    }
}

TEST(Exe2Lmb, ExtractsAndReportsTheBytes)
{
    lmbtest::TempHome home;
    const fs::path exe = home.writeFile("app.exe", runtimeImage());
    exporting::AppendProjectToExe(exe, home.writeFile("p.lmb", std::string(777, 'p')));
    const std::string out = (home.root() / "back.lmb").string();
    const ToolRun r = exe2lmb(home, {exe.string(), out});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, kBanner + kTrying + "Succes!\n777 bytes extracted from \"" + exe.string() + "\" to \"" +
                         out + "\"\n");
    EXPECT_EQ(lmbtest::readFile(out), std::string(777, 'p'));
    EXPECT_EQ(fs::file_size(exe) - 4096, fs::file_size(out));
}

TEST(Exe2Lmb, PlainRuntimeHasNoProject)
{
    lmbtest::TempHome home;
    const fs::path exe = home.writeFile("player.exe", runtimeImage());
    const fs::path out = home.root() / "none.lmb";
    const ToolRun r = exe2lmb(home, {exe.string(), out.string()});
    EXPECT_EQ(r.status, exporting::kNoEmbeddedProjectExitCode);
    EXPECT_EQ(r.out, kBanner + kTrying + "ERROR: File \"" + exe.string() +
                         "\" does not contain any Embedded LMB Project!\n");
    EXPECT_FALSE(fs::exists(out));
}

TEST(Exe2Lmb, FailuresCarryTheSystemCode)
{
    lmbtest::TempHome home;
    const fs::path exe = home.writeFile("app.exe", runtimeImage());
    exporting::AppendProjectToExe(exe, home.writeFile("p.lmb", "P"));

    const ToolRun missingFolder = exe2lmb(home, {exe.string(), (home.root() / "no/such/dir/x.lmb").string()});
    EXPECT_EQ(missingFolder.status, ENOENT);
    EXPECT_EQ(missingFolder.out, kBanner + kTrying + "Some error occured: " + std::to_string(ENOENT) + "\n" +
                                     std::strerror(ENOENT) + "\n");

    // Writing over the input would destroy it: refused, input untouched, nonzero status.
    const auto before = lmbtest::readFile(exe);
    const ToolRun same = exe2lmb(home, {exe.string(), exe.string()});
    EXPECT_NE(same.status, 0);
    EXPECT_EQ(same.out, kBanner + kTrying + "ERROR: The output file \"" + exe.string() +
                            "\" is the input file itself!\n");
    EXPECT_EQ(lmbtest::readFile(exe), before);

    // An offset beyond the end carries no code of its own but must not end with 0.
    std::string broken = runtimeImage();
    broken[48] = 1;
    const ToolRun beyond = exe2lmb(home, {home.writeFile("bad.exe", broken).string(), "x.lmb"});
    EXPECT_NE(beyond.status, 0);
    EXPECT_NE(beyond.out.find("Some error occured: "), std::string::npos);
}

// lmbtool check, compose and pack through the built program: the studio's compile of a project's lines
// against its form, of a script on its own, and the compile that comes before a pack.
#include "project/project_file.h"
#include "support/temp_home.h"
#include "vcl/component.h"
#include "vcl/form_stream.h"

#include "support/run_program.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

using ToolRun = lmbtest::ProgramRun;

ToolRun runTool(const lmbtest::TempHome& home, const std::vector<std::string>& args)
{
    return lmbtest::runProgram(lmbtest::distDir() / "lmbtool", args, home.root());
}

// Form1 holding components of the given classes, named after their class (TButton -> Button1).
std::string formWith(const std::vector<std::string>& classes)
{
    auto form = vcl::Component::create("TForm");
    form->setName("Form1");
    int n = 0;
    for (const auto& cls : classes) {
        auto& c = form->adopt(vcl::Component::create(cls));
        c.setName(cls.substr(1) + std::to_string(++n));
        if (c.isControl())
            c.setParent(form.get());
    }
    return vcl::writeComponentStream(*form);
}

fs::path writeProject(const lmbtest::TempHome& home, const std::string& name, const std::string& form,
                      std::vector<std::string> lines)
{
    project::Project p;
    p.formStream = form;
    p.lines = std::move(lines);
    const fs::path file = home.root() / name;
    project::Progress progress;
    project::writeProjectFile(file, p, "", project::SaveOptions{}, progress);
    return file;
}

class LmbtoolScript : public ::testing::Test {
protected:
    lmbtest::TempHome home;
};

} // namespace

TEST_F(LmbtoolScript, CheckAndComposeAProject)
{
    const std::vector<std::string> lines = {"procedure Button1OnClick(Sender: TObject);", "begin",
                                            "  Button1.Caption := 'Done';", "end;"};
    const fs::path file = writeProject(home, "Menu.lmb", formWith({"TButton"}), lines);
    ToolRun r = runTool(home, {"check", file.string()});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(r.out, "Succesfully compiled\n");

    r = runTool(home, {"compose", file.string()});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "procedure Button1OnClick(Sender: TObject);\r\nbegin\r\n  Button1.Caption := 'Done';\r\nend;"
              "\r\nbegin  Button1.OnClick:=@Button1OnClick;Form1.showmodal; Form1.Free; \r\nend.");
}

TEST_F(LmbtoolScript, CheckReportsTheRowsOfAFailedProject)
{
    fs::path file =
        writeProject(home, "Bad.lmb", formWith({"TButton"}), {"procedure P;", "begin", "  Foo;", "end;"});
    ToolRun r = runTool(home, {"check", file.string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "Failed when compiling script.\n[Error] (3:3): Unknown identifier 'Foo'\n");

    // A component whose class scripts do not know fails the compile with its name.
    file = writeProject(home, "Rich.lmb", formWith({"TRichEdit"}), {});
    r = runTool(home, {"check", file.string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("Invalid type for variable RichEdit1"), std::string::npos) << r.out;

    r = runTool(home, {"check", home.writeFile("junk.lmb", "not a project").string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.empty());
    EXPECT_FALSE(r.err.empty());
    EXPECT_EQ(runTool(home, {"check"}).status, 2);
    EXPECT_EQ(runTool(home, {"compose"}).status, 2);
}

TEST_F(LmbtoolScript, CheckAScriptWithoutAForm)
{
    home.writeFile("scripts/util.inc",
                   "function Twice(A: Integer): Integer;\nbegin\n  Result := A * 2;\nend;\n");
    const fs::path ok =
        home.writeFile("scripts/ok.pas", "{$I util.inc}\nbegin\n  ShowMessage(IntToStr(Twice(2)));\nend.\n");
    ToolRun r = runTool(home, {"check", ok.string()});
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out, "");

    const fs::path units = home.writeFile("scripts/units.pas", "uses Windows;\nbegin\nend.\n");
    r = runTool(home, {"check", units.string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("Unknown identifier ''"), std::string::npos) << r.out;
}

TEST_F(LmbtoolScript, PackCompilesFirst)
{
    home.writeFile("unpacked/form.dfm", formWith({"TButton"}));
    home.writeFile("unpacked/script.pas", "procedure Button1OnClick(Sender: TObject);\nbegin\nend;\n");
    const fs::path target = home.root() / "Packed.lmb";
    ToolRun r = runTool(home, {"pack", (home.root() / "unpacked").string(), target.string()});
    ASSERT_EQ(r.status, 0) << r.err;
    r = runTool(home, {"dump", target.string()});
    EXPECT_NE(r.out.find("Button1.OnClick:=@Button1OnClick;"), std::string::npos) << r.out;

    // A script that does not compile writes nothing.
    home.writeFile("unpacked/script.pas", "procedure P;\nbegin\n  Foo;\nend;\n");
    const fs::path failed = home.root() / "Failed.lmb";
    r = runTool(home, {"pack", (home.root() / "unpacked").string(), failed.string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(fs::exists(failed));
    EXPECT_NE(r.err.find("Unknown identifier 'Foo'"), std::string::npos) << r.err;
}

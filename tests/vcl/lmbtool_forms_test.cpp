// lmbtool form2text and text2form, run as the program.
#include "support/temp_home.h"
#include "vcl/form_file.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>

namespace {

int lmbtool(const std::string& args)
{
    const std::string cmd = (lmbtest::distDir() / "lmbtool").string() + " " + args + " >/dev/null 2>&1";
    const int status = std::system(cmd.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

TEST(LmbtoolForms, TextToResourceAndBack)
{
    lmbtest::TempHome home;
    const std::string text = "object Form1: TForm\r\n  Caption = 'Hi'\r\n  object Label1: TLabel\r\n"
                             "    Caption = 'x'#13#10'y'\r\n  end\r\nend\r\n";
    const auto src = home.writeFile("form.txt", text);
    const auto dfm = home.root() / "form.dfm";
    const auto raw = home.root() / "form.bin";
    const auto back = home.root() / "back.txt";
    ASSERT_EQ(lmbtool("text2form " + src.string() + " " + dfm.string()), 0);
    EXPECT_EQ(vcl::detectFormFileFormat(lmbtest::readFile(dfm)), vcl::FormFileFormat::Resource);
    ASSERT_EQ(lmbtool("text2form " + src.string() + " " + raw.string() + " --raw"), 0);
    EXPECT_EQ(lmbtest::readFile(raw).substr(0, 4), "TPF0");
    for (const auto& in : {dfm, raw}) {
        ASSERT_EQ(lmbtool("form2text " + in.string() + " " + back.string()), 0);
        EXPECT_EQ(lmbtest::readFile(back), text);
    }
    EXPECT_EQ(lmbtool("form2text " + src.string()), 0); // text in: read and written again

    const auto bad = home.writeFile("bad.txt", "object Form1: TForm\r\n  Caption = \r\n");
    EXPECT_EQ(lmbtool("text2form " + bad.string() + " " + (home.root() / "x.dfm").string()), 1);
    EXPECT_FALSE(std::filesystem::exists(home.root() / "x.dfm"));
    const auto junk = home.writeFile("junk.dfm", "PK\x03\x04 not a form");
    EXPECT_EQ(lmbtool("form2text " + junk.string()), 1);
    EXPECT_EQ(lmbtool("form2text"), 2);
    EXPECT_EQ(lmbtool("text2form " + src.string()), 2);
}

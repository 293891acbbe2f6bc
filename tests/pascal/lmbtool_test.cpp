// `lmbtool check` and `lmbtool run` as a user calls them: messages, output, exit codes.
#include "support/temp_home.h"

#include <array>
#include <cstdio>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace {

struct Ran {
    int status;
    std::string out;
};

// Runs lmbtool with stderr joined to stdout.
Ran lmbtool(const std::string& args)
{
    std::string cmd = (lmbtest::distDir() / "lmbtool").string() + " " + args + " 2>&1 < /dev/null";
    Ran r{-1, {}};
    FILE* p = ::popen(cmd.c_str(), "r");
    if (!p)
        return r;
    std::array<char, 4096> buf;
    std::size_t n;
    while ((n = std::fread(buf.data(), 1, buf.size(), p)) > 0)
        r.out.append(buf.data(), n);
    int st = ::pclose(p);
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    return r;
}

TEST(Lmbtool, CheckPrintsTheLongForm)
{
    lmbtest::TempHome home;
    auto good = home.writeFile("good.pas", "var Unused: Integer;\nbegin\n  Writeln('x');\nend.\n");
    auto bad = home.writeFile("bad.pas", "begin\n  Foo;\nend.\n");
    home.writeFile("inc/part.inc", "procedure Part;\nbegin\n  Nope;\nend;\n");
    auto inc = home.writeFile("inc.pas", "{$I inc/../inc/part.inc}\nbegin\nend.\n"); // named plainly
    Ran r = lmbtool("check " + good.string());
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "[Hint] (1:5): Variable 'Unused' never used\n");
    r = lmbtool("check " + bad.string());
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "[Error] (2:3): Unknown identifier 'Foo'\n");
    r = lmbtool("check " + inc.string());
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out,
              "[Error] " + (home.root() / "inc/part.inc").string() + "(3:3): Unknown identifier 'Nope'\n");
}

TEST(Lmbtool, RunEndsWithTheScriptsCode)
{
    lmbtest::TempHome home;
    struct Row {
        const char* script;
        int status;
        const char* output;
    };
    const Row rows[] = {
        {"begin\n  Writeln('hello');\nend.\n", 0, "hello\n"},
        {"begin\n  Writeln('bye');\n  ExitProcess(7);\nend.\n", 7, "bye\n"},
        {"var Z: Integer;\nbegin\n  Z := 0;\n  Writeln(IntToStr(1 div Z));\nend.\n", 30,
         "Runtime error at (4:22): Division by zero\n"},
        {"begin\n  Nope;\nend.\n", 1, "[Error] (2:3): Unknown identifier 'Nope'\n"},
    };
    for (const Row& row : rows) {
        auto f = home.writeFile("s.pas", row.script);
        Ran r = lmbtool("run " + f.string());
        EXPECT_EQ(r.status, row.status) << row.script;
        EXPECT_EQ(r.out, row.output) << row.script;
    }
    EXPECT_EQ(lmbtool("run").status, 2);
}

} // namespace

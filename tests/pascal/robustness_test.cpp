// Bad input gets a clear message, never a crash, a hang or an exhausted stack.
#include "pascal/compiler.h"
#include "pascal/interpreter.h"
#include "pascal/preprocessor.h"
#include "pascal/program.h"

#include <gtest/gtest.h>
#include <random>

namespace {

pascal::CompileResult compile(const std::string& text)
{
    pascal::Compiler c;
    return c.compile(text);
}

TEST(Robustness, HostileTextsEndInOneClearError)
{
    struct Row {
        std::string name;
        std::string text;
        std::string error; // first error's text
    };
    std::string deepParens =
        "var X: Integer; begin X := " + std::string(100000, '(') + "1" + std::string(100000, ')') + "; end.";
    std::string deepBegins;
    for (int i = 0; i < 100000; ++i)
        deepBegins += "begin ";
    std::string longChain = "var X: Integer; begin X := 1";
    for (int i = 0; i < 20000; ++i)
        longChain += " + X";
    longChain += "; end.";
    std::string deepTypes = "type T0 = record A: Integer; end;\n";
    for (int i = 1; i < 200; ++i)
        deepTypes += std::string("T") + std::to_string(i) + std::string(" = record A: T") +
                     std::to_string(i - 1) + std::string("; end;\n");
    deepTypes += "begin end.";
    const Row rows[] = {
        {"parens", deepParens, "Nesting too deep"},
        {"begins", deepBegins, "Nesting too deep"},
        {"chain", longChain, "Nesting too deep"},
        {"types", deepTypes, "Nesting too deep"},
        {"huge array", "var A: array[0..2000000000] of Integer; begin end.", "Data type too large"},
        {"comment", "begin end.\n{ open", ""},
        {"comment inside", "begin { open\nend.", "Unexpected end of file"},
        {"nul bytes", std::string("begin \0 end.", 12), "Illegal character in input file: ($00)"},
        {"number", "var X: Int64; begin X := $1FFFFFFFFFFFFFFFF; end.", "Constant out of range"},
        {"empty", "", "'BEGIN' expected"},
    };
    for (const Row& row : rows) {
        auto r = compile(row.text);
        if (row.error.empty()) {
            EXPECT_TRUE(r.success) << row.name;
            continue;
        }
        ASSERT_FALSE(r.success) << row.name;
        EXPECT_EQ(r.firstError()->text, row.error) << row.name;
    }
}

TEST(Robustness, TenMegabyteStringLiteral)
{
    std::string text = "var S: String; begin S := '" + std::string(10 << 20, 'x') + "'; end.";
    auto r = compile(text);
    EXPECT_TRUE(r.success);
    std::string open = "var S: String; begin S := '" + std::string(10 << 20, 'x');
    r = compile(open);
    ASSERT_FALSE(r.success);
    EXPECT_EQ(r.firstError()->longForm(), "[Error] (1:27): Unterminated string");
}

TEST(Robustness, RandomBytesNeverCrashTheCompiler)
{
    std::mt19937 rng(1234);
    std::string bytes(1 << 20, '\0');
    for (char& c : bytes)
        c = static_cast<char>(rng());
    auto r = compile(bytes);
    EXPECT_FALSE(r.success);
    // and a megabyte of plausible tokens in random order
    const char* words[] = {"begin", "end", "(",   ")", "x", ":=", ";", "if",
                           "then",  "1",   "'s'", "[", "]", ".",  ","};
    std::string soup;
    while (soup.size() < (1 << 20))
        soup += std::string(words[rng() % 15]) + " ";
    r = compile(soup);
    EXPECT_FALSE(r.success);
}

TEST(Robustness, RunawayScriptsStopAtTheLimit)
{
    auto r = compile("var I: Integer; begin I := 0; while True do Inc(I); end.");
    ASSERT_TRUE(r.success);
    pascal::Bindings b;
    pascal::Interpreter vm(r.program, b);
    vm.setInstructionLimit(100000);
    EXPECT_THROW(vm.run(), pascal::RuntimeError);
    r = compile("var S: String; begin SetLength(S, 2000000000); end.");
    ASSERT_TRUE(r.success);
    pascal::Interpreter vm2(r.program, b);
    try {
        vm2.run();
        FAIL();
    } catch (const pascal::RuntimeError& e) {
        EXPECT_STREQ(e.what(), "Out of memory");
    }
}

TEST(Robustness, DamagedCompiledOutputIsRefused)
{
    auto r = compile("var I: Integer; begin for I := 1 to 3 do I := I; end.");
    ASSERT_TRUE(r.success);
    std::string out = r.output();
    EXPECT_NO_THROW(pascal::deserializeProgram(out));
    EXPECT_THROW(pascal::deserializeProgram(out.substr(0, out.size() / 2)), platform::Error);
    std::string flipped = out;
    flipped[flipped.size() / 2] ^= 0x40;
    EXPECT_THROW(pascal::deserializeProgram(flipped), platform::Error);
    EXPECT_THROW(pascal::deserializeProgram("garbage"), platform::Error);
    // a program whose code jumps outside its routine is refused even with a good checksum
    pascal::Program p = *r.program;
    p.code[p.routines[0].entry].op = pascal::OP_JMP;
    p.code[p.routines[0].entry].d = 1 << 20;
    EXPECT_THROW(pascal::verifyProgram(p), platform::Error);
}

} // namespace

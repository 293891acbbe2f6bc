// The golden cases: every tests/pascal/cases/*.pas is compiled and, when it compiles, run with the
// console routines. Expectations are comments in the case itself:
//   // error 3:5: Unknown identifier 'X'      messages in order (also warning / hint; a module name
//   // hint inc/a.inc 2:5: Variable 'I' never used    may come before the position)
//   // prints: 42                              output lines in order
//   // runtime 7:3: Division by zero           the run-time error that ends the run
//   // exit: 3                                 the ExitProcess code
//   // input: text                             lines Readln reads
//   // define: NAME                            symbols for {$IFDEF}
// Every case that compiles is also run from its compiled output read back, with the same results.
#include "pascal/compiler.h"
#include "pascal/console_host.h"
#include "pascal/interpreter.h"
#include "pascal/program.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::string readAll(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

struct Expectations {
    std::vector<std::string> messages; // "[Kind] module(r:c): text"
    std::vector<std::string> output;
    std::string runtime; // "Runtime error at (r:c): text"
    int exitCode = 0;
    std::string input;
    std::vector<std::string> defines;
};

Expectations parse(const std::string& text)
{
    Expectations e;
    std::istringstream in(text);
    std::string line;
    auto rest = [&](std::size_t at) { return line.substr(at); };
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        auto p = line.find("// ");
        if (p == std::string::npos)
            continue;
        std::string c = line.substr(p + 3);
        line = c;
        for (const char* kind : {"error", "warning", "hint"}) {
            std::string k = kind;
            if (c.rfind(k + " ", 0) == 0) {
                std::string body = c.substr(k.size() + 1);
                // "[module ]r:c: text"
                std::string module;
                auto sp = body.find(' ');
                auto colon = body.find(':');
                if (sp != std::string::npos && sp < colon) {
                    module = body.substr(0, sp);
                    body = body.substr(sp + 1);
                }
                auto c1 = body.find(':');
                auto c2 = body.find(':', c1 + 1);
                std::string row = body.substr(0, c1), col = body.substr(c1 + 1, c2 - c1 - 1);
                std::string txt = body.substr(c2 + 2);
                std::string K = k;
                K[0] = static_cast<char>(K[0] - 32);
                e.messages.push_back("[" + K + "] " + module + "(" + row + ":" + col + "): " + txt);
            }
        }
        if (c.rfind("prints: ", 0) == 0)
            e.output.push_back(rest(8));
        else if (c == "prints:")
            e.output.push_back("");
        else if (c.rfind("runtime ", 0) == 0) {
            std::string body = c.substr(8);
            auto c2 = body.find(':', body.find(':') + 1);
            e.runtime = "Runtime error at (" + body.substr(0, c2) + "): " + body.substr(c2 + 2);
        } else if (c.rfind("exit: ", 0) == 0)
            e.exitCode = std::stoi(rest(6));
        else if (c.rfind("input: ", 0) == 0)
            e.input += rest(7) + "\n";
        else if (c.rfind("define: ", 0) == 0)
            e.defines.push_back(rest(8));
    }
    return e;
}

struct Outcome {
    std::vector<std::string> output;
    std::string runtime;
    int exitCode = 0;
};

Outcome run(std::shared_ptr<const pascal::Program> program, const std::string& input)
{
    Outcome o;
    std::ostringstream out;
    std::istringstream in(input);
    pascal::Bindings b;
    pascal::bindConsole(b, out, in);
    try {
        pascal::Interpreter vm(std::move(program), b);
        vm.setInstructionLimit(50'000'000);
        vm.run();
    } catch (const pascal::Halt& h) {
        o.exitCode = h.code();
    } catch (const pascal::RuntimeError& e) {
        o.runtime = e.longForm();
    }
    std::istringstream lines(out.str());
    std::string line;
    while (std::getline(lines, line))
        o.output.push_back(line);
    return o;
}

std::vector<std::string> caseNames()
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(LMB_PASCAL_CASES))
        if (entry.path().extension() == ".pas")
            names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

class Golden : public ::testing::TestWithParam<std::string> {};

TEST_P(Golden, Case)
{
    fs::path dir = LMB_PASCAL_CASES;
    std::string text = readAll(dir / (GetParam() + ".pas"));
    Expectations want = parse(text);
    pascal::Compiler compiler;
    compiler.addDeclarations(pascal::declareConsole);
    pascal::CompileOptions options;
    options.defines = want.defines;
    auto include = [dir](const std::string&, const std::string& name, pascal::IncludeFile& out) {
        fs::path p = dir / name;
        if (!fs::exists(p))
            return false;
        out.text = readAll(p);
        out.path = name;
        return true;
    };
    pascal::CompileResult result = compiler.compileSource(text, "", include, options);
    std::vector<std::string> got;
    for (const auto& m : result.messages)
        got.push_back(m.longForm());
    EXPECT_EQ(got, want.messages);
    if (!result.success) {
        // a case that does not compile cannot meet expectations of its run
        EXPECT_TRUE(want.output.empty() && want.runtime.empty() && want.exitCode == 0)
            << "the case expects a run but does not compile";
        return;
    }
    Outcome o = run(result.program, want.input);
    EXPECT_EQ(o.output, want.output);
    EXPECT_EQ(o.runtime, want.runtime);
    EXPECT_EQ(o.exitCode, want.exitCode);

    // the compiled output runs the same once read back
    std::shared_ptr<pascal::Program> back = pascal::deserializeProgram(result.output());
    Outcome o2 = run(back, want.input);
    EXPECT_EQ(o2.output, o.output);
    EXPECT_EQ(o2.runtime, o.runtime);
    EXPECT_EQ(o2.exitCode, o.exitCode);
}

INSTANTIATE_TEST_SUITE_P(Cases, Golden, ::testing::ValuesIn(caseNames()),
                         [](const ::testing::TestParamInfo<std::string>& i) { return i.param; });

} // namespace

// Speed of the script engine, measured against other implementations in the same run:
//  - compile: a generated script of 56,000 lines (4,000 functions with loops, case and string
//    building) checked by our compiler, and the same program compiled by `fpc -Mdelphi`;
//  - run: the loop program below run by our interpreter, by python3 running the same algorithm,
//    and as native code from `fpc -O2`.
// The outside programs are skipped (with a note) when they are not installed.
#include "pascal/compiler.h"
#include "pascal/console_host.h"
#include "pascal/interpreter.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

const char* const kLoopProgram = R"(function Calc(A, B: Integer; const S: String): Integer;
var I, J: Integer; T: String;
begin
  J := 0; T := S;
  for I := A to B do
  begin
    if (I mod 3) = 0 then J := J + I * 2 else J := J - 1;
    T := T + IntToStr(J);
  end;
  Result := J + Length(T);
end;
var K, Tot: Integer;
begin
  Tot := 0;
  for K := 1 to 200000 do Tot := Tot + Calc(1, 10, 'x');
  Writeln(IntToStr(Tot));
end.
)";

const char* const kLoopPython = R"(def calc(a, b, s):
    j = 0
    t = s
    for i in range(a, b + 1):
        if i % 3 == 0:
            j = j + i * 2
        else:
            j = j - 1
        t = t + str(j)
    return j + len(t)
tot = 0
for k in range(1, 200001):
    tot = tot + calc(1, 10, 'x')
print(tot)
)";

// 4,000 functions of 14 lines each, and a main block that calls some of them.
std::string generatedScript()
{
    std::string s;
    s.reserve(2 << 20);
    for (int f = 0; f < 4000; ++f) {
        std::string n = std::to_string(f);
        s += "function F" + n + "(A, B: Integer; const S: String): Integer;\n";
        s += "var I, J: Integer; T: String;\n";
        s += "begin\n";
        s += "  J := " + n + "; T := S;\n";
        s += "  for I := A to B do\n";
        s += "  begin\n";
        s += "    case I mod 4 of\n";
        s += "      0: J := J + I * " + std::to_string(f % 7 + 1) + ";\n";
        s += "      1, 2: J := J - 1;\n";
        s += "    else J := J div 2 + Length(T); end;\n";
        s += "    T := T + IntToStr(J) + 'x';\n";
        s += "  end;\n";
        s += "  Result := J + Length(T);\n";
        s += "end;\n";
    }
    s += "var Tot: Integer;\nbegin\n  Tot := 0;\n";
    for (int f = 0; f < 4000; f += 97)
        s += "  Tot := Tot + F" + std::to_string(f) + "(1, 20, 'a');\n";
    s += "  Writeln(IntToStr(Tot));\nend.\n";
    return s;
}

fs::path workDir()
{
    fs::path d = fs::temp_directory_path() / ("lmb-bench-pascal-" + std::to_string(::getpid()));
    fs::create_directories(d);
    return d;
}

void writeFile(const fs::path& p, const std::string& text)
{
    std::ofstream(p, std::ios::binary) << text;
}

// A path in single quotes for the shell.
std::string quoted(const fs::path& p)
{
    std::string r = "'";
    r += p.string();
    r += '\'';
    return r;
}

bool have(const char* program)
{
    std::string cmd = std::string("command -v ") + program + " > /dev/null 2>&1";
    return std::system(cmd.c_str()) == 0;
}

double secondsOf(const std::string& command)
{
    auto t0 = std::chrono::steady_clock::now();
    int rc = std::system(command.c_str());
    auto t1 = std::chrono::steady_clock::now();
    if (rc != 0)
        return -1;
    return std::chrono::duration<double>(t1 - t0).count();
}

std::shared_ptr<const pascal::Program> compileOurs(const std::string& text)
{
    pascal::Compiler c;
    c.addDeclarations(pascal::declareConsole);
    auto r = c.compile(text);
    if (!r.success)
        return nullptr;
    return r.program;
}

void BM_CompileGenerated_Ours(benchmark::State& state)
{
    std::string text = generatedScript();
    for (auto _ : state) {
        auto p = compileOurs(text);
        if (!p) {
            state.SkipWithError("the generated script does not compile");
            return;
        }
        benchmark::DoNotOptimize(p);
    }
    state.counters["lines"] = 56000;
}

void BM_CompileGenerated_Fpc(benchmark::State& state)
{
    if (!have("fpc")) {
        state.SkipWithError("fpc is not installed");
        return;
    }
    fs::path dir = workDir();
    writeFile(dir / "gen.pas", "program gen;\n{$mode delphi}\nuses SysUtils;\n" + generatedScript());
    std::string cmd = "cd " + quoted(dir) + " && fpc -Mdelphi -ogen gen.pas > /dev/null 2>&1";
    for (auto _ : state) {
        double s = secondsOf(cmd);
        if (s < 0) {
            state.SkipWithError("fpc failed");
            break;
        }
        state.SetIterationTime(s);
    }
    fs::remove_all(dir);
}

void BM_RunLoop_Ours(benchmark::State& state)
{
    auto program = compileOurs(kLoopProgram);
    if (!program) {
        state.SkipWithError("the loop program does not compile");
        return;
    }
    std::ostringstream out;
    std::istringstream in;
    pascal::Bindings b;
    pascal::bindConsole(b, out, in);
    for (auto _ : state) {
        pascal::Interpreter vm(program, b);
        vm.run();
    }
    if (out.str().rfind("9400000\n", 0) != 0)
        state.SkipWithError(("wrong result: " + out.str()).c_str());
}

void BM_RunLoop_Python(benchmark::State& state)
{
    if (!have("python3")) {
        state.SkipWithError("python3 is not installed");
        return;
    }
    fs::path dir = workDir();
    writeFile(dir / "loop.py", kLoopPython);
    std::string cmd = "python3 " + quoted(dir / "loop.py") + " > /dev/null";
    for (auto _ : state)
        state.SetIterationTime(secondsOf(cmd));
    fs::remove_all(dir);
}

void BM_RunLoop_FpcNative(benchmark::State& state)
{
    if (!have("fpc")) {
        state.SkipWithError("fpc is not installed");
        return;
    }
    fs::path dir = workDir();
    writeFile(dir / "loop.pas",
              std::string("program loop;\n{$mode delphi}\nuses SysUtils;\n") + kLoopProgram);
    if (secondsOf("cd " + quoted(dir) + " && fpc -Mdelphi -O2 -oloop loop.pas > /dev/null 2>&1") < 0) {
        state.SkipWithError("fpc failed");
        return;
    }
    std::string cmd = quoted(dir / "loop") + " > /dev/null";
    for (auto _ : state)
        state.SetIterationTime(secondsOf(cmd));
    fs::remove_all(dir);
}

// A script interface of the studio's size, declared again at every compile as the studio does:
// 1,500 routines, 150 classes with 20 properties and 5 methods each, 400 constants, 100 types.
void BM_DeclareInterface(benchmark::State& state)
{
    auto declare = [](pascal::Registrar& r) {
        r.addType("TNotifyEvent", "procedure (Sender: TObject) of object");
        for (int i = 0; i < 100; ++i)
            r.addType("TEnum" + std::to_string(i), "( e" + std::to_string(i) + "a, e" + std::to_string(i) +
                                                       "b, e" + std::to_string(i) + "c )");
        for (int i = 0; i < 400; ++i)
            r.addIntegerConstant("CONST_" + std::to_string(i), i);
        for (int i = 0; i < 1500; ++i)
            r.addRoutine("function Routine" + std::to_string(i) +
                         "(const Section, Key: String; const Default: Longint; var Found: Boolean): String;");
        std::string parent = "TObject";
        for (int c = 0; c < 150; ++c) {
            std::string name = "TClass" + std::to_string(c);
            auto cls = r.addClass(name, parent);
            for (int p = 0; p < 20; ++p)
                cls.addProperty("Prop" + std::to_string(p), p % 2 ? "Integer" : "TNotifyEvent", 0);
            for (int m = 0; m < 5; ++m)
                cls.addMethod("procedure Method" + std::to_string(m) + "(X: Integer; const S: String)");
            parent = name;
        }
    };
    for (auto _ : state) {
        pascal::Compiler c;
        c.addDeclarations(declare);
        auto r = c.compile("begin end.");
        if (!r.success) {
            state.SkipWithError("the declarations failed");
            return;
        }
        benchmark::DoNotOptimize(r);
    }
}

} // namespace

BENCHMARK(BM_DeclareInterface)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompileGenerated_Ours)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_CompileGenerated_Fpc)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);
BENCHMARK(BM_RunLoop_Ours)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_RunLoop_Python)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);
BENCHMARK(BM_RunLoop_FpcNative)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);

BENCHMARK_MAIN();

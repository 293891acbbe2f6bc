// Benchmarks of the script interface: registering the whole declaration sequence, and the studio's
// compile of a 1,000-line project script against a form of 60 components (registration, preprocessing,
// main block with bindings, compile). Targets: registration well under 50 ms, the project compile under
// 30 ms.
#include "pascal/compiler.h"
#include "script/compiler_host.h"
#include "script/form_info.h"
#include "script/list_generator.h"

#include <benchmark/benchmark.h>

using namespace script;

namespace {

const EventLists& lists()
{
    static const EventLists l = [] {
        std::vector<std::string> el, byName;
        for (const auto& g : generateStudioLists()) {
            if (g.relativePath == "ELEvents.lst")
                el = g.lines;
            if (g.relativePath == "EventsByNames.lst")
                byName = g.lines;
        }
        return EventLists(TwoLineList(el), TwoLineList(byName));
    }();
    return l;
}

// 60 components of six classes, each with a click handler of 14 lines plus helpers: 1,000 lines.
struct Project {
    std::vector<FormComponentRef> components;
    std::string script;
    int lines = 0;
};

Project makeProject()
{
    Project p;
    const char* classes[] = {"TButton", "TLabel", "TEdit", "TImage", "TPanel", "TInteractiveLabel"};
    const char* prefixes[] = {"Button", "Label", "Edit", "Image", "Panel", "Hover"};
    auto line = [&](const std::string& s) {
        p.script += s + "\r\n";
        ++p.lines;
    };
    line("var Clicks: Integer; Log: TStringList;");
    for (int i = 0; i < 60; ++i) {
        const std::string name = std::string(prefixes[i % 6]) + std::to_string(i / 6 + 1);
        p.components.push_back({name, classes[i % 6]});
        line("procedure " + name + "OnClick(Sender: TObject);");
        line("var I: Integer; S: string;");
        line("begin");
        line("  S := '';");
        line("  for I := 1 to 10 do");
        line("  begin");
        line("    if (I mod 3) = 0 then S := S + IntToStr(I) else S := S + '-';");
        line("  end;");
        line("  Clicks := Clicks + 1;");
        line("  case Clicks of");
        line("    1: ShowMessage('first ' + S);");
        line("    2: " + name + ".Hint := S;");
        line("  end;");
        line("end;");
    }
    while (p.lines < 999) {
        line("function Helper" + std::to_string(p.lines) + "(A: Integer): Integer;");
        line("begin Result := A * 2 + Length(IntToHex(A, 4)); end;");
    }
    line("// end");
    return p;
}

void BM_RegisterSystem(benchmark::State& state)
{
    for (auto _ : state) {
        pascal::Compiler c;
        c.setUsesCallback([](pascal::UsesRequest& u) {
            registerSystemDeclarations(u.registrar);
            registerImportedVariables(u.registrar, {});
            return true;
        });
        auto r = c.compile("begin end.");
        if (!r.success)
            state.SkipWithError("the declarations did not register");
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_RegisterSystem)->Unit(benchmark::kMillisecond);

void BM_CompileProject1000Lines(benchmark::State& state)
{
    const Project p = makeProject();
    const DesignFormInfo form = describeForm("Form1", p.components);
    CompileRequest r;
    r.editorText = p.script;
    r.form = &form;
    r.lists = &lists();
    r.includeFolder = "/nonexistent-include-folder";
    CompilerHost host;
    for (auto _ : state) {
        auto out = host.compile(r);
        if (!out.success)
            state.SkipWithError(out.firstError ? out.firstError->longText.c_str() : "compile failed");
        benchmark::DoNotOptimize(out);
    }
    state.counters["lines"] = p.lines;
}
BENCHMARK(BM_CompileProject1000Lines)->Unit(benchmark::kMillisecond);

void BM_ComposeProject1000Lines(benchmark::State& state)
{
    const Project p = makeProject();
    const DesignFormInfo form = describeForm("Form1", p.components);
    CompileRequest r;
    r.editorText = p.script;
    r.form = &form;
    r.lists = &lists();
    r.includeFolder = "/nonexistent-include-folder";
    for (auto _ : state)
        benchmark::DoNotOptimize(composeScript(r));
}
BENCHMARK(BM_ComposeProject1000Lines)->Unit(benchmark::kMillisecond);

void BM_GenerateDataLists(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(generateStudioLists());
}
BENCHMARK(BM_GenerateDataLists)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

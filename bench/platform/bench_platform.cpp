// The platform services that every shown text and every setting goes through: path macro
// expansion, message lookup in a language file, INI parsing, settings reads and writes.
#include "platform/ini_file.h"
#include "platform/lang.h"
#include "platform/path_macros.h"
#include "platform/reg_values.h"
#include "platform/registry.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

const fs::path kFrench = fs::path(LMB_SOURCE_TREE) / "language" / "French.lng";

void BM_ExpandNoPercent(benchmark::State& state)
{
    const std::string text = "You must first stop the running project (USE CTRL+F2)";
    for (auto _ : state)
        benchmark::DoNotOptimize(platform::ExpandPathMacros(text));
}
BENCHMARK(BM_ExpandNoPercent);

void BM_ExpandMessageWithLineBreaks(benchmark::State& state)
{
    const std::string text(platform::englishText("SUNATOCONECTTONET"));
    for (auto _ : state)
        benchmark::DoNotOptimize(platform::ExpandPathMacros(text));
}
BENCHMARK(BM_ExpandMessageWithLineBreaks);

void BM_ExpandSrcDir(benchmark::State& state)
{
    platform::setSourceDir("/opt/lumeni-zarerud");
    const std::string text = "%SRCDIR%/Documentation/VCLHelp.hlp";
    for (auto _ : state)
        benchmark::DoNotOptimize(platform::ExpandPathMacros(text));
}
BENCHMARK(BM_ExpandSrcDir);

void BM_GetLangStringFrench(benchmark::State& state)
{
    platform::setCurrentLanguageFile(kFrench);
    for (auto _ : state)
        benchmark::DoNotOptimize(platform::GetLangString("SNOTOPENWHENDIALOGACTIVE"));
    platform::setCurrentLanguageFile({});
}
BENCHMARK(BM_GetLangStringFrench);

void BM_ParseLanguageFile(benchmark::State& state)
{
    std::ifstream in(kFrench, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (auto _ : state)
        benchmark::DoNotOptimize(platform::IniFile::fromBytes(bytes));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ParseLanguageFile);

// A store with the settings of a used studio: ~300 values in 20 keys.
fs::path makeStore()
{
    const fs::path dir = fs::temp_directory_path() / "lmb-bench-registry";
    fs::remove_all(dir);
    fs::create_directories(dir);
    const fs::path file = dir / "registry.reg";
    ::setenv("LMB_REGISTRY", file.c_str(), 1);
    auto reg = platform::Registry::currentUser();
    platform::Registry::Batch batch(reg);
    for (int k = 0; k < 20; ++k)
        for (int v = 0; v < 15; ++v)
            platform::WriteRegValue("Toolbars\\T" + std::to_string(k), "Value" + std::to_string(v), v);
    return file;
}

void BM_ReadRegValue(benchmark::State& state)
{
    makeStore();
    for (auto _ : state)
        benchmark::DoNotOptimize(platform::ReadRegValue("Toolbars\\T7", "Value9", 0));
}
BENCHMARK(BM_ReadRegValue);

void BM_WriteRegValueSaved(benchmark::State& state)
{
    makeStore();
    int i = 0;
    for (auto _ : state)
        platform::WriteRegValue("General", "Counter", ++i);
}
BENCHMARK(BM_WriteRegValueSaved)->Unit(benchmark::kMicrosecond);

void BM_CloseTimeWritesInABatch(benchmark::State& state)
{
    makeStore();
    int i = 0;
    for (auto _ : state) {
        platform::Registry::Batch batch(platform::Registry::currentUser());
        ++i;
        for (int k = 0; k < 200; ++k)
            platform::WriteRegValue("Toolbars\\T" + std::to_string(k % 20), "Value" + std::to_string(k % 15), i);
    }
}
BENCHMARK(BM_CloseTimeWritesInABatch)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

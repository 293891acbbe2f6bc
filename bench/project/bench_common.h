// Shared helpers of the project benchmarks: a scratch folder, deterministic test data, a clock.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <stdexcept>
#include <string>

namespace bench {

inline std::filesystem::path scratchFolder(const char* name)
{
    const char* base = std::getenv("TMPDIR");
    std::string templ = std::string(base && *base ? base : "/tmp") + "/" + name + "-XXXXXX";
    if (!::mkdtemp(templ.data()))
        throw std::runtime_error("cannot create a scratch folder");
    return templ;
}

inline void writeFile(const std::filesystem::path& p, const std::string& bytes)
{
    std::ofstream out(p, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Best of `runs` wall-clock times in seconds; `prepare` runs untimed before each.
inline double bestOf(int runs, const std::function<void()>& work, const std::function<void()>& prepare = {})
{
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        if (prepare)
            prepare();
        const auto t0 = std::chrono::steady_clock::now();
        work();
        const std::chrono::duration<double> d = std::chrono::steady_clock::now() - t0;
        best = std::min(best, d.count());
    }
    return best;
}

} // namespace bench

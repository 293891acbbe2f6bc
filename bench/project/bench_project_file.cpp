// Saving and loading 100 MB of mixed embedded files at each compression level, measured against
// plain zlib compressing and inflating the same bytes in 16 KiB chunks (in memory) in the same run.
// Targets: save within 1.15x of the zlib compression time, load within 1.3x of the inflate time.
//
//   bench_project_file [MEGABYTES]     (default 100)
#include "bench_common.h"
#include "project/archive_block.h"
#include "project/embedded_files.h"
#include "project/project_file.h"

#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <vector>
#include <zlib.h>

namespace fs = std::filesystem;
using namespace project;

namespace {

// Text like a script or an HTML page: words from a small vocabulary with line breaks.
std::string textBytes(size_t n, std::mt19937& rng)
{
    static const char* words[] = {"begin",
                                  "end;",
                                  "procedure",
                                  "Button1OnClick",
                                  "Sender",
                                  "TObject",
                                  "if",
                                  "then",
                                  "ShowMessage('Hello');",
                                  "<p>",
                                  "</div>",
                                  "var",
                                  "Integer",
                                  ":=",
                                  "Form1.Caption",
                                  "PlayList.Add(",
                                  "%Embedded%\\song.mp3",
                                  "'",
                                  "for",
                                  "do"};
    std::string s;
    s.reserve(n + 32);
    while (s.size() < n) {
        s += words[rng() % 20];
        s += (rng() % 9 == 0) ? "\r\n" : " ";
    }
    s.resize(n);
    return s;
}

// Already compressed media (pictures, sounds): incompressible.
std::string noiseBytes(size_t n, std::mt19937& rng)
{
    std::string s(n, '\0');
    for (size_t i = 0; i + 4 <= n; i += 4) {
        const uint32_t v = rng();
        std::memcpy(&s[i], &v, 4);
    }
    return s;
}

// Bitmaps: runs of colours with a little noise.
std::string bitmapBytes(size_t n, std::mt19937& rng)
{
    std::string s(n, '\0');
    size_t i = 0;
    while (i < n) {
        const size_t run = 16 + rng() % 400;
        const char c = static_cast<char>(rng() % 8 * 32);
        for (size_t k = 0; k < run && i < n; ++k, ++i)
            s[i] = static_cast<char>(c + (rng() % 16 == 0 ? 1 : 0));
    }
    return s;
}

std::vector<std::string> makeContent(size_t totalMb)
{
    std::mt19937 rng(20240611);
    std::vector<std::string> files;
    const size_t total = totalMb << 20;
    size_t made = 0;
    int kind = 0;
    while (made < total) {
        // Mostly files of some megabytes, with many small files in between and a few empty ones.
        size_t size = (kind % 5 == 4) ? 1 + rng() % 40000 : (1 << 20) + rng() % (4 << 20);
        if (kind % 50 == 7)
            size = 0;
        size = std::min(size, total - made);
        switch (kind % 3) {
        case 0:
            files.push_back(textBytes(size, rng));
            break;
        case 1:
            files.push_back(noiseBytes(size, rng));
            break;
        default:
            files.push_back(bitmapBytes(size, rng));
            break;
        }
        made += size;
        ++kind;
    }
    return files;
}

struct Packed {
    std::vector<std::string> chunks; // compressed chunk, or empty when it was stored
    std::vector<size_t> plainSizes;
};

double zlibCompress(const std::vector<std::string>& files, int level, Packed& packed)
{
    return bench::bestOf(3, [&] {
        packed.chunks.clear();
        packed.plainSizes.clear();
        std::vector<Bytef> out(compressBound(kArchiveChunkSize));
        for (const auto& f : files) {
            for (size_t at = 0; at < f.size(); at += kArchiveChunkSize) {
                const size_t n = std::min(kArchiveChunkSize, f.size() - at);
                uLongf outLen = uLongf(out.size());
                compress2(out.data(), &outLen, reinterpret_cast<const Bytef*>(f.data() + at), uLong(n),
                          level);
                packed.chunks.emplace_back(reinterpret_cast<const char*>(out.data()), outLen);
                packed.plainSizes.push_back(n);
            }
        }
    });
}

double zlibInflate(const Packed& packed)
{
    return bench::bestOf(5, [&] {
        std::vector<Bytef> out(kArchiveChunkSize);
        for (size_t i = 0; i < packed.chunks.size(); ++i) {
            uLongf outLen = uLongf(out.size());
            uncompress(out.data(), &outLen, reinterpret_cast<const Bytef*>(packed.chunks[i].data()),
                       uLong(packed.chunks[i].size()));
        }
    });
}

struct Silent final : Prompter {
    std::string askPassword() override { return ""; }
    void showMessage(const std::string& text, const std::string&, MessageIcon) override
    {
        std::fprintf(stderr, "%s\n", text.c_str());
    }
};

Project benchProject(const fs::path& dir)
{
    Project p;
    std::string& f = p.formStream;
    f = std::string("TPF0\x05TForm\x05"
                    "Form1",
                    16);
    f += std::string("\x07"
                     "Caption\x06\x04Menu",
                     14);
    f += std::string(2, '\0');
    for (int i = 0; i < 200; ++i)
        p.lines.push_back("  Label" + std::to_string(i) + ".Caption := 'Line " + std::to_string(i) + "';");
    p.embeddedDir = dir;
    return p;
}

// The whole save: value section, both archive blocks, fsync and rename over the old file.
double saveProject(const Project& p, const fs::path& file, int index)
{
    return bench::bestOf(3, [&] {
        SaveOptions o;
        o.compressionIndex = index;
        o.programVersion = "2.0";
        Progress progress;
        writeProjectFile(file, p, "begin\nend.", o, progress);
    });
}

// The whole load: value section, then block 1 unpacked into a new embedded folder.
double loadProject(const fs::path& file, const fs::path& tmpApp)
{
    return bench::bestOf(
        5,
        [&] {
            Silent prompter;
            Progress progress;
            if (!LoadProject(file, {tmpApp}, prompter, progress))
                std::abort();
        },
        [&] { fs::remove_all(tmpApp); });
}

} // namespace

int main(int argc, char** argv)
{
    const size_t mb = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100;
    const fs::path root = bench::scratchFolder("bench_project_file");
    const fs::path dir = root / "embedded";
    fs::create_directories(dir);
    const auto content = makeContent(mb);
    for (size_t i = 0; i < content.size(); ++i)
        bench::writeFile(dir / ("file" + std::to_string(i) +
                                (i % 3 == 0   ? ".txt"
                                 : i % 3 == 1 ? ".jpg"
                                              : ".bmp")),
                         content[i]);
    std::printf("%zu MB in %zu files\n\n", mb, content.size());
    std::printf("%-8s %10s %10s %7s   %10s %10s %7s\n", "level", "zlib c s", "save s", "ratio", "zlib d s",
                "load s", "ratio");
    const struct {
        const char* name;
        int index;
    } levels[] = {{"Fast", 0}, {"None", 1}, {"Default", 2}, {"Max", 3}};
    for (const auto& l : levels) {
        const int level = zlibLevelFor(l.index);
        Packed packed;
        const double zc = zlibCompress(content, level, packed);
        const double zd = zlibInflate(packed);
        const fs::path file = root / "bench.lmb";
        const double save = saveProject(benchProject(dir), file, l.index);
        const double load = loadProject(file, root / "tmpapp");
        std::printf("%-8s %10.3f %10.3f %6.2fx   %10.3f %10.3f %6.2fx\n", l.name, zc, save, save / zc, zd,
                    load, load / zd);
        std::fflush(stdout);
    }
    fs::remove_all(root);
    return 0;
}

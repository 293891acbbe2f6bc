#include "project/archive_block.h"
#include "project/check_value.h"
#include "project/crc32.h"
#include "support/temp_home.h"

#include <csignal>
#include <gtest/gtest.h>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

using namespace project;
namespace fs = std::filesystem;

namespace {

std::string le32(int32_t v)
{
    StringWriter w;
    w.writeInt32(v);
    return w.take();
}

std::string randomBytes(size_t n, unsigned seed)
{
    std::mt19937 rng(seed);
    std::string s(n, '\0');
    for (auto& c : s)
        c = static_cast<char>(rng());
    return s;
}

uint32_t plainCrc(std::string_view s)
{
    return static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(s.data()), uInt(s.size())));
}

ArchiveFile memoryFile(std::string name, std::string content)
{
    ArchiveFile f;
    f.name = std::move(name);
    f.content = std::move(content);
    f.dosTime = 0x5A8C6000; // 2025-04-12 12:00:00
    return f;
}

std::string block(const std::vector<ArchiveFile>& files, int level)
{
    StringWriter out;
    writeArchiveBlock(out, files, level);
    return out.take();
}

// A hand-made entry: name, version record "2", time, marker, the given chunk bytes, 0, check.
std::string entry(const std::string& name, const std::string& chunks, uint32_t check)
{
    return le32(int32_t(name.size())) + name + std::string("\x02\x02", 2) + le32(0x5A8C6000) +
           std::string("ADV\0", 4) + chunks + le32(0) + le32(int32_t(check));
}

std::string header(uint32_t total, uint32_t count)
{
    return le32(14) + "Embedded Files" + le32(int32_t(total)) + le32(int32_t(count));
}

struct Collect final : ArchiveSink {
    std::vector<std::pair<std::string, std::string>> files;
    Open open(const ArchiveEntry& e) override
    {
        files.emplace_back(e.name, "");
        return Open::Accept;
    }
    void write(const void* d, size_t n) override
    {
        files.back().second.append(static_cast<const char*>(d), n);
    }
    void close(const ArchiveEntry&) override {}
};

} // namespace

TEST(CheckValue, RunningRuleOverChunks)
{
    const std::string data = randomBytes(3 * kArchiveChunkSize + 100, 1);
    CheckValue single;
    single.addChunk(data.data(), kArchiveChunkSize);
    EXPECT_EQ(single.value(), plainCrc(data.substr(0, kArchiveChunkSize)));

    // Later chunks go through the bare table update: no inversions.
    CheckValue running;
    uint32_t expect = 0;
    for (size_t at = 0; at < data.size(); at += kArchiveChunkSize) {
        const std::string_view chunk = std::string_view(data).substr(at, kArchiveChunkSize);
        running.addChunk(chunk.data(), chunk.size());
        if (expect == 0) {
            expect = plainCrc(chunk);
        } else {
            for (unsigned char b : chunk) {
                expect ^= b;
                for (int k = 0; k < 8; ++k)
                    expect = (expect >> 1) ^ (0xEDB88320u & (0u - (expect & 1)));
            }
        }
    }
    EXPECT_EQ(running.value(), expect);
    EXPECT_NE(running.value(), plainCrc(data));
    EXPECT_EQ(CheckValue().value(), 0u);
}

TEST(ArchiveBlock, EmptyFileIsHeaderMarkerZeroAndCheckZero)
{
    const std::string bytes = block({memoryFile("empty.txt", "")}, 9);
    EXPECT_EQ(bytes, header(0, 1) + entry("empty.txt", "", 0) + le32(0));
    EXPECT_EQ(block({}, 9), header(0, 0) + le32(0)); // no files: a count of 0 and the end marker
}

TEST(ArchiveBlock, SmallFileIsOneZlibChunkWithItsCrc)
{
    const std::string text(2000, 'x');
    const std::string bytes = block({memoryFile("a.txt", text)}, 9);
    std::vector<Bytef> packed(compressBound(uLong(text.size())));
    uLongf packedSize = uLongf(packed.size());
    ASSERT_EQ(compress2(packed.data(), &packedSize, reinterpret_cast<const Bytef*>(text.data()),
                        uLong(text.size()), 9),
              Z_OK);
    const std::string chunk =
        le32(int32_t(packedSize)) + std::string(packed.begin(), packed.begin() + packedSize);
    EXPECT_EQ(bytes, header(2000, 1) + entry("a.txt", chunk, plainCrc(text)) + le32(0));
}

TEST(ArchiveBlock, ChunkingLevelsAndRawStorage)
{
    // 16385 bytes make two chunks; random bytes never shrink, so both are stored raw at any level.
    const std::string noise = randomBytes(kArchiveChunkSize + 1, 7);
    CheckValue check;
    check.addChunk(noise.data(), kArchiveChunkSize);
    check.addChunk(noise.data() + kArchiveChunkSize, 1);
    for (int level : {0, 1, -1, 9}) {
        const std::string bytes = block({memoryFile("n.bin", noise)}, level);
        MemoryReader in(bytes);
        Collect sink;
        const ArchiveResult r = readArchiveBlock(in, sink);
        ASSERT_TRUE(r.complete) << level;
        ASSERT_EQ(r.entries.size(), 1u);
        EXPECT_EQ(r.entries[0].size, noise.size());
        EXPECT_EQ(r.entries[0].storedCheck, check.value());
        EXPECT_TRUE(r.entries[0].checkOk());
        EXPECT_EQ(sink.files[0].second, noise);
        const size_t firstChunk = header(0, 0).size() + 4 + 5 + 2 + 4 + 4;
        EXPECT_EQ(bytes.substr(firstChunk, 4), le32(-int32_t(kArchiveChunkSize))) << level;
    }
    // At level 0 a short final chunk still fits its stored zlib form and keeps a positive length.
    const std::string text(kArchiveChunkSize + 10, 'q');
    const std::string bytes = block({memoryFile("q.txt", text)}, 0);
    const size_t second = header(0, 0).size() + 4 + 5 + 2 + 4 + 4 + 4 + kArchiveChunkSize;
    EXPECT_EQ(bytes.substr(second, 4), le32(10 + 11));
}

TEST(ArchiveBlock, LevelZeroShortcutAgreesWithZlib)
{
    // The writer skips zlib at level 0 for chunks that cannot fit; check the bound against zlib itself.
    for (size_t n :
         {kArchiveChunkSize - 12, kArchiveChunkSize - 11, kArchiveChunkSize - 10, kArchiveChunkSize}) {
        const std::string data(n, 'z');
        z_stream z{};
        ASSERT_EQ(deflateInit(&z, 0), Z_OK);
        std::vector<Bytef> out(kArchiveChunkSize);
        z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
        z.avail_in = uInt(n);
        z.next_out = out.data();
        z.avail_out = uInt(out.size());
        const bool fits = deflate(&z, Z_FINISH) == Z_STREAM_END;
        deflateEnd(&z);
        const std::string bytes = block({memoryFile("z", data)}, 0);
        const size_t at = header(0, 0).size() + 4 + 1 + 2 + 4 + 4;
        EXPECT_EQ(bytes.substr(at, 4) == le32(-int32_t(n)), !fits) << n;
    }
}

TEST(ArchiveBlock, ExtractsFilesWithTimesAndReportsBadCheckValues)
{
    lmbtest::TempHome home;
    const std::string big = randomBytes(40000, 3);
    std::string bytes = block({memoryFile("one.txt", "first"), memoryFile("big.bin", big)}, 1);
    // Damage the stored check value of the first entry only.
    const size_t checkAt = header(0, 0).size() + 4 + 7 + 2 + 4 + 4;
    const size_t chunkLen = size_t(uint8_t(bytes[checkAt]));
    bytes[checkAt + 4 + chunkLen + 4] ^= 1;

    MemoryReader in(bytes);
    const fs::path dir = home.root() / "out";
    const ArchiveResult r = extractArchiveBlock(in, dir);
    ASSERT_TRUE(r.complete);
    ASSERT_EQ(r.entries.size(), 2u);
    EXPECT_FALSE(r.entries[0].checkOk());
    EXPECT_TRUE(r.entries[1].checkOk());
    EXPECT_EQ(lmbtest::readFile(dir / "one.txt"), "first"); // kept despite the mismatch
    EXPECT_EQ(lmbtest::readFile(dir / "big.bin"), big);
    EXPECT_EQ(r.endPosition, bytes.size());

    struct stat st {};
    ASSERT_EQ(::stat((dir / "big.bin").c_str(), &st), 0);
    EXPECT_EQ(toDosTime(st.st_mtim.tv_sec), 0x5A8C6000u);

    const uint32_t stored = r.entries[0].storedCheck, computed = r.entries[0].computedCheck;
    EXPECT_EQ(crcFailedText("/x/one.txt", stored, computed),
              "CRC Failed in file /x/one.txt.\r\nStored CRC32 : " + std::to_string(int32_t(stored)) +
                  ".\r\nCurrent CRC32 : " + std::to_string(int32_t(computed)) + ".");
}

TEST(ArchiveBlock, UnsafeNamesAreSkippedAndLinksNotFollowed)
{
    lmbtest::TempHome home;
    const fs::path dir = home.root() / "emb";
    fs::create_directories(dir);
    const fs::path outside = home.root() / "victim.txt";
    home.writeFile("victim.txt", "keep");
    fs::create_symlink(outside, dir / "link.txt");

    std::string bytes = header(0, 0);
    for (const char* bad : {"../evil.txt", "..", "sub/evil.txt", "sub\\evil.txt", "c:evil.txt", "/etc/x"})
        bytes += entry(bad, le32(-3) + "bad", plainCrc("bad"));
    bytes += entry("link.txt", le32(-4) + "new!", plainCrc("new!"));
    bytes += entry("ok.txt", le32(-2) + "ok", plainCrc("ok"));
    bytes += le32(0);

    MemoryReader in(bytes);
    const ArchiveResult r = extractArchiveBlock(in, dir);
    ASSERT_TRUE(r.complete);
    ASSERT_EQ(r.entries.size(), 8u);
    for (size_t i = 0; i < 6; ++i)
        EXPECT_TRUE(r.entries[i].skipped) << r.entries[i].name;
    EXPECT_FALSE(r.entries[6].skipped);
    EXPECT_EQ(lmbtest::readFile(outside), "keep");
    EXPECT_FALSE(fs::is_symlink(dir / "link.txt"));
    EXPECT_EQ(lmbtest::readFile(dir / "link.txt"), "new!");
    EXPECT_EQ(lmbtest::readFile(dir / "ok.txt"), "ok");
    EXPECT_FALSE(fs::exists(home.root() / "evil.txt"));
    EXPECT_FALSE(fs::exists(dir / "sub"));
    size_t files = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir))
        ++files;
    EXPECT_EQ(files, 2u);
}

TEST(ArchiveBlock, DamagedBlocksStopCleanly)
{
    const std::string good = entry("a.txt", le32(-1) + "a", plainCrc("a"));
    // A 1000-byte "zlib stream" that inflates to far more than one chunk.
    const std::string zeros(100000, '\0');
    std::vector<Bytef> bomb(compressBound(uLong(zeros.size())));
    uLongf bombSize = uLongf(bomb.size());
    compress2(bomb.data(), &bombSize, reinterpret_cast<const Bytef*>(zeros.data()), uLong(zeros.size()), 9);
    const std::string bombChunk =
        le32(int32_t(bombSize)) + std::string(bomb.begin(), bomb.begin() + bombSize);

    struct Case {
        const char* what;
        std::string bytes;
        bool headerRead;
        size_t entries;
    };
    const Case cases[] = {
        {"empty input", "", false, 0},
        {"title longer than the data", le32(1 << 30) + "Emb", false, 0},
        {"negative title length", le32(-5) + "Embedded Files", false, 0},
        {"truncated after one entry", header(1, 2) + good + entry("b.txt", le32(-1) + "b", 0).substr(0, 20),
         true, 1},
        {"huge name length", header(0, 1) + good + le32(0x7FFFFFFF) + "x", true, 1},
        {"negative name length", header(0, 1) + le32(-1), true, 0},
        {"name of 5000 bytes", header(0, 1) + le32(5000) + std::string(5000, 'n'), true, 0},
        {"wrong data marker",
         header(0, 1) + good + le32(1) + "b" + std::string("\x02\x02", 2) + le32(0) + "ADX" +
             std::string(1, '\0') + le32(0) + le32(0) + le32(0),
         true, 1},
        {"chunk past the end",
         header(0, 1) + le32(1) + "c" + std::string("\x02\x02", 2) + le32(0) + std::string("ADV\0", 4) +
             le32(-16000) + "short",
         true, 0},
        {"chunk above 16384",
         header(0, 1) + le32(1) + "c" + std::string("\x02\x02", 2) + le32(0) + std::string("ADV\0", 4) +
             le32(int32_t(0x80000000)),
         true, 0},
        {"inflates past 16384", header(0, 1) + entry("z", bombChunk, 0) + le32(0), true, 0},
        {"garbage zlib data", header(0, 1) + entry("g", le32(5) + "12345", 0) + le32(0), true, 0},
        {"bad integer tag", header(0, 1) + le32(1) + "c" + std::string("\x07\x02", 2), true, 0},
    };
    for (const auto& c : cases) {
        MemoryReader in(c.bytes);
        Collect sink;
        const ArchiveResult r = readArchiveBlock(in, sink);
        EXPECT_EQ(r.headerRead, c.headerRead) << c.what;
        EXPECT_FALSE(r.complete) << c.what;
        EXPECT_EQ(r.entries.size(), c.entries) << c.what;
        if (c.headerRead) {
            EXPECT_EQ(r.error, "Cannot read file") << c.what;
        }
    }
}

TEST(ArchiveBlock, VersionRecordAndWideIntegersAreRead)
{
    // Version 1 with two integers (one of them as a 64-bit tag), as other writers may store it.
    const std::string rec =
        std::string("\x02\x01", 2) + "\x04" + le32(0x00020001) + "\x13" + le32(7) + le32(0);
    const std::string bytes =
        header(0, 1) + le32(1) + "v" + rec + le32(0) + std::string("ADV\0", 4) + le32(0) + le32(0) + le32(0);
    MemoryReader in(bytes);
    Collect sink;
    const ArchiveResult r = readArchiveBlock(in, sink);
    ASSERT_TRUE(r.complete);
    ASSERT_EQ(r.entries.size(), 1u);
    EXPECT_TRUE(r.entries[0].hasVersion);
    EXPECT_EQ(r.entries[0].versionHigh, 0x00020001u);
    EXPECT_EQ(r.entries[0].versionLow, 7u);
}

TEST(ArchiveBlock, WriterReadsFilesAndReportsUnreadableOnes)
{
    lmbtest::TempHome home;
    const fs::path a = home.writeFile("src/a.txt", std::string(50000, 'a'));
    std::vector<int> percents;
    StringWriter out;
    writeArchiveBlock(out, {{"a.txt", a, "", 0}, {"gone.txt", home.root() / "src/gone.txt", "", 0}}, 9,
                      [&](int p) { percents.push_back(p); });
    ASSERT_FALSE(percents.empty());
    EXPECT_EQ(percents.back(), 100);
    MemoryReader in(out.bytes());
    Collect sink;
    const ArchiveResult r = readArchiveBlock(in, sink);
    ASSERT_TRUE(r.complete);
    ASSERT_EQ(r.entries.size(), 1u); // the vanished file is left out
    EXPECT_EQ(sink.files[0].second, std::string(50000, 'a'));

    if (::geteuid() != 0) {
        const fs::path locked = home.writeFile("src/locked.txt", "x");
        fs::permissions(locked, fs::perms::none);
        StringWriter out2;
        EXPECT_THROW(writeArchiveBlock(out2, {{"locked.txt", locked, "", 0}}, 9), ArchiveError);
    }
    StringWriter out3;
    EXPECT_THROW(writeArchiveBlock(out3, {{"dir", home.root() / "src", "", 0}}, 9), ArchiveError);
}

TEST(DosTime, RoundTripAndInvalidFields)
{
    const auto t = fromDosTime(0x5A8C6000);
    ASSERT_TRUE(t);
    EXPECT_EQ(toDosTime(*t), 0x5A8C6000u);
    EXPECT_EQ(toDosTime(0), 0x00210000u);  // before 1980: clamped to its first day
    EXPECT_FALSE(fromDosTime(0x00000000)); // month 0
    EXPECT_FALSE(fromDosTime(0x0021F000)); // hour 30
}

TEST(Crc32, FoldingAgreesWithTheTable)
{
    const std::string data = randomBytes(70000, 11);
    std::mt19937 rng(3);
    for (int i = 0; i < 500; ++i) {
        const size_t at = rng() % 1000, n = rng() % 20000;
        const uint32_t seed = i % 3 == 0 ? 0 : static_cast<uint32_t>(rng());
        const auto* p = reinterpret_cast<const Bytef*>(data.data() + at);
        ASSERT_EQ(crc32Update(seed, p, n), static_cast<uint32_t>(crc32(seed, p, uInt(n)))) << at << " " << n;
    }
}

TEST(ArchiveBlock, WriteFailuresWhileUnpackingStopTheExtraction)
{
    lmbtest::TempHome home;
    const std::string bytes =
        block({memoryFile("big.bin", randomBytes(3 << 20, 5)), memoryFile("after.txt", "x")}, 1);
    // Files may not grow past 1 MiB here: the writes of big.bin fail on the writing thread.
    struct rlimit old {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 1 << 20;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    MemoryReader in(bytes);
    const ArchiveResult r = extractArchiveBlock(in, home.root() / "out");
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(r.complete);
    EXPECT_EQ(r.error, "Cannot read file");
}

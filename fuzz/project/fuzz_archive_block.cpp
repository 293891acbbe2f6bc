// Feeds arbitrary bytes to the archive block reader. Entries are consumed by a sink that keeps only
// sizes, so the reader's own bounds and the inflater are what gets exercised.
#include "project/archive_block.h"

#include <cstddef>
#include <cstdint>

namespace {

struct CountingSink final : project::ArchiveSink {
    uint64_t bytes = 0;
    Open open(const project::ArchiveEntry& e) override
    {
        return project::isSafeEntryName(e.name) ? Open::Accept : Open::Skip;
    }
    void write(const void*, size_t n) override { bytes += n; }
    void close(const project::ArchiveEntry&) override {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    project::MemoryReader in(data, size);
    CountingSink sink;
    const auto result = project::readArchiveBlock(in, sink);
    if (result.endPosition > size)
        __builtin_trap();
    return 0;
}

// Feeds arbitrary bytes to the project file reader: the value section (also as a prefix, the way the
// loader reads large files, which must agree with the whole), then both archive blocks behind it.
#include "project/archive_block.h"
#include "project/value_section.h"

#include <cstddef>
#include <cstdint>

namespace {

struct DropSink final : project::ArchiveSink {
    Open open(const project::ArchiveEntry&) override { return Open::Accept; }
    void write(const void*, size_t) override {}
    void close(const project::ArchiveEntry&) override {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // What the first half decides, the whole file decides the same way: a prefix is refused only
    // for damage that lies inside it.
    enum { MoreNeeded, Read, Refused } prefix = MoreNeeded;
    uint64_t prefixEnd = 0;
    try {
        prefixEnd = project::readValueSection(bytes.substr(0, size / 2), false).end;
        prefix = Read;
    } catch (const project::NeedMoreBytes&) {
    } catch (const project::ProjectLoadError&) {
        prefix = Refused;
    }
    try {
        const project::ValueSection v = project::readValueSection(bytes, true);
        if (v.end > size || v.formStream.size() > size)
            __builtin_trap();
        if (prefix == Refused || (prefix == Read && prefixEnd != v.end))
            __builtin_trap();
        project::MemoryReader in(data + v.end, size - v.end);
        DropSink sink;
        if (project::readArchiveBlock(in, sink).complete)
            project::readArchiveBlock(in, sink);
    } catch (const project::ProjectLoadError&) {
        if (prefix == Read)
            __builtin_trap();
    }
    return 0;
}

// CRC-32 (reflected polynomial 0xEDB88320) with zlib's conventions: crc32Update(0, …) starts a new
// value, feeding a previous result continues it. Uses carry-less multiplication where the processor
// has it (several times faster than the table), zlib's table code elsewhere.
#pragma once

#include <cstddef>
#include <cstdint>

namespace project {

uint32_t crc32Update(uint32_t crc, const void* data, size_t n);

} // namespace project

// Running check value of archive entries; see check_value.h.
#include "project/check_value.h"

#include <zlib.h>

namespace project {

void CheckValue::addChunk(const void* data, size_t n)
{
    const auto* bytes = static_cast<const Bytef*>(data);
    if (m_value == 0) {
        m_value = static_cast<uint32_t>(crc32_z(0, bytes, n));
    } else {
        // zlib's crc32 inverts before and after the table loop; undo both to get the bare update.
        m_value = ~static_cast<uint32_t>(crc32_z(~m_value & 0xFFFFFFFFu, bytes, n));
    }
}

} // namespace project

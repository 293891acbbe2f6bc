// Running check value of archive entries; see check_value.h.
#include "project/check_value.h"

#include "project/crc32.h"

namespace project {

void CheckValue::addChunk(const void* data, size_t n)
{
    if (m_value == 0) {
        m_value = crc32Update(0, data, n);
    } else {
        // A CRC-32 inverts before and after the table loop; undo both to get the bare update.
        m_value = ~crc32Update(~m_value, data, n);
    }
}

} // namespace project

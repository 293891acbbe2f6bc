// The running check value of an archive entry. The first chunk (and any chunk met while the running
// value is 0) gets a standard CRC-32; every further chunk is fed into the previous value through the
// CRC table alone, without the initial and final inversions. A file of at most one chunk therefore
// carries its plain CRC-32, an empty file 0.
#pragma once

#include <cstddef>
#include <cstdint>

namespace project {

class CheckValue {
public:
    void addChunk(const void* data, size_t n);
    uint32_t value() const { return m_value; }

private:
    uint32_t m_value = 0;
};

} // namespace project

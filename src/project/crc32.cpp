// CRC-32 by folding 64 bytes at a time with PCLMULQDQ; the 16 bytes left after folding are congruent
// to the whole prefix, so their table CRC from state 0 is the CRC of everything folded so far.
#include "project/crc32.h"

#include <zlib.h>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace project {
namespace {

uint32_t tableCrc(uint32_t crc, const unsigned char* p, size_t n)
{
    return static_cast<uint32_t>(crc32_z(crc, p, n));
}

#if defined(__x86_64__)

#define LMB_CLMUL_TARGET __attribute__((target("pclmul,sse4.1")))

LMB_CLMUL_TARGET inline __m128i fold(__m128i acc, __m128i k, __m128i data)
{
    return _mm_xor_si128(
        _mm_xor_si128(_mm_clmulepi64_si128(acc, k, 0x00), _mm_clmulepi64_si128(acc, k, 0x11)), data);
}

LMB_CLMUL_TARGET inline __m128i load(const unsigned char* p)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

// n >= 64.
LMB_CLMUL_TARGET uint32_t foldingCrc(uint32_t crc, const unsigned char* p, size_t n)
{
    // x^(512±32) and x^(128±32) mod P, bit-reflected: fold by four blocks, then by one.
    const __m128i k4 = _mm_set_epi64x(0x1c6e41596, 0x154442bd4);
    const __m128i k1 = _mm_set_epi64x(0x0ccaa009e, 0x1751997d0);
    __m128i x0 = _mm_xor_si128(load(p), _mm_cvtsi32_si128(static_cast<int>(~crc)));
    __m128i x1 = load(p + 16), x2 = load(p + 32), x3 = load(p + 48);
    p += 64;
    n -= 64;
    for (; n >= 64; p += 64, n -= 64) {
        x0 = fold(x0, k4, load(p));
        x1 = fold(x1, k4, load(p + 16));
        x2 = fold(x2, k4, load(p + 32));
        x3 = fold(x3, k4, load(p + 48));
    }
    x0 = fold(x0, k1, x1);
    x0 = fold(x0, k1, x2);
    x0 = fold(x0, k1, x3);
    for (; n >= 16; p += 16, n -= 16)
        x0 = fold(x0, k1, load(p));
    unsigned char rest[16];
    _mm_storeu_si128(reinterpret_cast<__m128i*>(rest), x0);
    // zlib's crc32 inverts on entry and exit: ~crc32(~s, …) is the bare table update of state s.
    const uint32_t state = ~tableCrc(0xFFFFFFFFu, rest, 16);
    return tableCrc(~state, p, n);
}

bool haveClmul()
{
    static const bool have = __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse4.1");
    return have;
}

#endif

} // namespace

uint32_t crc32Update(uint32_t crc, const void* data, size_t n)
{
    const auto* p = static_cast<const unsigned char*>(data);
#if defined(__x86_64__)
    if (n >= 64 && haveClmul())
        return foldingCrc(crc, p, n);
#endif
    return tableCrc(crc, p, n);
}

} // namespace project

// The filter's block with byte shuffles: each of the 16 or 32 bytes looks up
// its low and its high nibble in the tables of the buckets 0-7 and 8-15.
// Compiled for the instruction sets named on each function; the scan calls
// them only where the processor has them.
#include "prefilter.h"

#ifdef ZEV_PREFILTER_X86
#include <immintrin.h>

namespace {

__attribute__((target("ssse3"))) inline __m128i Table(const PrefilterTables& t, int k, int which) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(t.nibbles[k][which]));
}

// Bit i set when position i of the 16 from `at` passes.
__attribute__((target("ssse3"))) inline uint32_t Block16(const PrefilterTables& t,
                                                         const uint8_t* at) {
    const __m128i low4 = _mm_set1_epi8(0x0F);
    __m128i a = _mm_set1_epi8(-1), b = a;
    for (int k = 0; k < kPrefilterWidth; ++k) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + k));
        const __m128i low = _mm_and_si128(bytes, low4);
        const __m128i high = _mm_and_si128(_mm_srli_epi16(bytes, 4), low4);
        a = _mm_and_si128(
            a, _mm_and_si128(_mm_shuffle_epi8(Table(t, k, PrefilterTables::kLowA), low),
                             _mm_shuffle_epi8(Table(t, k, PrefilterTables::kHighA), high)));
        b = _mm_and_si128(
            b, _mm_and_si128(_mm_shuffle_epi8(Table(t, k, PrefilterTables::kLowB), low),
                             _mm_shuffle_epi8(Table(t, k, PrefilterTables::kHighB), high)));
    }
    const __m128i none = _mm_cmpeq_epi8(_mm_or_si128(a, b), _mm_setzero_si128());
    return ~static_cast<uint32_t>(_mm_movemask_epi8(none)) & 0xFFFF;
}

__attribute__((target("avx2"))) inline __m256i Table32(const PrefilterTables& t, int k, int which) {
    return _mm256_broadcastsi128_si256(
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(t.nibbles[k][which])));
}

// Bit i set when position i of the 32 from `at` passes.
__attribute__((target("avx2"))) inline uint32_t Block32(const PrefilterTables& t,
                                                        const uint8_t* at) {
    const __m256i low4 = _mm256_set1_epi8(0x0F);
    __m256i a = _mm256_set1_epi8(-1), b = a;
    for (int k = 0; k < kPrefilterWidth; ++k) {
        const __m256i bytes = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at + k));
        const __m256i low = _mm256_and_si256(bytes, low4);
        const __m256i high = _mm256_and_si256(_mm256_srli_epi16(bytes, 4), low4);
        a = _mm256_and_si256(
            a, _mm256_and_si256(_mm256_shuffle_epi8(Table32(t, k, PrefilterTables::kLowA), low),
                                _mm256_shuffle_epi8(Table32(t, k, PrefilterTables::kHighA), high)));
        b = _mm256_and_si256(
            b, _mm256_and_si256(_mm256_shuffle_epi8(Table32(t, k, PrefilterTables::kLowB), low),
                                _mm256_shuffle_epi8(Table32(t, k, PrefilterTables::kHighB), high)));
    }
    const __m256i none = _mm256_cmpeq_epi8(_mm256_or_si256(a, b), _mm256_setzero_si256());
    return ~static_cast<uint32_t>(_mm256_movemask_epi8(none));
}

}  // namespace

__attribute__((target("ssse3"))) uint64_t PrefilterBlockSsse3(const PrefilterTables& tables,
                                                              const uint8_t* at) {
    uint64_t bits = 0;
    for (int i = 0; i < 4; ++i)
        bits |= static_cast<uint64_t>(Block16(tables, at + 16 * i)) << (16 * i);
    return bits;
}

__attribute__((target("avx2"))) uint64_t PrefilterBlockAvx2(const PrefilterTables& tables,
                                                            const uint8_t* at) {
    return Block32(tables, at) | static_cast<uint64_t>(Block32(tables, at + 32)) << 32;
}

#endif

// The filter's block with byte shuffles: each of the 16 or 32 positions
// looks up the views of its bytes in the tables of the buckets 0-7 and 8-15.
// Compiled for the instruction sets named on each function; the scan calls
// them only where the processor has them.
#include "prefilter.h"

#ifdef ZEV_PREFILTER_X86
#include <immintrin.h>

namespace {

// The bytes' view `view`, each a value from 0 to 15.
__attribute__((target("ssse3"))) inline __m128i View16(__m128i bytes, PrefilterView view) {
    const __m128i low4 = _mm_set1_epi8(0x0F);
    if (view == kLowNibble) return _mm_and_si128(bytes, low4);
    return _mm_and_si128(_mm_srli_epi16(bytes, view == kHighNibble ? 4 : 2), low4);
}

// Lead bytes among the 16: in one of the ranges, where the byte less the
// range's first is at most its span.
__attribute__((target("ssse3"))) inline __m128i Leads16(const PrefilterTables& t, __m128i bytes) {
    __m128i leads = _mm_setzero_si128();
    for (int r = 0; r < 2; ++r) {
        const __m128i offset =
            _mm_sub_epi8(bytes, _mm_set1_epi8(static_cast<char>(t.leadFirst[r])));
        const __m128i within =
            _mm_min_epu8(offset, _mm_set1_epi8(static_cast<char>(t.leadSpan[r])));
        leads = _mm_or_si128(leads, _mm_cmpeq_epi8(within, offset));
    }
    return leads;
}

// Bit i of `candidates` set when position i of the 16 from `at` passes,
// bit i of `leads` when its byte is a lead byte.
__attribute__((target("ssse3"))) inline void Block16(const PrefilterTables& t, const uint8_t* at,
                                                     uint32_t* candidates, uint32_t* leads) {
    __m128i bytes[kPrefilterWidth];
    for (int k = 0; k < kPrefilterWidth; ++k)
        bytes[k] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + k));
    __m128i a = _mm_set1_epi8(-1), b = a;
#pragma GCC unroll 8
    for (int j = 0; j < kPrefilterLookups; ++j) {
        const __m128i value = View16(bytes[kPrefilterLookup[j].byte], kPrefilterLookup[j].view);
        const __m128i* table = reinterpret_cast<const __m128i*>(t.buckets[j]);
        a = _mm_and_si128(a, _mm_shuffle_epi8(_mm_loadu_si128(table), value));
        b = _mm_and_si128(b, _mm_shuffle_epi8(_mm_loadu_si128(table + 1), value));
    }
    const __m128i none = _mm_cmpeq_epi8(_mm_or_si128(a, b), _mm_setzero_si128());
    *candidates = ~static_cast<uint32_t>(_mm_movemask_epi8(none)) & 0xFFFF;
    *leads = static_cast<uint32_t>(_mm_movemask_epi8(Leads16(t, bytes[0])));
}

__attribute__((target("avx2"))) inline __m256i View32(__m256i bytes, PrefilterView view) {
    const __m256i low4 = _mm256_set1_epi8(0x0F);
    if (view == kLowNibble) return _mm256_and_si256(bytes, low4);
    return _mm256_and_si256(_mm256_srli_epi16(bytes, view == kHighNibble ? 4 : 2), low4);
}

__attribute__((target("avx2"))) inline __m256i Leads32(const PrefilterTables& t, __m256i bytes) {
    __m256i leads = _mm256_setzero_si256();
    for (int r = 0; r < 2; ++r) {
        const __m256i offset =
            _mm256_sub_epi8(bytes, _mm256_set1_epi8(static_cast<char>(t.leadFirst[r])));
        const __m256i within =
            _mm256_min_epu8(offset, _mm256_set1_epi8(static_cast<char>(t.leadSpan[r])));
        leads = _mm256_or_si256(leads, _mm256_cmpeq_epi8(within, offset));
    }
    return leads;
}

// As Block16, for 32 positions; each 16-entry table is in both halves.
__attribute__((target("avx2"))) inline void Block32(const PrefilterTables& t, const uint8_t* at,
                                                    uint32_t* candidates, uint32_t* leads) {
    __m256i bytes[kPrefilterWidth];
    for (int k = 0; k < kPrefilterWidth; ++k)
        bytes[k] = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at + k));
    __m256i a = _mm256_set1_epi8(-1), b = a;
#pragma GCC unroll 8
    for (int j = 0; j < kPrefilterLookups; ++j) {
        const __m256i value = View32(bytes[kPrefilterLookup[j].byte], kPrefilterLookup[j].view);
        const __m128i* table = reinterpret_cast<const __m128i*>(t.buckets[j]);
        a = _mm256_and_si256(
            a, _mm256_shuffle_epi8(_mm256_broadcastsi128_si256(_mm_loadu_si128(table)), value));
        b = _mm256_and_si256(
            b, _mm256_shuffle_epi8(_mm256_broadcastsi128_si256(_mm_loadu_si128(table + 1)), value));
    }
    const __m256i none = _mm256_cmpeq_epi8(_mm256_or_si256(a, b), _mm256_setzero_si256());
    *candidates = ~static_cast<uint32_t>(_mm256_movemask_epi8(none));
    *leads = static_cast<uint32_t>(_mm256_movemask_epi8(Leads32(t, bytes[0])));
}

__attribute__((target("avx512bw"))) inline __m512i View64(__m512i bytes, PrefilterView view) {
    const __m512i low4 = _mm512_set1_epi8(0x0F);
    if (view == kLowNibble) return _mm512_and_si512(bytes, low4);
    return _mm512_and_si512(_mm512_srli_epi16(bytes, view == kHighNibble ? 4 : 2), low4);
}

__attribute__((target("avx512bw"))) inline __mmask64 Leads64(const PrefilterTables& t,
                                                             __m512i bytes) {
    __mmask64 leads = 0;
    for (int r = 0; r < 2; ++r) {
        const __m512i offset =
            _mm512_sub_epi8(bytes, _mm512_set1_epi8(static_cast<char>(t.leadFirst[r])));
        leads |= _mm512_cmple_epu8_mask(offset, _mm512_set1_epi8(static_cast<char>(t.leadSpan[r])));
    }
    return leads;
}

}  // namespace

// Bytes from `at` on that come before the terminator, at most 64.
__attribute__((target("avx512bw"))) inline __mmask64 Before(size_t left) {
    return left >= 64 ? ~static_cast<__mmask64>(0) : (static_cast<__mmask64>(1) << left) - 1;
}

__attribute__((target("avx512bw"))) PrefilterBlock PrefilterBlockAvx512(
    const PrefilterTables& tables, const uint8_t* at, size_t left) {
    __m512i bytes[kPrefilterWidth];
    if (left >= kPrefilterBlockReach) {
        for (int k = 0; k < kPrefilterWidth; ++k) bytes[k] = _mm512_loadu_si512(at + k);
    } else {
        // The bytes past the terminator are not read; they load as zeros.
        for (int k = 0; k < kPrefilterWidth; ++k)
            bytes[k] = _mm512_maskz_loadu_epi8(Before(left > static_cast<size_t>(k) ? left - k : 0),
                                               at + k);
    }
    __m512i a = _mm512_set1_epi8(-1), b = a;
#pragma GCC unroll 8
    for (int j = 0; j < kPrefilterLookups; ++j) {
        const __m512i value = View64(bytes[kPrefilterLookup[j].byte], kPrefilterLookup[j].view);
        const __m128i* table = reinterpret_cast<const __m128i*>(tables.buckets[j]);
        // (The masked broadcast: GCC 12 warns about the plain one.)
        a = _mm512_and_si512(
            a, _mm512_shuffle_epi8(_mm512_maskz_broadcast_i32x4(0xFFFF, _mm_loadu_si128(table)),
                                   value));
        b = _mm512_and_si512(
            b, _mm512_shuffle_epi8(_mm512_maskz_broadcast_i32x4(0xFFFF, _mm_loadu_si128(table + 1)),
                                   value));
    }
    const __mmask64 candidates = _mm512_test_epi8_mask(a, a) | _mm512_test_epi8_mask(b, b);
    return {candidates & Before(left), Leads64(tables, bytes[0])};
}

__attribute__((target("ssse3"))) PrefilterBlock PrefilterBlockSsse3(const PrefilterTables& tables,
                                                                    const uint8_t* at) {
    PrefilterBlock block = {0, 0};
    for (int i = 0; i < 4; ++i) {
        uint32_t candidates, leads;
        Block16(tables, at + 16 * i, &candidates, &leads);
        block.candidates |= static_cast<uint64_t>(candidates) << (16 * i);
        block.leads |= static_cast<uint64_t>(leads) << (16 * i);
    }
    return block;
}

__attribute__((target("avx2"))) PrefilterBlock PrefilterBlockAvx2(const PrefilterTables& tables,
                                                                  const uint8_t* at) {
    uint32_t candidates[2], leads[2];
    Block32(tables, at, &candidates[0], &leads[0]);
    Block32(tables, at + 32, &candidates[1], &leads[1]);
    return {candidates[0] | static_cast<uint64_t>(candidates[1]) << 32,
            leads[0] | static_cast<uint64_t>(leads[1]) << 32};
}

#endif

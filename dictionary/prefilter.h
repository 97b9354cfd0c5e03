// A filter that finds, 64 text positions at a time, where a pattern of the
// matcher may start, so that the scan need not step through the long runs
// of text where none can.
//
// The distinct starts of the patterns (their first four bytes, or the whole
// of a shorter pattern) are put into 16 buckets. For each of the first four
// bytes of a position and for each bucket, two 16-entry tables say which low
// and which high nibbles some start of the bucket has there; a position
// passes when one bucket accepts all four of its bytes. Nibble tables are
// what a byte shuffle (SSSE3, AVX2) looks up 16 or 32 bytes at once; the
// portable code reads the same tables one byte at a time, so every path lets
// through the same positions. Every position where a pattern starts passes;
// the others that pass are turned away by the matcher.
#ifndef ZEV_PREFILTER_H
#define ZEV_PREFILTER_H

#include <stddef.h>
#include <stdint.h>

// Bytes of each position the filter looks at, and positions per block.
const int kPrefilterWidth = 4;
const size_t kPrefilterBlock = 64;
// Bytes a block reads from its first position on.
const size_t kPrefilterBlockReach = kPrefilterBlock + kPrefilterWidth - 1;

// For byte k of a position: the buckets 0-7 that accept each low nibble and
// each high nibble, then the same for the buckets 8-15.
struct PrefilterTables {
    enum { kLowA, kHighA, kLowB, kHighB };
    uint8_t nibbles[kPrefilterWidth][4][16];
};

// The ways of finding the next position to try; each gives the same result.
enum class ScanPath : uint8_t {
    kStepping,  // every character boundary, one after the other
    kPortable,  // the filter in plain C++
    kSsse3,     // the filter 16 bytes at a time
    kAvx2,      // the filter 32 bytes at a time
};

// Bit i set when position i of the 64 from `at` may start a pattern; reads
// kPrefilterBlockReach bytes.
typedef uint64_t (*PrefilterBlockFunction)(const PrefilterTables& tables, const uint8_t* at);

// Puts the starts of the patterns into buckets, then fills the tables.
class PrefilterBuilder {
public:
    // Each start goes to the bucket whose volume it grows least, so that
    // similar starts share a bucket and a short one gets one of its own.
    void Add(const uint8_t* pattern, int length);
    void Fill(PrefilterTables* tables) const;

private:
    // The nibbles a bucket accepts at each byte; `open` from the byte where
    // its shortest start ends (any byte is accepted there).
    struct Bucket {
        uint16_t low[kPrefilterWidth] = {0};
        uint16_t high[kPrefilterWidth] = {0};
        int open = kPrefilterWidth;
        bool used = false;
    };
    static const int kBuckets = 16;
    static double Volume(const Bucket& b);
    static Bucket With(Bucket b, const uint8_t* start, int length);

    Bucket buckets_[kBuckets];
};

// Whether this processor (and system) can take `path`.
bool ScanPathSupported(ScanPath path);
// The path conversions take: the fastest supported one, unless a test chose
// another. False, with nothing changed, for a path this processor lacks.
ScanPath CurrentScanPath();
bool ChooseScanPath(ScanPath path);
// The block function of a filtering path (not kStepping).
PrefilterBlockFunction PrefilterBlockFor(ScanPath path);

uint64_t PrefilterBlockPortable(const PrefilterTables& tables, const uint8_t* at);
#if defined(__i386__) || defined(__x86_64__)
#define ZEV_PREFILTER_X86 1
uint64_t PrefilterBlockSsse3(const PrefilterTables& tables, const uint8_t* at);
uint64_t PrefilterBlockAvx2(const PrefilterTables& tables, const uint8_t* at);
#endif

// Whether `at` is a character boundary of `text`, given the boundary
// `known` before it; `lead` tells the lead bytes. A byte that is no lead
// byte always ends a character, so the run of lead bytes just before `at`
// pairs up from its start.
inline bool IsCharacterBoundary(const bool* lead, const uint8_t* text, size_t known, size_t at) {
    size_t start = at;
    while (start > known && lead[text[start - 1]]) --start;
    return (at - start) % 2 == 0;
}

// Candidate positions of one text, in order. `at` holds `length` bytes and
// its terminator; nothing past the terminator is read.
class CandidateCursor {
public:
    CandidateCursor(const PrefilterTables& tables, PrefilterBlockFunction block, const uint8_t* at,
                    size_t length)
        : tables_(tables), block_(block), at_(at), length_(length) {}

    // The first candidate at or after `from`, or the text's length when
    // there is none.
    size_t Next(size_t from) {
        for (;;) {
            if (from >= base_ && from - base_ < kPrefilterBlock) {
                const uint64_t bits = bits_ & (~static_cast<uint64_t>(0) << (from - base_));
                if (bits) return base_ + static_cast<size_t>(__builtin_ctzll(bits));
                from = base_ + kPrefilterBlock;
            }
            if (from >= length_) return length_;
            Load(from);
        }
    }

private:
    void Load(size_t from);

    const PrefilterTables& tables_;
    PrefilterBlockFunction block_;
    const uint8_t* at_;
    size_t length_;
    size_t base_ = ~static_cast<size_t>(0) - kPrefilterBlock;
    uint64_t bits_ = 0;
};

#endif

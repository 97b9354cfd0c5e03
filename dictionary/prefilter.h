// A filter that finds, 64 text positions at a time, where a pattern of the
// matcher may start, so that the scan need not step through the long runs
// of text where none can.
//
// The distinct starts of the patterns (their first four bytes, or the whole
// of a shorter pattern) are put into 16 buckets. Each of the first four
// bytes of a position is looked up by one or more views, each a 4-bit part
// of it, in 16-entry tables that say which buckets have a start with that
// value there; a position passes when one bucket accepts every view. The
// starts are mostly double-byte characters: bytes 0 and 2 are lead bytes,
// few and told apart by their low nibble, while bytes 1 and 3, the trail
// bytes, vary most and are looked up three ways, so that a bucket accepts
// few trail bytes that none of its starts has. 16-entry tables are what a
// byte shuffle (SSSE3, AVX2) looks up 16 or 32 bytes at once; the portable
// code reads the same tables one byte at a time, so every path lets through
// the same positions. Every position where a pattern starts passes; the
// others that pass are turned away by the matcher.
#ifndef ZEV_PREFILTER_H
#define ZEV_PREFILTER_H

#include <stddef.h>
#include <stdint.h>

// Bytes of each position the filter looks at, and positions per block.
const int kPrefilterWidth = 4;
const size_t kPrefilterBlock = 64;
// Bytes a block reads from its first position on.
const size_t kPrefilterBlockReach = kPrefilterBlock + kPrefilterWidth - 1;

// The 4-bit views of a byte, and the lookups the filter makes: the byte of
// the position each reads, and its view.
enum PrefilterView : uint8_t { kLowNibble, kHighNibble, kMiddleBits };
struct PrefilterLookup {
    uint8_t byte;
    PrefilterView view;
};
const int kPrefilterLookups = 8;
const PrefilterLookup kPrefilterLookup[kPrefilterLookups] = {
    {0, kLowNibble}, {1, kLowNibble}, {1, kHighNibble}, {1, kMiddleBits},
    {2, kLowNibble}, {3, kLowNibble}, {3, kHighNibble}, {3, kMiddleBits},
};

inline unsigned PrefilterViewOf(uint8_t byte, PrefilterView view) {
    return view == kLowNibble ? byte & 15u : view == kHighNibble ? byte >> 4 : (byte >> 2) & 15u;
}

// For each lookup, the buckets 0-7 that accept each value of its view,
// then the buckets 8-15. Then the lead bytes of the code page as two
// ranges, each its first byte and its length less one, so that a vector
// path can tell them 64 at a time.
struct PrefilterTables {
    uint8_t buckets[kPrefilterLookups][2][16];
    uint8_t leadFirst[2];
    uint8_t leadSpan[2];
};

// What the filter tells about 64 positions: bit i of `candidates` set when
// position i may start a pattern, bit i of `leads` when its byte is a lead
// byte.
struct PrefilterBlock {
    uint64_t candidates;
    uint64_t leads;
};

// The ways of finding the next position to try; each gives the same result.
enum class ScanPath : uint8_t {
    kStepping,  // every character boundary, one after the other
    kPortable,  // the filter in plain C++
    kSsse3,     // the filter 16 bytes at a time
    kAvx2,      // the filter 32 bytes at a time
    kAvx512,    // the filter 64 bytes at a time
};

// The block of the 64 positions from `at`, of which `left` come before the
// text's terminator (at[left]); no position from there on is a candidate,
// and no byte past the terminator is read.
typedef PrefilterBlock (*PrefilterBlockFunction)(const PrefilterTables& tables, const uint8_t* at,
                                                 size_t left);

// Whether each byte starts a double-byte character of the ANSI code page,
// asked once per process: the code page does not change while it runs.
const bool* LeadBytes();

// Puts the starts of the patterns into buckets, then fills the tables.
class PrefilterBuilder {
public:
    // Each start goes to the bucket whose volume it grows least, so that
    // similar starts share a bucket and a short one gets one of its own.
    void Add(const uint8_t* pattern, int length);
    // False when the lead bytes of the code page do not form two ranges
    // (code page 932 has 0x81-0x9F and 0xE0-0xFC); the filter cannot serve.
    bool Fill(PrefilterTables* tables) const;

private:
    // The values of each view of each byte that a bucket accepts, and how
    // many byte values that lets through; `open` from the byte where its
    // shortest start ends (any byte is accepted there).
    struct Bucket {
        uint16_t values[kPrefilterWidth][3] = {{0}};
        int accepted[kPrefilterWidth] = {0};
        int open = kPrefilterWidth;
        bool used = false;
    };
    static const int kBuckets = 16;
    static double Volume(const Bucket& b);
    static Bucket With(Bucket b, const uint8_t* start, int length);

    Bucket buckets_[kBuckets];
    double volumes_[kBuckets] = {0};
};

// Whether this processor (and system) can take `path`.
bool ScanPathSupported(ScanPath path);
// The path's name for people: "stepping", "portable", "SSSE3", "AVX2", "AVX-512".
const char* ScanPathName(ScanPath path);
// The path conversions take: the widest vector path supported, else
// stepping, unless a test chose another with ChooseScanPath (false, with
// nothing changed, for a path this processor lacks).
ScanPath CurrentScanPath();
bool ChooseScanPath(ScanPath path);
// The block function of a filtering path (not kStepping).
PrefilterBlockFunction PrefilterBlockFor(ScanPath path);

// A block function from one that reads kPrefilterBlockReach bytes: near
// the terminator it reads a copy padded with zeros, which belong to no
// pattern that starts before the terminator and are no lead bytes.
template <PrefilterBlock (*Whole)(const PrefilterTables&, const uint8_t*)>
PrefilterBlock PrefilterBlockPadded(const PrefilterTables& tables, const uint8_t* at, size_t left) {
    if (left >= kPrefilterBlockReach) return Whole(tables, at);
    uint8_t padded[kPrefilterBlockReach] = {0};
    for (size_t i = 0; i < left; ++i) padded[i] = at[i];
    PrefilterBlock block = Whole(tables, padded);
    if (left < kPrefilterBlock) block.candidates &= (static_cast<uint64_t>(1) << left) - 1;
    return block;
}

PrefilterBlock PrefilterBlockPortable(const PrefilterTables& tables, const uint8_t* at);
#if defined(__i386__) || defined(__x86_64__)
#define ZEV_PREFILTER_X86 1
PrefilterBlock PrefilterBlockSsse3(const PrefilterTables& tables, const uint8_t* at);
PrefilterBlock PrefilterBlockAvx2(const PrefilterTables& tables, const uint8_t* at);
// Reads only the bytes before the terminator (masked loads), so needs no copy.
PrefilterBlock PrefilterBlockAvx512(const PrefilterTables& tables, const uint8_t* at, size_t left);
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

// Of 64 positions whose lead bytes are `leads` (bit i for position i), the
// lead bytes that start a character, when the first position is a
// character boundary; every other lead byte is a trail byte, and position
// i is a boundary unless bit i - 1 of the result is set. A byte that is no
// lead byte always ends a character, so a run of lead bytes pairs up from
// its start: the sum carries a 1 from the start of each run that begins on
// an even position through the run, which tells those runs apart from the
// ones that begin on an odd position.
inline uint64_t StartingLeads(uint64_t leads) {
    const uint64_t even = 0x5555555555555555ull;
    const uint64_t starts = leads & ~(leads << 1);
    const uint64_t fromEven = leads & ~(leads + (starts & even));
    return (fromEven & even) | (leads & ~fromEven & ~even);
}

#endif

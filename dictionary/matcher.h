// The conversion matcher: a byte trie over the patterns of one selection of
// entries, laid out as a double array, that finds in one walk the entry with
// the lowest slot whose pattern starts at a given input position.
//
// Each 32-bit unit is a trie node:
//   bits 0-7    label, the byte on the edge from the parent
//   bit 8       blocked: set in free units and value units, so that no step
//               lands on them (not even a step on the input's terminator)
//   bit 9       a pattern ends here; its value unit sits at base + 0
//   bit 10      tail: only one pattern lies below, and the rest of it is
//               kept in the tail pool instead of as a chain of nodes
//   bits 11-31  base: the child for byte c is unit base + c; for a tail, the
//               offset of its tail record in the pool, in 4-byte steps
// Every node with children has a base of its own, so the label alone proves
// that a unit is the child of the node that reached it. The root's base is
// kept apart, as the first step of every search.
// A value unit holds the slot index in bits 9-22 and the length of the
// replacement in bits 23-30. A tail record is the length of the rest, its
// bytes, the slot index (2 bytes, low first) and the replacement length.
#ifndef ZEV_MATCHER_H
#define ZEV_MATCHER_H

#include <stddef.h>
#include <stdint.h>

#include "prefilter.h"

struct DataRecord;

// What a search found: the winning slot index (0-based), the length of its
// pattern and of its replacement.
struct Match {
    uint32_t slot;
    uint32_t patternLength;
    uint32_t replacementLength;
};

// A filter in front of the trie, for every dictionary: in code page 932
// most characters share their lead byte with many patterns, and most text
// positions start no pattern, so the scan asks the filter first and walks
// the trie only where it lets a position through. Two bit tables indexed by
// hashes:
// for each first pair of bytes, whether some pattern starts with it and
// whether one of those is shorter than four bytes; and for each first four
// bytes of the longer patterns, whether some pattern starts with them.
// Collisions only let more positions through to the trie.
const uint32_t kMatcherHash = 0x9E3779B1u;
// Table slots per distinct key, and the bounds of the tables (powers of 2);
// small tables stay in the first-level cache next to the trie.
const size_t kMatcherBitsPerKey = 8;
const int kMatcherMinFilterLog = 6;
const int kMatcherMaxPairLog = 16;
const int kMatcherMaxQuadLog = 17;
// Distinct patterns up to which the prefilter is used.
const int kPrefilterMaxPatterns = 4096;

// What a search reads, apart from the matcher that owns it: the scan keeps a
// copy of it, so that its fields stay in registers while the output is
// written (a byte written through a char pointer could be any of them).
struct MatcherSearch {
    const uint32_t* units;
    const uint8_t* tails;
    // Two bits per pair slot (some pattern starts, one of those is shorter
    // than four bytes), and one bit per quad slot.
    const uint8_t* pairs;
    const uint8_t* quads;
    uint32_t rootBase;
    int pairShift;
    int quadShift;

    bool Find(const uint8_t* at, Match* match) const;
    bool MayStart(const uint8_t* at, size_t remaining) const;
    uint32_t PairIndex(const uint8_t* at) const {
        return ((static_cast<uint32_t>(at[0]) << 8 | at[1]) * kMatcherHash) >> pairShift;
    }
    uint32_t QuadIndex(const uint8_t* at) const {
        uint32_t quad = static_cast<uint32_t>(at[0]) | static_cast<uint32_t>(at[1]) << 8 |
                        static_cast<uint32_t>(at[2]) << 16 | static_cast<uint32_t>(at[3]) << 24;
        return (quad * kMatcherHash) >> quadShift;
    }
};

class Matcher {
public:
    // Indexes the entries of `slots` (0-based, ascending, each with a
    // non-empty pattern). `backward` seeks targets instead of sources.
    // False when memory runs out; the matcher is then empty.
    bool Build(const DataRecord* const* entries, const uint16_t* slots, int count, bool backward);
    void Release();
    bool IsBuilt() const { return units_ != nullptr; }

    // Finds the lowest-slot entry whose pattern starts at `at`; no pattern
    // holds a 0 byte, so the input's terminator ends every walk.
    bool Find(const uint8_t* at, Match* match) const { return Search().Find(at, match); }

    // False when no pattern can start at `at`, where `remaining` (at least
    // 1) bytes are left before the terminator; true says only that one may.
    // Nothing past the terminator is read.
    bool MayStart(const uint8_t* at, size_t remaining) const {
        return Search().MayStart(at, remaining);
    }

    MatcherSearch Search() const {
        return {units_, tails_, filters_, quads_, rootBase_, pairShift_, quadShift_};
    }
    // The tables that find the positions where a pattern may start, and
    // whether they pay: over thousands of patterns nearly every position
    // passes them, and stepping from character to character is faster.
    // (Nor can they serve a code page whose lead bytes they cannot tell.)
    const PrefilterTables& Prefilter() const { return *prefilter_; }
    bool PrefilterPays() const { return prefilterPays_; }

    // Bytes the matcher holds, and bytes of the distinct patterns it indexes.
    size_t MemoryBytes() const {
        return unitCount_ * sizeof(uint32_t) + tailBytes_ + filterBytes_ + sizeof *prefilter_;
    }
    size_t PatternBytes() const { return patternBytes_; }

private:
    bool BuildFilters(const DataRecord* const* entries, const uint16_t* slots, int count,
                      bool backward, size_t pairs, size_t quads);

    uint32_t* units_ = nullptr;
    size_t unitCount_ = 0;
    uint32_t rootBase_ = 0;
    uint8_t* tails_ = nullptr;
    size_t tailBytes_ = 0;
    // The filter: the pair slots, then the quad slots.
    uint8_t* filters_ = nullptr;
    uint8_t* quads_ = nullptr;
    size_t filterBytes_ = 0;
    PrefilterTables* prefilter_ = nullptr;
    int pairShift_ = 32;
    int quadShift_ = 32;
    size_t patternBytes_ = 0;
    int patternCount_ = 0;
    bool prefilterPays_ = false;
};

// The matchers a dictionary keeps between conversions: one per direction,
// each for the level and types it was built for, until the entries change.
class MatcherCache {
public:
    enum State : uint8_t { kEmpty, kBuilt, kFailed };
    struct Cached {
        Matcher matcher;
        uint8_t level = 0;
        uint8_t types = 0;
        State state = kEmpty;
    };

    ~MatcherCache() { Invalidate(); }
    Cached& For(bool backward) { return cached_[backward ? 1 : 0]; }
    void Invalidate() {
        for (Cached& cached : cached_) {
            cached.matcher.Release();
            cached.state = kEmpty;
        }
    }

private:
    Cached cached_[2];
};

const uint32_t kMatcherStepMask = 0x1FF;  // label and blocked bit
const uint32_t kMatcherBlocked = 1u << 8;
const uint32_t kMatcherEnds = 1u << 9;
const uint32_t kMatcherTail = 1u << 10;
const int kMatcherBaseShift = 11;
const int kMatcherTailAlign = 4;
const int kMatcherSlotShift = 9;
const int kMatcherReplacementShift = 23;
const uint32_t kMatcherNoSlot = 0xFFFFFFFFu;

inline bool MatcherBit(const uint8_t* bits, uint32_t index) {
    return (bits[index >> 3] >> (index & 7)) & 1;
}

inline bool MatcherSearch::Find(const uint8_t* at, Match* match) const {
    uint32_t c = at[0];
    uint32_t unit = units[rootBase + c];
    // Most positions end here: no pattern starts with this byte.
    if ((unit & kMatcherStepMask) != c) return false;
    uint32_t best = kMatcherNoSlot;
    uint32_t depth = 1;
    for (;;) {
        uint32_t base = unit >> kMatcherBaseShift;
        // One test for the rare cases keeps the common step short.
        if (unit & (kMatcherTail | kMatcherEnds)) {
            if (unit & kMatcherTail) {
                const uint8_t* tail = tails + kMatcherTailAlign * static_cast<size_t>(base);
                const uint8_t* rest = at + depth;
                uint32_t length = tail[0];
                uint32_t i = 0;
                // Tail bytes are never 0, so the input's terminator stops this.
                while (i < length && tail[1 + i] == rest[i]) ++i;
                if (i == length) {
                    uint32_t slot =
                        tail[1 + length] | (static_cast<uint32_t>(tail[2 + length]) << 8);
                    if (slot < best) {
                        best = slot;
                        match->patternLength = depth + length;
                        match->replacementLength = tail[3 + length];
                    }
                }
                break;
            }
            uint32_t value = units[base];
            uint32_t slot = (value >> kMatcherSlotShift) & 0x3FFF;
            if (slot < best) {
                best = slot;
                match->patternLength = depth;
                match->replacementLength = value >> kMatcherReplacementShift;
            }
        }
        c = at[depth];
        unit = units[base + c];
        if ((unit & kMatcherStepMask) != c) break;
        ++depth;
    }
    match->slot = best;
    return best != kMatcherNoSlot;
}

inline bool MatcherSearch::MayStart(const uint8_t* at, size_t remaining) const {
    // at[1] is at worst the terminator.
    uint32_t pair = PairIndex(at);
    uint32_t bits = pairs[pair >> 2] >> ((pair & 3) * 2);
    if (!(bits & 1)) return false;
    if (bits & 2) return true;
    // Every pattern with this pair is at least four bytes long.
    return remaining >= 4 && MatcherBit(quads, QuadIndex(at));
}

#endif

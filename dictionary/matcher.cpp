// Building the conversion matcher (layout in matcher.h).
//
// The patterns are sorted, duplicates keep their lowest slot, and the trie is
// laid out depth first straight from the sorted ranges: a range of patterns
// that share their first `depth` bytes is one node. Each node's children are
// placed at the first base where all of them find free units (first fit over
// a list of free units); a range with a single pattern becomes a tail. All
// memory comes from the platform's allocator, so a build can fail cleanly
// and the caller falls back to the plain scan.
#include "matcher.h"

#include <string.h>

#include <algorithm>

#include "dictionary.h"
#include "platform.h"

namespace {

struct Item {
    const uint8_t* pattern;
    uint16_t slot;
    uint8_t length;
    uint8_t replacementLength;
};

bool ItemBefore(const Item& a, const Item& b) {
    size_t common = a.length < b.length ? a.length : b.length;
    int order = memcmp(a.pattern, b.pattern, common);
    if (order != 0) return order < 0;
    if (a.length != b.length) return a.length < b.length;
    return a.slot < b.slot;
}

const uint32_t kMaxBase = (1u << (32 - kMatcherBaseShift)) - 1;
// Free units tried for a node before it goes to the end of the array; keeps
// the build linear at the price of a few holes.
const int kMaxTries = 256;

template <class T>
T* AllocArray(size_t count) {
    return static_cast<T*>(platform::AllocZeroed(count * sizeof(T)));
}

// Copies `count` elements into a new block of `newCount`; frees the old one.
template <class T>
bool Regrow(T** array, size_t count, size_t newCount) {
    T* grown = AllocArray<T>(newCount);
    if (!grown) return false;
    if (*array) memcpy(grown, *array, count * sizeof(T));
    platform::Free(*array);
    *array = grown;
    return true;
}

class Builder {
public:
    ~Builder() {
        platform::Free(items_);
        platform::Free(units_);
        platform::Free(used_);
        platform::Free(baseUsed_);
        platform::Free(next_);
        platform::Free(prev_);
        platform::Free(tails_);
    }

    bool Collect(const DataRecord* const* entries, const uint16_t* slots, int count, bool backward);
    bool Lay() { return Grow(1024) && Place(0, 0, count_, 0); }
    bool Finish(uint32_t** units, size_t* unitCount, uint8_t** tails, size_t* tailBytes,
                uint32_t* rootBase);
    size_t patternBytes() const { return patternBytes_; }
    // Distinct first pairs (a one-byte pattern counts for 32) and distinct
    // first four bytes, which size the filter.
    size_t pairCount() const { return pairCount_; }
    size_t quadCount() const { return quadCount_; }
    int count() const { return count_; }
    bool FillPrefilter(PrefilterTables* tables) const;

private:
    void CountPrefixes();
    bool Grow(size_t needed);
    bool Place(uint32_t node, int lo, int hi, uint32_t depth);
    bool PlaceTail(uint32_t node, const Item& item, uint32_t depth);
    bool Fits(uint32_t base, int labelCount, bool ends) const;
    bool FindBase(int labelCount, bool ends, uint32_t* base);
    void Take(uint32_t unit);

    Item* items_ = nullptr;
    int count_ = 0;
    size_t patternBytes_ = 0;
    size_t pairCount_ = 0;
    size_t quadCount_ = 0;

    uint32_t* units_ = nullptr;
    uint8_t* used_ = nullptr;
    uint8_t* baseUsed_ = nullptr;
    // Free units below frontier_ form a ring through unit 0 (the root,
    // never free); units from frontier_ on are free and not listed.
    uint32_t* next_ = nullptr;
    uint32_t* prev_ = nullptr;
    size_t capacity_ = 0;
    uint32_t frontier_ = 1;
    uint32_t maxBase_ = 0;
    uint32_t rootBase_ = 0;

    uint8_t* tails_ = nullptr;
    size_t tailUsed_ = 0;

    uint8_t labels_[256];
};

bool Builder::Collect(const DataRecord* const* entries, const uint16_t* slots, int count,
                      bool backward) {
    items_ = AllocArray<Item>(count > 0 ? count : 1);
    if (!items_) return false;
    size_t tailBound = 8;
    for (int i = 0; i < count; ++i) {
        const DataRecord* record = entries[slots[i]];
        const char* pattern = backward ? record->target : record->source;
        const char* replacement = backward ? record->source : record->target;
        Item& item = items_[i];
        item.pattern = reinterpret_cast<const uint8_t*>(pattern);
        item.slot = slots[i];
        // The texts are NUL-terminated within their 256 bytes; a stored
        // length can exceed what the scan sees when a file held a 0 byte.
        item.length = static_cast<uint8_t>(strnlen(pattern, ZEV_MAX_TEXT));
        item.replacementLength = static_cast<uint8_t>(strnlen(replacement, ZEV_MAX_TEXT));
        tailBound += item.length + 4u + kMatcherTailAlign;
    }
    std::sort(items_, items_ + count, ItemBefore);
    // Of equal patterns only the lowest slot can ever win.
    int kept = 0;
    for (int i = 0; i < count; ++i) {
        if (kept > 0 && items_[kept - 1].length == items_[i].length &&
            memcmp(items_[kept - 1].pattern, items_[i].pattern, items_[i].length) == 0)
            continue;
        items_[kept++] = items_[i];
        patternBytes_ += items_[i].length;
    }
    count_ = kept;
    CountPrefixes();
    tails_ = AllocArray<uint8_t>(tailBound);
    return tails_ != nullptr;
}

// Sorted order keeps equal prefixes together.
void Builder::CountPrefixes() {
    for (int i = 0; i < count_; ++i) {
        const Item& item = items_[i];
        const Item* previous = i > 0 ? &items_[i - 1] : nullptr;
        if (item.length < 2) {
            // It sets 256 pair slots; counted in full it would size the
            // table for a few such patterns at many times their bytes.
            pairCount_ += 32;
            continue;
        }
        if (!previous || previous->length < 2 || memcmp(previous->pattern, item.pattern, 2) != 0)
            ++pairCount_;
        if (item.length >= 4 &&
            (!previous || previous->length < 4 || memcmp(previous->pattern, item.pattern, 4) != 0))
            ++quadCount_;
    }
}

// Each distinct start once: sorted order keeps equal ones together.
bool Builder::FillPrefilter(PrefilterTables* tables) const {
    PrefilterBuilder prefilter;
    for (int i = 0; i < count_; ++i) {
        const Item& item = items_[i];
        const Item* previous = i > 0 ? &items_[i - 1] : nullptr;
        if (previous && previous->length >= kPrefilterWidth && item.length >= kPrefilterWidth &&
            memcmp(previous->pattern, item.pattern, kPrefilterWidth) == 0)
            continue;
        prefilter.Add(item.pattern, item.length);
    }
    return prefilter.Fill(tables);
}

// Makes room for units below `needed`.
bool Builder::Grow(size_t needed) {
    if (needed <= capacity_) return true;
    size_t size = capacity_ ? capacity_ : 1024;
    while (size < needed) size *= 2;
    if (!Regrow(&units_, capacity_, size) || !Regrow(&used_, capacity_, size) ||
        !Regrow(&baseUsed_, capacity_, size) || !Regrow(&next_, capacity_, size) ||
        !Regrow(&prev_, capacity_, size))
        return false;
    if (capacity_ == 0) used_[0] = 1;  // the root; the free ring is empty
    capacity_ = size;
    return true;
}

// Marks `unit` as taken, listing the units it skips over as free.
void Builder::Take(uint32_t unit) {
    if (unit < frontier_) {
        next_[prev_[unit]] = next_[unit];
        prev_[next_[unit]] = prev_[unit];
    } else {
        for (uint32_t free = frontier_; free < unit; ++free) {
            uint32_t last = prev_[0];
            next_[last] = free;
            prev_[free] = last;
            next_[free] = 0;
            prev_[0] = free;
        }
        frontier_ = unit + 1;
    }
    used_[unit] = 1;
}

bool Builder::Fits(uint32_t base, int labelCount, bool ends) const {
    if (baseUsed_[base]) return false;
    if (ends && used_[base]) return false;
    for (int i = 0; i < labelCount; ++i) {
        if (used_[base + labels_[i]]) return false;
    }
    return true;
}

bool Builder::FindBase(int labelCount, bool ends, uint32_t* base) {
    // Every base tried below the frontier reaches at most 255 units past it.
    if (!Grow(frontier_ + 257u)) return false;
    const uint32_t first = ends ? 0 : labels_[0];
    int tries = 0;
    for (uint32_t unit = next_[0]; unit != 0 && tries < kMaxTries; unit = next_[unit], ++tries) {
        if (unit <= first) continue;
        if (Fits(unit - first, labelCount, ends)) {
            *base = unit - first;
            return true;
        }
    }
    uint32_t candidate = frontier_ > first + 1 ? frontier_ - first : 1;
    for (;; ++candidate) {
        if (candidate > kMaxBase || !Grow(candidate + 257)) return false;
        if (Fits(candidate, labelCount, ends)) break;
    }
    *base = candidate;
    return true;
}

bool Builder::PlaceTail(uint32_t node, const Item& item, uint32_t depth) {
    const size_t align = kMatcherTailAlign;
    size_t offset = (tailUsed_ + align - 1) / align * align;
    if (offset / align > kMaxBase) return false;
    uint8_t* record = tails_ + offset;
    uint32_t length = item.length - depth;
    record[0] = static_cast<uint8_t>(length);
    memcpy(record + 1, item.pattern + depth, length);
    record[1 + length] = static_cast<uint8_t>(item.slot);
    record[2 + length] = static_cast<uint8_t>(item.slot >> 8);
    record[3 + length] = item.replacementLength;
    tailUsed_ = offset + 4 + length;
    units_[node] |= kMatcherTail | static_cast<uint32_t>(offset / align) << kMatcherBaseShift;
    return true;
}

// Lays out the node for items [lo, hi), which share their first `depth` bytes.
bool Builder::Place(uint32_t node, int lo, int hi, uint32_t depth) {
    // The root always branches: searches start with its base.
    if (hi - lo == 1 && depth > 0) return PlaceTail(node, items_[lo], depth);
    if (hi == lo) return true;  // the root of an empty selection

    // Sorted order puts the pattern that ends here (at most one) first.
    const bool ends = items_[lo].length == depth;
    const int firstChild = ends ? lo + 1 : lo;
    int labelCount = 0;
    for (int i = firstChild; i < hi; ++i) {
        uint8_t label = items_[i].pattern[depth];
        if (labelCount == 0 || labels_[labelCount - 1] != label) labels_[labelCount++] = label;
    }
    uint32_t base = 0;
    if (!FindBase(labelCount, ends, &base)) return false;
    baseUsed_[base] = 1;
    if (base > maxBase_) maxBase_ = base;
    if (node == 0) rootBase_ = base;
    units_[node] |= static_cast<uint32_t>(base) << kMatcherBaseShift;
    if (ends) {
        const Item& item = items_[lo];
        units_[node] |= kMatcherEnds;
        units_[base] = kMatcherBlocked | static_cast<uint32_t>(item.slot) << kMatcherSlotShift |
                       static_cast<uint32_t>(item.replacementLength) << kMatcherReplacementShift;
        Take(base);
    }
    for (int i = 0; i < labelCount; ++i) {
        units_[base + labels_[i]] = labels_[i];
        Take(base + labels_[i]);
    }
    // Children in label order; each group shares the byte at `depth`.
    for (int i = firstChild; i < hi;) {
        uint8_t label = items_[i].pattern[depth];
        int end = i + 1;
        while (end < hi && items_[end].pattern[depth] == label) ++end;
        if (!Place(base + label, i, end, depth + 1)) return false;
        i = end;
    }
    return true;
}

// Hands over right-sized copies: every base is followed by 256 units, so a
// step on any byte stays inside the array.
bool Builder::Finish(uint32_t** units, size_t* unitCount, uint8_t** tails, size_t* tailBytes,
                     uint32_t* rootBase) {
    size_t count = maxBase_ + 256u;
    if (count < frontier_) count = frontier_;
    uint32_t* finalUnits = AllocArray<uint32_t>(count);
    uint8_t* finalTails = AllocArray<uint8_t>(tailUsed_ > 0 ? tailUsed_ : 1);
    if (!finalUnits || !finalTails) {
        platform::Free(finalUnits);
        platform::Free(finalTails);
        return false;
    }
    memcpy(finalUnits, units_, (count < capacity_ ? count : capacity_) * sizeof(uint32_t));
    // Free units, and the root itself, can never be stepped on.
    for (size_t i = 0; i < count; ++i) {
        if (i == 0 || i >= capacity_ || !used_[i]) finalUnits[i] |= kMatcherBlocked;
    }
    memcpy(finalTails, tails_, tailUsed_);
    *units = finalUnits;
    *unitCount = count;
    *tails = finalTails;
    *tailBytes = tailUsed_ > 0 ? tailUsed_ : 1;
    *rootBase = rootBase_;
    return true;
}

}  // namespace

bool Matcher::Build(const DataRecord* const* entries, const uint16_t* slots, int count,
                    bool backward) {
    Release();
    Builder builder;
    if (!builder.Collect(entries, slots, count, backward) || !builder.Lay()) return false;
    if (!builder.Finish(&units_, &unitCount_, &tails_, &tailBytes_, &rootBase_)) return false;
    patternBytes_ = builder.patternBytes();
    patternCount_ = builder.count();
    prefilter_ = static_cast<PrefilterTables*>(platform::AllocZeroed(sizeof *prefilter_));
    if (!prefilter_) {
        Release();
        return false;
    }
    prefilterPays_ = builder.FillPrefilter(prefilter_) && patternCount_ <= kPrefilterMaxPatterns;
    if (!BuildFilters(entries, slots, count, backward, builder.pairCount(), builder.quadCount())) {
        Release();
        return false;
    }
    return true;
}

static void SetBit(uint8_t* bits, uint32_t index) {
    bits[index >> 3] |= static_cast<uint8_t>(1u << (index & 7));
}

// Base-2 logarithm of the table size for `count` keys at `bitsEach`.
static int FilterLog(size_t count, size_t bitsEach, int maxLog) {
    int log = kMatcherMinFilterLog;
    while (log < maxLog && (static_cast<size_t>(1) << log) < count * bitsEach) ++log;
    return log;
}

bool Matcher::BuildFilters(const DataRecord* const* entries, const uint16_t* slots, int count,
                           bool backward, size_t pairs, size_t quads) {
    const int pairLog = FilterLog(pairs, kMatcherBitsPerKey, kMatcherMaxPairLog);
    const int quadLog = FilterLog(quads, kMatcherBitsPerKey, kMatcherMaxQuadLog);
    const size_t pairBytes = (static_cast<size_t>(2) << pairLog) / 8;
    filterBytes_ = pairBytes + (static_cast<size_t>(1) << quadLog) / 8;
    filters_ = static_cast<uint8_t*>(platform::AllocZeroed(filterBytes_));
    if (!filters_) return false;
    quads_ = filters_ + pairBytes;
    pairShift_ = 32 - pairLog;
    quadShift_ = 32 - quadLog;
    for (int i = 0; i < count; ++i) {
        const DataRecord* record = entries[slots[i]];
        const uint8_t* pattern =
            reinterpret_cast<const uint8_t*>(backward ? record->target : record->source);
        uint8_t pair[2] = {pattern[0], pattern[1]};
        // A one-byte pattern starts every pair with its byte.
        const uint32_t seconds = pattern[1] != 0 ? 1 : 256;
        for (uint32_t second = 0; second < seconds; ++second) {
            if (seconds > 1) pair[1] = static_cast<uint8_t>(second);
            const uint32_t index = Search().PairIndex(pair);
            SetBit(filters_, 2 * index);
            if (seconds > 1 || pattern[2] == 0 || pattern[3] == 0) SetBit(filters_, 2 * index + 1);
        }
        if (seconds == 1 && pattern[2] != 0 && pattern[3] != 0)
            SetBit(quads_, Search().QuadIndex(pattern));
    }
    return true;
}

void Matcher::Release() {
    platform::Free(units_);
    platform::Free(tails_);
    platform::Free(filters_);
    platform::Free(prefilter_);
    prefilter_ = nullptr;
    filters_ = nullptr;
    quads_ = nullptr;
    filterBytes_ = 0;
    pairShift_ = 32;
    quadShift_ = 32;
    units_ = nullptr;
    tails_ = nullptr;
    unitCount_ = 0;
    rootBase_ = 0;
    tailBytes_ = 0;
    patternBytes_ = 0;
    patternCount_ = 0;
    prefilterPays_ = false;
}

// The conversion engine: one pass over the input, taking at each character
// the applicable entry of lowest slot whose pattern starts there. A matcher
// (matcher.h) finds that entry in one walk; the plain scan, which tries the
// entries one by one, stands in when the matcher cannot be built.
#include <string.h>

#include "dictionary.h"
#include "platform.h"

// Whether an entry with `entryTypes` and `condition` applies to the selected
// `types`; `known` holds the bits of the dictionary's first (up to) eight types.
static bool TypeTestPasses(uint8_t entryTypes, uint8_t condition, uint8_t types, uint8_t known) {
    bool shares = (entryTypes & types) != 0;
    bool hasKnownType = (entryTypes & known) != 0;
    if (condition == 1) return known == 0 || !hasKnownType || shares;
    return known != 0 && hasKnownType && shares;
}

// Fills `candidates` and `slots` (each when given; `slots` with 0-based slot
// indices) with the entries that apply at `level` to `types`, in slot order.
// Entries whose pattern is empty are left out: they would match everywhere
// without consuming input.
int Dictionary::BuildCandidates(uint8_t level, uint8_t types, bool backward,
                                const DataRecord** candidates, uint16_t* slots) const {
    int firstTypes = typeCount < 8 ? typeCount : 8;
    uint8_t known = static_cast<uint8_t>((1u << firstTypes) - 1);
    int count = 0;
    for (int i = 0; i < ZEV_MAX_DATA; ++i) {
        const DataRecord* record = entries[i];
        if (!record || record->level > level) continue;
        if (!TypeTestPasses(record->typeMask, record->condition, types, known)) continue;
        const char* pattern = backward ? record->target : record->source;
        if (pattern[0] == '\0') continue;
        if (slots) slots[count] = static_cast<uint16_t>(i);
        if (candidates) candidates[count] = record;
        ++count;
    }
    return count;
}

// The matcher for this selection, built on first use and kept until the
// entries change; null when it could not be built (the plain scan serves).
const Matcher* Dictionary::MatcherFor(uint8_t level, uint8_t types, bool backward) {
    MatcherCache::Cached& cached = matchers.For(backward);
    if (cached.state != MatcherCache::kEmpty && cached.level == level && cached.types == types)
        return cached.state == MatcherCache::kBuilt ? &cached.matcher : nullptr;
    cached.matcher.Release();
    cached.level = level;
    cached.types = types;
    cached.state = MatcherCache::kFailed;
    uint16_t* slots =
        static_cast<uint16_t*>(platform::AllocZeroed(ZEV_MAX_DATA * sizeof(uint16_t)));
    if (!slots) return nullptr;
    int count = BuildCandidates(level, types, backward, nullptr, slots);
    if (cached.matcher.Build(entries, slots, count, backward)) cached.state = MatcherCache::kBuilt;
    platform::Free(slots);
    return cached.state == MatcherCache::kBuilt ? &cached.matcher : nullptr;
}

namespace {

// A replacement found at the scan position.
struct Found {
    const char* text;
    uint32_t length;
    uint32_t patternLength;
};

// Length of `pattern` when the input at `at` starts with it, else 0. The
// input's terminator ends the comparison, so nothing past it is read.
size_t MatchLength(const char* pattern, const char* at) {
    size_t i = 0;
    while (pattern[i] != '\0' && pattern[i] == at[i]) ++i;
    return pattern[i] == '\0' ? i : 0;
}

// Tries every candidate in turn; the first whose pattern starts here wins.
struct PlainFinder {
    const DataRecord* const* candidates;
    int count;
    bool backward;

    bool MayStart(const char*, size_t) const { return true; }

    bool operator()(const char* at, size_t, Found* found) const {
        for (int i = 0; i < count; ++i) {
            const DataRecord* record = candidates[i];
            size_t length = MatchLength(backward ? record->target : record->source, at);
            if (length != 0) {
                found->text = backward ? record->source : record->target;
                found->length = static_cast<uint32_t>(strlen(found->text));
                found->patternLength = static_cast<uint32_t>(length);
                return true;
            }
        }
        return false;
    }
};

// Asks the matcher's filter, then its trie; the replacement is read from
// the winning entry.
struct MatcherFinder {
    MatcherSearch search;
    const DataRecord* const* entries;
    bool backward;

    bool MayStart(const char* at, size_t remaining) const {
        return search.MayStart(reinterpret_cast<const uint8_t*>(at), remaining);
    }
    bool operator()(const char* at, size_t, Found* found) const {
        Match match;
        if (!search.Find(reinterpret_cast<const uint8_t*>(at), &match)) return false;
        const DataRecord* record = entries[match.slot];
        found->text = backward ? record->source : record->target;
        found->length = match.replacementLength;
        found->patternLength = match.patternLength;
        return true;
    }
};

// The converted text as it is written, and the room it has.
struct Writer {
    char* output;
    uint32_t limit;
    uint32_t o = 0;

    // The result of a full output: what fits is kept.
    int Overflow(uint32_t flags) {
        output[o] = '\0';
        return (flags & ZEV_CONVERT_FAIL_ON_OVERFLOW) ? 0 : 1;
    }
    int Done() {
        output[o] = '\0';
        return 1;
    }
    // One character copied, with room for two bytes kept for it; false when
    // that room is missing. A lone lead byte at the end takes the
    // terminator with it.
    bool Step(const bool* lead, const char* input, size_t* p) {
        if (limit - o < 2) return false;
        if (lead[static_cast<uint8_t>(input[*p])]) output[o++] = input[(*p)++];
        output[o++] = input[(*p)++];
        return true;
    }
    // The characters from `from` to `to`, a character boundary, copied as
    // Step would copy them one by one; false when the output fills first.
    bool Copy(const bool* lead, const char* input, size_t from, size_t to) {
        const size_t bytes = to - from;
        if (bytes + 2 <= static_cast<size_t>(limit - o)) {
            memcpy(output + o, input + from, bytes);
            o += static_cast<uint32_t>(bytes);
            return true;
        }
        while (from < to)
            if (!Step(lead, input, &from)) return false;
        return true;
    }
    bool Replace(const Found& found) {
        if (found.length > limit - o) return false;
        memcpy(output + o, found.text, found.length);
        o += found.length;
        return true;
    }
};

// Empty input is one character, its terminator, and asks for its room.
int ConvertEmpty(char* output, uint32_t limit, uint32_t flags) {
    output[0] = '\0';
    if (limit < 2) return (flags & ZEV_CONVERT_FAIL_ON_OVERFLOW) ? 0 : 1;
    output[1] = '\0';
    return 1;
}

// The single pass: a replacement where one starts, else one character
// copied (with room for two bytes kept for it), until the input ends or the
// output is full.
template <class Finder>
int Scan(const Finder& find, const char* input, char* output, uint32_t limit, uint32_t flags) {
    const bool* lead = LeadBytes();
    const size_t inputLength = strlen(input);
    if (inputLength == 0) return ConvertEmpty(output, limit, flags);
    Writer out{output, limit};
    size_t p = 0;
    for (;;) {
        Found found;
        if (find.MayStart(input + p, inputLength - p) && find(input + p, inputLength - p, &found)) {
            if (!out.Replace(found)) break;
            p += found.patternLength;
        } else if (!out.Step(lead, input, &p)) {
            break;
        }
        if (p >= inputLength) return out.Done();
    }
    return out.Overflow(flags);
}

// The same pass, trying only the positions the prefilter lets through that
// are character boundaries, and copying the text between them in one
// piece. Blocks of 64 positions follow one another, each told by the one
// before whether it starts on a trail byte; a replacement ends the scan of
// its block at its end, which counts as a boundary as it does in the scan
// above, and the lead bytes before it no longer count.
int ScanFiltered(const MatcherFinder& find, const PrefilterTables& tables,
                 PrefilterBlockFunction block, const char* input, char* output, uint32_t limit,
                 uint32_t flags) {
    const bool* lead = LeadBytes();
    const uint8_t* text = reinterpret_cast<const uint8_t*>(input);
    const size_t length = strlen(input);
    if (length == 0) return ConvertEmpty(output, limit, flags);
    Writer out{output, limit};
    size_t p = 0;           // the text from here on is not written yet
    uint64_t trail = 0;     // 1 when the block starts on a trail byte
    uint64_t starting = 0;  // the lead bytes of the block that start characters
    size_t base = 0;
    for (;;) {
        const PrefilterBlock found = block(tables, text + base, length - base);
        const uint64_t leads = found.leads & ~trail;
        starting = StartingLeads(leads);
        uint64_t bits = found.candidates & ~(starting << 1 | trail);
        size_t next = base + kPrefilterBlock;
        while (bits) {
            const size_t at = base + static_cast<size_t>(__builtin_ctzll(bits));
            Found replacement;
            if (!find(input + at, length - at, &replacement)) {
                bits &= bits - 1;
                continue;
            }
            if (!out.Copy(lead, input, p, at) || !out.Replace(replacement))
                return out.Overflow(flags);
            p = at + replacement.patternLength;
            if (p >= length) return out.Done();
            if (p >= next) {  // past the block: the next one starts at p
                next = p;
                starting = 0;
                break;
            }
            const uint64_t ahead = ~static_cast<uint64_t>(0) << (p - base);
            starting = StartingLeads(leads & ahead);
            bits = found.candidates & ~(starting << 1) & ahead;
        }
        if (next >= length) break;
        trail = starting >> 63;
        base = next;
    }
    // The rest, from p in the last block on, has no replacement; a lone
    // lead byte at its end is stepped over on its own, since it takes the
    // terminator with it.
    const size_t end = (starting >> (length - 1 - base) & 1) ? length - 1 : length;
    if (!out.Copy(lead, input, p, end)) return out.Overflow(flags);
    p = end;
    while (p < length)
        if (!out.Step(lead, input, &p)) return out.Overflow(flags);
    return out.Done();
}

}  // namespace

int Dictionary::Convert(const char* input, char* output, uint32_t limit, uint8_t level,
                        uint8_t types, uint32_t flags) {
    if (!isOpen) return Fail(ZEV_ERR_NOT_OPEN);
    if (dataCount == 0) return Fail(ZEV_ERR_DATA_EMPTY);
    if (!input || !output || limit == 0 || level == 0 || types == 0) return Fail(ZEV_ERR_PARAMETER);

    const bool backward = (flags & ZEV_CONVERT_BACKWARD) != 0;
    const Matcher* matcher = MatcherFor(level, types, backward);
    if (!matcher) return ConvertWithPlainScan(input, output, limit, level, types, flags);
    const MatcherFinder find{matcher->Search(), entries, backward};
    const ScanPath path = CurrentScanPath();
    if (path == ScanPath::kStepping || !matcher->PrefilterPays())
        return Scan(find, input, output, limit, flags);
    return ScanFiltered(find, matcher->Prefilter(), PrefilterBlockFor(path), input, output, limit,
                        flags);
}

int Dictionary::ConvertWithPlainScan(const char* input, char* output, uint32_t limit, uint8_t level,
                                     uint8_t types, uint32_t flags) {
    if (!isOpen) return Fail(ZEV_ERR_NOT_OPEN);
    if (dataCount == 0) return Fail(ZEV_ERR_DATA_EMPTY);
    if (!input || !output || limit == 0 || level == 0 || types == 0) return Fail(ZEV_ERR_PARAMETER);

    // Kept on the stack, so that conversions on several threads only read
    // the dictionary.
    const DataRecord* candidates[ZEV_MAX_DATA];
    const bool backward = (flags & ZEV_CONVERT_BACKWARD) != 0;
    const int count = BuildCandidates(level, types, backward, candidates, nullptr);
    return Scan(PlainFinder{candidates, count, backward}, input, output, limit, flags);
}

int Dictionary::SwapPointer(uint16_t slot1, uint16_t slot2) {
    if (!CheckSlot(slot1) || !CheckSlot(slot2)) return 0;
    DataRecord* first = entries[slot1 - 1];
    entries[slot1 - 1] = entries[slot2 - 1];
    entries[slot2 - 1] = first;
    matchers.Invalidate();
    return Succeed();
}

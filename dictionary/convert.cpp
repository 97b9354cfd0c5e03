// The conversion engine: one pass over the input, trying the applicable
// entries in slot order at each character and taking the first that matches.
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

// Fills `candidates` with the entries that apply at `level` to `types`, in
// slot order. Entries whose pattern is empty are left out: they would match
// everywhere without consuming input.
int Dictionary::BuildCandidates(uint8_t level, uint8_t types, bool backward) {
    int firstTypes = typeCount < 8 ? typeCount : 8;
    uint8_t known = static_cast<uint8_t>((1u << firstTypes) - 1);
    int count = 0;
    for (int i = 0; i < ZEV_MAX_DATA; ++i) {
        const DataRecord* record = entries[i];
        if (!record || record->level > level) continue;
        if (!TypeTestPasses(record->typeMask, record->condition, types, known)) continue;
        const char* pattern = backward ? record->target : record->source;
        if (pattern[0] == '\0') continue;
        candidates[count++] = record;
    }
    return count;
}

// Length of `pattern` when the input at `at` starts with it, else 0. The
// input's terminator ends the comparison, so nothing past it is read.
static size_t MatchLength(const char* pattern, const char* at) {
    size_t i = 0;
    while (pattern[i] != '\0' && pattern[i] == at[i]) ++i;
    return pattern[i] == '\0' ? i : 0;
}

int Dictionary::Convert(const char* input, char* output, uint32_t limit, uint8_t level,
                        uint8_t types, uint32_t flags) {
    if (!isOpen) return Fail(ZEV_ERR_NOT_OPEN);
    if (dataCount == 0) return Fail(ZEV_ERR_DATA_EMPTY);
    if (!input || !output || limit == 0 || level == 0 || types == 0) return Fail(ZEV_ERR_PARAMETER);

    const bool backward = (flags & ZEV_CONVERT_BACKWARD) != 0;
    const int count = BuildCandidates(level, types, backward);
    const size_t inputLength = strlen(input);
    size_t p = 0;
    uint32_t o = 0;
    output[0] = '\0';
    for (;;) {
        const char* replacement = nullptr;
        size_t patternLength = 0;
        for (int i = 0; i < count; ++i) {
            const DataRecord* record = candidates[i];
            patternLength = MatchLength(backward ? record->target : record->source, input + p);
            if (patternLength != 0) {
                replacement = backward ? record->source : record->target;
                break;
            }
        }
        if (replacement) {
            size_t length = strlen(replacement);
            if (length > limit - o) break;
            memcpy(output + o, replacement, length);
            p += patternLength;
            o += static_cast<uint32_t>(length);
        } else {
            // Room for two bytes is kept for every copied character.
            if (limit - o < 2) break;
            if (platform::IsLeadByte(static_cast<uint8_t>(input[p]))) {
                output[o++] = input[p++];
            }
            output[o++] = input[p++];
        }
        if (p >= inputLength) {
            output[o] = '\0';
            return 1;
        }
    }
    // The output is full: keep what fits.
    output[o] = '\0';
    return (flags & ZEV_CONVERT_FAIL_ON_OVERFLOW) ? 0 : 1;
}

int Dictionary::SwapPointer(uint16_t slot1, uint16_t slot2) {
    if (!CheckSlot(slot1) || !CheckSlot(slot2)) return 0;
    DataRecord* first = entries[slot1 - 1];
    entries[slot1 - 1] = entries[slot2 - 1];
    entries[slot2 - 1] = first;
    return Succeed();
}

// A plain, obviously correct model of the conversion, written straight from
// its rules, for comparing the library against.
#ifndef ZEV_TESTS_REFERENCE_CONVERT_H
#define ZEV_TESTS_REFERENCE_CONVERT_H

#include <stdint.h>

#include <string>
#include <vector>

struct ReferenceEntry {
    bool used = false;
    uint8_t level = 0, mask = 0, condition = 0;
    std::string source, target;
};

struct ReferenceResult {
    int result;
    std::string output;  // every byte written up to, not including, the terminator
};

inline bool ReferenceLeadByte(uint8_t b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// `slots` is the entry table in slot order; `input` is the text without its
// terminator. Preconditions (open, non-empty, arguments) are the caller's.
inline ReferenceResult ReferenceConvert(const std::vector<ReferenceEntry>& slots, int typeCount,
                                        const std::string& input, uint32_t limit, uint8_t level,
                                        uint8_t types, uint32_t flags) {
    const bool backward = flags & 1;
    const int firstTypes = typeCount < 8 ? typeCount : 8;
    std::vector<const ReferenceEntry*> candidates;
    for (const ReferenceEntry& e : slots) {
        if (!e.used || e.level > level) continue;
        bool hasKnownType = false;
        for (int t = 0; t < firstTypes; ++t) hasKnownType = hasKnownType || (e.mask >> t) & 1;
        bool shares = (e.mask & types) != 0;
        bool passes = e.condition == 1 ? (firstTypes == 0 || !hasKnownType || shares)
                                       : (firstTypes != 0 && hasKnownType && shares);
        const std::string& pattern = backward ? e.target : e.source;
        if (passes && !pattern.empty()) candidates.push_back(&e);
    }
    // The input as the library sees it: followed by its terminator.
    const std::string text = input + '\0';
    std::string out;
    size_t p = 0;
    for (;;) {
        const ReferenceEntry* winner = nullptr;
        for (const ReferenceEntry* e : candidates) {
            const std::string& pattern = backward ? e->target : e->source;
            if (text.compare(p, pattern.size(), pattern) == 0) {
                winner = e;
                break;
            }
        }
        if (winner) {
            const std::string& pattern = backward ? winner->target : winner->source;
            const std::string& replacement = backward ? winner->source : winner->target;
            if (out.size() + replacement.size() > limit) break;
            out += replacement;
            p += pattern.size();
        } else {
            if (out.size() + 2 > limit) break;
            size_t step = ReferenceLeadByte(static_cast<uint8_t>(text[p])) ? 2 : 1;
            out += text.substr(p, step);
            p += step;
        }
        if (p >= input.size()) return {1, out};
    }
    return {(flags & 2) ? 0 : 1, out};
}

#endif

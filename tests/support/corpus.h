// Generated Japanese dictionaries and texts in code page 932, for the
// conversion tests and benchmarks: standard Japanese words, inflected forms
// and phrases with their Kansai-style counterparts, and running text written
// from the same vocabulary. Deterministic for a given seed.
#ifndef ZEV_TESTS_CORPUS_H
#define ZEV_TESTS_CORPUS_H

#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

namespace corpus {

struct Entry {
    std::string source;  // standard Japanese
    std::string target;  // dialect
    uint8_t level;       // 1 to 3
    uint8_t typeMask;    // within three types
    uint8_t condition;   // 1 = AND, 0 = OR
};

// `count` distinct entries (at most about 60000): the basic words and short
// forms first, then longer phrases, in a shuffled table order.
std::vector<Entry> MakeDictionary(int count, uint32_t seed);

// About `bytes` bytes (never more) of sentences, whole characters only.
std::string MakeText(size_t bytes, uint32_t seed);

// Cuts `text` into lines of at most `width` bytes without splitting a
// double-byte character.
std::vector<std::string> SplitLines(const std::string& text, size_t width);

}  // namespace corpus

#endif

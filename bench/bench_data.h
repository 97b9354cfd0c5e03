// Dictionaries and texts shared by the benchmarks: generated Japanese
// dictionaries of three sizes, a 64000-byte text, and a full dictionary of
// the largest possible entries.
#ifndef ZEV_BENCH_BENCH_DATA_H
#define ZEV_BENCH_BENCH_DATA_H

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "corpus.h"
#include "dictionary.h"

namespace bench {

const int kSizes[] = {100, 1000, 16384};
const size_t kTextBytes = 64000;
const size_t kLineBytes = 80;
// Every generated entry applies at level 3 with all three types selected.
const uint8_t kLevel = 3;
const uint8_t kTypes = 7;
const uint32_t kWholeLimit = 4 * 65536 - 1;
const uint32_t kLineLimit = 65535;  // what the converter passes per line

inline void Check(bool ok, const char* what) {
    if (!ok) {
        fprintf(stderr, "benchmark set-up failed: %s\n", what);
        exit(2);
    }
}

// A new dictionary (on the heap: the object is large) holding `entries`.
inline Dictionary* NewDictionary(const std::vector<corpus::Entry>& entries) {
    Dictionary* dictionary = new Dictionary;
    Check(dictionary->CreateDic("標準語", "関西弁", 3, 3) == 1, "create");
    for (const corpus::Entry& e : entries) {
        Check(dictionary->CreateData(e.source.c_str(), e.level, e.typeMask, e.condition,
                                     e.target.c_str()) != 0,
              "add entry");
    }
    return dictionary;
}

inline Dictionary* NewWordDictionary(int size) {
    return NewDictionary(corpus::MakeDictionary(size, 6000u + static_cast<uint32_t>(size)));
}

inline std::string Text() { return corpus::MakeText(kTextBytes, 64000); }

// 16384 entries whose source and target are 255 bytes each.
inline Dictionary* NewFullDictionary() {
    std::string text = corpus::MakeText(300000, 7);
    std::vector<corpus::Entry> entries;
    for (int i = 0; i < ZEV_MAX_DATA; ++i) {
        size_t at = (static_cast<size_t>(i) * 37) % (text.size() - 600);
        entries.push_back({text.substr(at, 255), text.substr(at + 300, 255), 1, 1, 0});
    }
    return NewDictionary(entries);
}

// Converts `lines` one call each, as the converter does; returns the bytes produced.
template <class Convert>
size_t ConvertLines(const std::vector<std::string>& lines, std::vector<char>& buffer,
                    Convert convert) {
    size_t produced = 0;
    for (const std::string& line : lines) {
        convert(line.c_str(), buffer.data(), kLineLimit);
        produced += strlen(buffer.data());
    }
    return produced;
}

}  // namespace bench

#endif

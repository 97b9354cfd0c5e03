// Shared by the fuzz targets: a failed check aborts, which libFuzzer reports
// as a finding and the corpus replay as a failed test; the dictionary's state
// is read back through the exported getters only.
#ifndef ZEV_FUZZ_SUPPORT_H
#define ZEV_FUZZ_SUPPORT_H

#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "reference_convert.h"
#include "zev.h"

#define FUZZ_CHECK(condition)                                                             \
    do {                                                                                  \
        if (!(condition)) {                                                               \
            fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            abort();                                                                      \
        }                                                                                 \
    } while (0)

namespace fuzz {

// A 256-byte text buffer on the heap, so that a write past it is caught.
class TextBuffer {
public:
    TextBuffer() : bytes_(ZEV_TEXT_BUFFER, '\xCC') {}
    char* data() { return bytes_.data(); }
    // The delivered text; it must be terminated within the buffer.
    std::string text() const {
        size_t length = strnlen(bytes_.data(), bytes_.size());
        FUZZ_CHECK(length <= ZEV_MAX_TEXT);
        return std::string(bytes_.data(), length);
    }

private:
    std::vector<char> bytes_;
};

// Everything the getters tell about the open dictionary.
struct Snapshot {
    std::string before, after;
    std::vector<std::string> levels, types;
    uint8_t major = 0, minor = 0, revision = 0;
    uint16_t year = 0;
    std::string comment, holder;
    uint16_t dataCount = 0;
    std::vector<ReferenceEntry> slots;  // up to the highest slot in use

    bool operator==(const Snapshot& o) const {
        if (before != o.before || after != o.after || levels != o.levels || types != o.types ||
            major != o.major || minor != o.minor || revision != o.revision || year != o.year ||
            comment != o.comment || holder != o.holder || dataCount != o.dataCount ||
            slots.size() != o.slots.size())
            return false;
        for (size_t i = 0; i < slots.size(); ++i) {
            const ReferenceEntry& a = slots[i];
            const ReferenceEntry& b = o.slots[i];
            if (a.used != b.used || a.level != b.level || a.mask != b.mask ||
                a.condition != b.condition || a.source != b.source || a.target != b.target)
                return false;
        }
        return true;
    }
};

// Reads the open dictionary through every getter, checking that they agree
// with each other. A file fills slots 1 to dataCount, so the slots after the
// first free one are only sampled (all of them would cost most of the run).
inline Snapshot TakeSnapshot() {
    Snapshot s;
    FUZZ_CHECK(zevIsOpen() == 1);
    TextBuffer buffer, second;
    FUZZ_CHECK(zevGetBeforeName(buffer.data()) == 1);
    s.before = buffer.text();
    FUZZ_CHECK(zevGetAfterName(buffer.data()) == 1);
    s.after = buffer.text();

    int levelCount = zevGetLevelCount();
    FUZZ_CHECK(zevGetZevLastError() == ZEV_ERR_NONE);
    for (int i = 1; i <= levelCount; ++i) {
        FUZZ_CHECK(zevGetLevelName(static_cast<uint8_t>(i), buffer.data()) == 1);
        s.levels.push_back(buffer.text());
    }
    if (levelCount < 255) {
        FUZZ_CHECK(zevGetLevelName(static_cast<uint8_t>(levelCount + 1), buffer.data()) == 0);
        FUZZ_CHECK(zevGetZevLastError() == ZEV_ERR_INDEX_RANGE);
    }
    int typeCount = zevGetTypeCount();
    for (int i = 1; i <= typeCount; ++i) {
        FUZZ_CHECK(zevGetTypeName(static_cast<uint8_t>(i), buffer.data()) == 1);
        s.types.push_back(buffer.text());
    }
    if (typeCount < 255) {
        FUZZ_CHECK(zevGetTypeName(static_cast<uint8_t>(typeCount + 1), buffer.data()) == 0);
        FUZZ_CHECK(zevGetZevLastError() == ZEV_ERR_INDEX_RANGE);
    }

    FUZZ_CHECK(
        zevGetFooter(&s.major, &s.minor, &s.revision, buffer.data(), &s.year, second.data()) == 1);
    s.comment = buffer.text();
    s.holder = second.text();

    s.dataCount = zevGetDataCount();
    int enabled = 0;
    for (int slot = 1; slot <= ZEV_MAX_DATA; ++slot) {
        if (slot > s.dataCount + 1 && slot % 61 != 0 && slot != ZEV_MAX_DATA) continue;
        ReferenceEntry e;
        uint16_t number = static_cast<uint16_t>(slot);
        int held = zevIsDataEnabled(number);
        int got = zevGetData(number, buffer.data(), &e.level, &e.mask, &e.condition, second.data());
        FUZZ_CHECK(held == got);
        if (!got) {
            FUZZ_CHECK(zevGetZevLastError() == ZEV_ERR_NO_DATA_AT_INDEX);
            continue;
        }
        e.used = true;
        e.source = buffer.text();
        e.target = second.text();
        s.slots.resize(slot);
        s.slots[slot - 1] = e;
        ++enabled;
    }
    FUZZ_CHECK(enabled == s.dataCount);
    return s;
}

// What a conversion must give: the result, the error code it leaves (0 when
// it converts) and the output up to its final terminator.
struct ExpectedConversion {
    uint16_t error = ZEV_ERR_NONE;
    ReferenceResult reference = {0, std::string()};
};

inline ExpectedConversion Expect(const std::vector<ReferenceEntry>& slots, int typeCount,
                                 int dataCount, const std::string& input, uint32_t limit,
                                 uint8_t level, uint8_t types, uint32_t flags) {
    ExpectedConversion expected;
    if (dataCount == 0)
        expected.error = ZEV_ERR_DATA_EMPTY;
    else if (limit == 0 || level == 0 || types == 0)
        expected.error = ZEV_ERR_PARAMETER;
    else
        expected.reference = ReferenceConvert(slots, typeCount, input, limit, level, types, flags);
    return expected;
}

// Runs zevConvert on a heap copy of `input` into a buffer of exactly
// limit + 1 bytes and compares it with what is expected.
inline void CheckConversion(const ExpectedConversion& expected, const std::string& input,
                            uint32_t limit, uint8_t level, uint8_t types, uint32_t flags) {
    std::vector<char> in(input.begin(), input.end());
    in.push_back('\0');
    std::vector<char> out(static_cast<size_t>(limit) + 1, '\xAA');
    uint16_t errorBefore = zevGetZevLastError();
    int result = zevConvert(in.data(), out.data(), limit, level, types, flags);
    if (expected.error != ZEV_ERR_NONE) {
        FUZZ_CHECK(result == 0);
        FUZZ_CHECK(zevGetZevLastError() == expected.error);
        for (char c : out) FUZZ_CHECK(c == '\xAA');
        return;
    }
    const ReferenceResult& reference = expected.reference;
    FUZZ_CHECK(result == reference.result);
    // A lone lead byte at the end copies the input's terminator too, so the
    // output is compared byte for byte up to the final terminator.
    FUZZ_CHECK(reference.output.size() <= limit);
    FUZZ_CHECK(memcmp(out.data(), reference.output.data(), reference.output.size()) == 0);
    FUZZ_CHECK(out[reference.output.size()] == '\0');
    FUZZ_CHECK(zevGetZevLastError() == errorBefore);
}

inline void CheckConversion(const std::vector<ReferenceEntry>& slots, int typeCount, int dataCount,
                            const std::string& input, uint32_t limit, uint8_t level, uint8_t types,
                            uint32_t flags) {
    CheckConversion(Expect(slots, typeCount, dataCount, input, limit, level, types, flags), input,
                    limit, level, types, flags);
}

// A scratch file name of this process, in the temporary folder.
std::string ScratchPath(const char* leaf);

bool WriteFile(const std::string& path, const uint8_t* data, size_t size);
std::vector<uint8_t> ReadFile(const std::string& path);

}  // namespace fuzz

#endif

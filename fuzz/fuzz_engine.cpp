// Fuzz target: the conversion engine. The bytes decode into a dictionary and
// a run of operations on it (add, update, remove, swap, convert); a plain
// model follows every operation, and every conversion, in both directions
// with a small and a large limit, is compared with the reference scan. The
// libFuzzer build, linked with the library's core, makes each conversion on
// every scan path this processor has (character by character, and the
// prefilter in plain C++ and each vector width); the replay through the
// shipped library takes the path the library chooses.
//
// Encoding: level count, type count, then operations, each an opcode byte
// followed by its arguments; texts run to a zero byte or the end.
#include <stddef.h>
#include <stdint.h>

#include <utility>

#include "fuzz_support.h"
#ifdef ZEV_FUZZ_SCAN_PATHS
#include "prefilter.h"
#endif

namespace {

void CheckOnEveryPath(const std::vector<ReferenceEntry>& slots, int typeCount, int dataCount,
                      const std::string& text, uint32_t limit, uint8_t level, uint8_t types,
                      uint32_t flags) {
    const fuzz::ExpectedConversion expected =
        fuzz::Expect(slots, typeCount, dataCount, text, limit, level, types, flags);
#ifdef ZEV_FUZZ_SCAN_PATHS
    static const ScanPath fastest = CurrentScanPath();
    for (ScanPath path : {ScanPath::kStepping, ScanPath::kPortable, ScanPath::kSsse3,
                          ScanPath::kAvx2, ScanPath::kAvx512}) {
        if (!ChooseScanPath(path)) continue;
        fuzz::CheckConversion(expected, text, limit, level, types, flags);
    }
    ChooseScanPath(fastest);
#else
    fuzz::CheckConversion(expected, text, limit, level, types, flags);
#endif
}

class Decoder {
public:
    Decoder(const uint8_t* data, size_t size) : data_(data), left_(size) {}
    bool empty() const { return left_ == 0; }
    uint8_t Byte() {
        if (left_ == 0) return 0;
        --left_;
        return *data_++;
    }
    std::string Text() {
        std::string text;
        while (left_ > 0) {
            --left_;
            char c = static_cast<char>(*data_++);
            if (c == '\0') break;
            text += c;
        }
        return text;
    }
    // Slot numbers 0 to 253, plus the last slot and one past it.
    uint16_t Slot() {
        uint8_t b = Byte();
        if (b == 254) return ZEV_MAX_DATA;
        if (b == 255) return ZEV_MAX_DATA + 1;
        return b;
    }

private:
    const uint8_t* data_;
    size_t left_;
};

class Model {
public:
    Model(int levels, int types) : levelCount(levels), typeCount(types) {}

    void Create(Decoder& in) {
        uint8_t level = in.Byte(), mask = in.Byte(), condition = in.Byte();
        std::string source = in.Text(), target = in.Text();
        uint16_t slot = zevCreateData(source.c_str(), level, mask, condition, target.c_str());
        int free = FirstFree();
        if (free < 0) return Expect(slot, ZEV_ERR_NO_FREE_SLOT);
        if (level == 0 || mask == 0) return Expect(slot, ZEV_ERR_PARAMETER);
        FUZZ_CHECK(slot == free + 1);
        FUZZ_CHECK(zevGetZevLastError() == ZEV_ERR_NONE);
        if (slots.size() <= static_cast<size_t>(free)) slots.resize(free + 1);
        Store(slots[free], level, mask, condition, source, target);
        ++dataCount;
    }

    void Update(Decoder& in) {
        uint16_t slot = in.Slot();
        uint8_t level = in.Byte(), mask = in.Byte(), condition = in.Byte();
        std::string source = in.Text(), target = in.Text();
        int result = zevUpdateData(slot, source.c_str(), level, mask, condition, target.c_str());
        if (slot < 1 || slot > ZEV_MAX_DATA) return Expect(result, ZEV_ERR_INDEX_RANGE);
        if (mask > LargestTypeMask() || level == 0 || level > levelCount)
            return Expect(result, ZEV_ERR_PARAMETER);
        if (!Used(slot)) return Expect(result, ZEV_ERR_NO_DATA_AT_INDEX);
        Expect(result, ZEV_ERR_NONE);
        Store(slots[slot - 1], level, mask, condition, source, target);
    }

    void Remove(Decoder& in) {
        uint16_t slot = in.Slot();
        int result = zevRemoveData(slot);
        if (slot < 1 || slot > ZEV_MAX_DATA) return Expect(result, ZEV_ERR_INDEX_RANGE);
        if (!Used(slot)) return Expect(result, ZEV_ERR_NO_DATA_AT_INDEX);
        Expect(result, ZEV_ERR_NONE);
        slots[slot - 1] = ReferenceEntry();
        --dataCount;
    }

    void Swap(Decoder& in) {
        uint16_t first = in.Slot(), second = in.Slot();
        int result = zevSwapPointer(first, second);
        uint16_t bad = SlotError(first);
        if (bad == ZEV_ERR_NONE) bad = SlotError(second);
        Expect(result, bad);
        if (bad == ZEV_ERR_NONE) std::swap(slots[first - 1], slots[second - 1]);
    }

    // Every conversion walks the whole entry table, so only the first few
    // conversion operations of an input run; the others are decoded only.
    void Convert(Decoder& in) {
        uint8_t level = in.Byte(), types = in.Byte(), flags = in.Byte(), small = in.Byte();
        std::string text = in.Text();
        if (++conversions <= kMaxConversions) ConvertBothWays(text, level, types, flags, small);
    }

    // Both directions, each with the small limit and the converter's limit.
    void ConvertBothWays(const std::string& text, uint8_t level, uint8_t types, uint32_t flags,
                         uint32_t small) {
        for (uint32_t backward = 0; backward < 2; ++backward) {
            uint32_t f = (flags & ~ZEV_CONVERT_BACKWARD) | backward;
            CheckOnEveryPath(slots, typeCount, dataCount, text, small, level, types, f);
            CheckOnEveryPath(slots, typeCount, dataCount, text, 65535, level, types, f);
        }
    }

    // Every entry's texts in a row: a text in which many patterns occur.
    std::string AllTexts() const {
        std::string text;
        for (const ReferenceEntry& e : slots)
            if (e.used) text += e.source + e.target;
        return text;
    }

    void CheckCount() const { FUZZ_CHECK(zevGetDataCount() == dataCount); }

private:
    static void Expect(int result, uint16_t error) {
        FUZZ_CHECK((result != 0) == (error == ZEV_ERR_NONE));
        FUZZ_CHECK(zevGetZevLastError() == error);
    }

    static void Store(ReferenceEntry& e, uint8_t level, uint8_t mask, uint8_t condition,
                      const std::string& source, const std::string& target) {
        e.used = true;
        e.level = level;
        e.mask = mask;
        e.condition = condition;
        e.source = source.substr(0, ZEV_MAX_TEXT);
        e.target = target.substr(0, ZEV_MAX_TEXT);
    }

    bool Used(uint16_t slot) const { return slot <= slots.size() && slots[slot - 1].used; }

    int FirstFree() const {
        for (size_t i = 0; i < slots.size(); ++i)
            if (!slots[i].used) return static_cast<int>(i);
        return slots.size() < ZEV_MAX_DATA ? static_cast<int>(slots.size()) : -1;
    }

    uint16_t SlotError(uint16_t slot) const {
        if (slot < 1 || slot > ZEV_MAX_DATA) return ZEV_ERR_INDEX_RANGE;
        return Used(slot) ? ZEV_ERR_NONE : ZEV_ERR_PARAMETER;
    }

    int LargestTypeMask() const {
        if (typeCount <= 1) return 1;
        if (typeCount >= 8) return 0xFF;
        return (1 << typeCount) - 1;
    }

    static const int kMaxConversions = 16;
    int levelCount, typeCount;
    int dataCount = 0;
    int conversions = 0;
    std::vector<ReferenceEntry> slots;  // up to the highest slot ever used
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (zevIsOpen()) zevCloseDic();
    Decoder in(data, size);
    uint8_t levels = in.Byte(), types = in.Byte();
    int created = zevCreateDic("A", "B", levels, types);
    if (levels == 0 || types == 0) {
        FUZZ_CHECK(created == 0 && zevGetZevLastError() == ZEV_ERR_PARAMETER && !zevIsOpen());
        return 0;
    }
    FUZZ_CHECK(created == 1);

    Model model(levels, types);
    while (!in.empty()) {
        switch (in.Byte() % 5) {
            case 0:
                model.Create(in);
                break;
            case 1:
                model.Update(in);
                break;
            case 2:
                model.Remove(in);
                break;
            case 3:
                model.Swap(in);
                break;
            default:
                model.Convert(in);
                break;
        }
    }
    model.CheckCount();
    model.ConvertBothWays(model.AllTexts(), 255, 0xFF, 0, 7);
    FUZZ_CHECK(zevCloseDic() == 1);
    return 0;
}

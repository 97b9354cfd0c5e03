#include "dicscan.h"

#include <stdint.h>

namespace zevtool {

namespace {

// A forward reader over the file's bytes that remembers where it ran out.
class Cursor {
public:
    explicit Cursor(const std::string& bytes) : bytes_(bytes) {}
    size_t at() const { return at_; }
    size_t left() const { return bytes_.size() - at_; }
    bool Take(size_t count) {
        if (count > left()) return false;
        at_ += count;
        return true;
    }
    bool Number(size_t width, uint32_t* value) {
        if (width > left()) return false;
        *value = 0;
        for (size_t i = 0; i < width; ++i)
            *value |= static_cast<uint32_t>(static_cast<uint8_t>(bytes_[at_ + i])) << (8 * i);
        at_ += width;
        return true;
    }
    bool Text() {
        uint32_t length;
        return Number(1, &length) && Take(length);
    }
    bool Tag(const char* tag) {
        if (left() < 3 || bytes_.compare(at_, 3, tag) != 0) return false;
        at_ += 3;
        return true;
    }

private:
    const std::string& bytes_;
    size_t at_ = 0;
};

std::string At(size_t offset) { return " (at byte " + std::to_string(offset) + ")"; }

std::string EndsInside(const Cursor& cursor, const std::string& what) {
    return "the file ends inside " + what + At(cursor.at());
}

// Names of the header: dialects, levels, types.
bool ScanHeader(Cursor& cursor, std::string* error) {
    uint32_t count;
    if (!cursor.Text() || !cursor.Text())
        return *error = EndsInside(cursor, "the dialect names"), false;
    if (!cursor.Number(1, &count)) return *error = EndsInside(cursor, "the header"), false;
    for (uint32_t i = 0; i < count; ++i)
        if (!cursor.Text()) return *error = EndsInside(cursor, "the level names"), false;
    if (!cursor.Number(1, &count)) return *error = EndsInside(cursor, "the header"), false;
    for (uint32_t i = 0; i < count; ++i)
        if (!cursor.Text()) return *error = EndsInside(cursor, "the type names"), false;
    return true;
}

bool ScanEntries(Cursor& cursor, uint32_t count, std::string* error) {
    for (uint32_t i = 1; i <= count; ++i) {
        if (!cursor.Take(3) || !cursor.Text() || !cursor.Text()) {
            *error =
                EndsInside(cursor, "entry " + std::to_string(i) + " of " + std::to_string(count));
            return false;
        }
    }
    return true;
}

bool ScanFooter(Cursor& cursor, ScanResult* result) {
    const size_t start = cursor.at();
    uint32_t size, year;
    if (!cursor.Tag("ftr"))
        return result->error = "no footer block where the entries end" + At(start), false;
    if (!cursor.Number(2, &size) || !cursor.Take(3) || !cursor.Text() || !cursor.Number(2, &year) ||
        !cursor.Text())
        return result->error = EndsInside(cursor, "the footer"), false;
    const size_t actual = cursor.at() - start - 5;
    if (size != actual)
        result->warnings.push_back("the footer's length field says " + std::to_string(size) +
                                   " bytes, but the footer holds " + std::to_string(actual));
    if (cursor.left() > 0)
        result->warnings.push_back(std::to_string(cursor.left()) +
                                   " bytes follow the footer and are ignored");
    return true;
}

}  // namespace

ScanResult ScanDictionary(const std::string& bytes) {
    ScanResult result;
    Cursor cursor(bytes);
    if (bytes.compare(0, 8, "MARDELKO") != 0) {
        result.error = "it does not start with the signature MARDELKO";
        return result;
    }
    cursor.Take(8);
    uint32_t headerSize;
    if (!cursor.Tag("hdr") || !cursor.Number(2, &headerSize)) {
        result.error = "no header block after the signature" + At(8);
        return result;
    }
    if (!ScanHeader(cursor, &result.error)) return result;
    if (cursor.at() - 13 != headerSize) {
        result.error = "the header's length field says " + std::to_string(headerSize) +
                       " bytes, but its names take " + std::to_string(cursor.at() - 13);
        return result;
    }
    const size_t dataStart = cursor.at();
    uint32_t dataSize, count;
    if (!cursor.Tag("dat")) {
        result.error = "no entry block where the header ends" + At(dataStart);
        return result;
    }
    if (!cursor.Number(4, &dataSize) || !cursor.Number(2, &count)) {
        result.error = EndsInside(cursor, "the entry block");
        return result;
    }
    if (count > 16384) {
        result.error = "it claims " + std::to_string(count) + " entries; at most 16384 fit";
        return result;
    }
    if (!ScanEntries(cursor, count, &result.error)) return result;
    if (cursor.at() - dataStart - 7 != dataSize) {
        result.error = "the entry block's length field says " + std::to_string(dataSize) +
                       " bytes, but its " + std::to_string(count) + " entries take " +
                       std::to_string(cursor.at() - dataStart - 7);
        return result;
    }
    ScanFooter(cursor, &result);
    return result;
}

std::string WhyFormatTestFails(const std::string& bytes) {
    const ScanResult scan = ScanDictionary(bytes);
    if (!scan.error.empty()) return scan.error;
    if (bytes.size() < 44)
        return "it is " + std::to_string(bytes.size()) +
               " bytes long; the dictionary programs refuse files shorter than 44 bytes";
    return "its blocks do not line up";
}

}  // namespace zevtool

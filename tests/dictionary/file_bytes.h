// Builds dictionary files byte by byte, independently of the library.
#ifndef ZEV_TESTS_FILE_BYTES_H
#define ZEV_TESTS_FILE_BYTES_H

#include <stdint.h>
#include <string.h>

#include <string>
#include <vector>

class FileBytes {
public:
    FileBytes& Raw(const std::string& s) {
        bytes.insert(bytes.end(), s.begin(), s.end());
        return *this;
    }
    FileBytes& U8(unsigned v) {
        bytes.push_back(static_cast<uint8_t>(v));
        return *this;
    }
    FileBytes& U16(unsigned v) { return U8(v & 0xFF).U8((v >> 8) & 0xFF); }
    FileBytes& U32(uint32_t v) { return U16(v & 0xFFFF).U16(v >> 16); }
    // Length byte and text.
    FileBytes& Text(const std::string& s) { return U8(static_cast<unsigned>(s.size())).Raw(s); }

    std::vector<uint8_t> bytes;
};

// A whole file with the given parts; sizes are computed from the parts.
struct FileLayout {
    std::string before = "A", after = "B";
    std::vector<std::string> levels = {"L"}, types = {"T"};
    struct Entry {
        uint8_t level, mask, condition;
        std::string source, target;
    };
    std::vector<Entry> entries;
    uint8_t version[3] = {1, 0, 0};
    std::string comment, holder;
    uint16_t year = 0;

    uint32_t HeaderSize() const {
        uint32_t size = 3 + static_cast<uint32_t>(before.size() + after.size()) + 1;
        for (const auto& n : levels) size += 1 + static_cast<uint32_t>(n.size());
        for (const auto& n : types) size += 1 + static_cast<uint32_t>(n.size());
        return size;
    }
    uint32_t DataSize() const {
        uint32_t size = 2;
        for (const auto& e : entries)
            size += 5 + static_cast<uint32_t>(e.source.size() + e.target.size());
        return size;
    }
    std::vector<uint8_t> Build() const {
        FileBytes f;
        f.Raw("MARDELKO").Raw("hdr").U16(HeaderSize()).Text(before).Text(after);
        f.U8(static_cast<unsigned>(levels.size()));
        for (const auto& n : levels) f.Text(n);
        f.U8(static_cast<unsigned>(types.size()));
        for (const auto& n : types) f.Text(n);
        f.Raw("dat").U32(DataSize()).U16(static_cast<unsigned>(entries.size()));
        for (const auto& e : entries)
            f.U8(e.level).U8(e.mask).U8(e.condition).Text(e.source).Text(e.target);
        f.Raw("ftr").U16(7 + static_cast<unsigned>(comment.size() + holder.size()));
        f.U8(version[0]).U8(version[1]).U8(version[2]).Text(comment).U16(year).Text(holder);
        return f.bytes;
    }
};

#endif

// The code page 932 codec as it was before the tables: every character asked
// of glibc's iconv and checked by a round trip. It is kept as the oracle that
// the tables are generated from and compared with.
#ifndef ZEV_TEST_CP932_ICONV_H
#define ZEV_TEST_CP932_ICONV_H

#include <iconv.h>
#include <stddef.h>
#include <stdint.h>

#include <string>
#include <unordered_map>
#include <vector>

namespace zevtest {

class IconvCp932 {
public:
    IconvCp932();
    ~IconvCp932();
    IconvCp932(const IconvCp932&) = delete;
    IconvCp932& operator=(const IconvCp932&) = delete;

    // As zevtool::Cp932::EncodeChar and DecodeChar.
    bool EncodeChar(const std::string& utf8, size_t at, size_t length, std::string* out);
    bool DecodeChar(const std::string& cp932, size_t at, size_t length, bool exact,
                    std::string* out);

private:
    enum Outcome : uint8_t { kUnknown, kExact, kInexact, kNone };
    struct Decoded {
        Outcome outcome = kUnknown;
        std::string utf8;
    };
    struct Encoded {
        bool exact;
        std::string cp932;
    };
    static bool Run(iconv_t cd, const std::string& in, std::string* out);

    iconv_t toCp932_;
    iconv_t toUtf8_;
    std::vector<Decoded> decoded_;  // by the character's bytes as a number
    std::unordered_map<std::string, Encoded> encoded_;
};

}  // namespace zevtest

#endif

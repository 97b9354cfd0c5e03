#include "cp932_iconv.h"

#include <stdexcept>

namespace zevtest {

IconvCp932::IconvCp932()
    : toCp932_(iconv_open("CP932", "UTF-8")),
      toUtf8_(iconv_open("UTF-8", "CP932")),
      decoded_(0x10000) {
    if (toCp932_ == reinterpret_cast<iconv_t>(-1) || toUtf8_ == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error("iconv has no converter between UTF-8 and CP932");
}

IconvCp932::~IconvCp932() {
    iconv_close(toCp932_);
    iconv_close(toUtf8_);
}

bool IconvCp932::Run(iconv_t cd, const std::string& in, std::string* out) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    out->assign(in.size() * 4 + 8, '\0');
    char* inPtr = const_cast<char*>(in.data());
    size_t inLeft = in.size();
    char* outPtr = &(*out)[0];
    size_t outLeft = out->size();
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) return false;
    out->resize(static_cast<size_t>(outPtr - out->data()));
    return true;
}

bool IconvCp932::EncodeChar(const std::string& utf8, size_t at, size_t length, std::string* out) {
    if (static_cast<uint8_t>(utf8[at]) < 0x80) {  // ASCII is the same in both
        out->push_back(utf8[at]);
        return true;
    }
    const std::string character = utf8.substr(at, length);
    auto found = encoded_.find(character);
    if (found == encoded_.end()) {
        Encoded result{false, ""};
        std::string back;
        result.exact = Run(toCp932_, character, &result.cp932) &&
                       Run(toUtf8_, result.cp932, &back) && back == character;
        found = encoded_.emplace(character, result).first;
    }
    if (!found->second.exact) return false;
    *out += found->second.cp932;
    return true;
}

bool IconvCp932::DecodeChar(const std::string& cp932, size_t at, size_t length, bool exact,
                            std::string* out) {
    const uint8_t first = static_cast<uint8_t>(cp932[at]);
    if (first < 0x80) {
        out->push_back(cp932[at]);
        return true;
    }
    const size_t index = length == 1 ? first : (first << 8) | static_cast<uint8_t>(cp932[at + 1]);
    Decoded& entry = decoded_[index];
    if (entry.outcome == kUnknown) {
        const std::string character = cp932.substr(at, length);
        std::string back;
        if (!Run(toUtf8_, character, &entry.utf8))
            entry.outcome = kNone;
        else if (Run(toCp932_, entry.utf8, &back) && back == character)
            entry.outcome = kExact;
        else
            entry.outcome = kInexact;
    }
    if (entry.outcome == kNone || (exact && entry.outcome != kExact)) return false;
    *out += entry.utf8;
    return true;
}

}  // namespace zevtest

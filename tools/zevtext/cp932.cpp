#include "cp932.h"

#include <errno.h>

#include <stdexcept>

namespace zevtool {

size_t Utf8CharLength(const std::string& text, size_t at) {
    const uint8_t lead = static_cast<uint8_t>(text[at]);
    size_t length;
    uint32_t lowest;
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        lowest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        lowest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        lowest = 0x10000;
    } else {
        return 0;
    }
    if (at + length > text.size()) return 0;
    uint32_t code = lead & (0x7F >> length);
    for (size_t i = 1; i < length; ++i) {
        const uint8_t next = static_cast<uint8_t>(text[at + i]);
        if ((next & 0xC0) != 0x80) return 0;
        code = (code << 6) | (next & 0x3F);
    }
    // Overlong forms, surrogates and values beyond U+10FFFF are not UTF-8.
    if (code < lowest || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) return 0;
    return length;
}

Cp932::Cp932()
    : toCp932_(iconv_open("CP932", "UTF-8")),
      toUtf8_(iconv_open("UTF-8", "CP932")),
      decoded_(0x10000) {
    if (toCp932_ == reinterpret_cast<iconv_t>(-1) || toUtf8_ == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error("iconv has no converter between UTF-8 and CP932");
}

Cp932::~Cp932() {
    iconv_close(toCp932_);
    iconv_close(toUtf8_);
}

bool Cp932::Run(iconv_t cd, const std::string& in, std::string* out) {
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

bool Cp932::EncodeChar(const std::string& utf8, size_t at, size_t length, std::string* out) {
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

bool Cp932::DecodeChar(const std::string& cp932, size_t at, size_t length, bool exact,
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

bool Cp932::Encode(const std::string& utf8, std::string* cp932) {
    cp932->clear();
    for (size_t at = 0; at < utf8.size();) {
        const size_t length = Utf8CharLength(utf8, at);
        if (length == 0 || !EncodeChar(utf8, at, length, cp932)) return false;
        at += length;
    }
    return true;
}

bool Cp932::Decode(const std::string& cp932, std::string* utf8) {
    utf8->clear();
    for (size_t at = 0; at < cp932.size();) {
        const size_t length = Cp932CharLength(cp932, at);
        if (!DecodeChar(cp932, at, length, true, utf8)) return false;
        at += length;
    }
    return true;
}

}  // namespace zevtool

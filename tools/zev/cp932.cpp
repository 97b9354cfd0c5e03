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

Cp932::Cp932() : toCp932_(iconv_open("CP932", "UTF-8")), toUtf8_(iconv_open("UTF-8", "CP932")) {
    if (toCp932_ == reinterpret_cast<iconv_t>(-1) || toUtf8_ == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error("iconv has no converter between UTF-8 and CP932");
}

Cp932::~Cp932() {
    iconv_close(toCp932_);
    iconv_close(toUtf8_);
}

bool Cp932::Run(iconv_t cd, const std::string& in, std::string* out) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    out->assign(in.size() * 2 + 8, '\0');
    char* inPtr = const_cast<char*>(in.data());
    size_t inLeft = in.size();
    char* outPtr = &(*out)[0];
    size_t outLeft = out->size();
    // A half-width katakana byte becomes three UTF-8 bytes: grow on demand.
    while (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) {
        if (errno != E2BIG) return false;
        const size_t used = static_cast<size_t>(outPtr - out->data());
        out->resize(out->size() * 2);
        outPtr = &(*out)[0] + used;
        outLeft = out->size() - used;
    }
    out->resize(static_cast<size_t>(outPtr - out->data()));
    return true;
}

bool Cp932::Encode(const std::string& utf8, std::string* cp932) {
    std::string back;
    return Run(toCp932_, utf8, cp932) && Run(toUtf8_, *cp932, &back) && back == utf8;
}

bool Cp932::Decode(const std::string& cp932, std::string* utf8) {
    std::string back;
    return Run(toUtf8_, cp932, utf8) && Run(toCp932_, *utf8, &back) && back == cp932;
}

}  // namespace zevtool

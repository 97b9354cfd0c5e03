// Writes a C++ source file with the non-ASCII characters of its string and
// character literals turned into code-page-932 octal escapes, for compilers
// that have no -fexec-charset=CP932 (Emscripten's clang makes only UTF-8):
//     zev_cp932_literals IN.cpp OUT.cpp
// Octal escapes take at most three digits, so no following character can
// run into one. Comments and code outside literals are left as they are.
#include <stdio.h>

#include <fstream>
#include <sstream>
#include <string>

#include "cp932.h"

namespace {

bool Escape(const std::string& source, std::string* out, std::string* error) {
    zevtool::Cp932 codec;
    char quote = 0;  // the literal's quote while inside one
    for (size_t at = 0; at < source.size();) {
        const char c = source[at];
        if (quote && c == '\\' && at + 1 < source.size()) {
            out->append(source, at, 2);
            at += 2;
            continue;
        }
        if (quote && static_cast<uint8_t>(c) >= 0x80) {
            const size_t length = zevtool::Utf8CharLength(source, at);
            std::string bytes;
            if (!codec.EncodeChar(source, at, length, &bytes)) {
                *error = "a character at byte " + std::to_string(at) + " has no code page 932 form";
                return false;
            }
            for (char byte : bytes) {
                char octal[8];
                snprintf(octal, sizeof octal, "\\%03o", static_cast<uint8_t>(byte));
                *out += octal;
            }
            at += length;
            continue;
        }
        if (!quote && (c == '"' || c == '\'')) {
            quote = c;
        } else if (quote && c == quote) {
            quote = 0;
        } else if (!quote && c == '/' && at + 1 < source.size() &&
                   (source[at + 1] == '/' || source[at + 1] == '*')) {
            // A comment runs to the end of its line or to its closing mark.
            const bool line = source[at + 1] == '/';
            const size_t end = source.find(line ? "\n" : "*/", at + 2);
            const size_t stop = end == std::string::npos ? source.size() : end + (line ? 0 : 2);
            out->append(source, at, stop - at);
            at = stop;
            continue;
        }
        out->push_back(c);
        ++at;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: zev_cp932_literals IN.cpp OUT.cpp\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    std::stringstream source;
    source << in.rdbuf();
    std::string escaped, error;
    if (!in || !Escape(source.str(), &escaped, &error)) {
        fprintf(stderr, "zev_cp932_literals: %s: %s\n", argv[1],
                error.empty() ? "cannot read" : error.c_str());
        return 1;
    }
    std::ofstream out(argv[2], std::ios::binary);
    out << escaped;
    out.close();
    if (!out) {
        fprintf(stderr, "zev_cp932_literals: %s: cannot write\n", argv[2]);
        return 1;
    }
    return 0;
}

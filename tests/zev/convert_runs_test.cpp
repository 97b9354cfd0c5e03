// zev convert hands runs of many lines to the library in one call when no
// entry holds a line end, and converts and transcodes whole runs at once.
// Against the rule it must keep: the result of one zevConvert per line, of
// each run of characters that code page 932 holds, everything else passed
// through; with random dictionaries (lone lead bytes, replacements without
// a UTF-8 form, and in some rounds CR or LF in an entry), random texts in
// both encodings, and the warnings' line numbers.
#include <stdint.h>
#include <stdio.h>

#include <algorithm>
#include <random>
#include <sstream>

#include "cp932.h"
#include "zev.h"
#include "zev_cli.h"

namespace {

using zevtool::Cp932;

struct Expected {
    std::string out;
    size_t invalidLine = 0, undecodableLine = 0;
};

// A replacement is at most 12 bytes, a pattern at least one.
std::string Library(const std::string& cp932) {
    std::vector<char> buffer(16 * cp932.size() + 16);
    EXPECT_EQ(1, zevConvert(cp932.c_str(), buffer.data(), static_cast<uint32_t>(buffer.size() - 1),
                            1, 1, 0));
    return buffer.data();
}

// One line (without its end) as the converter of one line at a time did it.
void ExpectLine(const Cp932& codec, const std::string& line, bool utf8, size_t number,
                Expected* e) {
    std::string run;
    auto flush = [&] {
        const std::string converted = Library(run);
        run.clear();
        if (!utf8) return void(e->out += converted);
        for (size_t at = 0; at < converted.size();) {
            const size_t length = zevtool::Cp932CharLength(converted, at);
            if (codec.DecodeChar(converted, at, length, false, &e->out)) {
                at += length;
                continue;
            }
            if (!e->undecodableLine) e->undecodableLine = number;
            e->out += converted[at++];
        }
    };
    for (size_t at = 0; at < line.size();) {
        size_t length = utf8 ? zevtool::Utf8CharLength(line, at) : 1;
        if (line[at] != '\0' && (!utf8 || (length && codec.EncodeChar(line, at, length, &run)))) {
            if (!utf8) run += line[at];
            at += length;
            continue;
        }
        if (length == 0 && !e->invalidLine) e->invalidLine = number;
        if (!run.empty() || !utf8) flush();
        length = length ? length : 1;
        e->out.append(line, at, length);
        at += length;
    }
    flush();
}

Expected ExpectText(const std::string& dictionary, const std::string& text, bool utf8) {
    EXPECT_EQ(1, zevOpenDic(dictionary.c_str()));
    Cp932 codec;
    Expected e;
    size_t number = 1;
    for (size_t start = 0; start < text.size(); ++number) {
        size_t end = text.find('\n', start);
        const size_t next = end == std::string::npos ? text.size() : end + 1;
        if (end == std::string::npos) end = text.size();
        if (next > end && end > start && text[end - 1] == '\r') --end;
        ExpectLine(codec, text.substr(start, end - start), utf8, number, &e);
        e.out.append(text, end, next - end);
        start = next;
    }
    zevCloseDic();
    return e;
}

std::string Warnings(const Expected& e) {
    std::string err;
    if (e.invalidLine)
        err += "zev: standard input:" + std::to_string(e.invalidLine) +
               ": warning: bytes that are not UTF-8 are passed through unchanged\n";
    if (e.undecodableLine)
        err += "zev: standard input:" + std::to_string(e.undecodableLine) +
               ": warning: the dictionary gave bytes that are not code page 932 text; they are "
               "written as they are\n";
    return err;
}

std::string Escaped(const std::string& cp932) {
    std::string text;
    char hex[8];
    for (char c : cp932) {
        snprintf(hex, sizeof hex, "\\x%02X", static_cast<uint8_t>(c));
        text += hex;
    }
    return text;
}

std::vector<std::string> SortedLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    std::sort(lines.begin(), lines.end());
    return lines;
}

TEST_F(ZevCliTest, RunsOfLinesGiveTheResultOfOneCallPerLine) {
    // Code page 932 pieces of entries: characters, a lone lead byte, a single
    // byte and a pair without a UTF-8 form, and the line ends.
    const std::vector<std::string> entryPieces = {
        ToCp932("だ"), ToCp932("め"), ToCp932("あい"), "a", "\x82", "\xA0", "\x85\x40", "\r", "\n"};
    const std::vector<std::string> textPieces = {
        "だめ", "あい", "だ", "a", "\n", "\r\n", "\r", "😀", "\xFF", std::string(1, '\0'), "¥"};
    std::mt19937 random(19);
    for (int round = 0; round < 24; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        // Every third round may put a line end into an entry.
        const size_t pieces = entryPieces.size() - (round % 3 == 0 ? 0 : 2);
        std::string form = "zev-text 1\nsource A\ntarget B\nlevel 1 L\ntype 1 T\n";
        for (int n = 1 + static_cast<int>(random() % 12); n > 0; --n) {
            std::string source, target;
            for (int k = 1 + static_cast<int>(random() % 2); k > 0; --k)
                source += entryPieces[random() % pieces];
            for (int k = static_cast<int>(random() % 3); k > 0; --k)
                target += entryPieces[random() % pieces];
            form += "1 1 or " + Escaped(source) + " \"" + Escaped(target) + "\"\n";
        }
        WriteText(testfiles::Path("random.dic.txt"), form);
        const std::string dictionary = testfiles::Path("random.zev");
        ASSERT_EQ(0, RunZev({"build", testfiles::Path("random.dic.txt"), "-o", dictionary}).code);

        std::string utf8;
        for (int n = static_cast<int>(random() % 3000); n > 0; --n)
            utf8 += textPieces[random() % textPieces.size()];
        // The code page 932 text: the characters it holds, and lone lead bytes.
        std::string cp932;
        for (char c : utf8)
            cp932 += static_cast<uint8_t>(c) >= 0x80 ? (random() % 4 ? "\x82\xA0" : "\x82")
                                                     : std::string(1, c);
        for (bool isUtf8 : {true, false}) {
            const std::string& text = isUtf8 ? utf8 : cp932;
            const Expected expected = ExpectText(dictionary, text, isUtf8);
            std::vector<std::string> args = {"convert", "-d", dictionary};
            if (!isUtf8) args.insert(args.end(), {"-e", "cp932"});
            const ZevRun whole = RunZev(args, text);
            EXPECT_EQ(0, whole.code);
            EXPECT_TRUE(expected.out == whole.out) << (isUtf8 ? "utf-8" : "cp932");
            EXPECT_EQ(Warnings(expected), whole.err);
            // In small chunks on two threads the warnings may come in another
            // order (each with its chunk), never with other lines.
            const std::string chunk = std::to_string(1 + random() % 2000);
            args.insert(args.end(), {"-j", "2", "--chunk-size", chunk});
            const ZevRun chunks = RunZev(args, text);
            EXPECT_TRUE(expected.out == chunks.out) << "chunk " << chunk;
            EXPECT_EQ(SortedLines(Warnings(expected)), SortedLines(chunks.err))
                << "chunk " << chunk;
        }
    }
}

}  // namespace

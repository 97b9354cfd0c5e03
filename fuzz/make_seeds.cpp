// Writes the seed corpora of the fuzz targets: make_seeds <folder> fills
// <folder>/file and <folder>/engine. The committed corpora come from here
// (make fuzz-seeds); findings are added beside them by hand.
#include <stdint.h>
#include <stdio.h>

#include <filesystem>
#include <string>
#include <vector>

#include "file_bytes.h"

namespace fs = std::filesystem;

namespace {

fs::path folder;

void Save(const std::string& name, const std::vector<uint8_t>& bytes) {
    FILE* file = fopen((folder / name).string().c_str(), "wb");
    if (!file || fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() || fclose(file)) {
        fprintf(stderr, "cannot write %s\n", name.c_str());
        exit(1);
    }
}

// A dictionary with every kind of field filled in.
FileLayout Typical() {
    FileLayout layout;
    layout.before = "標準語";
    layout.after = "方言";
    layout.levels = {"弱", "中", "強"};
    layout.types = {"名詞", "動詞", "語尾"};
    layout.entries = {{1, 1, 0, "です", "だべ"},
                      {2, 3, 1, "ありがとう", "おおきに"},
                      {1, 0, 1, "ab", "X"},
                      {3, 4, 0, "\\", "ソ"},
                      {1, 2, 2, "ｶﾞ", ""}};
    layout.version[0] = 2;
    layout.version[1] = 5;
    layout.version[2] = 9;
    layout.comment = "コメント";
    layout.holder = "著作者";
    layout.year = 2024;
    return layout;
}

void FileSeeds() {
    FileLayout smallest;
    Save("smallest-44", smallest.Build());
    FileLayout unnamed;
    unnamed.levels = {""};
    unnamed.types = {""};
    Save("unnamed-levels-42", unnamed.Build());

    std::vector<uint8_t> typical = Typical().Build();
    Save("typical", typical);
    // Cut after every byte: every field ends early somewhere.
    for (size_t size = 0; size < typical.size(); ++size) {
        char name[48];
        snprintf(name, sizeof name, "typical-cut-%03zu", size);
        Save(name, std::vector<uint8_t>(typical.begin(), typical.begin() + size));
    }

    FileLayout longest;
    std::string full(255, 'x');
    longest.before = longest.after = full;
    longest.levels = {full, std::string(255, 'L')};
    longest.types = {full};
    longest.entries = {{1, 1, 0, full, std::string(255, 'y')}, {2, 0xFF, 1, "y", full}};
    longest.comment = longest.holder = full;
    longest.year = 0xFFFF;
    Save("longest-texts", longest.Build());

    FileLayout many;
    many.levels.assign(255, "L");
    many.types.assign(255, "T");
    many.entries = {{255, 0xFF, 1, "a", "b"}, {9, 0x80, 0, "b", "a"}};
    Save("255-levels-255-types", many.Build());

    // The largest header the 16-bit size can express: 65535 bytes.
    FileLayout header;
    header.before = header.after = full;
    header.levels.assign(255, std::string(126, 'l'));
    header.types.assign(255, std::string(126, 't'));
    for (int i = 0; i < 251; ++i) header.levels[i] += 'l';
    Save("largest-header", header.Build());

    // The fullest table, and one entry too many.
    FileLayout table;
    for (int i = 0; i < 16384; ++i)
        table.entries.push_back(
            {1, 1, static_cast<uint8_t>(i & 1), std::string(1, 'a' + i % 26), ""});
    Save("16384-entries", table.Build());
    table.entries.push_back({1, 1, 0, "z", "Z"});
    Save("16385-entries", table.Build());

    FileLayout none;
    none.levels.clear();
    none.types.clear();
    none.entries = {{1, 1, 1, "a", "b"}};
    Save("no-levels-no-types", none.Build());

    std::vector<uint8_t> wrongHeader = Typical().Build();
    wrongHeader[11] ^= 0x01;
    Save("wrong-header-size", wrongHeader);
    std::vector<uint8_t> trailing = Typical().Build();
    trailing.insert(trailing.end(), {'e', 'x', 't', 'r', 'a'});
    Save("bytes-after-footer", trailing);
    std::vector<uint8_t> lowerMagic = Typical().Build();
    lowerMagic[0] = 'm';
    Save("magic-letter-case", lowerMagic);

    // Zero bytes and lone lead bytes inside stored texts.
    FileLayout odd;
    odd.before = std::string("A\0B", 3);
    odd.levels = {std::string("\0L", 2)};
    odd.entries = {{1, 1, 1, std::string("a\0b", 3), "c"}, {1, 1, 1, "\x83", "\x81"}};
    odd.comment = std::string("\0", 1);
    Save("zeros-and-lead-bytes", odd.Build());
}

// Builds an operation stream of the engine target.
class Ops {
public:
    Ops(uint8_t levels, uint8_t types) { bytes = {levels, types}; }
    Ops& Create(uint8_t level, uint8_t mask, uint8_t condition, const std::string& source,
                const std::string& target) {
        return Op(0).Put({level, mask, condition}).Text(source).Text(target);
    }
    Ops& Update(uint8_t slot, uint8_t level, uint8_t mask, uint8_t condition,
                const std::string& source, const std::string& target) {
        return Op(1).Put({slot, level, mask, condition}).Text(source).Text(target);
    }
    Ops& Remove(uint8_t slot) { return Op(2).Put({slot}); }
    Ops& Swap(uint8_t first, uint8_t second) { return Op(3).Put({first, second}); }
    Ops& Convert(uint8_t level, uint8_t types, uint8_t flags, uint8_t limit,
                 const std::string& text) {
        return Op(4).Put({level, types, flags, limit}).Text(text);
    }

    std::vector<uint8_t> bytes;

private:
    Ops& Op(uint8_t code) { return Put({code}); }
    Ops& Put(std::initializer_list<uint8_t> values) {
        bytes.insert(bytes.end(), values);
        return *this;
    }
    Ops& Text(const std::string& text) {
        bytes.insert(bytes.end(), text.begin(), text.end());
        return Put({0});
    }
};

void EngineSeeds() {
    Save("first-match-then-swap", Ops(3, 3)
                                      .Create(1, 1, 0, "ab", "X")
                                      .Create(1, 1, 0, "abc", "Y")
                                      .Convert(1, 1, 0, 4, "abcd")
                                      .Swap(1, 2)
                                      .Convert(1, 1, 0, 4, "abcd")
                                      .bytes);
    Save("no-rescan", Ops(1, 1)
                          .Create(1, 1, 1, "a", "b")
                          .Create(1, 1, 1, "b", "c")
                          .Convert(1, 1, 0, 2, "a")
                          .bytes);
    Save("levels", Ops(3, 1)
                       .Create(3, 1, 1, "a", "b")
                       .Convert(1, 1, 0, 9, "aaa")
                       .Convert(2, 1, 0, 9, "aaa")
                       .Convert(3, 1, 0, 9, "aaa")
                       .bytes);
    Save("types-and-or", Ops(1, 3)
                             .Create(1, 3, 1, "a", "A")
                             .Create(1, 3, 0, "b", "B")
                             .Create(1, 0, 1, "c", "C")
                             .Create(1, 8, 1, "d", "D")
                             .Create(1, 8, 0, "e", "E")
                             .Convert(1, 1, 0, 20, "abcde")
                             .Convert(1, 4, 0, 20, "abcde")
                             .bytes);
    Save("limits", Ops(1, 1)
                       .Create(1, 1, 1, "z", "xyz")
                       .Convert(1, 1, 0, 4, "abcdef")
                       .Convert(1, 1, 2, 4, "abcdef")
                       .Convert(1, 1, 2, 1, "")
                       .Convert(1, 1, 0, 3, "z")
                       .Convert(1, 1, 0, 0, "a")
                       .bytes);
    Save("double-byte", Ops(1, 1)
                            .Create(1, 1, 1, "\\", "X")
                            .Create(1, 1, 1, "ア", "あ")
                            .Convert(1, 1, 0, 9, "表\\アｱ")
                            .Convert(1, 1, 0, 9, "a\x83")
                            .bytes);
    Save("empty-patterns", Ops(1, 1)
                               .Create(1, 1, 1, "", "x")
                               .Create(1, 1, 1, "a", "")
                               .Convert(1, 1, 0, 5, "aba")
                               .bytes);
    Save("changes-between-conversions", Ops(2, 2)
                                            .Create(1, 1, 1, "a", "1")
                                            .Create(1, 1, 1, "b", "2")
                                            .Create(1, 1, 1, "c", "3")
                                            .Convert(1, 1, 0, 9, "abc")
                                            .Remove(2)
                                            .Convert(1, 1, 0, 9, "abc")
                                            .Create(1, 1, 1, "bc", "4")
                                            .Update(1, 2, 3, 0, "ab", "5")
                                            .Convert(1, 1, 0, 9, "abc")
                                            .Convert(2, 2, 0, 9, "abc")
                                            .Update(3, 1, 4, 0, "x", "y")
                                            .Remove(0)
                                            .Remove(255)
                                            .Swap(1, 254)
                                            .Swap(0, 1)
                                            .Convert(2, 3, 1, 9, "y5")
                                            .bytes);
    Ops crowd(8, 9);
    const char* const pieces[] = {"a", "ab", "abc", "b", "ア", "あ", "\\", "ｶﾞ", "です"};
    for (int i = 0; i < 300; ++i)
        crowd.Create(static_cast<uint8_t>(1 + i % 8), static_cast<uint8_t>(i * 37),
                     static_cast<uint8_t>(i % 3), std::string(pieces[i % 9]) + pieces[i / 9 % 9],
                     pieces[i / 81 % 9]);
    crowd.Convert(8, 0xFF, 0, 50, "abcアあ\\ｶﾞですababab");
    Save("many-entries", crowd.bytes);
    Save("long-texts", Ops(1, 1)
                           .Create(1, 1, 1, std::string(300, 'a'), std::string(300, 'b'))
                           .Convert(1, 1, 0, 255, std::string(600, 'a'))
                           .bytes);
    Save("no-levels", Ops(0, 1).bytes);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: make_seeds <folder>\n");
        return 2;
    }
    folder = fs::path(argv[1]) / "file";
    fs::create_directories(folder);
    FileSeeds();
    folder = fs::path(argv[1]) / "engine";
    fs::create_directories(folder);
    EngineSeeds();
    return 0;
}

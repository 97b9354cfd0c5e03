// zev dump and zev build: the text form gives back every file the library
// writes byte for byte, and build names every bad line and writes nothing.
#include <sys/stat.h>
#include <unistd.h>

#include <random>

#include "file_bytes.h"
#include "zev.h"
#include "zev_cli.h"

namespace {

std::string RandomBytes(std::mt19937& rng, size_t length) {
    std::string bytes(length, '\0');
    for (char& c : bytes) c = static_cast<char>(1 + rng() % 255);  // no NUL
    return bytes;
}

// dump, then build the dump: the result must be the same file.
void ExpectRoundTrip(const std::string& dictionary) {
    const std::string text = testfiles::Path("dump.txt");
    const std::string rebuilt = testfiles::Path("rebuilt.zev");
    ZevRun dump = RunZev({"dump", dictionary, "-o", text});
    ASSERT_EQ(0, dump.code) << dump.err;
    ZevRun build = RunZev({"build", text, "-o", rebuilt});
    ASSERT_EQ(0, build.code) << build.err;
    EXPECT_TRUE(ReadText(dictionary) == ReadText(rebuilt)) << dictionary;
}

std::string Save(const std::string& leaf) {
    const std::string path = testfiles::Path(leaf);
    EXPECT_EQ(1, zevSaveDic(path.c_str()));
    EXPECT_EQ(1, zevCloseDic());
    return path;
}

TEST_F(ZevCliTest, SampleDumpBuildsTheSameFile) {
    ExpectRoundTrip(SampleDictionary());
    // The dump of the rebuilt file is the same text again.
    ZevRun first = RunZev({"dump", SampleDictionary()});
    ZevRun second = RunZev({"dump", testfiles::Path("rebuilt.zev")});
    EXPECT_EQ(first.out, second.out);
    EXPECT_NE(std::string::npos, first.out.find("\n1\t-\tand\tかわいい\tかわいい\n"));
}

// The largest dictionary: 16384 entries with 255-byte texts of any bytes
// (cut by the library, so some end in half a character), levels and types
// beyond the counts, every condition value, entries without types, and a
// footer with the largest values.
TEST_F(ZevCliTest, FullGeneratedDictionaryRoundTrips) {
    std::mt19937 rng(5);
    ASSERT_EQ(1, zevCreateDic(ToCp932("標準語").c_str(), RandomBytes(rng, 255).c_str(), 3, 2));
    ASSERT_EQ(1, zevSetLevelAndType(RandomBytes(rng, 255).c_str(), 1, "\"#\\ \t", 1));
    ASSERT_EQ(1, zevSetLevelAndType(ToCp932("こてこて").c_str(), 3, nullptr, 0));
    for (int i = 0; i < ZEV_MAX_DATA; ++i) {
        const uint16_t slot =
            zevCreateData(RandomBytes(rng, 300).c_str(), uint8_t(1 + i % 255), uint8_t(1 + i % 255),
                          uint8_t(i % 256), RandomBytes(rng, 255 + i % 3).c_str());
        ASSERT_EQ(i + 1, slot);
        if (i % 97 == 0) {
            char source[ZEV_TEXT_BUFFER], target[ZEV_TEXT_BUFFER];
            ASSERT_EQ(1, zevGetData(slot, source, nullptr, nullptr, nullptr, target));
            ASSERT_EQ(1, zevUpdateData(slot, source, uint8_t(1 + i % 3), 0, 1, target));
        }
    }
    ASSERT_EQ(1, zevUpdateFooter(255, 254, 0, RandomBytes(rng, 300).c_str(), 65535,
                                 RandomBytes(rng, 255).c_str()));
    const std::string path = Save("full.zev");
    // Magic and header 13 + 538, data 7 + 8437762, footer 5 + 517.
    EXPECT_EQ(13u + 538 + 7 + 8437762 + 5 + 517, ReadText(path).size());
    ExpectRoundTrip(path);
}

TEST_F(ZevCliTest, EdgeDictionariesRoundTrip) {
    // The smallest file the library writes (42 bytes, no names at all).
    ASSERT_EQ(1, zevCreateDic("A", "B", 1, 1));
    ExpectRoundTrip(Save("smallest.zev"));

    // 255 levels and types, mostly unnamed; texts that the text form must
    // quote or escape; characters that iconv maps to other bytes.
    ASSERT_EQ(1, zevCreateDic(" A ", "\xE3\x80\x80", 255, 255));
    ASSERT_EQ(1, zevSetLevelAndType("x", 200, "\x81\x40", 255));
    const char* texts[] = {"",
                           " lead and trail ",
                           "\"quoted\"",
                           "#hash",
                           "back\\slash",
                           "tab\there",
                           "cr\r\nlf",
                           "\x81\x40",                  // ideographic space
                           "\xED\x40\xFA\x40\x87\x90",  // NEC/IBM duplicates
                           "\x80\xA0\xFD\xFE\xFF",      // bytes without characters
                           "\xB1\xB2\xDF",              // half-width katakana
                           "\x81",                      // a lone lead byte
                           "\x81\x0A",                  // lead byte, then a line feed
                           "\\x41",
                           "-",
                           "and",
                           "\x1F\x7F"};
    for (const char* source : texts)
        for (const char* target : {texts[0], texts[3], source})
            ASSERT_NE(0, zevCreateData(source, 9, 0x80, 1, target));
    ExpectRoundTrip(Save("edges.zev"));

    // Random small dictionaries.
    std::mt19937 rng(7);
    for (int round = 0; round < 12; ++round) {
        ASSERT_EQ(1, zevCreateDic(RandomBytes(rng, 1 + rng() % 255).c_str(),
                                  RandomBytes(rng, 1 + rng() % 255).c_str(),
                                  uint8_t(1 + rng() % 255), uint8_t(1 + rng() % 255)));
        for (int i = 0; i < 40; ++i)
            ASSERT_NE(0,
                      zevCreateData(RandomBytes(rng, rng() % 256).c_str(), uint8_t(1 + rng() % 255),
                                    uint8_t(1 + rng() % 255), uint8_t(rng() % 256),
                                    RandomBytes(rng, rng() % 256).c_str()));
        ASSERT_EQ(1, zevUpdateFooter(uint8_t(rng()), uint8_t(rng()), uint8_t(rng()),
                                     RandomBytes(rng, rng() % 256).c_str(), uint16_t(rng()),
                                     RandomBytes(rng, rng() % 256).c_str()));
        ExpectRoundTrip(Save("random" + std::to_string(round) + ".zev"));
    }
}

TEST_F(ZevCliTest, BuildReportsEveryBadLine) {
    std::string tooLong = "1 1 or ";
    for (int i = 0; i < 128; ++i) tooLong += "あ";  // 256 bytes in code page 932
    const std::string lines[] = {
        "zev-text 1",       "source 標準語",   "target 大阪弁",        "level 1 ふつう",
        "level 3 しっかり", "type 1 あいさつ", "type 2 ことば",        "version 1.0",
        "year 70000",       "source 重複",     "colour red",           "2 1 or a b",
        "1 3 or a b",       "1 9! or a b",     "1 1 xor a b",          "1 1 or ¥ b",
        "1 1 or 😀 b",       tooLong + " b",    "1 1 or \"abc b",       "1 1 or a\\q b",
        "1 1 or a\\x4 b",   "1 方言 or a b",   "1 1 or \\x00 b",       "1 1 or a \"b\"c",
        "1 1 or \xFF b",    "4! - or a b",     "1 ことば and ok 良し",
    };
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    const std::string source = testfiles::Path("bad.txt");
    const std::string out = testfiles::Path("out.zev");
    WriteText(source, text);
    WriteText(out, "old");
    ZevRun run = RunZev({"build", source, "-o", out});
    EXPECT_EQ(1, run.code);
    EXPECT_EQ("old", ReadText(out));
    EXPECT_EQ("", run.out);
    const std::pair<int, std::string> expected[] = {
        {5, "expected level 2 here, found '3'"},
        {8, "'version' takes three numbers from 0 to 255"},
        {9, "'year' takes a number from 0 to 65535"},
        {10, "a second 'source' line (the first is line 2)"},
        {11, "an entry has five fields"},
        {12, "unknown level 2: the dictionary has levels 1 to 1"},
        {13, "unknown type 3: the dictionary has types 1 to 2"},
        {14, "type 9 cannot be stored: an entry holds types 1 to 8 only"},
        {15, "the condition is 'and', 'or' or a number from 0 to 255, not 'xor'"},
        {16, "'¥' (U+00A5) cannot be written in code page 932"},
        {17, "'😀' (U+1F600) cannot be written in code page 932"},
        {18, "the text is 256 bytes long in code page 932; at most 255 fit"},
        {19, "a quoted text has no closing quote"},
        {20, "unknown escape '\\q'"},
        {21, "'\\x' needs two hexadecimal digits"},
        {22, "unknown type '方言'"},
        {23, "a text cannot hold the character NUL"},
        {24, "a closing quote must be followed by a blank"},
        {25, "the line is not valid UTF-8"},
        {26, "an entry without types must have one of the dictionary's levels"},
    };
    size_t at = 0;
    for (const auto& e : expected) {
        const std::string want = "zev: " + source + ":" + std::to_string(e.first) + ": " + e.second;
        const size_t found = run.err.find(want, at);
        EXPECT_NE(std::string::npos, found) << want << "\nin\n" << run.err;
        if (found != std::string::npos) at = found;
    }
    EXPECT_NE(std::string::npos,
              run.err.find("zev: " + source + ": 20 errors; " + out + " was not written"))
        << run.err;
}

TEST_F(ZevCliTest, BuildRefusesWhatNoDictionaryHolds) {
    const std::string head = "zev-text 1\nsource A\ntarget B\nlevel 1 L\ntype 1 T\n";
    std::string entries;
    for (int i = 0; i < 16384; ++i) entries += "1 1 or a" + std::to_string(i) + " b\n";
    const std::string source = testfiles::Path("many.txt");
    const std::string out = testfiles::Path("many.zev");
    WriteText(source, head + entries);
    EXPECT_EQ(0, RunZev({"build", source, "-o", out}).code);
    WriteText(source, head + entries + "1 1 or one-too-many b\n");
    ZevRun run = RunZev({"build", source, "-o", testfiles::Path("more.zev")});
    EXPECT_EQ(1, run.code);
    EXPECT_NE(std::string::npos, run.err.find(source + ":16390: more than 16384 entries"))
        << run.err;
    EXPECT_FALSE(testfiles::Exists(testfiles::Path("more.zev")));

    std::string longNames =
        "zev-text 1\nsource A\ntarget B\ntype 1 " + std::string(255, 't') + "\n";
    for (int i = 1; i <= 255; ++i)
        longNames += "level " + std::to_string(i) + " " + std::string(255, 'n') + "\n";
    WriteText(source, longNames);
    run = RunZev({"build", source, "-o", out});
    EXPECT_EQ(1, run.code);
    EXPECT_NE(std::string::npos,
              run.err.find(source + ":259: the dialect, level and type names take 65542 bytes; "
                                    "at most 65535 fit in the header"))
        << run.err;

    struct Case {
        std::string text, message;
    } cases[] = {
        {"", source + ": the text is empty; the first line must be 'zev-text 1'"},
        {"MARDELKO", source + ":1: the first line must be 'zev-text 1'"},
        {"zev-text 1\n", source + ": no 'source' line"},
        {"zev-text 1\nsource A\ntarget \"\"\n", source + ":3: the target dialect needs a name"},
        {"zev-text 1\nsource A\ntarget B\n", source + ": no 'level' line"},
    };
    for (const Case& c : cases) {
        WriteText(source, c.text);
        run = RunZev({"build", source, "-o", out});
        EXPECT_EQ(1, run.code);
        EXPECT_NE(std::string::npos, run.err.find("zev: " + c.message)) << run.err;
    }
}

TEST_F(ZevCliTest, BuildAndDumpFileErrors) {
    const std::string missing = testfiles::Path("missing");
    ZevRun run = RunZev({"build", missing, "-o", testfiles::Path("x.zev")});
    EXPECT_EQ(1, run.code);
    EXPECT_EQ("zev: " + missing + ": cannot open: No such file or directory\n", run.err);
    EXPECT_EQ(2, RunZev({"build", SamplePath("kansai.dic.txt")}).code);  // no -o

    const std::string nowhere = testfiles::Path("no/folder.zev");
    run = RunZev({"build", SamplePath("kansai.dic.txt"), "-o", nowhere});
    EXPECT_EQ(1, run.code);
    EXPECT_EQ("zev: " + nowhere + ": cannot write: No such file or directory\n", run.err);
    const std::string readOnly = testfiles::Path("read-only.zev");
    WriteText(readOnly, "old");
    testfiles::SetReadOnly(readOnly, true);
    run = RunZev({"build", SamplePath("kansai.dic.txt"), "-o", readOnly});
    EXPECT_EQ(1, run.code);
    EXPECT_EQ("zev: " + readOnly + ": cannot write: Permission denied\n", run.err);
    EXPECT_EQ("old", ReadText(readOnly));
    run = RunZev({"dump", SampleDictionary(), "-o", readOnly});
    EXPECT_EQ(1, run.code);
    EXPECT_EQ("old", ReadText(readOnly));

    // A device is not replaced by a plain file; a link keeps its target.
    run = RunZev({"build", SamplePath("kansai.dic.txt"), "-o", "/dev/null"});
    EXPECT_EQ(1, run.code);
    EXPECT_EQ("zev: /dev/null: cannot write: it is not a regular file\n", run.err);
    struct stat info;
    ASSERT_EQ(0, stat("/dev/null", &info));
    EXPECT_TRUE(S_ISCHR(info.st_mode));
    const std::string target = testfiles::Path("target.zev");
    const std::string link = testfiles::Path("link.zev");
    WriteText(target, "old");
    ASSERT_EQ(0, symlink("target.zev", link.c_str()));
    EXPECT_EQ(0, RunZev({"build", SamplePath("kansai.dic.txt"), "-o", link}).code);
    ASSERT_EQ(0, lstat(link.c_str(), &info));
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    EXPECT_EQ(ReadText(SampleDictionary()), ReadText(target));

    run = RunZev({"dump", missing});
    EXPECT_EQ(1, run.code);
    EXPECT_EQ("zev: " + missing + ": cannot open: No such file or directory\n", run.err);
    run = RunZev({"dump", SamplePath("story.txt")});
    EXPECT_EQ(1, run.code);
    EXPECT_NE(std::string::npos, run.err.find("not a dictionary file")) << run.err;
}

// Files that the library reads but never writes cannot come back byte for
// byte; dump says so and still writes the text.
TEST_F(ZevCliTest, DumpSaysWhatTheTextCannotCarry) {
    FileLayout layout;
    layout.entries.push_back({1, 1, 0, std::string("a\0b", 3), "c"});
    const std::string withNul = testfiles::Path("nul.zev");
    testfiles::Write(withNul, layout.Build());
    ZevRun run = RunZev({"dump", withNul});
    EXPECT_EQ(1, run.code);
    EXPECT_NE(std::string::npos, run.out.find("\n1\t1\tor\ta\tc\n"));
    EXPECT_NE(std::string::npos,
              run.err.find(withNul + ": the text form cannot give back this file byte for byte"));

    layout.entries.clear();
    std::vector<uint8_t> trailing = layout.Build();
    trailing.insert(trailing.end(), {'x', 'y', 'z'});
    testfiles::Write(testfiles::Path("trailing.zev"), trailing);
    run = RunZev({"dump", testfiles::Path("trailing.zev")});
    EXPECT_EQ(1, run.code);
    EXPECT_NE(std::string::npos, run.err.find("3 bytes follow the footer")) << run.err;
}

}  // namespace

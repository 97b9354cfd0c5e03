// zev check and zev info: what is wrong with a file, in plain words, and
// what a sound dictionary holds.
#include "file_bytes.h"
#include "zev.h"
#include "zev_cli.h"
#include "zev_version.h"

namespace {

std::vector<uint8_t> Cut(std::vector<uint8_t> bytes, size_t size) {
    bytes.resize(size);
    return bytes;
}

std::vector<uint8_t> Patched(std::vector<uint8_t> bytes, size_t at, uint8_t value) {
    bytes[at] = value;
    return bytes;
}

TEST_F(ZevCliTest, CheckAcceptsSoundDictionaries) {
    ASSERT_EQ(1, zevOpenDic(SampleDictionary().c_str()));
    const int entries = zevGetDataCount();
    zevCloseDic();
    ZevRun run = RunZev({"check", SampleDictionary()});
    EXPECT_EQ(0, run.code);
    EXPECT_EQ(SampleDictionary() + ": sound: " + std::to_string(entries) +
                  " entries, 3 levels, 4 types\n",
              run.out);
    EXPECT_EQ("", run.err);

    // Accepted by the programs, but not what the library writes.
    FileLayout layout;
    layout.entries.push_back({1, 1, 0, "a", "b"});
    std::vector<uint8_t> odd = layout.Build();
    odd.push_back('!');
    const size_t footerSize = odd.size() - 1 - 7 - 2;
    odd = Patched(odd, footerSize, 99);
    const std::string path = testfiles::Path("odd.zev");
    testfiles::Write(path, odd);
    run = RunZev({"check", path});
    EXPECT_EQ(0, run.code);
    EXPECT_EQ("zev: " + path + ": warning: the footer's length field says 99 bytes, but the " +
                  "footer holds 7\nzev: " + path +
                  ": warning: 1 bytes follow the footer and are ignored\n",
              run.err);
}

TEST_F(ZevCliTest, CheckNamesWhatIsWrong) {
    FileLayout layout;
    layout.entries.push_back({1, 1, 0, "abc", "de"});
    layout.entries.push_back({2, 1, 1, "fg", "h"});
    const std::vector<uint8_t> good = layout.Build();  // header 13 to 22, entries from 32
    std::vector<uint8_t> tooMany = good;
    tooMany[30] = 0x01;
    tooMany[31] = 0x40;  // 16385 entries
    FileLayout unnamed;
    unnamed.levels = {""};
    unnamed.types = {""};

    struct Case {
        std::vector<uint8_t> bytes;
        std::string message;
    } cases[] = {
        {{'h', 'e', 'l', 'l', 'o'}, "it does not start with the signature MARDELKO"},
        {Patched(good, 0, 'm'), "it does not start with the signature MARDELKO"},
        {Patched(good, 9, 'X'), "no header block after the signature (at byte 8)"},
        {Patched(good, 11, 9), "the header's length field says 9 bytes, but its names take 10"},
        {Cut(good, 19), "the file ends inside the level names (at byte 19)"},
        {Patched(good, 23, 'x'), "no entry block where the header ends (at byte 23)"},
        {tooMany, "it claims 16385 entries; at most 16384 fit"},
        {Cut(good, 40), "the file ends inside entry 1 of 2 (at byte 40)"},
        {Patched(good, 26, 21),
         "the entry block's length field says 21 bytes, but its 2 entries take 20"},
        {Cut(good, good.size() - 4), "the file ends inside the footer (at byte 58)"},
        {Patched(good, good.size() - 12, 'x'),
         "no footer block where the entries end (at byte 50)"},
        {unnamed.Build(),
         "it is 42 bytes long; the dictionary programs refuse files shorter "
         "than 44 bytes"},
    };
    for (const Case& c : cases) {
        const std::string path = testfiles::Path("bad.zev");
        testfiles::Write(path, c.bytes);
        ZevRun run = RunZev({"check", path});
        EXPECT_EQ(1, run.code) << c.message;
        EXPECT_EQ("zev: " + path + ": not a dictionary file: " + c.message + "\n", run.err);
        EXPECT_EQ("", run.out);
    }
    const std::string missing = testfiles::Path("missing.zev");
    ZevRun run = RunZev({"check", missing});
    EXPECT_EQ(1, run.code);
    EXPECT_EQ("zev: " + missing + ": cannot open: No such file or directory\n", run.err);
    EXPECT_EQ(2, RunZev({"check"}).code);
}

TEST_F(ZevCliTest, InfoShowsNamesCountsAndFooter) {
    ZevRun run = RunZev({"info", SampleDictionary()});
    EXPECT_EQ(0, run.code);
    for (const char* line :
         {"source dialect: 標準語\n", "target dialect: 大阪弁\n",
          "levels: 3\n  1 ふつう\n  2 しっかり\n  3 こてこて\n", "types: 4\n  1 あいさつ\n",
          "version: 1.0.0\n", "copyright: 2026 Zev sample team\n",
          "comment: 標準語を大阪弁（大阪府とその周り）にする見本の辞書です。"})
        EXPECT_NE(std::string::npos, run.out.find(line)) << line << run.out;
    run = RunZev({"info", testfiles::Path("missing.zev")});
    EXPECT_EQ(1, run.code);
    EXPECT_NE(std::string::npos, run.err.find("missing.zev: cannot open"));
}

TEST_F(ZevCliTest, EverySubcommandHasHelp) {
    for (const char* command : {"convert", "info", "dump", "build", "check", "lint"}) {
        ZevRun run = RunZev({command, "--help"});
        EXPECT_EQ(0, run.code) << command;
        EXPECT_NE(std::string::npos, run.out.find(std::string("Usage: zev ") + command));
    }
    ZevRun run = RunZev({"--help"});
    EXPECT_EQ(0, run.code);
    EXPECT_NE(std::string::npos, run.out.find("Subcommands:"));
    run = RunZev({"--version"});
    EXPECT_EQ("zev " ZEV_VERSION "\n", run.out);
}

}  // namespace

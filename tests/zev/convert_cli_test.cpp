// zev convert, run as a program: against the library's own line-by-line
// conversion, in both directions and encodings, with line ends, long lines,
// large inputs and characters that code page 932 does not have.
#include <stdint.h>

#include <random>

#include "zev.h"
#include "zev_cli.h"

namespace {

struct Line {
    std::string text;
    std::string end;
};

std::vector<Line> SplitLines(const std::string& text) {
    std::vector<Line> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t newline = text.find('\n', start);
        if (newline == std::string::npos) {
            lines.push_back({text.substr(start), ""});
            break;
        }
        size_t end = newline;
        std::string ending = "\n";
        if (end > start && text[end - 1] == '\r') {
            --end;
            ending = "\r\n";
        }
        lines.push_back({text.substr(start, end - start), ending});
        start = newline + 1;
    }
    return lines;
}

// What the converter program does with the same dictionary: one zevConvert
// per line into a 65536-byte buffer with the limit 65535.
std::string ConverterResult(const std::string& dictionary, const std::string& cp932Text,
                            uint8_t level, uint8_t types, uint32_t direction) {
    EXPECT_EQ(1, zevOpenDic(dictionary.c_str()));
    std::vector<char> buffer(65536);
    std::string result;
    for (const Line& line : SplitLines(cp932Text)) {
        EXPECT_EQ(1, zevConvert(line.text.c_str(), buffer.data(), 65535, level, types, direction));
        result += std::string(buffer.data()) + line.end;
    }
    zevCloseDic();
    return result;
}

const char kMixedText[] =
    "ほんまにだめだよ。\r\n"
    "本当にありがとう。そうだよね、仕方がないので早くしなさい。\n"
    "\n"
    "いいえ、違うよ。かわいい子がいる。\r\n"
    "最後の行は改行なし、とても面白かった";

TEST_F(ZevCliTest, ConvertGivesTheConverterProgramsBytes) {
    const std::string dic = SampleDictionary();
    const std::string utf8Path = testfiles::Path("mixed-utf8.txt");
    const std::string cp932Path = testfiles::Path("mixed-cp932.txt");
    WriteText(utf8Path, kMixedText);
    WriteText(cp932Path, ToCp932(kMixedText));
    struct Case {
        std::vector<std::string> options;
        uint8_t level, types;
        uint32_t direction;
    } cases[] = {
        {{}, 1, 1, 0},
        {{"-l", "3", "-t", "1,2,3,4"}, 3, 15, 0},
        {{"-l", "2", "-t", "2,3"}, 2, 6, 0},
        {{"-r", "-l", "3", "-t", "1,2,3,4"}, 3, 15, 1},
        {{"-r", "-t", "2"}, 1, 2, 1},
    };
    for (const Case& c : cases) {
        const std::string expected =
            ConverterResult(dic, ToCp932(kMixedText), c.level, c.types, c.direction);
        std::vector<std::string> args = {"convert", "-d", dic, "-e", "cp932", cp932Path};
        args.insert(args.begin() + 3, c.options.begin(), c.options.end());
        ZevRun cp932 = RunZev(args);
        EXPECT_EQ(0, cp932.code) << cp932.err;
        EXPECT_EQ(expected, cp932.out) << "level " << int(c.level) << " types " << int(c.types);

        args = {"convert", "-d", dic, utf8Path};
        args.insert(args.begin() + 3, c.options.begin(), c.options.end());
        ZevRun utf8 = RunZev(args);
        EXPECT_EQ(0, utf8.code) << utf8.err;
        EXPECT_EQ(ToUtf8(expected), utf8.out);
    }
}

TEST_F(ZevCliTest, ConvertsTheSampleBothWays) {
    ZevRun forward = RunZev(
        {"convert", "-d", SampleDictionary(), "-l", "3", "-t", "1,2,3,4", SamplePath("story.txt")});
    ASSERT_EQ(0, forward.code) << forward.err;
    EXPECT_NE(std::string::npos, forward.out.find("しゃあないさかい、半分もろた。"));
    EXPECT_NE(std::string::npos, forward.out.find("チャリンコに乗った子ども"));
    EXPECT_EQ(SplitLines(ReadText(SamplePath("story.txt"))).size(), SplitLines(forward.out).size());

    ZevRun backward =
        RunZev({"convert", "-d", SampleDictionary(), "-r", "-t", "2"}, "ほんまにあかん\n");
    EXPECT_EQ(0, backward.code);
    EXPECT_EQ("本当にだめだ\n", backward.out);
}

TEST_F(ZevCliTest, TypesAndLevelsByNumberOrName) {
    const std::string text = ReadText(SamplePath("story.txt"));
    const std::string dic = SampleDictionary();
    ZevRun byNumber = RunZev({"convert", "-d", dic, "-l", "3", "-t", "2,3"}, text);
    ZevRun byName = RunZev({"convert", "-d", dic, "-l", "こてこて", "-t", "ことば,語尾"}, text);
    ZevRun greetings = RunZev({"convert", "-d", dic, "-l", "3", "-t", "あいさつ"}, text);
    EXPECT_EQ(0, byName.code) << byName.err;
    EXPECT_EQ(byNumber.out, byName.out);
    EXPECT_NE(byNumber.out, greetings.out);

    struct Bad {
        std::string option, value, message;
    } bad[] = {{"-t", "5", "no type '5'"},
               {"-t", "方言", "no type '方言'"},
               {"-t", "1,", "no type ''"},
               {"-l", "4", "no level '4': the dictionary has levels 1 to 3"},
               {"-l", "0", "no level '0'"}};
    for (const Bad& b : bad) {
        ZevRun run = RunZev({"convert", "-d", dic, b.option, b.value}, text);
        EXPECT_EQ(2, run.code) << b.value;
        EXPECT_NE(std::string::npos, run.err.find(dic + ": " + b.message)) << run.err;
        EXPECT_EQ("", run.out);
    }
}

TEST_F(ZevCliTest, LineEndsAreKept) {
    const std::string dic = SampleDictionary();
    const std::string in = "だめ\r\nだめ\n\r\n\nだ\rめ\nだめ";
    ZevRun run = RunZev({"convert", "-d", dic, "-t", "2"}, in);
    EXPECT_EQ(0, run.code);
    EXPECT_EQ("あかん\r\nあかん\n\r\n\nだ\rめ\nあかん", run.out);
    EXPECT_EQ("あかん\n", RunZev({"convert", "-d", dic, "-t", "2"}, "だめ\n").out);
    EXPECT_EQ("", RunZev({"convert", "-d", dic}, "").out);
}

TEST_F(ZevCliTest, CharactersOutsideCodePage932PassThrough) {
    const std::string dic = SampleDictionary();
    // Emoji, euro, yen (iconv would make it a backslash) and the wave dash
    // (iconv would make it U+FF5E) are kept; no entry matches across them.
    ZevRun run = RunZev({"convert", "-d", dic, "-t", "2"}, "だめ😀だめ€¥〜だ😀め\n");
    EXPECT_EQ(0, run.code);
    EXPECT_EQ("あかん😀あかん€¥〜だ😀め\n", run.out);

    // Bytes that are not UTF-8, and NUL, pass through as well, with a warning.
    const std::string odd = std::string("だめ\xFF") + '\0' + "だめ\n";
    run = RunZev({"convert", "-d", dic, "-t", "2"}, odd);
    EXPECT_EQ(0, run.code);
    EXPECT_EQ(std::string("あかん\xFF") + '\0' + "あかん\n", run.out);
    EXPECT_NE(std::string::npos,
              run.err.find("standard input:1: warning: bytes that are not UTF-8"));

    // In code page 932 a NUL byte cannot end the line early either.
    run = RunZev({"convert", "-d", dic, "-t", "2", "-e", "CP932"},
                 ToCp932("だめ") + '\0' + ToCp932("だめ"));
    EXPECT_EQ(ToCp932("あかん") + '\0' + ToCp932("あかん"), run.out);
}

// A result far beyond the converter's 65535 bytes is converted whole.
TEST_F(ZevCliTest, LongResultIsNeverCut) {
    const std::string dicText =
        "zev-text 1\nsource A\ntarget B\nlevel 1 L\ntype 1 T\n"
        "1 1 or a " +
        std::string(255, 'x') + "\n";
    WriteText(testfiles::Path("long.txt"), dicText);
    const std::string dic = testfiles::Path("long.zev");
    ASSERT_EQ(0, RunZev({"build", testfiles::Path("long.txt"), "-o", dic}).code);
    ZevRun run = RunZev({"convert", "-d", dic}, std::string(1000, 'a') + "\nab");
    EXPECT_EQ(0, run.code) << run.err;
    ASSERT_EQ(255000u + 1 + 255 + 1, run.out.size());
    EXPECT_EQ(std::string(255000, 'x') + "\n" + std::string(255, 'x') + "b", run.out);
}

TEST_F(ZevCliTest, TenMegabyteInput) {
    const std::string story = ReadText(SamplePath("story.txt"));
    const std::string once =
        RunZev({"convert", "-d", SampleDictionary(), "-l", "3", "-t", "1,2,3,4"}, story).out;
    std::string big, expected;
    while (big.size() < 10 * 1024 * 1024) {
        big += story;
        expected += once;
    }
    // Many lines, and the same text as one line of over 10 MB.
    ZevRun run = RunZev({"convert", "-d", SampleDictionary(), "-l", "3", "-t", "1,2,3,4"}, big);
    EXPECT_EQ(0, run.code);
    EXPECT_TRUE(run.out == expected) << "sizes " << run.out.size() << " " << expected.size();

    std::string oneLine;
    while (oneLine.size() < 10 * 1024 * 1024) oneLine += "とても";
    run = RunZev({"convert", "-d", SampleDictionary(), "-t", "2"}, oneLine);
    EXPECT_EQ(0, run.code);
    EXPECT_EQ(oneLine.size() / 9 * 12, run.out.size());
    EXPECT_EQ(0u, run.out.find("めっちゃめっちゃ"));
    EXPECT_EQ(run.out.size() - 12, run.out.rfind("めっちゃ"));
}

TEST_F(ZevCliTest, ConvertWritesOutputFileOnlyWhenComplete) {
    const std::string dic = SampleDictionary();
    const std::string in = testfiles::Path("in.txt");
    const std::string out = testfiles::Path("out.txt");
    WriteText(in, "だめ\n");
    ZevRun run = RunZev({"convert", "-d", dic, "-t", "2", "-o", out, in});
    EXPECT_EQ(0, run.code);
    EXPECT_EQ("", run.out);
    EXPECT_EQ("あかん\n", ReadText(out));

    // A missing second input: nothing is written and the old output stays.
    WriteText(out, "old");
    run = RunZev({"convert", "-d", dic, "-o", out, in, testfiles::Path("missing.txt")});
    EXPECT_EQ(1, run.code);
    EXPECT_EQ(
        "zev: " + testfiles::Path("missing.txt") + ": cannot open: No such file or directory\n",
        run.err);
    EXPECT_EQ("old", ReadText(out));

    // A read-only output file, a missing folder, a full device.
    testfiles::SetReadOnly(out, true);
    run = RunZev({"convert", "-d", dic, "-o", out, in});
    EXPECT_EQ(1, run.code);
    EXPECT_EQ("zev: " + out + ": cannot write: Permission denied\n", run.err);
    EXPECT_EQ("old", ReadText(out));
    const std::string nowhere = testfiles::Path("no/such/folder.txt");
    run = RunZev({"convert", "-d", dic, "-o", nowhere, in});
    EXPECT_EQ(1, run.code);
    EXPECT_EQ("zev: " + nowhere + ": cannot write: No such file or directory\n", run.err);
    run = RunZev({"convert", "-d", dic, "-o", "/dev/full", in});
    EXPECT_EQ(1, run.code);
    EXPECT_NE(std::string::npos, run.err.find("cannot write")) << run.err;
    EXPECT_EQ(testfiles::List().size(), 5u);  // no temporary file left behind
}

TEST_F(ZevCliTest, ConvertRefusesBadDictionariesAndUsage) {
    const std::string text = testfiles::Path("text.txt");
    WriteText(text, "だめ\n");
    const std::string sample = ReadText(SampleDictionary());
    const std::string truncated = testfiles::Path("truncated.zev");
    WriteText(truncated, sample.substr(0, sample.size() / 2));
    const std::string empty = testfiles::Path("empty.zev");
    WriteText(testfiles::Path("empty.txt"),
              "zev-text 1\nsource A\ntarget B\nlevel 1 L\ntype 1 T\n");
    ASSERT_EQ(0, RunZev({"build", testfiles::Path("empty.txt"), "-o", empty}).code);

    struct Case {
        std::string dictionary, message;
    } cases[] = {
        {testfiles::Path("missing.zev"), "cannot open: No such file or directory"},
        {text, "not a dictionary file: it does not start with the signature MARDELKO"},
        {truncated, "not a dictionary file: the file ends inside entry"},
        {empty, "the dictionary has no entries to convert with"},
    };
    for (const Case& c : cases) {
        ZevRun run = RunZev({"convert", "-d", c.dictionary, text});
        EXPECT_EQ(1, run.code) << c.dictionary;
        EXPECT_EQ(0u, run.err.find("zev: " + c.dictionary + ": " + c.message)) << run.err;
        EXPECT_EQ("", run.out);
    }
    EXPECT_EQ(2, RunZev({"convert", text}).code);  // no dictionary
    EXPECT_EQ(2, RunZev({"convert", "-d", SampleDictionary(), "-e", "latin1", text}).code);
    EXPECT_EQ(2, RunZev({"convert", "-d", SampleDictionary(), "--bogus", text}).code);
    EXPECT_EQ(2, RunZev({}).code);
}

// -j N gives -j 1's bytes, warnings and failures, whatever the cut into
// chunks: random texts with CR LF and LF, empty lines, no end on the last
// line, characters outside code page 932, bytes that are not UTF-8.
TEST_F(ZevCliTest, ThreadsAndChunkSizesNeverChangeTheResult) {
    const char* const pieces[] = {"ありがとう", "そうだよ", "本当に", "\n",   "\r\n",     "\n\n",
                                  "¥",          "〜",       "a",      "\xFF", "かわいい", "だめ"};
    std::mt19937 random(21);
    for (int round = 0; round < 12; ++round) {
        std::string text;
        for (int n = static_cast<int>(random() % 4000); n > 0; --n)
            text += pieces[random() % (sizeof pieces / sizeof *pieces)];
        const std::string path = testfiles::Path("random.txt");
        WriteText(path, text);
        const std::vector<std::string> common = {"convert", "-d", SampleDictionary(), "-l",
                                                 "3",       "-t", "1,2,3,4",          path};
        std::vector<std::string> one = common;
        one.insert(one.end(), {"-j", "1"});
        const ZevRun expected = RunZev(one);
        for (const char* threads : {"1", "2", "3"}) {
            std::vector<std::string> args = common;
            const std::string chunk = std::to_string(1 + random() % 3000);
            args.insert(args.end(), {"-j", threads, "--chunk-size", chunk});
            const ZevRun run = RunZev(args);
            EXPECT_EQ(expected.code, run.code) << threads << " threads, chunk " << chunk;
            EXPECT_EQ(expected.out, run.out) << threads << " threads, chunk " << chunk;
            EXPECT_EQ(expected.err, run.err) << threads << " threads, chunk " << chunk;
        }
    }
}

}  // namespace

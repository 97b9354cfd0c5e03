// zev lint through the real executable: one small dictionary per kind of
// finding, the exit codes, the JSON object, and .zev files as well as the
// text form.
#include "file_bytes.h"
#include "zev_cli.h"

namespace {

const char* const kHeader =
    "zev-text 1\nsource 標準語\ntarget 方言\nlevel 1 ふつう\nlevel 2 つよい\n"
    "type 1 あいさつ\ntype 2 ことば\ntype 3 語尾\n";

std::string WriteDictionary(const std::string& entries) {
    const std::string path = testfiles::Path("lint.dic.txt");
    WriteText(path, kHeader + entries);
    return path;
}

// Each line of `lines` prefixed with the file's name, then the summary.
std::string Expected(const std::string& path, const std::vector<std::string>& lines,
                     const std::string& summary) {
    std::string out;
    for (const std::string& line : lines) out += path + ": " + line + "\n";
    return out + path + ": " + summary + "\n";
}

TEST_F(ZevCliTest, LintNamesEachKindOfFinding) {
    struct Case {
        const char* entries;
        std::vector<std::string> lines;
        const char* summary;
        int code;
    } cases[] = {
        {"1\t1\tor\tほん\tほむ\n1\t1\tor\tほんま\tほま\n",
         {"forward: entry 2 (ほんま → ほま): error: shadowed: never applies: entry 1 (ほん) "
          "comes first wherever this one applies"},
         "2 entries: 1 error, 0 warnings, 0 notes",
         1},
        // Types 1 and 2 need one earlier entry each.
        {"1\t1\tor\tかき\tカキ\n1\t2\tor\tかきく\tカキク\n1\t1,2\tand\tかきくけ\tカキクケ\n",
         {"forward: entry 3 (かきくけ → カキクケ): error: shadowed: never applies: entries 1 "
          "(かき) and 2 (かきく) come first wherever this one applies (no single one of them "
          "does)",
          "backward: entry 3 (かきくけ → カキクケ): error: shadowed: never applies: entries 1 "
          "(カキ) and 2 (カキク) come first wherever this one applies (no single one of them "
          "does)"},
         "3 entries: 2 errors, 0 warnings, 0 notes",
         1},
        // A stronger form after the milder one never applies; before it, it does.
        {"1\t1,2\tor\tさしす\tサシス\n2\t1\tor\tさしす\tさしすう\n1\t-\tand\tまみ\tマミ\n"
         "1\t1\tor\tまみ\tマミ\n2\t1\tor\tたちつ\tタチツ\n1\t1\tor\tたちつ\tたちつう\n",
         {"forward: entry 2 (さしす → さしすう): error: duplicate: never applies: entry 1 (さしす) "
          "has the same source and comes first wherever this one applies",
          "forward: entry 4 (まみ → マミ): error: duplicate: never applies: entry 3 (まみ) has "
          "the same source and comes first wherever this one applies",
          "backward: entry 4 (まみ → マミ): error: duplicate: never applies: entry 3 (マミ) has "
          "the same target and source and comes first wherever this one applies"},
         "6 entries: 3 errors, 0 warnings, 0 notes",
         1},
        {"1\t-\tor\tたち\tタチ\n1\t1\tor\tつて\t\"\"\n1\t2\tand\t\"\"\tツテ\n",
         {"entry 1 (たち → タチ): error: unreachable: never applies: an OR entry needs one of "
          "the dictionary's types 1 to 3, and it has none",
          "forward: entry 3 ( → ツテ): error: unreachable: never applies: its source is empty",
          "backward: entry 2 (つて → ): error: unreachable: never applies: its target is empty"},
         "3 entries: 3 errors, 0 warnings, 0 notes",
         1},
        {"1\t1\tor\tなに\tなに\n1\t-\tand\tかわいい\tかわいい\n1\t1\tor\tいい\tええ\n",
         {"entry 1 (なに → なに): error: without-effect: its source and target are the same, "
          "and no entry could match inside it where it applies: it changes nothing",
          "forward: entry 2 (かわいい → かわいい): note: guard: keeps entry 3 (いい) from "
          "matching inside it"},
         "3 entries: 1 error, 0 warnings, 1 note",
         1},
        // Ｂ is 0x82 0x61: without the guard, entry 2 takes the lone 0x82 and
        // entry 3 matches at the "a" that follows.
        {"1\t1\tor\tＢb\tＢb\n1\t1\tor\t\\x82\t\\x82\n1\t1\tor\tab\tXY\n",
         {"forward: entry 1 (Ｂb → Ｂb): note: guard: keeps entry 2 (\\x82) from matching "
          "inside it",
          "backward: entry 1 (Ｂb → Ｂb): note: guard: keeps entry 2 (\\x82) from matching "
          "inside it"},
         "3 entries: 0 errors, 0 warnings, 2 notes",
         0},
        {"1\t1\tor\tありがとう\tおおきに\n1\t1\tor\tどうも\tおおきに\n1\t2\tor\tしんどい\tえらい\n"
         "1\t1,2\tor\tつかれた\tえらい\n",
         {"backward: entry 2 (どうも → おおきに): note: ambiguous: entry 1 (ありがとう) has the "
          "same target and comes first wherever this one applies: backward never gives this "
          "source",
          "backward: entry 4 (つかれた → えらい): note: ambiguous: entry 3 (しんどい) has the "
          "same target and comes first where both apply: backward gives their source there"},
         "4 entries: 0 errors, 0 warnings, 2 notes",
         0},
        {"1\t1\tor\t俺\tわい\n1\t1\tor\tあうえ\tアウエ\n1\t1\tor\tかうえ\tカウエ\n"
         "1\t1\tor\tさうえ\tサウエ\n1\t1\tor\tたうえ\tタウエ\n1\t1\tor\tなうえ\tナウエ\n"
         "1\t1\tor\tうえ\tウエ\n3!\t1\tor\tやま\tヤマ\n",
         {"entry 8 (やま → ヤマ): warning: level-beyond: level 3 is beyond the dictionary's 2 "
          "levels: only a conversion at that level or higher applies it, and no program offers "
          "one",
          "forward: entry 1 (俺 → わい): warning: one-character: a pattern of one character: it "
          "is replaced inside every word that holds it",
          "forward: entry 7 (うえ → ウエ): warning: common-part: its pattern occurs inside 5 "
          "other patterns (entries 2 (あうえ), 3 (かうえ), 4 (さうえ), 5 (たうえ) and 6 (なうえ)): "
          "it may match inside words it should not change",
          "backward: entry 7 (うえ → ウエ): warning: common-part: its pattern occurs inside 5 "
          "other patterns (entries 2 (アウエ), 3 (カウエ), 4 (サウエ), 5 (タウエ) and 6 (ナウエ)): "
          "it may match inside words it should not change"},
         "8 entries: 0 errors, 4 warnings, 0 notes",
         0},
    };
    for (const Case& c : cases) {
        const std::string path = WriteDictionary(c.entries);
        ZevRun run = RunZev({"lint", path});
        EXPECT_EQ(c.code, run.code) << c.entries;
        EXPECT_EQ(Expected(path, c.lines, c.summary), run.out);
        EXPECT_EQ("", run.err);
        // The same from the .zev file.
        const std::string built = testfiles::Path("lint.zev");
        ASSERT_EQ(0, RunZev({"build", path, "-o", built}).code);
        run = RunZev({"lint", built});
        EXPECT_EQ(c.code, run.code);
        EXPECT_EQ(Expected(built, c.lines, c.summary), run.out);
    }
}

TEST_F(ZevCliTest, LintWritesJson) {
    const std::string path = WriteDictionary(
        "1\t1\tor\tほん\tほむ\n1\t1\tor\tほんま\t\"a\\\"\\x81\"\n1\t1\tor\tありがとう\tおおきに\n"
        "1\t1\tor\tどうも\tおおきに\n");
    ZevRun run = RunZev({"lint", "--json", path});
    EXPECT_EQ(1, run.code);
    EXPECT_EQ("{\n  \"dictionary\": \"" + path +
                  "\",\n  \"entries\": 4,\n  \"types_tested\": 3,\n  \"errors\": 1,\n"
                  "  \"warnings\": 0,\n  \"notes\": 1,\n  \"both\": [],\n  \"forward\": [\n"
                  "    {\"kind\": \"shadowed\", \"severity\": \"error\", \"entry\": 2, "
                  "\"source\": \"ほんま\", \"target\": \"a\\\\\\\"\\\\x81\", \"covered_by\": [1], "
                  "\"related\": [], \"everywhere\": false, \"message\": \"never applies: entry 1 "
                  "(ほん) comes first wherever this one applies\"}\n  ],\n  \"backward\": [\n"
                  "    {\"kind\": \"ambiguous\", \"severity\": \"note\", \"entry\": 4, "
                  "\"source\": \"どうも\", \"target\": \"おおきに\", \"covered_by\": [3], "
                  "\"related\": [], \"everywhere\": true, \"message\": \"entry 3 (ありがとう) has "
                  "the same target and comes first wherever this one applies: backward never "
                  "gives this source\"}\n  ]\n}\n",
              run.out);
}

TEST_F(ZevCliTest, LintRefusesWhatItCannotRead) {
    // Level 0 comes only from a foreign writer.
    FileLayout layout;
    layout.entries.push_back({0, 1, 0, "ab", "cd"});
    const std::string zev = testfiles::Path("level0.zev");
    testfiles::Write(zev, layout.Build());
    ZevRun run = RunZev({"lint", zev});
    EXPECT_EQ(0, run.code);
    EXPECT_EQ(Expected(zev,
                       {"entry 1 (ab → cd): warning: level-0: it applies at every level, as an "
                        "entry of level 1 does; no program writes level 0"},
                       "1 entry: 0 errors, 1 warning, 0 notes"),
              run.out);

    const std::string missing = testfiles::Path("missing.zev");
    run = RunZev({"lint", missing});
    EXPECT_EQ(1, run.code);
    EXPECT_EQ("zev: " + missing + ": cannot open: No such file or directory\n", run.err);
    const std::string bad = WriteDictionary("1\t9\tor\ta\tb\n");
    run = RunZev({"lint", bad});
    EXPECT_EQ(1, run.code);
    EXPECT_EQ("", run.out);
    EXPECT_EQ("zev: " + bad +
                  ":9: unknown type 9: the dictionary has types 1 to 3 (write 9! to keep it "
                  "anyway)\n",
              run.err);
    EXPECT_EQ(2, RunZev({"lint"}).code);
    EXPECT_EQ(2, RunZev({"lint", bad, "--jsn"}).code);
}

}  // namespace

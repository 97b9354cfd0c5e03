// The dictionary file: writer, reader and structural test.
#include <string.h>

#include <string>
#include <vector>

#include "file_bytes.h"
#include "zev_fixture.h"

#ifdef _WIN32
#include <windows.h>
const uint32_t kFileNotFound = ERROR_FILE_NOT_FOUND;
const uint32_t kAccessDenied = ERROR_ACCESS_DENIED;
#else
#include <errno.h>
#include <sys/stat.h>
#include <unistd.h>
const uint32_t kFileNotFound = ENOENT;
const uint32_t kAccessDenied = EACCES;
#endif

namespace {

using FileTest = ZevTest;
using testfiles::Path;

std::string Repeat(char c, size_t count) { return std::string(count, c); }

// The system text the library gives for its last code-1 failure.
std::string SystemText() {
    char message[256], system[256];
    zevGetZevErrorText(ZEV_ERR_WIN32, message, system);
    return system;
}

void ExpectSystemError(uint32_t expected) {
    EXPECT_EQ(ZEV_ERR_WIN32, zevGetZevLastError());
    EXPECT_FALSE(SystemText().empty());
    // The system text is that of the expected code.
    char message[256], system[256];
    zevGetZevErrorText(ZEV_ERR_WIN32, message, system);
    char wanted[1024] = "";
#ifdef _WIN32
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, expected,
                   MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), wanted, sizeof wanted, nullptr);
#else
    strncpy(wanted, strerror(static_cast<int>(expected)), sizeof wanted - 1);
#endif
    EXPECT_EQ(std::string(wanted).substr(0, 255), system);
}

std::vector<uint8_t> SaveAndRead(const std::string& path) {
    EXPECT_EQ(1, zevSaveDic(path.c_str()));
    EXPECT_EQ(ZEV_ERR_NONE, zevGetZevLastError());
    return testfiles::Read(path);
}

TEST_F(FileTest, FreshDictionaryIs42BytesAndTooSmallForTheTest) {
    CreateSmall(1, 1);
    std::string path = Path("small.zev");
    FileLayout layout;
    layout.levels = {""};
    layout.types = {""};
    EXPECT_EQ(layout.Build(), SaveAndRead(path));
    EXPECT_EQ(42u, layout.Build().size());

    EXPECT_EQ(0, zevIsZevFormat(path.c_str()));
    EXPECT_EQ(ZEV_ERR_FORMAT, zevGetZevLastError());
    ASSERT_EQ(1, zevCloseDic());
    ASSERT_EQ(1, zevOpenDic(path.c_str()));
    EXPECT_EQ(1, zevGetLevelCount());
    char name[256];
    ASSERT_EQ(1, zevGetAfterName(name));
    EXPECT_STREQ("B", name);
}

TEST_F(FileTest, SmallestAcceptedFileIs44Bytes) {
    CreateSmall(1, 1);
    ASSERT_EQ(1, zevSetLevelAndType("L", 1, "T", 1));
    std::string path = Path("smallest.zev");
    FileLayout layout;
    std::vector<uint8_t> bytes = SaveAndRead(path);
    EXPECT_EQ(layout.Build(), bytes);
    EXPECT_EQ(44u, bytes.size());
    EXPECT_EQ(1, zevIsZevFormat(path.c_str()));
    EXPECT_EQ(ZEV_ERR_NONE, zevGetZevLastError());
}

TEST_F(FileTest, WritesEveryFieldInOrder) {
    ASSERT_EQ(1, zevCreateDic("標準語", "関西弁", 2, 3));
    ASSERT_EQ(1, zevSetLevelAndType("基本", 1, "動詞", 1));
    ASSERT_EQ(1, zevSetLevelAndType("応用", 2, "名詞", 2));
    ASSERT_EQ(1, zevSetLevelAndType(nullptr, 0, "表現", 3));
    ASSERT_EQ(1, zevCreateData("ありがとう", 1, 3, 1, "おおきに"));
    ASSERT_EQ(1, zevUpdateFooter(2, 5, 9, "試作版", 2026, "方言研究会"));

    FileLayout layout;
    layout.before = "標準語";
    layout.after = "関西弁";
    layout.levels = {"基本", "応用"};
    layout.types = {"動詞", "名詞", "表現"};
    layout.entries = {{1, 3, 1, "ありがとう", "おおきに"}};
    layout.version[0] = 2;
    layout.version[1] = 5;
    layout.version[2] = 9;
    layout.comment = "試作版";
    layout.year = 2026;
    layout.holder = "方言研究会";
    std::string path = Path("fields.zev");
    EXPECT_EQ(layout.Build(), SaveAndRead(path));
    EXPECT_EQ(1, zevIsZevFormat(path.c_str()));
}

TEST_F(FileTest, RoundTripRenumbersSlotsAndKeepsEverything) {
    ASSERT_EQ(1, zevCreateDic("標準語", "博多弁", 3, 2));
    ASSERT_EQ(1, zevSetLevelAndType("一", 1, "甲", 1));
    for (int i = 0; i < 7; ++i) zevCreateData("x", 1, 1, 0, "y");
    ASSERT_EQ(1, zevUpdateData(3, "なんで", 2, 1, 1, "なして"));
    ASSERT_EQ(1, zevUpdateData(7, "とても", 3, 2, 0, "ばり"));
    for (int slot : {1, 2, 4, 5, 6}) ASSERT_EQ(1, zevRemoveData(slot));
    ASSERT_EQ(1, zevUpdateFooter(1, 2, 3, "コメント", 1999, "作者"));
    std::string path = Path("round.zev");
    std::vector<uint8_t> first = SaveAndRead(path);

    ASSERT_EQ(1, zevCloseDic());
    ASSERT_EQ(1, zevOpenDic(path.c_str()));
    EXPECT_EQ(ZEV_ERR_NONE, zevGetZevLastError());
    EXPECT_EQ(2, zevGetDataCount());
    char source[256], target[256];
    uint8_t level, mask, condition;
    ASSERT_EQ(1, zevGetData(1, source, &level, &mask, &condition, target));
    EXPECT_STREQ("なんで", source);
    EXPECT_STREQ("なして", target);
    EXPECT_EQ(2, level);
    EXPECT_EQ(1, mask);
    EXPECT_EQ(1, condition);
    ASSERT_EQ(1, zevGetData(2, source, &level, &mask, &condition, target));
    EXPECT_STREQ("とても", source);
    EXPECT_EQ(0, condition);
    EXPECT_EQ(0, zevIsDataEnabled(3));
    EXPECT_EQ(3, zevCreateData("a", 1, 1, 0, "b"));
    ASSERT_EQ(1, zevRemoveData(3));

    uint8_t major, minor, revision;
    uint16_t year;
    char comment[256], holder[256], name[256];
    ASSERT_EQ(1, zevGetFooter(&major, &minor, &revision, comment, &year, holder));
    EXPECT_EQ(3, revision);
    EXPECT_EQ(1999, year);
    EXPECT_STREQ("コメント", comment);
    EXPECT_STREQ("作者", holder);
    ASSERT_EQ(1, zevGetLevelName(1, name));
    EXPECT_STREQ("一", name);
    ASSERT_EQ(1, zevGetTypeName(2, name));
    EXPECT_STREQ("", name);
    // Written again, the file is the same to the byte.
    std::string again = Path("again.zev");
    EXPECT_EQ(first, SaveAndRead(again));
}

TEST_F(FileTest, LongestTextsHaveLengthByte255) {
    std::string text = Repeat('q', 255);
    ASSERT_EQ(1, zevCreateDic(text.c_str(), text.c_str(), 1, 1));
    ASSERT_EQ(1, zevSetLevelAndType(text.c_str(), 1, text.c_str(), 1));
    ASSERT_EQ(1, zevCreateData(text.c_str(), 1, 1, 0, text.c_str()));
    ASSERT_EQ(1, zevUpdateFooter(1, 0, 0, text.c_str(), 1, text.c_str()));
    FileLayout layout;
    layout.before = layout.after = text;
    layout.levels = layout.types = {text};
    layout.entries = {{1, 1, 0, text, text}};
    layout.comment = layout.holder = text;
    layout.year = 1;
    std::string path = Path("long.zev");
    EXPECT_EQ(layout.Build(), SaveAndRead(path));
    ASSERT_EQ(1, zevCloseDic());
    ASSERT_EQ(1, zevOpenDic(path.c_str()));
    char buffer[256];
    ASSERT_EQ(1, zevGetData(1, buffer, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(text, buffer);
    ASSERT_EQ(1, zevGetFooter(nullptr, nullptr, nullptr, nullptr, nullptr, buffer));
    EXPECT_EQ(text, buffer);
    ASSERT_EQ(1, zevGetTypeName(1, buffer));
    EXPECT_EQ(text, buffer);
}

TEST_F(FileTest, FullTableOfLongestEntries) {
    CreateSmall(1, 1);
    std::string text = Repeat('z', 255);
    for (int i = 0; i < ZEV_MAX_DATA; ++i)
        ASSERT_NE(0, zevCreateData(text.c_str(), 1, 1, 0, text.c_str()));
    std::string path = Path("full.zev");
    std::vector<uint8_t> bytes = SaveAndRead(path);
    // dataSize 8,437,762 and dataCount 16384 stand right after the "dat" tag.
    size_t dat = 8 + 3 + 2 + 8;
    ASSERT_EQ(0, memcmp(&bytes[dat], "dat", 3));
    EXPECT_EQ(8437762u, bytes[dat + 3] | bytes[dat + 4] << 8 | bytes[dat + 5] << 16 |
                            static_cast<uint32_t>(bytes[dat + 6]) << 24);
    EXPECT_EQ(ZEV_MAX_DATA, bytes[dat + 7] | bytes[dat + 8] << 8);
    EXPECT_EQ(dat + 7 + 8437762 + 3 + 2 + 7, bytes.size());

    ASSERT_EQ(1, zevCloseDic());
    ASSERT_EQ(1, zevIsZevFormat(path.c_str()));
    ASSERT_EQ(1, zevOpenDic(path.c_str()));
    EXPECT_EQ(ZEV_MAX_DATA, zevGetDataCount());
    EXPECT_EQ(0, zevCreateData("a", 1, 1, 0, "b"));
    EXPECT_EQ(ZEV_ERR_NO_FREE_SLOT, zevGetZevLastError());
}

TEST_F(FileTest, OpeningAMissingFileFailsAndCreatesNothing) {
    std::string path = Path("missing.zev");
    EXPECT_EQ(0, zevOpenDic(path.c_str()));
    ExpectSystemError(kFileNotFound);
    EXPECT_FALSE(testfiles::Exists(path));
    EXPECT_EQ(0, zevIsOpen());
    EXPECT_EQ(0, zevIsZevFormat(path.c_str()));
    ExpectSystemError(kFileNotFound);
    EXPECT_FALSE(testfiles::Exists(path));
}

TEST_F(FileTest, NullPathsAndStateChecks) {
    EXPECT_EQ(0, zevOpenDic(nullptr));
    EXPECT_EQ(ZEV_ERR_PARAMETER, zevGetZevLastError());
    EXPECT_EQ(0, zevIsZevFormat(nullptr));
    EXPECT_EQ(ZEV_ERR_PARAMETER, zevGetZevLastError());
    std::string path = Path("closed.zev");
    EXPECT_EQ(0, zevSaveDic(path.c_str()));
    EXPECT_EQ(ZEV_ERR_NOT_OPEN, zevGetZevLastError());
    EXPECT_FALSE(testfiles::Exists(path));
    CreateSmall();
    EXPECT_EQ(0, zevSaveDic(nullptr));
    EXPECT_EQ(ZEV_ERR_PARAMETER, zevGetZevLastError());
    EXPECT_EQ(0, zevOpenDic(nullptr));
    EXPECT_EQ(ZEV_ERR_ALREADY_OPEN, zevGetZevLastError());
}

TEST_F(FileTest, StructuralTestChecksMagicAndTags) {
    FileLayout layout;
    std::vector<uint8_t> good = layout.Build();
    struct Case {
        const char* name;
        size_t offset;
        uint8_t value;
        bool passes;
    };
    const size_t dat = 8 + 3 + 2 + 10;
    const Case cases[] = {
        {"good", 0, 'M', true},
        {"lower-case magic", 0, 'm', false},
        {"magic", 7, 'X', false},
        {"header tag", 10, 'R', false},
        {"header size too large", 11, 9, false},
        {"header size too small", 11, 7, false},
        {"data tag", dat, 'D', false},
        {"data size", dat + 3, 3, false},
        {"footer tag", dat + 9, 'F', false},
        {"footer size is not checked", dat + 12, 99, true},
        {"content is not checked", 14, 0xFF, true},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> bytes = good;
        bytes[c.offset] = c.value;
        std::string path = Path("case.zev");
        testfiles::Write(path, bytes);
        EXPECT_EQ(c.passes ? 1 : 0, zevIsZevFormat(path.c_str())) << c.name;
        EXPECT_EQ(c.passes ? ZEV_ERR_NONE : ZEV_ERR_FORMAT, zevGetZevLastError()) << c.name;
    }
}

TEST_F(FileTest, WrongHeaderSizeStillReadsAndIsWrittenBackAsStored) {
    FileLayout layout;
    layout.entries = {{1, 1, 0, "s", "t"}};
    std::vector<uint8_t> bytes = layout.Build();
    bytes[11] = 50;
    std::string path = Path("header.zev");
    testfiles::Write(path, bytes);
    EXPECT_EQ(0, zevIsZevFormat(path.c_str()));
    ASSERT_EQ(1, zevOpenDic(path.c_str()));
    char buffer[256];
    ASSERT_EQ(1, zevGetData(1, buffer, nullptr, nullptr, nullptr, nullptr));
    EXPECT_STREQ("s", buffer);
    EXPECT_EQ(bytes, SaveAndRead(Path("copy.zev")));
}

TEST_F(FileTest, BytesAfterTheFooterAreIgnored) {
    FileLayout layout;
    layout.holder = "h";
    std::vector<uint8_t> bytes = layout.Build();
    std::vector<uint8_t> longer = bytes;
    longer.insert(longer.end(), {'x', 'y', 'z'});
    std::string path = Path("trailing.zev");
    testfiles::Write(path, longer);
    EXPECT_EQ(1, zevIsZevFormat(path.c_str()));
    ASSERT_EQ(1, zevOpenDic(path.c_str()));
    char holder[256];
    ASSERT_EQ(1, zevGetFooter(nullptr, nullptr, nullptr, nullptr, nullptr, holder));
    EXPECT_STREQ("h", holder);
    EXPECT_EQ(bytes, SaveAndRead(Path("copy.zev")));
}

TEST_F(FileTest, EveryTruncatedFileIsRefusedAndLeavesTheLibraryClosed) {
    FileLayout layout;
    layout.levels = {"基本", ""};
    layout.entries = {{1, 1, 0, "ab", "c"}, {2, 3, 1, "", "日本"}};
    layout.comment = "c";
    layout.holder = "持ち主";
    std::vector<uint8_t> bytes = layout.Build();
    std::string path = Path("cut.zev");
    for (size_t length = 0; length < bytes.size(); ++length) {
        testfiles::Write(path, std::vector<uint8_t>(bytes.begin(), bytes.begin() + length));
        EXPECT_EQ(0, zevOpenDic(path.c_str())) << "cut at " << length;
        EXPECT_EQ(ZEV_ERR_FORMAT, zevGetZevLastError()) << "cut at " << length;
        ASSERT_EQ(0, zevIsOpen()) << "cut at " << length;
        EXPECT_EQ(0, zevGetLevelCount());
    }
    testfiles::Write(path, bytes);
    ASSERT_EQ(1, zevOpenDic(path.c_str()));
    EXPECT_EQ(2, zevGetDataCount());
}

TEST_F(FileTest, TooManyEntriesAreRefused) {
    FileLayout layout;
    std::vector<uint8_t> bytes = layout.Build();
    const size_t count = 8 + 3 + 2 + 10 + 3 + 4;
    bytes[count] = (ZEV_MAX_DATA + 1) & 0xFF;
    bytes[count + 1] = (ZEV_MAX_DATA + 1) >> 8;
    std::string path = Path("many.zev");
    testfiles::Write(path, bytes);
    EXPECT_EQ(0, zevOpenDic(path.c_str()));
    EXPECT_EQ(ZEV_ERR_FORMAT, zevGetZevLastError());
    EXPECT_EQ(0, zevIsOpen());

    // A file that really holds one record more than the table; one fewer opens.
    layout.entries.assign(ZEV_MAX_DATA + 1, {1, 1, 0, "a", "b"});
    testfiles::Write(path, layout.Build());
    EXPECT_EQ(1, zevIsZevFormat(path.c_str()));
    EXPECT_EQ(0, zevOpenDic(path.c_str()));
    EXPECT_EQ(ZEV_ERR_FORMAT, zevGetZevLastError());
    EXPECT_EQ(0, zevIsOpen());
    layout.entries.pop_back();
    testfiles::Write(path, layout.Build());
    ASSERT_EQ(1, zevOpenDic(path.c_str()));
    EXPECT_EQ(ZEV_MAX_DATA, zevGetDataCount());
}

TEST_F(FileTest, SaveReplacesTheOldFileAndLeavesNoTemporaryFile) {
    std::string path = Path("dic.zev");
    testfiles::Write(path, std::vector<uint8_t>(5000, 'o'));
    CreateSmall(1, 1);
    FileLayout layout;
    layout.levels = layout.types = {""};
    EXPECT_EQ(layout.Build(), SaveAndRead(path));
    EXPECT_EQ(std::vector<std::string>{"dic.zev"}, testfiles::List());
}

TEST_F(FileTest, FailedSaveKeepsTheOldFile) {
    std::vector<uint8_t> old(100, 'o');
    std::string path = Path("keep.zev");
    testfiles::Write(path, old);
    testfiles::SetReadOnly(path, true);
    CreateSmall();
    EXPECT_EQ(0, zevSaveDic(path.c_str()));
    ExpectSystemError(kAccessDenied);
    testfiles::SetReadOnly(path, false);
    EXPECT_EQ(old, testfiles::Read(path));
    EXPECT_EQ(std::vector<std::string>{"keep.zev"}, testfiles::List());

    // A folder cannot be replaced by a file.
    std::string folder = Path("folder.zev");
    testfiles::MakeFolder(folder);
    EXPECT_EQ(0, zevSaveDic(folder.c_str()));
    EXPECT_EQ(ZEV_ERR_WIN32, zevGetZevLastError());
    EXPECT_EQ(2u, testfiles::List().size());

    // Nor can a file be made in a folder that does not exist.
    EXPECT_EQ(0, zevSaveDic(Path("no-such-folder/dic.zev").c_str()));
    EXPECT_EQ(ZEV_ERR_WIN32, zevGetZevLastError());
    EXPECT_EQ(1, zevIsOpen());
}

// Files whose names start with `prefix` in the folder of `path`.
std::vector<std::string> FilesBeside(const std::string& path, const std::string& prefix) {
    std::vector<std::string> names;
#ifdef _WIN32
    std::string pattern = path.substr(0, path.find_last_of('\\') + 1) + prefix + "*";
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do names.push_back(found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
#else
    (void)path;
    for (const std::string& name : testfiles::List())
        if (name.compare(0, prefix.size(), prefix) == 0) names.push_back(name);
#endif
    return names;
}

TEST_F(FileTest, TheLongestFileNameCanBeSavedAndReplaced) {
    // 255 bytes, the most a folder entry holds. Under Wine the whole path must
    // stay within MAX_PATH, so the file goes to the root of drive C.
    const std::string name = Repeat('n', 251) + ".zev";
#ifdef _WIN32
    const std::string path = "C:\\" + name;
#else
    const std::string path = Path(name);
#endif
    CreateSmall(1, 1);
    ASSERT_EQ(1, zevSaveDic(path.c_str())) << SystemText();
    ASSERT_EQ(1, zevSetLevelAndType("L", 1, "T", 1));
    ASSERT_EQ(1, zevSaveDic(path.c_str())) << SystemText();
    ASSERT_EQ(1, zevCloseDic());
    EXPECT_EQ(1, zevIsZevFormat(path.c_str()));
    EXPECT_EQ(44u, testfiles::Read(path).size());
    EXPECT_EQ(std::vector<std::string>{name}, FilesBeside(path, "n"));
    EXPECT_TRUE(FilesBeside(path, "zev").empty());
#ifdef _WIN32
    DeleteFileA(path.c_str());
#endif
}

TEST_F(FileTest, JapaneseFileNamesWithBackslashTrailBytes) {
    // 表 and ソ end in the byte 0x5C, which is also the path separator.
    std::string path = Path("表ソ.zev");
    ASSERT_EQ(1, zevCreateDic("表", "ソ", 1, 1));
    ASSERT_EQ(1, zevSetLevelAndType("表", 1, "ソ", 1));
    ASSERT_EQ(1, zevSaveDic(path.c_str()));
    EXPECT_TRUE(testfiles::Exists(path));
    EXPECT_EQ(1u, testfiles::List().size());
    ASSERT_EQ(1, zevCloseDic());
    EXPECT_EQ(1, zevIsZevFormat(path.c_str()));
    ASSERT_EQ(1, zevOpenDic(path.c_str()));
    char name[256];
    ASSERT_EQ(1, zevGetBeforeName(name));
    EXPECT_STREQ("表", name);
}

TEST_F(FileTest, SystemTextIsBoundedTo255Bytes) {
    EXPECT_EQ(0, zevOpenDic(Path("missing.zev").c_str()));
    char message[256];
    char system[512];
    memset(system, 'x', sizeof system);
    uint16_t length = zevGetZevErrorText(ZEV_ERR_WIN32, message, system);
    EXPECT_GT(length, 0);
    EXPECT_LE(length, 255);
    EXPECT_EQ(length, strlen(system));
    EXPECT_EQ('x', system[256]);
    // Without a system-text buffer the result is the message's own length.
    EXPECT_EQ(19, zevGetZevErrorText(ZEV_ERR_WIN32, message, nullptr));
}

#ifndef _WIN32
TEST_F(FileTest, SavingThroughALinkReplacesTheFileItPointsTo) {
    std::string real = Path("real.zev");
    std::string link = Path("link.zev");
    testfiles::Write(real, {'o', 'l', 'd'});
    ASSERT_EQ(0, symlink("real.zev", link.c_str()));
    CreateSmall(1, 1);
    ASSERT_EQ(1, zevSaveDic(link.c_str()));
    struct stat info;
    ASSERT_EQ(0, lstat(link.c_str(), &info));
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    EXPECT_EQ(42u, testfiles::Read(real).size());

    // A link that leads nowhere is refused, and stays as it was.
    std::string dangling = Path("dangling.zev");
    ASSERT_EQ(0, symlink("missing/none.zev", dangling.c_str()));
    EXPECT_EQ(0, zevSaveDic(dangling.c_str()));
    ExpectSystemError(ENOENT);
    ASSERT_EQ(0, lstat(dangling.c_str(), &info));
    EXPECT_TRUE(S_ISLNK(info.st_mode));
}

TEST_F(FileTest, SavingOverSomethingThatIsNotAFileIsRefused) {
    // A device, or here a pipe: renaming a file over it would replace it.
    std::string pipe = Path("pipe.zev");
    ASSERT_EQ(0, mkfifo(pipe.c_str(), 0644));
    CreateSmall(1, 1);
    EXPECT_EQ(0, zevSaveDic(pipe.c_str()));
    ExpectSystemError(EPERM);
    struct stat info;
    ASSERT_EQ(0, lstat(pipe.c_str(), &info));
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
    EXPECT_EQ(1u, testfiles::List().size());
}
#endif

#ifdef _WIN32
TEST_F(FileTest, FilesOpenElsewhereAreNotTouched) {
    CreateSmall(1, 1);
    ASSERT_EQ(1, zevSetLevelAndType("L", 1, "T", 1));
    std::string path = Path("shared.zev");
    ASSERT_EQ(1, zevSaveDic(path.c_str()));
    std::vector<uint8_t> saved = testfiles::Read(path);
    ASSERT_EQ(1, zevCloseDic());

    HANDLE other = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, other);
    // The library opens without sharing, so another opener keeps it out.
    EXPECT_EQ(0, zevIsZevFormat(path.c_str()));
    ExpectSystemError(ERROR_SHARING_VIOLATION);
    EXPECT_EQ(0, zevOpenDic(path.c_str()));
    ExpectSystemError(ERROR_SHARING_VIOLATION);
    CreateSmall(2, 2);
    EXPECT_EQ(0, zevSaveDic(path.c_str()));
    EXPECT_EQ(ZEV_ERR_WIN32, zevGetZevLastError());
    CloseHandle(other);
    EXPECT_EQ(saved, testfiles::Read(path));
    EXPECT_EQ(std::vector<std::string>{"shared.zev"}, testfiles::List());
}

TEST_F(FileTest, SystemTextsAreJapanese) {
    EXPECT_EQ(0, zevOpenDic(Path("missing.zev").c_str()));
    std::string text = SystemText();
    ASSERT_FALSE(text.empty());
    // A Japanese message begins with a double-byte character.
    EXPECT_TRUE(IsDBCSLeadByte(static_cast<BYTE>(text[0]))) << text;
}
#endif

}  // namespace

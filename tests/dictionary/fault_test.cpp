// Failure paths that only a failing system reaches: a write, the flush or the
// replace while saving, and every memory allocation, made to fail one at a
// time through the platform layer's test-only fault switch. Live memory
// blocks are counted, so a leak on any path fails the test.
#include <stdio.h>

#include <string>
#include <vector>

#include "file_bytes.h"
#include "platform.h"
#include "zev_fixture.h"

namespace {

namespace faults = platform::faults;
using testfiles::Path;

class FaultTest : public ZevTest {
protected:
    void SetUp() override {
        faults::Reset();
        ZevTest::SetUp();
        // With the dictionary closed the library holds no memory.
        ASSERT_EQ(0, faults::LiveBlocks());
    }
    void TearDown() override {
        faults::Reset();
        ZevTest::TearDown();
        EXPECT_EQ(0, faults::LiveBlocks());
    }

    // A dictionary larger than several of the writer's blocks.
    // Enough entries of 255 + 255 bytes for a save of at least three blocks.
    static constexpr int kLargeCount = 4500;
    static void CreateLarge() {
        CreateSmall(2, 2);
        for (int i = 0; i < kLargeCount; ++i) {
            std::string source(255, static_cast<char>('a' + i % 26));
            std::string target(255, static_cast<char>('A' + i % 26));
            ASSERT_EQ(i + 1, zevCreateData(source.c_str(), 1, 1, 0, target.c_str()));
        }
    }

    // Fails the n-th call of `kind` from now on.
    static void Arm(faults::Kind kind, unsigned n) {
        faults::Reset();
        faults::FailAt(kind, n);
    }
};

std::string TextOf(uint32_t code) {
    char text[ZEV_TEXT_BUFFER];
    platform::SystemErrorText(code, text, sizeof text);
    return text;
}

// The call failed with code 1, and the system code it saved is the one the
// failed call of `kind` left.
void ExpectSystemFailure(faults::Kind kind) {
    EXPECT_EQ(ZEV_ERR_WIN32, zevGetZevLastError());
    char message[ZEV_TEXT_BUFFER], system[ZEV_TEXT_BUFFER];
    zevGetZevErrorText(ZEV_ERR_WIN32, message, system);
    EXPECT_FALSE(TextOf(faults::ErrorCode(kind)).empty());
    EXPECT_EQ(TextOf(faults::ErrorCode(kind)), std::string(system));
}

FileLayout SmallFile() {
    FileLayout layout;
    layout.levels = {"L1", "L2", "L3"};
    layout.types = {"T1", "T2"};
    layout.entries = {{1, 1, 0, "a", "b"}, {2, 3, 1, "c", "d"}, {3, 2, 0, "e", ""}};
    layout.comment = "c";
    layout.holder = "h";
    return layout;
}

TEST_F(FaultTest, FailedSaveAtEveryWriteTheFlushOrTheReplaceKeepsTheOldFile) {
    CreateLarge();
    std::string probe = Path("probe.zev");
    ASSERT_EQ(1, zevSaveDic(probe.c_str()));
    const unsigned writes = faults::Calls(faults::kWrite);
    ASSERT_GE(writes, 3u);
    const std::vector<uint8_t> saved = testfiles::Read(probe);
    remove(probe.c_str());

    std::string path = Path("dic.zev");
    const std::vector<uint8_t> old = SmallFile().Build();
    testfiles::Write(path, old);

    struct Case {
        faults::Kind kind;
        unsigned n;
    };
    std::vector<Case> cases;
    for (unsigned n = 1; n <= writes; ++n) cases.push_back({faults::kWrite, n});
    cases.push_back({faults::kFlush, 1});
    cases.push_back({faults::kReplace, 1});
    for (const Case& c : cases) {
        SCOPED_TRACE("kind " + std::to_string(c.kind) + ", call " + std::to_string(c.n));
        Arm(c.kind, c.n);
        EXPECT_EQ(0, zevSaveDic(path.c_str()));
        EXPECT_EQ(c.n, faults::Calls(c.kind));  // the failure was reached
        ExpectSystemFailure(c.kind);
        EXPECT_EQ(old, testfiles::Read(path));
        EXPECT_EQ(std::vector<std::string>{"dic.zev"}, testfiles::List());
        EXPECT_EQ(1, zevIsOpen());
        EXPECT_EQ(kLargeCount, zevGetDataCount());
    }

    // The dictionary itself is untouched: the next save writes it whole.
    faults::Reset();
    ASSERT_EQ(1, zevSaveDic(path.c_str()));
    EXPECT_EQ(saved, testfiles::Read(path));
}

TEST_F(FaultTest, FailedSaveOfANewFileLeavesNoFile) {
    CreateSmall();
    std::string path = Path("new.zev");
    for (faults::Kind kind : {faults::kWrite, faults::kFlush, faults::kReplace}) {
        Arm(kind, 1);
        EXPECT_EQ(0, zevSaveDic(path.c_str()));
        ExpectSystemFailure(kind);
        EXPECT_TRUE(testfiles::List().empty());
    }
}

TEST_F(FaultTest, FailedAllocationWhileSavingKeepsTheOldFile) {
    CreateSmall();
    ASSERT_NE(0, zevCreateData("a", 1, 1, 0, "b"));
    std::string path = Path("dic.zev");
    const std::vector<uint8_t> old = SmallFile().Build();
    testfiles::Write(path, old);
    faults::Reset();
    ASSERT_EQ(1, zevSaveDic(Path("probe.zev").c_str()));
    const unsigned allocations = faults::Calls(faults::kAllocation);
    ASSERT_GE(allocations, 1u);
    remove(Path("probe.zev").c_str());
    const long live = faults::LiveBlocks();

    for (unsigned n = 1; n <= allocations; ++n) {
        SCOPED_TRACE("allocation " + std::to_string(n));
        Arm(faults::kAllocation, n);
        EXPECT_EQ(0, zevSaveDic(path.c_str()));
        ExpectSystemFailure(faults::kAllocation);
        EXPECT_EQ(old, testfiles::Read(path));
        EXPECT_EQ(std::vector<std::string>{"dic.zev"}, testfiles::List());
        EXPECT_EQ(live, faults::LiveBlocks());
    }
}

TEST_F(FaultTest, FailedAllocationWhileOpeningLeavesTheLibraryClosed) {
    std::string path = Path("dic.zev");
    testfiles::Write(path, SmallFile().Build());
    ASSERT_EQ(1, zevOpenDic(path.c_str()));
    // The reader, five names and three records at least.
    const unsigned allocations = faults::Calls(faults::kAllocation);
    ASSERT_GE(allocations, 8u);
    ASSERT_EQ(1, zevCloseDic());

    for (unsigned n = 1; n <= allocations; ++n) {
        SCOPED_TRACE("allocation " + std::to_string(n));
        Arm(faults::kAllocation, n);
        EXPECT_EQ(0, zevOpenDic(path.c_str()));
        ExpectSystemFailure(faults::kAllocation);
        EXPECT_EQ(0, zevIsOpen());
        EXPECT_EQ(0, zevGetLevelCount());
        EXPECT_EQ(0, zevGetTypeCount());
        EXPECT_EQ(0, zevGetDataCount());
        EXPECT_EQ(0, faults::LiveBlocks());
    }
    faults::Reset();
    ASSERT_EQ(1, zevOpenDic(path.c_str()));
    EXPECT_EQ(3, zevGetDataCount());
}

TEST_F(FaultTest, RefusedFilesReleaseEverythingTheyAllocated) {
    std::vector<uint8_t> whole = SmallFile().Build();
    std::string path = Path("cut.zev");
    for (size_t size = 0; size < whole.size(); ++size) {
        SCOPED_TRACE("cut at " + std::to_string(size));
        testfiles::Write(path, std::vector<uint8_t>(whole.begin(), whole.begin() + size));
        EXPECT_EQ(0, zevOpenDic(path.c_str()));
        EXPECT_EQ(0, faults::LiveBlocks());
    }
}

TEST_F(FaultTest, FailedAllocationInCreateDicLeavesTheLibraryClosed) {
    for (unsigned n = 1; n <= 3 + 4; ++n) {
        SCOPED_TRACE("allocation " + std::to_string(n));
        Arm(faults::kAllocation, n);
        EXPECT_EQ(0, zevCreateDic("A", "B", 3, 4));
        ExpectSystemFailure(faults::kAllocation);
        EXPECT_EQ(0, zevIsOpen());
        EXPECT_EQ(0, zevGetLevelCount());
        EXPECT_EQ(0, faults::LiveBlocks());
    }
    faults::Reset();
    ASSERT_EQ(1, zevCreateDic("A", "B", 3, 4));
    EXPECT_EQ(7, faults::LiveBlocks());
}

TEST_F(FaultTest, FailedAllocationInCreateDataChangesNothing) {
    CreateSmall();
    ASSERT_EQ(1, zevCreateData("a", 1, 1, 0, "x"));
    ASSERT_EQ(2, zevCreateData("b", 1, 1, 0, "y"));
    ASSERT_EQ(3, zevCreateData("c", 1, 1, 0, "z"));
    ASSERT_EQ(1, zevRemoveData(2));
    std::string before = Path("before.zev"), after = Path("after.zev");
    ASSERT_EQ(1, zevSaveDic(before.c_str()));
    const long live = faults::LiveBlocks();

    Arm(faults::kAllocation, 1);
    EXPECT_EQ(0, zevCreateData("d", 1, 1, 0, "w"));
    ExpectSystemFailure(faults::kAllocation);
    EXPECT_EQ(2, zevGetDataCount());
    EXPECT_EQ(live, faults::LiveBlocks());
    faults::Reset();
    ASSERT_EQ(1, zevSaveDic(after.c_str()));
    EXPECT_EQ(testfiles::Read(before), testfiles::Read(after));
    // The free slot is still the one handed out next.
    EXPECT_EQ(2, zevCreateData("d", 1, 1, 0, "w"));
}

}  // namespace

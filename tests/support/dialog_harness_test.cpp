// The dialog harness itself: what it records, and that a wrong program fails
// the test instead of hanging it.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "dialog_harness.h"

namespace {

TEST(DialogHarnessTest, RecordsMessageBoxesAndPressesTheChosenButton) {
    const struct {
        UINT style;
        std::vector<int> buttons;
        int press;
    } kBoxes[] = {
        {MB_YESNOCANCEL | MB_ICONQUESTION, {IDCANCEL, IDYES, IDNO}, IDNO},
        {MB_OK | MB_ICONHAND, {IDOK}, IDOK},
        {MB_OKCANCEL | MB_ICONEXCLAMATION, {IDOK, IDCANCEL}, IDCANCEL},
        {MB_YESNO | MB_ICONASTERISK, {IDYES, IDNO}, IDYES},
        {MB_OK, {IDOK}, IDOK},
    };
    DialogHarness harness;
    for (const auto& box : kBoxes) {
        SCOPED_TRACE(box.style);
        MessageBoxSeen seen;
        harness.ExpectMessageBox(box.press, &seen);
        EXPECT_EQ(box.press, MessageBoxA(nullptr, "保存しますか？", "方言辞書エディタ", box.style));
        EXPECT_EQ("方言辞書エディタ", seen.caption);
        EXPECT_EQ("保存しますか？", seen.text);
        EXPECT_EQ(box.style & MB_ICONMASK, seen.icon);
        EXPECT_EQ(box.buttons, seen.buttons);
    }
    EXPECT_TRUE(harness.Finished());
}

TEST(DialogHarnessTest, UnexpectedDialogFailsAndIsDismissed) {
    EXPECT_NONFATAL_FAILURE(
        {
            DialogHarness harness;
            EXPECT_EQ(IDCANCEL, MessageBoxA(nullptr, "本文", "題", MB_OKCANCEL));
            EXPECT_FALSE(harness.Finished());
        },
        "unexpected dialog '題'");
}

TEST(DialogHarnessTest, DialogWithAnotherCaptionFails) {
    EXPECT_NONFATAL_FAILURE(
        {
            DialogHarness harness;
            harness.ExpectDialog("辞書の設定", [](HWND box) { dialog::Press(box, IDOK); });
            EXPECT_EQ(IDCANCEL, MessageBoxA(nullptr, "本文", "別の題", MB_OKCANCEL));
        },
        "expected dialog '辞書の設定', got '別の題'");
}

TEST(DialogHarnessTest, DialogThatNeverAppearsFails) {
    EXPECT_NONFATAL_FAILURE(
        {
            DialogHarness harness;
            harness.ExpectMessageBox(IDOK);
        },
        "1 expected dialog(s) never appeared");
}

TEST(DialogHarnessTest, WatchdogEndsADialogThatAnActionLeftOpen) {
    DWORD start = GetTickCount();
    EXPECT_NONFATAL_FAILURE(
        {
            DialogHarness harness(300);
            harness.ExpectDialog(nullptr, [](HWND) {});
            MessageBoxA(nullptr, "本文", "放置", MB_OK);
        },
        "dialog '放置' still open after 300 ms");
    EXPECT_LT(GetTickCount() - start, 5000u);
}

// A message box shown by a thread of its own, closed with OK when the object goes.
class OtherThreadBox {
public:
    explicit OtherThreadBox(const char* caption) : caption_(caption) {
        thread_ = CreateThread(nullptr, 0, Show, this, 0, nullptr);
    }
    ~OtherThreadBox() {
        while (thread_ && WaitForSingleObject(thread_, 10) == WAIT_TIMEOUT) {
            if (HWND box = Find()) PostMessageA(box, WM_COMMAND, IDOK, 0);
        }
        if (thread_) CloseHandle(thread_);
    }
    HWND Find() const { return FindWindowA("#32770", caption_); }
    // The box once it is on the screen, or null after two seconds.
    HWND WaitUntilShown() const {
        for (int wait = 0; wait < 200; ++wait) {
            HWND box = Find();
            if (box && IsWindowVisible(box)) return box;
            Sleep(10);
        }
        return nullptr;
    }

private:
    static DWORD WINAPI Show(void* self) {
        MessageBoxA(nullptr, "本文", static_cast<OtherThreadBox*>(self)->caption_, MB_OK);
        return 0;
    }
    const char* caption_;
    HANDLE thread_;
};

// Another thread's window can be activated through this thread: when this thread's last
// window closes, or, as here, when the two threads share their input. A test running
// alongside owns that window, not this harness, which must neither fail nor close it.
TEST(DialogHarnessTest, LeavesTheDialogsOfOtherThreadsAlone) {
    OtherThreadBox other("よその題");
    HWND box = other.WaitUntilShown();
    ASSERT_NE(nullptr, box);
    DWORD otherThread = GetWindowThreadProcessId(box, nullptr);
    DialogHarness harness;
    ASSERT_TRUE(AttachThreadInput(GetCurrentThreadId(), otherThread, TRUE));
    HWND mine = CreateWindowExA(0, "#32770", "自分の窓", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                100, 100, nullptr, nullptr, nullptr, nullptr);
    harness.Ignore(mine);
    SetActiveWindow(mine);
    SetActiveWindow(box);
    DestroyWindow(mine);
    AttachThreadInput(GetCurrentThreadId(), otherThread, FALSE);
    for (int turn = 0; turn < 20; ++turn) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        Sleep(10);
    }
    EXPECT_TRUE(harness.Finished());
    EXPECT_TRUE(IsWindow(box));
}
}  // namespace

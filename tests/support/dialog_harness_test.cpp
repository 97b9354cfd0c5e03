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

}  // namespace

// The header-information, copyright/version and about dialogs, through the menu commands.
#include "editor_fixture.h"
#include "zev_version.h"

#include <functional>
#include <string>

namespace {

const char kCopyrightCaption[] = "辞書の著作権とバージョン";
const char kUpdateQuestion[] = "現在の内容で著作権、バージョン情報を更新します。";
const char kIncomplete[] = "情報が欠落しているため、著作権情報は設定できません。続行しますか？";

std::vector<std::string> ComboRows(HWND d, int id) {
    std::vector<std::string> rows;
    int count = static_cast<int>(SendDlgItemMessageA(d, id, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[300] = {};
        SendDlgItemMessageA(d, id, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        rows.push_back(text);
    }
    return rows;
}

void ExpectCentredOver(HWND d, HWND main) {
    RECT inner, outer;
    GetWindowRect(d, &inner);
    GetWindowRect(main, &outer);
    EXPECT_NEAR((outer.left + outer.right) / 2, (inner.left + inner.right) / 2, 1);
    EXPECT_NEAR((outer.top + outer.bottom) / 2, (inner.top + inner.bottom) / 2, 1);
}

struct Footer {
    BYTE major = 0, minor = 0, revision = 0;
    char comment[256] = {};
    uint16_t year = 0;
    char holder[256] = {};
};

Footer ReadFooter() {
    Footer f;
    EXPECT_EQ(1, zevGetFooter(&f.major, &f.minor, &f.revision, f.comment, &f.year, f.holder));
    return f;
}

void SetFooterFields(HWND d, const char* major, const char* comment, const char* year,
                     const char* holder) {
    dialog::SetItemText(d, IDC_VERSION_MAJOR, major);
    dialog::SetItemText(d, IDC_VERSION_MINOR, "1");
    dialog::SetItemText(d, IDC_VERSION_REVISION, "3");
    dialog::SetItemText(d, IDC_FOOTER_COMMENT, comment);
    dialog::SetItemText(d, IDC_COPYRIGHT_YEAR, year);
    dialog::SetItemText(d, IDC_COPYRIGHT_HOLDER, holder);
}

class HeaderDialogsTest : public EditorTest {
protected:
    // Runs the command; its dialog, with this caption, gets `steps`, which close it.
    void RunDialog(int command, const char* caption, std::function<void(HWND)> steps) {
        HWND shown = nullptr;
        harness->ExpectDialog(caption, [&shown, steps](HWND d) {
            shown = d;
            steps(d);
        });
        for (auto& box : queuedBoxes) harness->ExpectMessageBox(box.first, box.second);
        queuedBoxes.clear();
        Command(command);
        EXPECT_TRUE(harness->Finished());
        EXPECT_FALSE(IsWindow(shown)) << "the dialog is still open";
    }
    // A question that the next dialog's steps bring up, answered with `button`.
    void ExpectQuestion(int button, const char* text, UINT icon) {
        questions.push_back({text, icon});
        seen.emplace_back();
        queuedBoxes.push_back({button, &seen.back()});
    }
    void CheckQuestions() {
        for (size_t i = 0; i < questions.size(); ++i) {
            EXPECT_EQ("方言辞書エディタ", seen[i].caption);
            EXPECT_EQ(questions[i].first, seen[i].text);
            EXPECT_EQ(questions[i].second, seen[i].icon);
            EXPECT_EQ((std::vector<int>{IDOK, IDCANCEL}), seen[i].buttons);
        }
        questions.clear();
        seen.clear();
    }

    std::vector<std::pair<int, MessageBoxSeen*>> queuedBoxes;
    std::vector<std::pair<std::string, UINT>> questions;
    std::deque<MessageBoxSeen> seen;
};

TEST_F(HeaderDialogsTest, HeaderInfoListsTheNamesAndChangesNothing) {
    OpenThreeByThree();
    SetAlwaysOnTop(main, 1);
    RunDialog(IDM_HEADER_INFO, "ヘッダー情報", [&](HWND d) {
        EXPECT_EQ("標準語", dialog::ItemText(d, IDC_HEADER_SOURCE_NAME));
        EXPECT_EQ("関西弁", dialog::ItemText(d, IDC_HEADER_TARGET_NAME));
        EXPECT_EQ((std::vector<std::string>{"1: 弱", "2: 中", "3: 強"}),
                  ComboRows(d, IDC_HEADER_LEVELS));
        EXPECT_EQ((std::vector<std::string>{"1: 名詞", "2: 動詞", "3: 副詞"}),
                  ComboRows(d, IDC_HEADER_TYPES));
        EXPECT_EQ(0, SendDlgItemMessageA(d, IDC_HEADER_LEVELS, CB_GETCURSEL, 0, 0));
        EXPECT_EQ(0, SendDlgItemMessageA(d, IDC_HEADER_TYPES, CB_GETCURSEL, 0, 0));
        ExpectCentredOver(d, main);
        EXPECT_TRUE(GetWindowLongA(d, GWL_EXSTYLE) & WS_EX_TOPMOST);
        dialog::Press(d, IDC_HEADER_OK);
    });
    RunDialog(IDM_HEADER_INFO, "ヘッダー情報",
              [](HWND d) { PostMessageA(GetDlgItem(d, IDC_HEADER_OK), WM_KEYDOWN, VK_ESCAPE, 1); });
    RunDialog(IDM_HEADER_INFO, "ヘッダー情報", [](HWND d) { dialog::CloseBox(d); });
    EXPECT_EQ(0, editorState.isModified);
}

TEST_F(HeaderDialogsTest, CopyrightDialogShowsTheFooterAndClampsAsTheUserTypes) {
    OpenThreeByThree();
    ASSERT_EQ(1, zevUpdateFooter(2, 10, 255, "大阪の言葉", 2026, "山田"));
    RunDialog(IDM_COPYRIGHT_VERSION, kCopyrightCaption, [&](HWND d) {
        EXPECT_EQ("2", dialog::ItemText(d, IDC_VERSION_MAJOR));
        EXPECT_EQ("10", dialog::ItemText(d, IDC_VERSION_MINOR));
        EXPECT_EQ("255", dialog::ItemText(d, IDC_VERSION_REVISION));
        EXPECT_EQ("大阪の言葉", dialog::ItemText(d, IDC_FOOTER_COMMENT));
        EXPECT_EQ("2026", dialog::ItemText(d, IDC_COPYRIGHT_YEAR));
        EXPECT_EQ("山田", dialog::ItemText(d, IDC_COPYRIGHT_HOLDER));
        ExpectCentredOver(d, main);
        EXPECT_FALSE(GetWindowLongA(d, GWL_EXSTYLE) & WS_EX_TOPMOST);
        dialog::SetItemText(d, IDC_VERSION_MINOR, "300");
        EXPECT_EQ("255", dialog::ItemText(d, IDC_VERSION_MINOR));
        dialog::SetItemText(d, IDC_COPYRIGHT_YEAR, "19a");
        EXPECT_EQ("19", dialog::ItemText(d, IDC_COPYRIGHT_YEAR));
        dialog::SetItemText(d, IDC_COPYRIGHT_YEAR, "0");
        EXPECT_EQ("1", dialog::ItemText(d, IDC_COPYRIGHT_YEAR));
        dialog::Press(d, IDC_FOOTER_OK);  // closes without saving
    });
    EXPECT_EQ(2026, ReadFooter().year);

    // Half a copyright (a year without a holder) is not shown.
    ASSERT_EQ(1, zevUpdateFooter(1, 0, 0, nullptr, 2026, nullptr));
    RunDialog(IDM_COPYRIGHT_VERSION, kCopyrightCaption, [&](HWND d) {
        EXPECT_EQ("", dialog::ItemText(d, IDC_COPYRIGHT_YEAR));
        EXPECT_EQ("", dialog::ItemText(d, IDC_COPYRIGHT_HOLDER));
        dialog::CloseBox(d);
    });
    EXPECT_EQ(0, editorState.isModified);
}

TEST_F(HeaderDialogsTest, OnlyAConfirmedSaveWritesTheFooterAndMarksTheChange) {
    OpenThreeByThree();
    strcpy(editorState.currentFileName, "C:\\work\\kansai.zev");
    // Cancelled: nothing written, the flag stays clear.
    ExpectQuestion(IDCANCEL, kUpdateQuestion, MB_ICONASTERISK);
    RunDialog(IDM_COPYRIGHT_VERSION, kCopyrightCaption, [&](HWND d) {
        SetFooterFields(d, "2", "改訂版", "2026", "山田");
        dialog::Press(d, IDC_SAVE_FOOTER);
        PostMessageA(GetDlgItem(d, IDC_FOOTER_COMMENT), WM_KEYDOWN, VK_ESCAPE, 1);
    });
    EXPECT_EQ(1, ReadFooter().major);
    EXPECT_EQ(0, editorState.isModified);

    // Confirmed (Enter saves): written at once, the dialog stays open.
    ExpectQuestion(IDOK, kUpdateQuestion, MB_ICONASTERISK);
    RunDialog(IDM_COPYRIGHT_VERSION, kCopyrightCaption, [&](HWND d) {
        SetFooterFields(d, "2", "改訂版", "2026", "山田");
        SendMessageA(d, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(IsWindow(d));
        Footer footer = ReadFooter();
        EXPECT_EQ(2, footer.major);
        EXPECT_EQ(1, footer.minor);
        EXPECT_EQ(3, footer.revision);
        EXPECT_STREQ("改訂版", footer.comment);
        EXPECT_EQ(2026, footer.year);
        EXPECT_STREQ("山田", footer.holder);
        dialog::Press(d, IDC_FOOTER_OK);
    });
    CheckQuestions();
    EXPECT_EQ(1, editorState.isModified);
    EXPECT_EQ("kansai.zev * - 方言辞書エディタ", Caption());
}

TEST_F(HeaderDialogsTest, AnIncompleteCopyrightIsAskedForAndStoredAsTyped) {
    OpenThreeByThree();
    ExpectQuestion(IDCANCEL, kIncomplete, MB_ICONEXCLAMATION);
    ExpectQuestion(IDOK, kIncomplete, MB_ICONEXCLAMATION);
    ExpectQuestion(IDOK, kIncomplete, MB_ICONEXCLAMATION);
    ExpectQuestion(IDOK, kUpdateQuestion, MB_ICONASTERISK);
    RunDialog(IDM_COPYRIGHT_VERSION, kCopyrightCaption, [&](HWND d) {
        // A year with a holder of blanks only.
        SetFooterFields(d, "1", "", "2026", "　 ");
        dialog::Press(d, IDC_SAVE_FOOTER);
        EXPECT_STREQ("", ReadFooter().holder);  // cancelled
        dialog::Press(d, IDC_SAVE_FOOTER);
        EXPECT_STREQ("　 ", ReadFooter().holder);
        EXPECT_EQ(2026, ReadFooter().year);
        // A holder without a year.
        SetFooterFields(d, "1", "", "", "山田");
        dialog::Press(d, IDC_SAVE_FOOTER);
        EXPECT_EQ(0, ReadFooter().year);
        EXPECT_STREQ("山田", ReadFooter().holder);
        // Neither: the ordinary question.
        SetFooterFields(d, "1", "", "", "");
        dialog::Press(d, IDC_SAVE_FOOTER);
        EXPECT_STREQ("", ReadFooter().holder);
        dialog::CloseBox(d);
    });
    CheckQuestions();
    EXPECT_EQ(1, editorState.isModified);

    // Stored blanks with a year come back the next time.
    ASSERT_EQ(1, zevUpdateFooter(1, 0, 0, nullptr, 2026, "　 "));
    RunDialog(IDM_COPYRIGHT_VERSION, kCopyrightCaption, [&](HWND d) {
        EXPECT_EQ("　 ", dialog::ItemText(d, IDC_COPYRIGHT_HOLDER));
        dialog::Press(d, IDC_FOOTER_OK);
    });
}

TEST_F(HeaderDialogsTest, SavingRefusesMissingVersionsAndOverlongTexts) {
    OpenThreeByThree();
    std::string kanji;
    for (int i = 0; i < 128; ++i) kanji += "語";  // 256 bytes
    harness->ExpectDialog(kCopyrightCaption, [&](HWND d) {
        SetFooterFields(d, "", "", "", "");
        dialog::Press(d, IDC_SAVE_FOOTER);
        SetFooterFields(d, "2", "", "", "");
        dialog::SetItemText(d, IDC_VERSION_REVISION, "");
        dialog::Press(d, IDC_SAVE_FOOTER);
        SetFooterFields(d, "2", kanji.c_str(), "", "");
        dialog::Press(d, IDC_SAVE_FOOTER);
        SetFooterFields(d, "2", "", "2026", kanji.c_str());
        dialog::Press(d, IDC_SAVE_FOOTER);
        dialog::Press(d, IDC_FOOTER_OK);
    });
    ExpectWarning("バージョン情報は必ず入力してください。");
    ExpectWarning("バージョン情報は必ず入力してください。");
    ExpectWarning("コメントは255バイト以内で入力してください。");
    ExpectWarning("著作権者は255バイト以内で入力してください。");
    EditCopyrightAndVersion(main, &editorState.isModified);
    CheckBoxes();
    EXPECT_EQ(1, ReadFooter().major);
    EXPECT_EQ(0, editorState.isModified);
}

TEST_F(HeaderDialogsTest, AFooterTheLibraryRefusesIsReportedNotCounted) {
    // The command is grayed without a dictionary; called all the same, the save fails.
    ExpectQuestion(IDOK, kUpdateQuestion, MB_ICONASTERISK);
    ExpectQuestion(IDOK, "辞書がｵｰﾌﾟﾝされていません。", MB_ICONHAND);
    RunDialog(IDM_COPYRIGHT_VERSION, kCopyrightCaption, [&](HWND d) {
        SetFooterFields(d, "1", "", "", "");
        dialog::Press(d, IDC_SAVE_FOOTER);
        dialog::Press(d, IDC_FOOTER_OK);
    });
    EXPECT_EQ("辞書がｵｰﾌﾟﾝされていません。", seen[1].text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONHAND), seen[1].icon);
    EXPECT_EQ(0, editorState.isModified);
}

TEST_F(HeaderDialogsTest, AboutShowsTheVersion) {
    SetAlwaysOnTop(main, 1);
    RunDialog(IDM_ABOUT, "バージョン情報", [&](HWND d) {
        EXPECT_EQ("方言辞書エディタ   Version " ZEV_VERSION, dialog::ItemText(d, IDC_ABOUT_NAME));
        EXPECT_EQ("Copyright (C) 2026 Zevedit developers",
                  dialog::ItemText(d, IDC_ABOUT_COPYRIGHT));
        EXPECT_EQ(GetDlgItem(d, IDC_ABOUT_OK), GetFocus());
        EXPECT_TRUE(GetWindowLongA(d, GWL_EXSTYLE) & WS_EX_TOPMOST);
        ExpectCentredOver(d, main);
        PostMessageA(GetFocus(), WM_KEYDOWN, VK_RETURN, 1);
    });
    RunDialog(IDM_ABOUT, "バージョン情報",
              [](HWND d) { PostMessageA(GetDlgItem(d, IDC_ABOUT_OK), WM_KEYDOWN, VK_ESCAPE, 1); });
    RunDialog(IDM_ABOUT, "バージョン情報", [](HWND d) { dialog::CloseBox(d); });
}

}  // namespace

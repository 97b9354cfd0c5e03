// The header-information, copyright/version and about dialogs, through the menu commands.
#include "editor_fixture.h"

#include <functional>
#include <string>

namespace {

const char kCopyrightCaption[] = "辞書の著作権とバージョン";
const char kUpdateQuestion[] = "現在の内容で著作権、バージョン情報を更新します。";
const char kIncomplete[] = "情報が欠落しているため、著作権情報は設定できません。続行しますか？";

std::vector<std::string> ComboRows(HWND d, int id) {
    std::vector<std::string> rows;
    HWND combo = GetDlgItem(d, id);
    int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[300] = {};
        SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        rows.push_back(text);
    }
    return rows;
}

// Centre of a window on the screen.
POINT Centre(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

struct Footer {
    BYTE major = 0, minor = 0, revision = 0;
    char comment[256] = {};
    uint16_t year = 0;
    char holder[256] = {};
};

Footer ReadFooter() {
    Footer footer;
    EXPECT_EQ(1, zevGetFooter(&footer.major, &footer.minor, &footer.revision, footer.comment,
                              &footer.year, footer.holder));
    return footer;
}

class HeaderDialogsTest : public EditorTest {
protected:
    // The next dialog has this caption; `steps` run inside it. Closing it is up to them.
    void ExpectDialog(const char* caption, std::function<void(HWND)> steps) {
        harness->ExpectDialog(caption, [this, steps](HWND d) {
            shown = d;
            steps(d);
        });
    }
    void ExpectBoxAnswered(int button, const char* text, UINT icon) {
        answered.push_back({text, icon});
        answeredSeen.emplace_back();
        harness->ExpectMessageBox(button, &answeredSeen.back());
    }
    void CheckAnswered() {
        EXPECT_TRUE(harness->Finished());
        for (size_t i = 0; i < answered.size(); ++i) {
            EXPECT_EQ("方言辞書エディタ", answeredSeen[i].caption);
            EXPECT_EQ(answered[i].first, answeredSeen[i].text);
            EXPECT_EQ(answered[i].second, answeredSeen[i].icon);
            EXPECT_EQ((std::vector<int>{IDOK, IDCANCEL}), answeredSeen[i].buttons);
        }
        answered.clear();
        answeredSeen.clear();
    }
    void ExpectClosed() { EXPECT_FALSE(IsWindow(shown)) << "the dialog is still open"; }

    void SetFields(HWND d, const char* major, const char* minor, const char* revision,
                   const char* comment, const char* year, const char* holder) {
        dialog::SetItemText(d, IDC_VERSION_MAJOR, major);
        dialog::SetItemText(d, IDC_VERSION_MINOR, minor);
        dialog::SetItemText(d, IDC_VERSION_REVISION, revision);
        dialog::SetItemText(d, IDC_FOOTER_COMMENT, comment);
        dialog::SetItemText(d, IDC_COPYRIGHT_YEAR, year);
        dialog::SetItemText(d, IDC_COPYRIGHT_HOLDER, holder);
    }

    HWND shown = nullptr;
    std::vector<std::pair<std::string, UINT>> answered;
    std::deque<MessageBoxSeen> answeredSeen;
};

TEST_F(HeaderDialogsTest, HeaderInfoListsTheNamesAndChangesNothing) {
    OpenThreeByThree();
    ASSERT_EQ(1, zevSetLevelAndType(nullptr, 0, "とても長い名前の種類", 3));
    SetAlwaysOnTop(main, 1);
    ExpectDialog("ヘッダー情報", [&](HWND d) {
        EXPECT_EQ("標準語", dialog::ItemText(d, IDC_HEADER_SOURCE_NAME));
        EXPECT_EQ("関西弁", dialog::ItemText(d, IDC_HEADER_TARGET_NAME));
        EXPECT_TRUE(GetWindowLongA(GetDlgItem(d, IDC_HEADER_SOURCE_NAME), GWL_STYLE) & ES_READONLY);
        EXPECT_EQ((std::vector<std::string>{"1: 弱", "2: 中", "3: 強"}),
                  ComboRows(d, IDC_HEADER_LEVELS));
        EXPECT_EQ((std::vector<std::string>{"1: 名詞", "2: 動詞", "3: とても長い名前の種類"}),
                  ComboRows(d, IDC_HEADER_TYPES));
        EXPECT_EQ(0, SendDlgItemMessageA(d, IDC_HEADER_LEVELS, CB_GETCURSEL, 0, 0));
        EXPECT_EQ(0, SendDlgItemMessageA(d, IDC_HEADER_TYPES, CB_GETCURSEL, 0, 0));
        POINT dialogCentre = Centre(d), mainCentre = Centre(main);
        EXPECT_NEAR(mainCentre.x, dialogCentre.x, 1);
        EXPECT_NEAR(mainCentre.y, dialogCentre.y, 1);
        EXPECT_TRUE(GetWindowLongA(d, GWL_EXSTYLE) & WS_EX_TOPMOST);
        dialog::Press(d, IDC_HEADER_OK);
    });
    Command(IDM_HEADER_INFO);
    ExpectClosed();

    // Escape and the close box close it too; it leaves the dictionary and the flag alone.
    ExpectDialog("ヘッダー情報", [](HWND d) {
        PostMessageA(GetDlgItem(d, IDC_HEADER_OK), WM_KEYDOWN, VK_ESCAPE, 1);
    });
    Command(IDM_HEADER_INFO);
    ExpectClosed();
    ExpectDialog("ヘッダー情報", [](HWND d) { dialog::CloseBox(d); });
    Command(IDM_HEADER_INFO);
    ExpectClosed();
    EXPECT_EQ(0, editorState.isModified);
    EXPECT_EQ(3, zevGetLevelCount());
}

TEST_F(HeaderDialogsTest, CopyrightDialogShowsTheFooter) {
    OpenThreeByThree();
    ASSERT_EQ(1, zevUpdateFooter(2, 10, 255, "大阪の言葉", 2026, "山田"));
    ExpectDialog(kCopyrightCaption, [&](HWND d) {
        EXPECT_EQ("2", dialog::ItemText(d, IDC_VERSION_MAJOR));
        EXPECT_EQ("10", dialog::ItemText(d, IDC_VERSION_MINOR));
        EXPECT_EQ("255", dialog::ItemText(d, IDC_VERSION_REVISION));
        EXPECT_EQ("大阪の言葉", dialog::ItemText(d, IDC_FOOTER_COMMENT));
        EXPECT_EQ("2026", dialog::ItemText(d, IDC_COPYRIGHT_YEAR));
        EXPECT_EQ("山田", dialog::ItemText(d, IDC_COPYRIGHT_HOLDER));
        EXPECT_EQ(3, SendDlgItemMessageA(d, IDC_VERSION_MINOR, EM_GETLIMITTEXT, 0, 0));
        EXPECT_EQ(4, SendDlgItemMessageA(d, IDC_COPYRIGHT_YEAR, EM_GETLIMITTEXT, 0, 0));
        EXPECT_EQ(255, SendDlgItemMessageA(d, IDC_COPYRIGHT_HOLDER, EM_GETLIMITTEXT, 0, 0));
        POINT dialogCentre = Centre(d), mainCentre = Centre(main);
        EXPECT_NEAR(mainCentre.x, dialogCentre.x, 1);
        EXPECT_NEAR(mainCentre.y, dialogCentre.y, 1);
        EXPECT_FALSE(GetWindowLongA(d, GWL_EXSTYLE) & WS_EX_TOPMOST);
        dialog::Press(d, IDC_FOOTER_OK);
    });
    Command(IDM_COPYRIGHT_VERSION);
    ExpectClosed();

    // Half a copyright (a year without a holder) is not shown.
    ASSERT_EQ(1, zevUpdateFooter(1, 0, 0, nullptr, 2026, nullptr));
    ExpectDialog(kCopyrightCaption, [&](HWND d) {
        EXPECT_EQ("", dialog::ItemText(d, IDC_FOOTER_COMMENT));
        EXPECT_EQ("", dialog::ItemText(d, IDC_COPYRIGHT_YEAR));
        EXPECT_EQ("", dialog::ItemText(d, IDC_COPYRIGHT_HOLDER));
        dialog::CloseBox(d);
    });
    Command(IDM_COPYRIGHT_VERSION);
    ExpectClosed();
    EXPECT_EQ(0, editorState.isModified);
}

TEST_F(HeaderDialogsTest, VersionAndYearAreClampedAsTheUserTypes) {
    OpenThreeByThree();
    ExpectDialog(kCopyrightCaption, [&](HWND d) {
        dialog::SetItemText(d, IDC_VERSION_MAJOR, "300");
        EXPECT_EQ("255", dialog::ItemText(d, IDC_VERSION_MAJOR));
        dialog::SetItemText(d, IDC_VERSION_REVISION, "007");
        EXPECT_EQ("7", dialog::ItemText(d, IDC_VERSION_REVISION));
        dialog::SetItemText(d, IDC_COPYRIGHT_YEAR, "0");
        EXPECT_EQ("1", dialog::ItemText(d, IDC_COPYRIGHT_YEAR));
        dialog::SetItemText(d, IDC_COPYRIGHT_YEAR, "19a");
        EXPECT_EQ("19", dialog::ItemText(d, IDC_COPYRIGHT_YEAR));
        dialog::Press(d, IDC_FOOTER_OK);
    });
    Command(IDM_COPYRIGHT_VERSION);
    ExpectClosed();
    EXPECT_EQ(0, editorState.isModified);
}

TEST_F(HeaderDialogsTest, SavingWritesTheFooterAfterTheQuestion) {
    OpenThreeByThree();
    strcpy(editorState.currentFileName, "C:\\work\\kansai.zev");
    ExpectDialog(kCopyrightCaption, [&](HWND d) {
        SetFields(d, "2", "1", "3", "改訂版", "2026", "山田");
        dialog::Press(d, IDC_SAVE_FOOTER);  // Cancel: nothing written
        EXPECT_EQ(1, ReadFooter().major);
        dialog::Press(d, IDC_SAVE_FOOTER);  // OK: written, the dialog stays
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
    ExpectBoxAnswered(IDCANCEL, kUpdateQuestion, MB_ICONASTERISK);
    ExpectBoxAnswered(IDOK, kUpdateQuestion, MB_ICONASTERISK);
    Command(IDM_COPYRIGHT_VERSION);
    ExpectClosed();
    CheckAnswered();
    EXPECT_EQ(1, editorState.isModified);
    EXPECT_EQ("kansai.zev * - 方言辞書エディタ", Caption());
}

TEST_F(HeaderDialogsTest, CancelledSavesLeaveTheModifiedFlag) {
    OpenThreeByThree();
    ExpectDialog(kCopyrightCaption, [&](HWND d) {
        SetFields(d, "2", "0", "0", "", "", "");
        dialog::Press(d, IDC_SAVE_FOOTER);
        PostMessageA(GetDlgItem(d, IDC_FOOTER_COMMENT), WM_KEYDOWN, VK_ESCAPE, 1);
    });
    ExpectBoxAnswered(IDCANCEL, kUpdateQuestion, MB_ICONASTERISK);
    Command(IDM_COPYRIGHT_VERSION);
    ExpectClosed();
    CheckAnswered();
    EXPECT_EQ(0, editorState.isModified);
    EXPECT_EQ(1, ReadFooter().major);
}

TEST_F(HeaderDialogsTest, AnIncompleteCopyrightIsAskedForAndStoredAsTyped) {
    OpenThreeByThree();
    ExpectDialog(kCopyrightCaption, [&](HWND d) {
        // A year with a holder of blanks only: the warning question; OK stores the blanks.
        SetFields(d, "1", "0", "0", "", "2026", "　 ");
        dialog::Press(d, IDC_SAVE_FOOTER);
        EXPECT_STREQ("", ReadFooter().holder);  // cancelled
        dialog::Press(d, IDC_SAVE_FOOTER);
        EXPECT_STREQ("　 ", ReadFooter().holder);
        EXPECT_EQ(2026, ReadFooter().year);
        // A holder without a year.
        SetFields(d, "1", "0", "0", "", "", "山田");
        dialog::Press(d, IDC_SAVE_FOOTER);
        EXPECT_EQ(0, ReadFooter().year);
        EXPECT_STREQ("山田", ReadFooter().holder);
        // Neither: the ordinary question.
        SetFields(d, "1", "0", "0", "", "", "");
        dialog::Press(d, IDC_SAVE_FOOTER);
        EXPECT_STREQ("", ReadFooter().holder);
        dialog::CloseBox(d);
    });
    ExpectBoxAnswered(IDCANCEL, kIncomplete, MB_ICONEXCLAMATION);
    ExpectBoxAnswered(IDOK, kIncomplete, MB_ICONEXCLAMATION);
    ExpectBoxAnswered(IDOK, kIncomplete, MB_ICONEXCLAMATION);
    ExpectBoxAnswered(IDOK, kUpdateQuestion, MB_ICONASTERISK);
    Command(IDM_COPYRIGHT_VERSION);
    ExpectClosed();
    CheckAnswered();
    EXPECT_EQ(1, editorState.isModified);

    // The blanks come back the next time, with the year.
    ASSERT_EQ(1, zevUpdateFooter(1, 0, 0, nullptr, 2026, "　 "));
    ExpectDialog(kCopyrightCaption, [&](HWND d) {
        EXPECT_EQ("2026", dialog::ItemText(d, IDC_COPYRIGHT_YEAR));
        EXPECT_EQ("　 ", dialog::ItemText(d, IDC_COPYRIGHT_HOLDER));
        dialog::Press(d, IDC_FOOTER_OK);
    });
    Command(IDM_COPYRIGHT_VERSION);
    ExpectClosed();
}

TEST_F(HeaderDialogsTest, SavingRefusesMissingVersionsAndOverlongTexts) {
    OpenThreeByThree();
    std::string kanji;
    for (int i = 0; i < 128; ++i) kanji += "語";  // 256 bytes
    ExpectDialog(kCopyrightCaption, [&](HWND d) {
        for (int id : {IDC_VERSION_MAJOR, IDC_VERSION_MINOR, IDC_VERSION_REVISION}) {
            SetFields(d, "1", "2", "3", "", "", "");
            dialog::SetItemText(d, id, "");
            dialog::Press(d, IDC_SAVE_FOOTER);
        }
        SetFields(d, "1", "2", "3", kanji.c_str(), "", "");
        dialog::Press(d, IDC_SAVE_FOOTER);
        SetFields(d, "1", "2", "3", "", "2026", kanji.c_str());
        dialog::Press(d, IDC_SAVE_FOOTER);
        EXPECT_EQ(1, ReadFooter().major);  // nothing written
        dialog::Press(d, IDC_FOOTER_OK);
    });
    for (int i = 0; i < 3; ++i) ExpectWarning("バージョン情報は必ず入力してください。");
    ExpectWarning("コメントは255バイト以内で入力してください。");
    ExpectWarning("著作権者は255バイト以内で入力してください。");
    Command(IDM_COPYRIGHT_VERSION);
    ExpectClosed();
    CheckBoxes();
    EXPECT_EQ(0, editorState.isModified);
}

TEST_F(HeaderDialogsTest, AFooterTheLibraryRefusesIsReportedNotCounted) {
    // The command is grayed without a dictionary; called all the same, a save fails.
    ExpectDialog(kCopyrightCaption, [&](HWND d) {
        SetFields(d, "1", "0", "0", "", "", "");
        dialog::Press(d, IDC_SAVE_FOOTER);
        dialog::Press(d, IDC_FOOTER_OK);
    });
    ExpectBoxAnswered(IDOK, kUpdateQuestion, MB_ICONASTERISK);
    ExpectBox("辞書がｵｰﾌﾟﾝされていません。", MB_ICONHAND);
    EditCopyrightAndVersion(main, &editorState.isModified);
    ExpectClosed();
    EXPECT_TRUE(harness->Finished());
    EXPECT_EQ(kUpdateQuestion, answeredSeen[0].text);
    EXPECT_EQ("辞書がｵｰﾌﾟﾝされていません。", seenBoxes[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONHAND), seenBoxes[0].icon);
    expectedBoxes.clear();
    seenBoxes.clear();
    EXPECT_EQ(0, editorState.isModified);
}

TEST_F(HeaderDialogsTest, AboutShowsTheVersionAndCloses) {
    SetAlwaysOnTop(main, 1);
    ExpectDialog("バージョン情報", [&](HWND d) {
        EXPECT_EQ("方言辞書エディタ   Version 1.01", dialog::ItemText(d, IDC_ABOUT_NAME));
        EXPECT_EQ("Copyright (C) 2026 Zevedit developers",
                  dialog::ItemText(d, IDC_ABOUT_COPYRIGHT));
        EXPECT_EQ(GetDlgItem(d, IDC_ABOUT_OK), GetFocus());
        EXPECT_TRUE(GetWindowLongA(d, GWL_EXSTYLE) & WS_EX_TOPMOST);
        POINT dialogCentre = Centre(d), mainCentre = Centre(main);
        EXPECT_NEAR(mainCentre.x, dialogCentre.x, 1);
        EXPECT_NEAR(mainCentre.y, dialogCentre.y, 1);
        PostMessageA(GetFocus(), WM_KEYDOWN, VK_RETURN, 1);
    });
    Command(IDM_ABOUT);
    ExpectClosed();
    for (auto close : std::vector<std::function<void(HWND)>>{
             [](HWND d) { dialog::Press(d, IDC_ABOUT_OK); },
             [](HWND d) {
                 PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1);
                 (void)d;
             },
             [](HWND d) { dialog::CloseBox(d); }}) {
        ExpectDialog("バージョン情報", close);
        Command(IDM_ABOUT);
        ExpectClosed();
    }
}

}  // namespace

// The new-dictionary dialog: clamped counts and year, the enabled name fields, every
// check, the copyright question, and what reaches the library.
#include "editor_fixture.h"

#include <functional>
#include <string>

namespace {

const char kIncomplete[] = "情報が欠落しているため、著作権情報は設定できません。続行しますか？";

int LevelField(int n) { return n == 1 ? IDC_NEW_LEVEL_NAME1 : IDC_NEW_LEVEL_NAME2 + n - 2; }
int TypeField(int n) { return n == 1 ? IDC_NEW_TYPE_NAME1 : IDC_NEW_TYPE_NAME2 + n - 2; }

// Name fields of a group that are enabled, as a bit mask (bit n-1 for name n).
int EnabledNames(HWND d, int (*field)(int)) {
    int mask = 0;
    for (int n = 1; n <= 8; ++n)
        if (dialog::IsEnabled(d, field(n))) mask |= 1 << (n - 1);
    return mask;
}

// Types a key into a field as the user would, replacing its text.
std::string Type(HWND d, int id, char key) {
    SendDlgItemMessageA(d, id, EM_SETSEL, 0, -1);
    SendDlgItemMessageA(d, id, WM_CHAR, key, 1);
    return dialog::ItemText(d, id);
}

// A valid dictionary: two levels, three types, no copyright.
void FillValid(HWND d) {
    const std::pair<int, const char*> fields[] = {{IDC_NEW_SOURCE_NAME, "標準語"},
                                                  {IDC_NEW_TARGET_NAME, "関西弁"},
                                                  {IDC_NEW_LEVEL_COUNT, "2"},
                                                  {LevelField(1), "弱"},
                                                  {LevelField(2), "強"},
                                                  {IDC_NEW_TYPE_COUNT, "3"},
                                                  {TypeField(1), "名詞"},
                                                  {TypeField(2), "動詞"},
                                                  {TypeField(3), "副詞"},
                                                  {IDC_NEW_YEAR, ""},
                                                  {IDC_NEW_HOLDER, ""}};
    for (const auto& field : fields) dialog::SetItemText(d, field.first, field.second);
}

// A name from the library: zevGetLevelName or zevGetTypeName with its number.
std::string Name(int(ZEVAPI* get)(uint8_t, char*), int n) {
    char name[256] = {};
    EXPECT_EQ(1, get(static_cast<uint8_t>(n), name));
    return name;
}
std::string BeforeName() {
    char name[256] = {};
    zevGetBeforeName(name);
    return name;
}

class NewDictionaryTest : public EditorTest {
protected:
    // The dialog comes next; `steps` run inside it. Boxes they bring up are queued after.
    void ExpectNewDictionaryDialog(std::function<void(HWND)> steps) {
        harness->ExpectDialog("方言辞書の新規作成", [this, steps](HWND d) {
            shown = d;
            steps(d);
        });
    }
    int Show() {
        int result = NewDictionaryDialog(main);
        EXPECT_FALSE(IsWindow(shown)) << "the dialog is still open";
        return result;
    }
    int Run(std::function<void(HWND)> steps) {
        ExpectNewDictionaryDialog(steps);
        return Show();
    }

    // An open, modified dictionary with one entry, and the test that it is still there.
    void OpenWithOneEntry() {
        ASSERT_EQ(1, zevCreateDic("古語", "現代語", 1, 1));
        ASSERT_EQ(1, zevCreateData("あはれ", 1, 1, 0, "しみじみ"));
        editorState.isModified = 1;
    }
    void ExpectOldDictionary() {
        EXPECT_EQ("古語", BeforeName());
        EXPECT_EQ(1, zevGetDataCount());
    }
    // Presses OK and expects the dialog to stay open with the library unchanged.
    void Refused(HWND d) {
        dialog::Press(d, IDC_NEW_OK);
        EXPECT_TRUE(IsWindow(d));
        ExpectOldDictionary();
    }

    // The question about an incomplete copyright, answered with `button`.
    void ExpectQuestion(int button) {
        questions.emplace_back();
        harness->ExpectMessageBox(button, &questions.back());
    }
    void CheckQuestions() {
        EXPECT_TRUE(harness->Finished());
        for (const MessageBoxSeen& seen : questions) {
            EXPECT_EQ("方言辞書エディタ", seen.caption);
            EXPECT_EQ(kIncomplete, seen.text);
            EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), seen.icon);
            EXPECT_EQ((std::vector<int>{IDOK, IDCANCEL}), seen.buttons);
        }
        questions.clear();
    }

    HWND shown = nullptr;
    std::deque<MessageBoxSeen> questions;
};

TEST_F(NewDictionaryTest, CountsAndYearAreClampedAndTheNameFieldsFollow) {
    SetAlwaysOnTop(main, 1);
    SYSTEMTIME now;
    GetSystemTime(&now);
    EXPECT_EQ(0, Run([&](HWND d) {
                  EXPECT_TRUE(GetWindowLongA(d, GWL_EXSTYLE) & WS_EX_TOPMOST);
                  EXPECT_EQ(std::to_string(now.wYear), dialog::ItemText(d, IDC_NEW_YEAR));
                  EXPECT_EQ("1", dialog::ItemText(d, IDC_NEW_LEVEL_COUNT));
                  EXPECT_EQ(0x01, EnabledNames(d, LevelField));
                  EXPECT_EQ(0x01, EnabledNames(d, TypeField));

                  EXPECT_EQ("1", Type(d, IDC_NEW_LEVEL_COUNT, '0'));
                  EXPECT_EQ(0x01, EnabledNames(d, LevelField));
                  EXPECT_EQ("8", Type(d, IDC_NEW_LEVEL_COUNT, '9'));
                  EXPECT_EQ(0xFF, EnabledNames(d, LevelField));
                  EXPECT_EQ("3", Type(d, IDC_NEW_LEVEL_COUNT, '3'));
                  EXPECT_EQ(0x07, EnabledNames(d, LevelField));
                  EXPECT_EQ("3", Type(d, IDC_NEW_LEVEL_COUNT, 'x'));  // digits only
                  dialog::SetItemText(d, IDC_NEW_LEVEL_COUNT, "");
                  EXPECT_EQ(0x00, EnabledNames(d, LevelField));
                  EXPECT_EQ(0x01, EnabledNames(d, TypeField));  // the other group stays

                  EXPECT_EQ("8", Type(d, IDC_NEW_TYPE_COUNT, '9'));
                  EXPECT_EQ(0xFF, EnabledNames(d, TypeField));
                  EXPECT_EQ("1", Type(d, IDC_NEW_TYPE_COUNT, '0'));
                  EXPECT_EQ(0x01, EnabledNames(d, TypeField));
                  EXPECT_EQ("1", Type(d, IDC_NEW_YEAR, '0'));
                  dialog::Press(d, IDC_NEW_CANCEL);
              }));
    EXPECT_EQ(0, zevIsOpen());
}

TEST_F(NewDictionaryTest, ReplacesTheOpenDictionaryWithTheNamesAsTyped) {
    OpenWithOneEntry();
    EXPECT_EQ(1, Run([&](HWND d) {
                  FillValid(d);
                  // Leading blanks are kept; a leftover name beyond the count is ignored.
                  dialog::SetItemText(d, IDC_NEW_TARGET_NAME, "　関西弁");
                  dialog::SetItemText(d, LevelField(2), "  強");
                  dialog::SetItemText(d, IDC_NEW_LEVEL_COUNT, "3");
                  dialog::SetItemText(d, LevelField(3), "残り");
                  dialog::SetItemText(d, IDC_NEW_LEVEL_COUNT, "2");
                  // Trail byte 0x40 (院), and a name ending in the bytes 0x81 0x40 (＝@).
                  dialog::SetItemText(d, TypeField(2), "院");
                  dialog::SetItemText(d, TypeField(3), "＝@");
                  dialog::SetItemText(d, IDC_NEW_COMMENT, "大阪の言葉");
                  dialog::SetItemText(d, IDC_NEW_YEAR, "2026");
                  dialog::SetItemText(d, IDC_NEW_HOLDER, " 山田");
                  // Enter confirms, through the default button.
                  PostMessageA(GetDlgItem(d, IDC_NEW_HOLDER), WM_KEYDOWN, VK_RETURN, 1);
              }));
    EXPECT_EQ("標準語", BeforeName());
    char after[256] = {};
    zevGetAfterName(after);
    EXPECT_STREQ("　関西弁", after);
    EXPECT_EQ(2, zevGetLevelCount());
    EXPECT_EQ("弱", Name(zevGetLevelName, 1));
    EXPECT_EQ("  強", Name(zevGetLevelName, 2));
    EXPECT_EQ(3, zevGetTypeCount());
    EXPECT_EQ("名詞", Name(zevGetTypeName, 1));
    EXPECT_EQ("院", Name(zevGetTypeName, 2));
    EXPECT_EQ("＝@", Name(zevGetTypeName, 3));
    EXPECT_EQ(0, zevGetDataCount());

    BYTE major = 0, minor = 9, revision = 9;
    char comment[256] = {}, holder[256] = {};
    uint16_t year = 0;
    ASSERT_EQ(1, zevGetFooter(&major, &minor, &revision, comment, &year, holder));
    EXPECT_EQ(1, major);
    EXPECT_EQ(0, minor + revision);
    EXPECT_STREQ("大阪の言葉", comment);
    EXPECT_EQ(2026, year);
    EXPECT_STREQ(" 山田", holder);
}

TEST_F(NewDictionaryTest, EveryCheckKeepsTheDialogOpenAndTheLibraryUnchanged) {
    OpenWithOneEntry();
    ExpectNewDictionaryDialog([&](HWND d) {
        dialog::SetItemText(d, IDC_NEW_YEAR, "");
        Refused(d);
        dialog::SetItemText(d, IDC_NEW_SOURCE_NAME, " 　 ");
        Refused(d);
        FillValid(d);
        dialog::SetItemText(d, IDC_NEW_TARGET_NAME, "　");
        Refused(d);
        FillValid(d);
        dialog::SetItemText(d, IDC_NEW_LEVEL_COUNT, "");
        dialog::SetItemText(d, IDC_NEW_TYPE_COUNT, "");
        Refused(d);  // the level count is named first
        dialog::SetItemText(d, IDC_NEW_LEVEL_COUNT, "2");
        Refused(d);
        FillValid(d);
        dialog::SetItemText(d, LevelField(2), "　 ");
        dialog::SetItemText(d, TypeField(1), "");
        Refused(d);  // level names before type names
        dialog::SetItemText(d, LevelField(2), "強");
        Refused(d);
        dialog::SetItemText(d, TypeField(1), "名詞");
        dialog::Press(d, IDC_NEW_OK);
    });
    ExpectWarning("変換元方言名を入力してください。");
    ExpectWarning("変換元方言名を入力してください。");
    ExpectWarning("変換先方言名を入力してください。");
    ExpectWarning("変換ﾚﾍﾞﾙ数が正しくありません。");
    ExpectWarning("タイプ数が正しくありません。");
    ExpectWarning("入力されていない変換レベル名称が存在します。");
    ExpectWarning("入力されていないタイプ名称が存在します。");
    EXPECT_EQ(1, Show());
    CheckBoxes();
    EXPECT_EQ("標準語", BeforeName());
}

TEST_F(NewDictionaryTest, RefusesTextsLongerThanTheDictionaryHolds) {
    // Under Wine the edit controls count their limit in characters, not bytes: 255
    // double-byte characters would reach the library, which refuses or cuts them.
    OpenWithOneEntry();
    std::string kanji;
    for (int i = 0; i < 128; ++i) kanji += "語";  // 256 bytes
    const std::string name255(255, 'a');
    ExpectNewDictionaryDialog([&](HWND d) {
        FillValid(d);
        dialog::SetItemText(d, IDC_NEW_SOURCE_NAME, kanji.c_str());
        Refused(d);
        FillValid(d);
        dialog::SetItemText(d, LevelField(2), "一二三四五六七八九十百千万");  // 26 bytes
        Refused(d);
        FillValid(d);
        dialog::SetItemText(d, IDC_NEW_HOLDER, kanji.c_str());
        Refused(d);
        // The longest texts that fit are taken whole.
        FillValid(d);
        dialog::SetItemText(d, IDC_NEW_SOURCE_NAME, name255.c_str());
        dialog::SetItemText(d, TypeField(3), "一二三四五六七八九十百千");
        dialog::Press(d, IDC_NEW_OK);
    });
    ExpectWarning("変換元方言名は255バイト以内で入力してください。");
    ExpectWarning("変換レベル名称は24バイト以内で入力してください。");
    ExpectWarning("著作権者は255バイト以内で入力してください。");
    EXPECT_EQ(1, Show());
    CheckBoxes();
    EXPECT_EQ(name255, BeforeName());
    EXPECT_EQ("一二三四五六七八九十百千", Name(zevGetTypeName, 3));
}

TEST_F(NewDictionaryTest, AsksWhenOnlyYearOrOnlyHolderIsGiven) {
    OpenWithOneEntry();
    uint16_t year = 9;
    char holder[256] = "x";
    // Year without holder (blanks are none): Cancel keeps the dialog, OK drops the year.
    ExpectNewDictionaryDialog([&](HWND d) {
        FillValid(d);
        dialog::SetItemText(d, IDC_NEW_YEAR, "2026");
        dialog::SetItemText(d, IDC_NEW_HOLDER, "　");
        Refused(d);
        dialog::Press(d, IDC_NEW_OK);
    });
    ExpectQuestion(IDCANCEL);
    ExpectQuestion(IDOK);
    EXPECT_EQ(1, Show());
    CheckQuestions();
    ASSERT_EQ(1, zevGetFooter(nullptr, nullptr, nullptr, nullptr, &year, holder));
    EXPECT_EQ(0, year);
    EXPECT_STREQ("", holder);

    // Holder without year: the holder is dropped.
    ExpectNewDictionaryDialog([&](HWND d) {
        FillValid(d);
        dialog::SetItemText(d, IDC_NEW_HOLDER, "山田");
        dialog::Press(d, IDC_NEW_OK);
    });
    ExpectQuestion(IDOK);
    EXPECT_EQ(1, Show());
    CheckQuestions();
    ASSERT_EQ(1, zevGetFooter(nullptr, nullptr, nullptr, nullptr, &year, holder));
    EXPECT_STREQ("", holder);
}

TEST_F(NewDictionaryTest, CancelEscapeAndTheCloseBoxKeepTheDictionary) {
    EXPECT_EQ(1, Run([&](HWND d) {
                  FillValid(d);  // neither year nor holder: no question
                  dialog::Press(d, IDC_NEW_OK);
              }));
    ASSERT_EQ(1, zevCreateData("ありがとう", 1, 1, 0, "おおきに"));
    const std::function<void(HWND)> closers[] = {
        [](HWND d) { dialog::Press(d, IDC_NEW_CANCEL); },
        [](HWND d) { PostMessageA(GetDlgItem(d, IDC_NEW_SOURCE_NAME), WM_KEYDOWN, VK_ESCAPE, 1); },
        [](HWND d) { dialog::CloseBox(d); },
    };
    for (const auto& close : closers) {
        EXPECT_EQ(0, Run([&](HWND d) {
                      FillValid(d);
                      dialog::SetItemText(d, IDC_NEW_SOURCE_NAME, "津軽弁");
                      close(d);
                  }));
        EXPECT_EQ("標準語", BeforeName());
        EXPECT_EQ(1, zevGetDataCount());
    }
}

}  // namespace

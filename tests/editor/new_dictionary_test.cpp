// The new-dictionary dialog: clamped counts and year, the enabled name fields, every
// check, the copyright question, and what reaches the library.
#include "editor_fixture.h"

#include <functional>
#include <string>

namespace {

const char kDialogCaption[] = "方言辞書の新規作成";
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
void Type(HWND d, int id, char key) {
    HWND field = GetDlgItem(d, id);
    SendMessageA(field, EM_SETSEL, 0, -1);
    SendMessageA(field, WM_CHAR, key, 1);
}

// A valid dictionary: two levels, three types, no copyright.
void FillValid(HWND d) {
    dialog::SetItemText(d, IDC_NEW_SOURCE_NAME, "標準語");
    dialog::SetItemText(d, IDC_NEW_TARGET_NAME, "関西弁");
    dialog::SetItemText(d, IDC_NEW_LEVEL_COUNT, "2");
    dialog::SetItemText(d, LevelField(1), "弱");
    dialog::SetItemText(d, LevelField(2), "強");
    dialog::SetItemText(d, IDC_NEW_TYPE_COUNT, "3");
    dialog::SetItemText(d, TypeField(1), "名詞");
    dialog::SetItemText(d, TypeField(2), "動詞");
    dialog::SetItemText(d, TypeField(3), "副詞");
    dialog::SetItemText(d, IDC_NEW_YEAR, "");
}

std::string BeforeName() {
    char name[256] = {};
    zevGetBeforeName(name);
    return name;
}
std::string AfterName() {
    char name[256] = {};
    zevGetAfterName(name);
    return name;
}
std::string LevelName(int n) {
    char name[256] = {};
    EXPECT_EQ(1, zevGetLevelName(static_cast<uint8_t>(n), name));
    return name;
}
std::string TypeName(int n) {
    char name[256] = {};
    EXPECT_EQ(1, zevGetTypeName(static_cast<uint8_t>(n), name));
    return name;
}

class NewDictionaryTest : public EditorTest {
protected:
    // The dialog comes next; `steps` run inside it once it is on the screen. Boxes
    // that the steps bring up are queued after this.
    void ExpectNewDictionaryDialog(std::function<void(HWND)> steps) {
        harness->ExpectDialog(kDialogCaption, [this, steps](HWND d) {
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

    // A dictionary with one entry, open and modified, as the editor holds it.
    void OpenWithOneEntry() {
        ASSERT_EQ(1, zevCreateDic("古語", "現代語", 1, 1));
        ASSERT_EQ(1, zevCreateData("あはれ", 1, 1, 0, "しみじみ"));
        editorState.isModified = 1;
    }
    void ExpectOldDictionary() {
        EXPECT_EQ(1, zevIsOpen());
        EXPECT_EQ("古語", BeforeName());
        EXPECT_EQ(1, zevGetDataCount());
    }

    // The question about an incomplete copyright, answered with `button`.
    void ExpectQuestion(int button) {
        questions.emplace_back();
        harness->ExpectMessageBox(button, &questions.back());
    }
    void CheckQuestions() {
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

TEST_F(NewDictionaryTest, StartsWithOneLevelOneTypeAndThisYear) {
    SetAlwaysOnTop(main, 1);
    SYSTEMTIME now;
    GetSystemTime(&now);
    EXPECT_EQ(0, Run([&](HWND d) {
                  EXPECT_EQ("1", dialog::ItemText(d, IDC_NEW_LEVEL_COUNT));
                  EXPECT_EQ("1", dialog::ItemText(d, IDC_NEW_TYPE_COUNT));
                  EXPECT_EQ(std::to_string(now.wYear), dialog::ItemText(d, IDC_NEW_YEAR));
                  EXPECT_EQ("", dialog::ItemText(d, IDC_NEW_SOURCE_NAME));
                  EXPECT_EQ("", dialog::ItemText(d, IDC_NEW_HOLDER));
                  EXPECT_EQ(0x01, EnabledNames(d, LevelField));
                  EXPECT_EQ(0x01, EnabledNames(d, TypeField));
                  auto limit = [&](int id) {
                      return SendDlgItemMessageA(d, id, EM_GETLIMITTEXT, 0, 0);
                  };
                  EXPECT_EQ(255, limit(IDC_NEW_SOURCE_NAME));
                  EXPECT_EQ(255, limit(IDC_NEW_TARGET_NAME));
                  EXPECT_EQ(255, limit(IDC_NEW_COMMENT));
                  EXPECT_EQ(255, limit(IDC_NEW_HOLDER));
                  EXPECT_EQ(1, limit(IDC_NEW_LEVEL_COUNT));
                  EXPECT_EQ(1, limit(IDC_NEW_TYPE_COUNT));
                  EXPECT_EQ(4, limit(IDC_NEW_YEAR));
                  EXPECT_EQ(24, limit(LevelField(8)));
                  EXPECT_EQ(24, limit(TypeField(5)));
                  EXPECT_TRUE(GetWindowLongA(d, GWL_EXSTYLE) & WS_EX_TOPMOST);
                  dialog::Press(d, IDC_NEW_CANCEL);
              }));
    EXPECT_EQ(0, zevIsOpen());
}

TEST_F(NewDictionaryTest, CountsAndYearAreClampedAsTheUserTypes) {
    EXPECT_EQ(0, Run([&](HWND d) {
                  Type(d, IDC_NEW_LEVEL_COUNT, '0');
                  EXPECT_EQ("1", dialog::ItemText(d, IDC_NEW_LEVEL_COUNT));
                  EXPECT_EQ(0x01, EnabledNames(d, LevelField));
                  Type(d, IDC_NEW_LEVEL_COUNT, '9');
                  EXPECT_EQ("8", dialog::ItemText(d, IDC_NEW_LEVEL_COUNT));
                  EXPECT_EQ(0xFF, EnabledNames(d, LevelField));
                  Type(d, IDC_NEW_LEVEL_COUNT, '3');
                  EXPECT_EQ(0x07, EnabledNames(d, LevelField));
                  Type(d, IDC_NEW_LEVEL_COUNT, 'x');  // digits only
                  EXPECT_EQ("3", dialog::ItemText(d, IDC_NEW_LEVEL_COUNT));
                  dialog::SetItemText(d, IDC_NEW_LEVEL_COUNT, "");
                  EXPECT_EQ(0x00, EnabledNames(d, LevelField));
                  EXPECT_EQ(0x01, EnabledNames(d, TypeField));  // the other group stays

                  Type(d, IDC_NEW_TYPE_COUNT, '9');
                  EXPECT_EQ("8", dialog::ItemText(d, IDC_NEW_TYPE_COUNT));
                  EXPECT_EQ(0xFF, EnabledNames(d, TypeField));
                  Type(d, IDC_NEW_TYPE_COUNT, '0');
                  EXPECT_EQ("1", dialog::ItemText(d, IDC_NEW_TYPE_COUNT));
                  EXPECT_EQ(0x01, EnabledNames(d, TypeField));

                  Type(d, IDC_NEW_YEAR, '0');
                  EXPECT_EQ("1", dialog::ItemText(d, IDC_NEW_YEAR));
                  dialog::SetItemText(d, IDC_NEW_YEAR, "0000");
                  EXPECT_EQ("1", dialog::ItemText(d, IDC_NEW_YEAR));
                  dialog::SetItemText(d, IDC_NEW_YEAR, "2026");
                  EXPECT_EQ("2026", dialog::ItemText(d, IDC_NEW_YEAR));
                  dialog::CloseBox(d);
              }));
}

TEST_F(NewDictionaryTest, CreatesTheDictionaryWithTheNamesAsTyped) {
    OpenWithOneEntry();
    EXPECT_EQ(1, Run([&](HWND d) {
                  FillValid(d);
                  // Leading blanks are kept; a leftover name beyond the count is ignored.
                  dialog::SetItemText(d, IDC_NEW_TARGET_NAME, "　関西弁");
                  dialog::SetItemText(d, LevelField(2), "  強");
                  dialog::SetItemText(d, IDC_NEW_LEVEL_COUNT, "3");
                  dialog::SetItemText(d, LevelField(3), "残り");
                  dialog::SetItemText(d, IDC_NEW_LEVEL_COUNT, "2");
                  EXPECT_FALSE(dialog::IsEnabled(d, LevelField(3)));
                  EXPECT_EQ("残り", dialog::ItemText(d, LevelField(3)));
                  // Trail byte 0x40 (院) and a name ending in the bytes 0x81 0x40 (＝@).
                  dialog::SetItemText(d, TypeField(2), "院");
                  dialog::SetItemText(d, TypeField(3), "＝@");
                  dialog::SetItemText(d, IDC_NEW_COMMENT, "大阪の言葉");
                  dialog::SetItemText(d, IDC_NEW_YEAR, "2026");
                  dialog::SetItemText(d, IDC_NEW_HOLDER, " 山田");
                  // Enter confirms, through the default button.
                  PostMessageA(GetDlgItem(d, IDC_NEW_HOLDER), WM_KEYDOWN, VK_RETURN, 1);
              }));
    ASSERT_EQ(1, zevIsOpen());
    EXPECT_EQ("標準語", BeforeName());
    EXPECT_EQ("　関西弁", AfterName());
    EXPECT_EQ(2, zevGetLevelCount());
    EXPECT_EQ("弱", LevelName(1));
    EXPECT_EQ("  強", LevelName(2));
    EXPECT_EQ(3, zevGetTypeCount());
    EXPECT_EQ("名詞", TypeName(1));
    EXPECT_EQ("院", TypeName(2));
    EXPECT_EQ("＝@", TypeName(3));
    EXPECT_EQ(0, zevGetDataCount());  // the modified dictionary before it is gone

    BYTE major = 0, minor = 9, revision = 9;
    char comment[256] = {}, holder[256] = {};
    uint16_t year = 0;
    ASSERT_EQ(1, zevGetFooter(&major, &minor, &revision, comment, &year, holder));
    EXPECT_EQ(1, major);
    EXPECT_EQ(0, minor);
    EXPECT_EQ(0, revision);
    EXPECT_STREQ("大阪の言葉", comment);
    EXPECT_EQ(2026, year);
    EXPECT_STREQ(" 山田", holder);
}

TEST_F(NewDictionaryTest, EveryCheckKeepsTheDialogOpenAndTheLibraryUnchanged) {
    OpenWithOneEntry();
    auto refused = [&](HWND d) {
        dialog::Press(d, IDC_NEW_OK);
        EXPECT_TRUE(IsWindow(d));
        ExpectOldDictionary();
    };
    ExpectNewDictionaryDialog([&](HWND d) {
        dialog::SetItemText(d, IDC_NEW_YEAR, "");
        refused(d);
        dialog::SetItemText(d, IDC_NEW_SOURCE_NAME, " 　 ");
        refused(d);
        FillValid(d);
        dialog::SetItemText(d, IDC_NEW_TARGET_NAME, "　");
        refused(d);
        FillValid(d);
        dialog::SetItemText(d, IDC_NEW_LEVEL_COUNT, "");
        dialog::SetItemText(d, IDC_NEW_TYPE_COUNT, "");
        refused(d);  // the level count is named first
        dialog::SetItemText(d, IDC_NEW_LEVEL_COUNT, "2");
        refused(d);
        FillValid(d);
        dialog::SetItemText(d, LevelField(2), "　 ");
        dialog::SetItemText(d, TypeField(1), "");
        refused(d);  // level names before type names
        dialog::SetItemText(d, LevelField(2), "強");
        refused(d);
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
    EXPECT_EQ(0, zevGetDataCount());
}

TEST_F(NewDictionaryTest, RefusesTextsLongerThanTheDictionaryHolds) {
    // The edit controls count their limit in characters under Wine (and a pasted or
    // set text ignores it): a name of more bytes must not reach the library cut or
    // refused half-way.
    OpenWithOneEntry();
    std::string kanji;
    for (int i = 0; i < 128; ++i) kanji += "語";  // 256 bytes
    auto refused = [&](HWND d) {
        dialog::Press(d, IDC_NEW_OK);
        EXPECT_TRUE(IsWindow(d));
        ExpectOldDictionary();
    };
    std::string name255(255, 'a');
    ExpectNewDictionaryDialog([&](HWND d) {
        FillValid(d);
        dialog::SetItemText(d, IDC_NEW_SOURCE_NAME, kanji.c_str());
        refused(d);
        FillValid(d);
        dialog::SetItemText(d, IDC_NEW_TARGET_NAME, kanji.c_str());
        refused(d);
        FillValid(d);
        dialog::SetItemText(d, LevelField(2), "一二三四五六七八九十百千万");  // 26
        refused(d);
        FillValid(d);
        dialog::SetItemText(d, TypeField(3), "一二三四五六七八九十百千万");
        refused(d);
        FillValid(d);
        dialog::SetItemText(d, IDC_NEW_COMMENT, kanji.c_str());
        refused(d);
        dialog::SetItemText(d, IDC_NEW_COMMENT, "");
        dialog::SetItemText(d, IDC_NEW_HOLDER, kanji.c_str());
        refused(d);
        // The longest texts that fit are taken whole.
        dialog::SetItemText(d, IDC_NEW_HOLDER, "");
        dialog::SetItemText(d, IDC_NEW_SOURCE_NAME, name255.c_str());
        dialog::SetItemText(d, TypeField(3), "一二三四五六七八九十百千");
        dialog::Press(d, IDC_NEW_OK);
    });
    ExpectWarning("変換元方言名は255バイト以内で入力してください。");
    ExpectWarning("変換先方言名は255バイト以内で入力してください。");
    ExpectWarning("変換レベル名称は24バイト以内で入力してください。");
    ExpectWarning("タイプ名称は24バイト以内で入力してください。");
    ExpectWarning("コメントは255バイト以内で入力してください。");
    ExpectWarning("著作権者は255バイト以内で入力してください。");
    EXPECT_EQ(1, Show());
    CheckBoxes();
    EXPECT_EQ(name255, BeforeName());
    EXPECT_EQ("一二三四五六七八九十百千", TypeName(3));
}

TEST_F(NewDictionaryTest, AsksWhenOnlyYearOrOnlyHolderIsGiven) {
    OpenWithOneEntry();
    ExpectNewDictionaryDialog([&](HWND d) {
        FillValid(d);
        dialog::SetItemText(d, IDC_NEW_YEAR, "2026");  // no holder
        dialog::Press(d, IDC_NEW_OK);
        EXPECT_TRUE(IsWindow(d));
        ExpectOldDictionary();
        dialog::SetItemText(d, IDC_NEW_HOLDER, "　");  // blanks are no holder
        dialog::Press(d, IDC_NEW_OK);
    });
    ExpectQuestion(IDCANCEL);
    ExpectQuestion(IDOK);
    EXPECT_EQ(1, Show());
    CheckQuestions();
    uint16_t year = 9;
    char holder[256] = "x";
    ASSERT_EQ(1, zevGetFooter(nullptr, nullptr, nullptr, nullptr, &year, holder));
    EXPECT_EQ(0, year);
    EXPECT_STREQ("", holder);

    // A holder without a year: the holder is dropped.
    ExpectNewDictionaryDialog([&](HWND d) {
        FillValid(d);
        dialog::SetItemText(d, IDC_NEW_HOLDER, "山田");
        dialog::Press(d, IDC_NEW_OK);
    });
    ExpectQuestion(IDOK);
    EXPECT_EQ(1, Show());
    CheckQuestions();
    ASSERT_EQ(1, zevGetFooter(nullptr, nullptr, nullptr, nullptr, &year, holder));
    EXPECT_EQ(0, year);
    EXPECT_STREQ("", holder);

    // Neither: no question.
    EXPECT_EQ(1, Run([&](HWND d) {
                  FillValid(d);
                  dialog::Press(d, IDC_NEW_OK);
              }));
    EXPECT_TRUE(harness->Finished());
}

TEST_F(NewDictionaryTest, CancelEscapeAndTheCloseBoxKeepTheDictionary) {
    EXPECT_EQ(1, Run([&](HWND d) {
                  FillValid(d);
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

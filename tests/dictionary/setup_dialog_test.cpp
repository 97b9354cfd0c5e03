// The setup dialog of Zev.dll, driven through the real dialog under Wine.
//
// The remembered choice lives as long as the library, and CTest runs every
// test in a process of its own; tests that need an earlier choice make it
// themselves.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "dialog_harness.h"
#include "zev_fixture.h"
#include "zevresource.h"

namespace {

const char kCaption[] = "辞書の設定";
const uint8_t kUntouched = 0xEE;

// What the dialog showed for one group of eight controls.
struct Group {
    std::vector<std::string> labels;
    std::vector<bool> enabled;
    std::vector<bool> checked;
};

Group ReadGroup(HWND dialog, int firstId) {
    Group group;
    for (int i = 0; i < 8; ++i) {
        group.labels.push_back(dialog::ItemText(dialog, firstId + i));
        group.enabled.push_back(dialog::IsEnabled(dialog, firstId + i));
        group.checked.push_back(dialog::IsChecked(dialog, firstId + i));
    }
    return group;
}

std::vector<bool> Bits(std::initializer_list<int> on) {
    std::vector<bool> bits(8, false);
    for (int i : on) bits[i - 1] = true;
    return bits;
}

class SetupDialogTest : public ZevTest {
protected:
    // A dictionary whose level and type names are "レベルn" and "タイプn".
    static void Create(uint8_t levels, uint8_t types) {
        ASSERT_EQ(1, zevCreateDic("標準語", "方言", levels, types));
        for (int i = 1; i <= levels || i <= types; ++i) {
            std::string level = "レベル" + std::to_string(i);
            std::string type = "タイプ" + std::to_string(i);
            ASSERT_EQ(1, zevSetLevelAndType(i <= levels ? level.c_str() : nullptr, i,
                                            i <= types ? type.c_str() : nullptr, i));
        }
    }

    // Reads the dialog when it opens, then runs `then` on it.
    void ExpectSetup(Group* levels, Group* types, DialogHarness::Action then) {
        harness.ExpectDialog(kCaption, [levels, types, then](HWND dialog) {
            if (levels) *levels = ReadGroup(dialog, IDC_SETUP_LEVEL1);
            if (types) *types = ReadGroup(dialog, IDC_SETUP_TYPE1);
            then(dialog);
        });
    }

    // Opens the dialog, takes what it shows and presses OK unchanged.
    int ShowAndConfirm(Group* levels, Group* types) {
        ExpectSetup(levels, types, [](HWND dialog) { dialog::Press(dialog, IDC_SETUP_OK); });
        return zevSetupDic(nullptr, &level, &typeMask);
    }

    // Opens the dialog, picks `pickLevel` and exactly the types in `pickTypes`,
    // and presses OK.
    int Choose(int pickLevel, std::initializer_list<int> pickTypes) {
        std::vector<bool> wanted = Bits(pickTypes);
        ExpectSetup(nullptr, nullptr, [pickLevel, wanted](HWND dialog) {
            dialog::Press(dialog, IDC_SETUP_LEVEL1 + pickLevel - 1);
            for (int t = 0; t < 8; ++t)
                if (wanted[t] || dialog::IsEnabled(dialog, IDC_SETUP_TYPE1 + t))
                    dialog::SetCheck(dialog, IDC_SETUP_TYPE1 + t, wanted[t]);
            dialog::Press(dialog, IDC_SETUP_OK);
        });
        return zevSetupDic(nullptr, &level, &typeMask);
    }

    DialogHarness harness;
    uint8_t level = kUntouched;
    uint8_t typeMask = kUntouched;
};

// First in the file, so that it also holds when the whole executable runs in
// one process.
TEST_F(SetupDialogTest, FirstCallStartsAtLevelOneWithNoTypeAndOkWithoutTypeWarns) {
    Create(3, 2);
    Group levels, types;
    MessageBoxSeen warning;
    bool stillOpen = false;
    ExpectSetup(&levels, &types, [&stillOpen](HWND dialog) {
        dialog::Press(dialog, IDC_SETUP_OK);  // answered by the message box below
        stillOpen = IsWindow(dialog) && IsWindowVisible(dialog);
        dialog::Press(dialog, IDC_SETUP_TYPE1 + 1);
        dialog::Press(dialog, IDC_SETUP_OK);
    });
    harness.ExpectMessageBox(IDOK, &warning);
    ASSERT_EQ(1, zevSetupDic(nullptr, &level, &typeMask));
    EXPECT_TRUE(harness.Finished());

    EXPECT_EQ((std::vector<std::string>{"レベル1", "レベル2", "レベル3", "", "", "", "", ""}),
              levels.labels);
    EXPECT_EQ(Bits({1, 2, 3}), levels.enabled);
    EXPECT_EQ(Bits({1}), levels.checked);
    EXPECT_EQ((std::vector<std::string>{"タイプ1", "タイプ2", "", "", "", "", "", ""}),
              types.labels);
    EXPECT_EQ(Bits({1, 2}), types.enabled);
    EXPECT_EQ(Bits({}), types.checked);

    EXPECT_EQ(kCaption, warning.caption);
    EXPECT_EQ("１つ以上のﾀｲﾌﾟを指定してください。", warning.text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), warning.icon);
    EXPECT_EQ(std::vector<int>{IDOK}, warning.buttons);
    EXPECT_TRUE(stillOpen);

    EXPECT_EQ(1, level);
    EXPECT_EQ(2, typeMask);
    EXPECT_EQ(ZEV_ERR_NONE, zevGetZevLastError());
}

TEST_F(SetupDialogTest, RemembersTheChoiceAndFitsItToTheCurrentDictionary) {
    Create(3, 3);
    ASSERT_EQ(1, Choose(3, {1, 3}));
    EXPECT_EQ(3, level);
    EXPECT_EQ(5, typeMask);

    // Same dictionary: opens with the choice; Enter confirms it unchanged.
    Group levels, types;
    ExpectSetup(&levels, &types, [](HWND dialog) {
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    level = typeMask = kUntouched;
    ASSERT_EQ(1, zevSetupDic(nullptr, &level, &typeMask));
    EXPECT_EQ(Bits({3}), levels.checked);
    EXPECT_EQ(Bits({1, 3}), types.checked);
    EXPECT_EQ(3, level);
    EXPECT_EQ(5, typeMask);

    // Two levels and two types (largest mask 3): level 3 is lowered to 2, and
    // mask 5, numerically greater than 3, gives way to 3 (not to 5 & 3).
    zevCloseDic();
    Create(2, 2);
    ASSERT_EQ(1, ShowAndConfirm(&levels, &types));
    EXPECT_EQ(Bits({2}), levels.checked);
    EXPECT_EQ(Bits({1, 2}), types.checked);
    EXPECT_EQ(2, level);
    EXPECT_EQ(3, typeMask);

    // Four types (largest mask 15) and a remembered mask of 6.
    zevCloseDic();
    Create(4, 4);
    ASSERT_EQ(1, Choose(1, {2, 3}));
    ASSERT_EQ(1, ShowAndConfirm(&levels, &types));
    EXPECT_EQ(Bits({1}), levels.checked);
    EXPECT_EQ(Bits({2, 3}), types.checked);
    EXPECT_EQ(6, typeMask);
    EXPECT_TRUE(harness.Finished());
}

TEST_F(SetupDialogTest, CancelEscapeAndCloseBoxLeaveTheBytesAndTheMemoryAlone) {
    Create(3, 3);
    ASSERT_EQ(1, Choose(2, {2}));

    // Each way out, after the user changed the choice. The close box comes
    // straight after an OK, whose result it must not return.
    const std::vector<DialogHarness::Action> waysOut = {
        [](HWND dialog) { dialog::CloseBox(dialog); },
        [](HWND dialog) { dialog::Press(dialog, IDC_SETUP_CANCEL); },
        [](HWND dialog) { SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0); },
    };
    for (size_t i = 0; i < waysOut.size(); ++i) {
        SCOPED_TRACE(i);
        DialogHarness::Action leave = waysOut[i];
        ExpectSetup(nullptr, nullptr, [leave](HWND dialog) {
            dialog::Press(dialog, IDC_SETUP_LEVEL1 + 2);
            dialog::SetCheck(dialog, IDC_SETUP_TYPE1, true);
            leave(dialog);
        });
        level = typeMask = kUntouched;
        EXPECT_EQ(0, zevSetupDic(nullptr, &level, &typeMask));
        EXPECT_EQ(ZEV_ERR_SETUP_CANCELLED, zevGetZevLastError());
        EXPECT_EQ(kUntouched, level);
        EXPECT_EQ(kUntouched, typeMask);
    }

    Group levels, types;
    ASSERT_EQ(1, ShowAndConfirm(&levels, &types));
    EXPECT_EQ(Bits({2}), levels.checked);
    EXPECT_EQ(Bits({2}), types.checked);
    EXPECT_EQ(2, level);
    EXPECT_EQ(2, typeMask);
    EXPECT_TRUE(harness.Finished());
}

TEST_F(SetupDialogTest, NullAddressesStillConfirmAndRemember) {
    Create(3, 3);
    ExpectSetup(nullptr, nullptr, [](HWND dialog) {
        dialog::Press(dialog, IDC_SETUP_LEVEL1 + 1);
        for (int t = 0; t < 3; ++t) dialog::SetCheck(dialog, IDC_SETUP_TYPE1 + t, t == 2);
        dialog::Press(dialog, IDC_SETUP_OK);
    });
    EXPECT_EQ(1, zevSetupDic(nullptr, nullptr, nullptr));
    EXPECT_EQ(ZEV_ERR_NONE, zevGetZevLastError());

    Group levels, types;
    ASSERT_EQ(1, ShowAndConfirm(&levels, &types));
    EXPECT_EQ(2, level);
    EXPECT_EQ(4, typeMask);
    EXPECT_TRUE(harness.Finished());
}

TEST_F(SetupDialogTest, EightLevelsAndTypesUseAllControlsAndMask255) {
    // Levels and types beyond the eighth get no control.
    Create(10, 9);
    Group levels, types;
    ExpectSetup(&levels, &types, [](HWND dialog) {
        dialog::Press(dialog, IDC_SETUP_LEVEL8);
        for (int t = 0; t < 8; ++t) dialog::SetCheck(dialog, IDC_SETUP_TYPE1 + t, true);
        dialog::Press(dialog, IDC_SETUP_OK);
    });
    ASSERT_EQ(1, zevSetupDic(nullptr, &level, &typeMask));
    EXPECT_EQ(std::vector<bool>(8, true), levels.enabled);
    EXPECT_EQ(std::vector<bool>(8, true), types.enabled);
    EXPECT_EQ("レベル8", levels.labels[7]);
    EXPECT_EQ("タイプ8", types.labels[7]);
    EXPECT_EQ(8, level);
    EXPECT_EQ(255, typeMask);
    EXPECT_TRUE(harness.Finished());
}

TEST_F(SetupDialogTest, ClosedDictionaryRefusesWithoutADialog) {
    EXPECT_EQ(0, zevSetupDic(nullptr, &level, &typeMask));
    EXPECT_EQ(ZEV_ERR_NOT_OPEN, zevGetZevLastError());
    EXPECT_EQ(kUntouched, level);
    EXPECT_EQ(kUntouched, typeMask);
    EXPECT_TRUE(harness.Finished());
}

// The resource as laid out in dialog units, its texts and its owner.
TEST_F(SetupDialogTest, LayoutTextsAndOwner) {
    struct Control {
        int id;
        RECT units;  // x, y, width, height, as the template has them
        const char* text;
    };
    std::vector<Control> expected = {
        {IDC_SETUP_LEVEL_GROUP, {4, 2, 140, 112}, " 変換レベル(&L) "},
        {IDC_SETUP_TYPE_GROUP, {148, 2, 142, 112}, " 変換タイプ (&T)"},
        {IDC_SETUP_OK, {198, 118, 44, 16}, "OK"},
        {IDC_SETUP_CANCEL, {246, 118, 44, 16}, "キャンセル"},
    };
    for (int i = 0; i < 8; ++i) {
        expected.push_back({IDC_SETUP_LEVEL1 + i, {10, 14 + 12 * i, 126, 10}, i ? "" : "レベル1"});
        expected.push_back({IDC_SETUP_TYPE1 + i, {156, 14 + 12 * i, 126, 10}, i ? "" : "タイプ1"});
    }

    HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 nullptr, nullptr);
    Create(1, 1);
    HWND ownerSeen = nullptr;
    RECT client = {}, size = {0, 0, 295, 139};
    DWORD style = 0;
    LOGFONTA font = {};
    ExpectSetup(nullptr, nullptr, [&](HWND dialog) {
        ownerSeen = GetWindow(dialog, GW_OWNER);
        GetObjectA(reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)), sizeof font,
                   &font);
        style = GetWindowLongA(dialog, GWL_STYLE);
        GetClientRect(dialog, &client);
        MapDialogRect(dialog, &size);
        for (Control& control : expected) {
            SCOPED_TRACE(control.id);
            HWND item = GetDlgItem(dialog, control.id);
            ASSERT_NE(nullptr, item);
            RECT actual;
            GetWindowRect(item, &actual);
            MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&actual), 2);
            // The dialog manager converts position and size separately.
            MapDialogRect(dialog, &control.units);
            EXPECT_EQ(control.units.left, actual.left);
            EXPECT_EQ(control.units.top, actual.top);
            EXPECT_EQ(control.units.right, actual.right - actual.left);
            EXPECT_EQ(control.units.bottom, actual.bottom - actual.top);
            EXPECT_EQ(control.text, dialog::Text(item));
        }
        dialog::Press(dialog, IDC_SETUP_CANCEL);
    });
    EXPECT_EQ(0, zevSetupDic(owner, &level, &typeMask));
    EXPECT_TRUE(harness.Finished());
    EXPECT_EQ(owner, ownerSeen);
    EXPECT_EQ(size.right, client.right);
    EXPECT_EQ(size.bottom, client.bottom);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & DS_MODALFRAME);
    EXPECT_STREQ("ＭＳ Ｐゴシック", font.lfFaceName);
    DestroyWindow(owner);
}

}  // namespace

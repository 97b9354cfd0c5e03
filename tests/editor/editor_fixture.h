// Common base of the editor tests: the real main window from the real resources, in
// this process, with the library's dictionary closed before and after, and a harness
// that answers (and checks) the message boxes the editor shows.
#ifndef ZEV_TESTS_EDITOR_FIXTURE_H
#define ZEV_TESTS_EDITOR_FIXTURE_H

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "dialog_harness.h"
#include "editor.h"
#include "resource.h"
#include "zev.h"
#include "zev_fixture.h"

class EditorTest : public ZevTest {
protected:
    void SetUp() override {
        ZevTest::SetUp();
        ResetEditorState();
        main = CreateMainWindow(GetModuleHandleA(nullptr));
        ASSERT_NE(nullptr, main);
        list = GetDlgItem(main, IDC_ENTRY_LIST);
        accelerators =
            LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_ACCELERATORS));
        harness = std::make_unique<DialogHarness>();
        harness->Ignore(main);
        SetForegroundWindow(main);
        Pump();
    }

    void TearDown() override {
        Pump();
        if (harness) {
            EXPECT_TRUE(harness->Finished());
        }
        harness.reset();
        if (IsWindow(main)) DestroyWindow(main);
        Pump();
        ZevTest::TearDown();
    }

    // Runs the queued messages as the program's loop does; true when the quit message came.
    bool Pump() {
        MSG message;
        bool quit = false;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                quit = true;
                quitCode = static_cast<int>(message.wParam);
                continue;
            }
            if (IsWindow(main) && TranslateEditorMessage(main, accelerators, &message)) continue;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        return quit;
    }

    void Command(int id) { SendMessageA(main, WM_COMMAND, id, 0); }

    // A key pressed with the given modifiers (VK_CONTROL, VK_MENU or 0), through the
    // accelerators and the dialog manager.
    void PressKey(HWND target, UINT key, UINT modifier = 0) {
        BYTE keys[256] = {};
        if (modifier) keys[modifier] = 0x80;
        SetKeyboardState(keys);
        UINT message = modifier == VK_MENU ? WM_SYSKEYDOWN : WM_KEYDOWN;
        LPARAM lParam = 1 | (modifier == VK_MENU ? (1 << 29) : 0);
        PostMessageA(target, message, key, lParam);
        Pump();
        BYTE none[256] = {};
        SetKeyboardState(none);
    }

    // A new dictionary in the library, shown by the form as after New.
    void OpenDictionary(const std::vector<const char*>& levels,
                        const std::vector<const char*>& types) {
        ASSERT_EQ(1, zevCreateDic("標準語", "関西弁", static_cast<uint8_t>(levels.size()),
                                  static_cast<uint8_t>(types.size())));
        for (size_t i = 0; i < levels.size(); ++i)
            ASSERT_EQ(1, zevSetLevelAndType(levels[i], static_cast<uint8_t>(i + 1), nullptr, 0));
        for (size_t i = 0; i < types.size(); ++i)
            ASSERT_EQ(1, zevSetLevelAndType(nullptr, 0, types[i], static_cast<uint8_t>(i + 1)));
        ConfigureForm(main, kFormDictionaryOpen);
    }

    void OpenThreeByThree() { OpenDictionary({"弱", "中", "強"}, {"名詞", "動詞", "副詞"}); }

    // Fills the form as a user would: texts, level, condition, type mask.
    void FillForm(const char* source, const char* target, int level, bool andCondition,
                  int typeMask) {
        SetDlgItemTextA(main, IDC_SOURCE, source);
        SetDlgItemTextA(main, IDC_TARGET, target);
        CheckRadioButton(main, IDC_LEVEL1, IDC_LEVEL8, IDC_LEVEL1 + level - 1);
        CheckRadioButton(main, IDC_AND, IDC_OR, andCondition ? IDC_AND : IDC_OR);
        for (int k = 0; k < 8; ++k)
            CheckDlgButton(main, IDC_TYPE1 + k, (typeMask >> k) & 1 ? BST_CHECKED : BST_UNCHECKED);
    }

    std::string ItemText(int id) { return dialog::ItemText(main, id); }
    std::string Caption() { return dialog::Text(main); }
    bool Checked(int id) { return IsDlgButtonChecked(main, id) == BST_CHECKED; }
    bool Enabled(int id) { return IsWindowEnabled(GetDlgItem(main, id)) != FALSE; }
    int CheckedLevel() {
        for (int n = 1; n <= 8; ++n)
            if (Checked(IDC_LEVEL1 + n - 1)) return n;
        return 0;
    }
    int CheckedTypes() {
        int mask = 0;
        for (int k = 0; k < 8; ++k)
            if (Checked(IDC_TYPE1 + k)) mask |= 1 << k;
        return mask;
    }
    bool MenuGrayed(int id) {
        return (GetMenuState(GetMenu(main), id, MF_BYCOMMAND) & MF_GRAYED) != 0;
    }

    int RowCount() { return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }
    std::string Cell(int row, int column) {
        char text[300] = {};
        LVITEMA item = {};
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = sizeof text - 1;
        SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
        return text;
    }
    std::vector<std::string> Row(int row) {
        std::vector<std::string> cells;
        for (int column = 0; column < 5; ++column) cells.push_back(Cell(row, column));
        return cells;
    }
    std::vector<std::string> FirstColumn() {
        std::vector<std::string> indices;
        for (int row = 0; row < RowCount(); ++row) indices.push_back(Cell(row, 0));
        return indices;
    }
    void SelectRow(int row) {
        LVITEMA item = {};
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        item.state = 0;
        SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(&item));
        if (row < 0) return;
        item.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    }

    // Expects one warning box with this text (exclamation icon, OK, the editor's caption).
    void ExpectWarning(const char* text) { ExpectBox(text, MB_ICONEXCLAMATION); }
    void ExpectBox(const char* text, UINT icon) {
        expectedBoxes.push_back({text, icon});
        seenBoxes.emplace_back();
        harness->ExpectMessageBox(IDOK, &seenBoxes.back());
    }
    // Checks the boxes expected since the last call.
    void CheckBoxes() {
        EXPECT_TRUE(harness->Finished());
        for (size_t i = 0; i < expectedBoxes.size(); ++i) {
            EXPECT_EQ("方言辞書エディタ", seenBoxes[i].caption);
            EXPECT_EQ(expectedBoxes[i].first, seenBoxes[i].text);
            EXPECT_EQ(expectedBoxes[i].second, seenBoxes[i].icon);
            EXPECT_EQ(std::vector<int>{IDOK}, seenBoxes[i].buttons);
        }
        expectedBoxes.clear();
        seenBoxes.clear();
    }

    HWND main = nullptr;
    HWND list = nullptr;
    HACCEL accelerators = nullptr;
    int quitCode = -1;
    std::unique_ptr<DialogHarness> harness;
    std::vector<std::pair<std::string, UINT>> expectedBoxes;
    std::deque<MessageBoxSeen> seenBoxes;  // stable addresses for the harness
};

#endif

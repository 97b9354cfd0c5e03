#include "converter_fixture.h"

void ConverterTest::SetUp() {
    if (zevIsOpen()) zevCloseDic();
    GetCurrentDirectoryA(MAX_PATH, startDirectory);
    testfiles::ResetFolder();
    char full[MAX_PATH];
    DWORD length = GetFullPathNameA(testfiles::Path("").c_str(), MAX_PATH, full, nullptr);
    folder.assign(full, length);
    HINSTANCE instance = GetModuleHandleA(nullptr);
    accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_ACCELERATORS));
    window = CreateMainWindow(instance);
    ASSERT_NE(nullptr, window);
    harness.Ignore(window);
}

void ConverterTest::TearDown() {
    if (IsWindow(window)) DestroyWindow(window);
    // The window's closing posts a quit message; it must not end a later test's dialogs.
    MSG message;
    while (PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    if (zevIsOpen()) zevCloseDic();
    SetCurrentDirectoryA(startDirectory);
    EXPECT_TRUE(harness.Finished()) << harness.Pending() << " dialog(s) still expected";
}

std::string ConverterTest::FullPath(const std::string& leaf) const { return folder + leaf; }

std::string ConverterTest::MakeDictionary(const std::string& leaf, const char* before,
                                          const char* after, const std::vector<TestEntry>& entries,
                                          uint8_t types) {
    bool wasOpen = zevIsOpen();
    EXPECT_FALSE(wasOpen) << "the test's dictionary must be made while none is open";
    EXPECT_EQ(1, zevCreateDic(before, after, 3, types));
    for (int level = 1; level <= 3; ++level)
        zevSetLevelAndType(("レベル" + std::to_string(level)).c_str(), level, nullptr, 0);
    for (int type = 1; type <= types; ++type)
        zevSetLevelAndType(nullptr, 0, ("タイプ" + std::to_string(type)).c_str(), type);
    for (const TestEntry& e : entries)
        EXPECT_NE(0, zevCreateData(e.source, e.level, e.typeMask, e.condition, e.target));
    std::string path = FullPath(leaf);
    EXPECT_EQ(1, zevSaveDic(path.c_str()));
    zevCloseDic();
    return path;
}

void ConverterTest::OpenDictionaryFile(const std::string& path) {
    harness.ExpectFileDialog(path.c_str());
    Command(IDM_OPEN_DICTIONARY);
}

void ConverterTest::OpenTextFile(const std::string& path) {
    harness.ExpectFileDialog(path.c_str());
    Command(IDM_OPEN_TEXT);
}

MessageBoxSeen& ConverterTest::ExpectBox(int button) {
    seenBoxes.emplace_back();
    harness.ExpectMessageBox(button, &seenBoxes.back());
    return seenBoxes.back();
}

MessageBoxSeen& ConverterTest::ChooseFileExpectingBox(int command, const std::string& path,
                                                      int button) {
    harness.ExpectFileDialog(path.c_str());
    MessageBoxSeen& box = ExpectBox(button);
    Command(command);
    return box;
}

std::string ConverterTest::MenuText(int id) const {
    char text[1024] = "";
    GetMenuStringA(GetMenu(window), id, text, sizeof text, MF_BYCOMMAND);
    return text;
}

bool ConverterTest::MenuEnabled(int id) const {
    UINT state = GetMenuState(GetMenu(window), id, MF_BYCOMMAND);
    return !(state & (MF_GRAYED | MF_DISABLED));
}

bool ConverterTest::TranslateKey(UINT key, bool control) {
    BYTE keys[256] = {0};
    if (control) keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    MSG message = {};
    message.hwnd = window;
    message.message = WM_KEYDOWN;
    message.wParam = key;
    message.lParam = 1;
    bool translated = TranslateAcceleratorA(window, accelerators, &message) != 0;
    BYTE none[256] = {0};
    SetKeyboardState(none);
    return translated;
}

void ConverterTest::Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

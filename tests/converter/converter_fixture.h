// Common base of the converter tests: the real main window, created from the
// real resources in this process, with a harness answering its dialogs.
#ifndef MARDELKO_TESTS_CONVERTER_FIXTURE_H
#define MARDELKO_TESTS_CONVERTER_FIXTURE_H

#include <gtest/gtest.h>

#include <windows.h>

#include <deque>
#include <string>
#include <vector>

#include "converter.h"
#include "dialog_harness.h"
#include "resource.h"
#include "testfiles.h"
#include "zev.h"

struct TestEntry {
    const char* source;
    const char* target;
    uint8_t level = 1;
    uint8_t typeMask = 1;
    uint8_t condition = 0;
};

class ConverterTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A full path in the test's scratch folder (file dialogs need full paths
    // and move the current directory).
    std::string FullPath(const std::string& leaf) const;
    // Saves a dictionary made through the library, then closes it again.
    std::string MakeDictionary(const std::string& leaf, const char* before, const char* after,
                               const std::vector<TestEntry>& entries, uint8_t types = 3);

    void Command(int id) { SendMessageA(window, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    // Runs the Open Dictionary command, choosing `path` in the file dialog.
    void OpenDictionaryFile(const std::string& path);
    void OpenTextFile(const std::string& path);
    // Expects one message box, answered with `button`; the record is filled
    // in when the box appears.
    MessageBoxSeen& ExpectBox(int button = IDOK);
    // Runs `command`, choosing `path` in its file dialog, and expects one
    // message box after it.
    MessageBoxSeen& ChooseFileExpectingBox(int command, const std::string& path, int button = IDOK);

    std::string InputText() const { return dialog::ItemText(window, IDC_INPUT); }
    std::string OutputText() const { return dialog::ItemText(window, IDC_OUTPUT); }
    void SetInput(const std::string& text) { SetDlgItemTextA(window, IDC_INPUT, text.c_str()); }
    std::string MenuText(int id) const;
    bool MenuEnabled(int id) const;
    // Offers a key press to the accelerator table as the message loop does.
    bool TranslateKey(UINT key, bool control);
    // Delivers posted messages, as the program's loop would between commands.
    void Pump();

    HWND window = nullptr;
    HACCEL accelerators = nullptr;
    char startDirectory[MAX_PATH] = "";
    std::string folder;
    DialogHarness harness;
    std::deque<MessageBoxSeen> seenBoxes;
};

#endif

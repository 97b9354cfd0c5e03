// Answers the dialogs that the code under test opens on the test's thread.
//
// A test queues what it expects, in order, then calls the code that shows the
// dialogs. A thread-local CBT hook only posts each activated dialog to a
// hidden window of the harness; the dialog's own modal loop then delivers it,
// and the harness runs the next expected action outside the hook. A dialog
// nobody expected, or one that an action leaves open, fails the test and is
// dismissed by a watchdog, so a wrong program fails instead of hanging.
//
//   DialogHarness harness;
//   MessageBoxSeen seen;
//   harness.ExpectMessageBox(IDOK, &seen);
//   RunTheCommand();
//   EXPECT_TRUE(harness.Finished());
//   EXPECT_EQ(Text("..."), seen.text);
#ifndef ZEV_TESTS_DIALOG_HARNESS_H
#define ZEV_TESTS_DIALOG_HARNESS_H

#include <windows.h>

#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

// What a message box showed. `icon` is MB_ICONHAND, MB_ICONQUESTION,
// MB_ICONEXCLAMATION, MB_ICONASTERISK or 0 for none.
struct MessageBoxSeen {
    std::string caption;
    std::string text;
    UINT icon = 0;
    std::vector<int> buttons;  // ids of the buttons present, in id order
};

// What a common open or save dialog showed.
struct FileDialogSeen {
    std::string title;
    std::string fileName;              // initial text of the file-name box
    std::vector<std::string> filters;  // descriptions of the file-type list
    bool readOnlyShown = false;
    bool readOnlyChecked = false;
};

class DialogHarness {
public:
    using Action = std::function<void(HWND dialog)>;

    // Installs the hook on the calling thread; one harness per thread.
    explicit DialogHarness(DWORD watchdogMilliseconds = 8000);
    // Removes the hook; expectations still queued fail the test.
    ~DialogHarness();
    DialogHarness(const DialogHarness&) = delete;
    DialogHarness& operator=(const DialogHarness&) = delete;

    // The next dialog is a message box: record it into `seen` (if given) and
    // press `button`.
    void ExpectMessageBox(int button, MessageBoxSeen* seen = nullptr);
    // The next dialog has the caption `caption` (any, when null); run
    // `action`, which reads, fills and presses its controls.
    void ExpectDialog(const char* caption, Action action);
    // The next dialog is a common file dialog: record it, then enter `path`
    // (a full path) and press OK, or press Cancel when `path` is null.
    void ExpectFileDialog(const char* path, FileDialogSeen* seen = nullptr);

    // Windows (such as a program's own modeless main dialog) that are not
    // answered.
    void Ignore(HWND window);

    // True when every expectation was met and nothing unexpected happened.
    bool Finished() const { return expected.empty() && failures == 0; }
    size_t Pending() const { return expected.size(); }

private:
    struct Expectation {
        std::string caption;  // empty: any
        bool anyCaption = true;
        Action action;
    };

    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Answer(HWND dialog);
    void AnswerShown();
    void Watch();
    void Fail(const std::string& what, HWND dialog);
    std::string HandleNote(HWND dialog) const;

    HHOOK hook = nullptr;
    HWND mailbox = nullptr;
    DWORD watchdog;
    std::deque<Expectation> expected;
    std::set<HWND> ignored;
    std::map<HWND, DWORD> answered;  // dialog -> tick count when answered
    std::map<HWND, DWORD> hidden;    // activated, not yet shown -> since
    int failures = 0;
};

// Helpers for actions.
namespace dialog {

std::string Text(HWND window);
std::string ItemText(HWND dialog, int id);
// Presses a button as a user would; fails the test when it is missing or
// disabled.
void Press(HWND dialog, int id);
// Clicks a check box when its state differs from `checked`.
void SetCheck(HWND dialog, int id, bool checked);
void SetItemText(HWND dialog, int id, const char* text);
bool IsChecked(HWND dialog, int id);
bool IsEnabled(HWND dialog, int id);
// Closes a dialog through its title bar (system menu Close).
void CloseBox(HWND dialog);
MessageBoxSeen ReadMessageBox(HWND box);
FileDialogSeen ReadFileDialog(HWND dialog);

}  // namespace dialog

#endif

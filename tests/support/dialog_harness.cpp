#include "dialog_harness.h"

#include <gtest/gtest.h>

#include <string.h>

namespace {

// Sent by the hook: wParam is the activated window.
const UINT kActivated = WM_APP + 1;
const UINT_PTR kWatchdogTimer = 1;
const UINT kWatchdogTick = 250;
// A modal dialog is shown only when its loop first finds the queue empty.
const UINT_PTR kVisibleTimer = 2;
const UINT kVisibleTick = 10;

// Controls of the common file dialogs (Explorer style, as Wine builds them).
const int kFileTypeList = 0x470;  // cmb1
const int kFileNameBox = 0x47C;   // cmb13
const int kReadOnlyBox = 0x410;   // chx1
const int kMessageText = 0xFFFF;  // the static text of a message box

thread_local DialogHarness* currentHarness = nullptr;

bool IsDialogClass(HWND window) {
    char name[16] = "";
    GetClassNameA(window, name, sizeof name);
    return strcmp(name, "#32770") == 0;
}

// Asks a dialog to go away as Escape would; a second time it is ended.
void Dismiss(HWND dialog, bool force) {
    if (force)
        EndDialog(dialog, IDCANCEL);
    else
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

}  // namespace

DialogHarness::DialogHarness(DWORD watchdogMilliseconds) : watchdog(watchdogMilliseconds) {
    if (currentHarness) ADD_FAILURE() << "a second DialogHarness on one thread";
    currentHarness = this;
    mailbox = CreateWindowExA(0, "STATIC", "DialogHarness", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              nullptr, nullptr);
    SetWindowLongPtrA(mailbox, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WindowProc));
    SetTimer(mailbox, kWatchdogTimer, kWatchdogTick, nullptr);
    hook = SetWindowsHookExA(WH_CBT, HookProc, nullptr, GetCurrentThreadId());
    if (!mailbox || !hook) ADD_FAILURE() << "cannot install the dialog hook";
}

DialogHarness::~DialogHarness() {
    if (hook) UnhookWindowsHookEx(hook);
    if (mailbox) DestroyWindow(mailbox);
    currentHarness = nullptr;
    if (!expected.empty()) {
        std::string which;
        for (const Expectation& e : expected) which += " '" + e.caption + "'";
        ADD_FAILURE() << expected.size() << " expected dialog(s) never appeared:" << which;
    }
}

void DialogHarness::ExpectMessageBox(int button, MessageBoxSeen* seen) {
    ExpectDialog(nullptr, [button, seen](HWND box) {
        if (seen) *seen = dialog::ReadMessageBox(box);
        dialog::Press(box, button);
    });
}

void DialogHarness::ExpectDialog(const char* caption, Action action) {
    Expectation e;
    e.anyCaption = caption == nullptr;
    if (caption) e.caption = caption;
    e.action = std::move(action);
    expected.push_back(std::move(e));
}

void DialogHarness::ExpectFileDialog(const char* path, FileDialogSeen* seen) {
    std::string chosen = path ? path : "";
    bool confirm = path != nullptr;
    ExpectDialog(nullptr, [chosen, confirm, seen](HWND fileDialog) {
        if (seen) *seen = dialog::ReadFileDialog(fileDialog);
        if (confirm) {
            dialog::SetItemText(fileDialog, kFileNameBox, chosen.c_str());
            dialog::Press(fileDialog, IDOK);
        } else {
            dialog::Press(fileDialog, IDCANCEL);
        }
    });
}

void DialogHarness::Ignore(HWND window) { ignored.insert(window); }

// The handle of an unexpected dialog, its owner and the ignored windows, to tell a
// stray window from a known one (the system accepts either form of a handle).
std::string DialogHarness::HandleNote(HWND dialog) const {
    char note[128];
    wsprintfA(note, "handle %p, owner %p, thread %lu (this one %lu)", static_cast<void*>(dialog),
              static_cast<void*>(GetWindow(dialog, GW_OWNER)),
              GetWindowThreadProcessId(dialog, nullptr), GetCurrentThreadId());
    std::string text = note;
    for (HWND window : ignored) {
        wsprintfA(note, ", ignored %p%s", static_cast<void*>(window),
                  IsWindow(window) ? "" : " (gone)");
        text += note;
    }
    return text;
}

// Runs inside the system's window management: it only passes the window on.
LRESULT CALLBACK DialogHarness::HookProc(int code, WPARAM wParam, LPARAM lParam) {
    DialogHarness* harness = currentHarness;
    if (harness && code == HCBT_ACTIVATE)
        PostMessageA(harness->mailbox, kActivated, wParam, 0);
    else if (harness && code == HCBT_DESTROYWND)
        harness->answered.erase(reinterpret_cast<HWND>(wParam));  // handles are reused
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK DialogHarness::WindowProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
    DialogHarness* harness = currentHarness;
    if (harness && message == kActivated) {
        harness->Answer(reinterpret_cast<HWND>(wParam));
        return 0;
    }
    if (harness && message == WM_TIMER && wParam == kWatchdogTimer) {
        harness->Watch();
        return 0;
    }
    if (harness && message == WM_TIMER && wParam == kVisibleTimer) {
        harness->AnswerShown();
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void DialogHarness::Answer(HWND dialog) {
    // Re-activations (after a nested box closes) and other windows are not news. Nor are
    // windows of other threads: when this thread's last window closes, the system may
    // activate a window of another program (a test running alongside) through it.
    if (!IsWindow(dialog) || !IsDialogClass(dialog)) return;
    if (GetWindowThreadProcessId(dialog, nullptr) != GetCurrentThreadId()) return;
    if (ignored.count(dialog) || answered.count(dialog)) return;
    if (!IsWindowVisible(dialog)) {
        // Answer it as the user would see it: once it is on the screen.
        hidden.emplace(dialog, GetTickCount());
        SetTimer(mailbox, kVisibleTimer, kVisibleTick, nullptr);
        return;
    }
    hidden.erase(dialog);
    answered[dialog] = GetTickCount();
    std::string caption = dialog::Text(dialog);
    if (expected.empty()) {
        Fail("unexpected dialog '" + caption + "' (text '" +
                 dialog::ItemText(dialog, kMessageText) + "', " + HandleNote(dialog) + ")",
             dialog);
        return;
    }
    Expectation next = std::move(expected.front());
    expected.pop_front();
    if (!next.anyCaption && next.caption != caption) {
        Fail("expected dialog '" + next.caption + "', got '" + caption + "'", dialog);
        return;
    }
    next.action(dialog);
}

void DialogHarness::AnswerShown() {
    std::map<HWND, DWORD> waiting = hidden;
    for (const auto& entry : waiting) {
        HWND dialog = entry.first;
        if (!IsWindow(dialog))
            hidden.erase(dialog);
        else if (IsWindowVisible(dialog))
            Answer(dialog);
    }
    if (hidden.empty()) KillTimer(mailbox, kVisibleTimer);
}

// A dialog still open long after it was answered would hang the test.
void DialogHarness::Watch() {
    DWORD now = GetTickCount();
    std::map<HWND, DWORD> open = answered;  // the hook may change `answered`
    for (const auto& [dialog, since] : open) {
        if (!IsWindow(dialog) || now - since < watchdog) continue;
        ++failures;
        ADD_FAILURE() << "dialog '" << dialog::Text(dialog) << "' still open after " << watchdog
                      << " ms; ending it";
        answered[dialog] = now;
        Dismiss(dialog, true);
    }
    std::map<HWND, DWORD> waiting = hidden;
    for (const auto& [dialog, since] : waiting) {
        if (!IsWindow(dialog) || now - since < watchdog) continue;
        hidden.erase(dialog);
        Fail("dialog '" + dialog::Text(dialog) + "' never became visible", dialog);
    }
}

void DialogHarness::Fail(const std::string& what, HWND dialog) {
    ++failures;
    ADD_FAILURE() << what;
    Dismiss(dialog, false);
}

namespace dialog {

std::string Text(HWND window) {
    int length = GetWindowTextLengthA(window);
    std::string text(length + 1, '\0');
    text.resize(GetWindowTextA(window, &text[0], length + 1));
    return text;
}

std::string ItemText(HWND dialog, int id) {
    HWND item = GetDlgItem(dialog, id);
    return item ? Text(item) : std::string();
}

void Press(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    if (!button) {
        ADD_FAILURE() << "no button " << id << " in '" << Text(dialog) << "'";
        return;
    }
    if (!IsWindowEnabled(button)) {
        ADD_FAILURE() << "button " << id << " in '" << Text(dialog) << "' is disabled";
        return;
    }
    SendMessageA(button, BM_CLICK, 0, 0);
}

void SetCheck(HWND dialog, int id, bool checked) {
    if (IsChecked(dialog, id) != checked) Press(dialog, id);
}

void SetItemText(HWND dialog, int id, const char* text) {
    HWND item = GetDlgItem(dialog, id);
    if (!item) {
        ADD_FAILURE() << "no control " << id << " in '" << Text(dialog) << "'";
        return;
    }
    SendMessageA(item, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

bool IsChecked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

bool IsEnabled(HWND dialog, int id) {
    HWND item = GetDlgItem(dialog, id);
    return item && IsWindowEnabled(item);
}

void CloseBox(HWND dialog) { SendMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }

// The icon control's id differs between Wine and Windows; its style does not.
static UINT IconOf(HWND box) {
    static const struct {
        LPCSTR resource;
        UINT style;
    } kIcons[] = {{IDI_HAND, MB_ICONHAND},
                  {IDI_QUESTION, MB_ICONQUESTION},
                  {IDI_EXCLAMATION, MB_ICONEXCLAMATION},
                  {IDI_ASTERISK, MB_ICONASTERISK}};
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) continue;
        HICON shown = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
        if (!shown) continue;
        for (const auto& icon : kIcons)
            if (shown == LoadIconA(nullptr, icon.resource)) return icon.style;
    }
    return 0;
}

MessageBoxSeen ReadMessageBox(HWND box) {
    MessageBoxSeen seen;
    seen.caption = Text(box);
    seen.text = ItemText(box, kMessageText);
    seen.icon = IconOf(box);
    for (int id = IDOK; id <= IDCONTINUE; ++id)
        if (GetDlgItem(box, id)) seen.buttons.push_back(id);
    return seen;
}

FileDialogSeen ReadFileDialog(HWND fileDialog) {
    FileDialogSeen seen;
    seen.title = Text(fileDialog);
    seen.fileName = ItemText(fileDialog, kFileNameBox);
    HWND types = GetDlgItem(fileDialog, kFileTypeList);
    int count = types ? static_cast<int>(SendMessageA(types, CB_GETCOUNT, 0, 0)) : 0;
    for (int i = 0; i < count; ++i) {
        int length = static_cast<int>(SendMessageA(types, CB_GETLBTEXTLEN, i, 0));
        std::string description(length + 1, '\0');
        SendMessageA(types, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&description[0]));
        description.resize(strlen(description.c_str()));
        seen.filters.push_back(description);
    }
    HWND readOnly = GetDlgItem(fileDialog, kReadOnlyBox);
    seen.readOnlyShown = readOnly && IsWindowVisible(readOnly);
    seen.readOnlyChecked = readOnly && IsDlgButtonChecked(fileDialog, kReadOnlyBox) == BST_CHECKED;
    return seen;
}

}  // namespace dialog

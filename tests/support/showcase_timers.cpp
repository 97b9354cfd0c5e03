#include "showcase_timers.h"

#include <stdio.h>
#include <string.h>

namespace {

const UINT kReadyAfterMilliseconds = 1500;
const UINT kLookForDialogMilliseconds = 100;
enum ShowcaseTimer : UINT_PTR { kReadyTimer = 1, kFinishTimer, kDialogTimer };

HWND shown;                // the window whose rectangle is printed
void (*fillDialog)(HWND);  // writes into the dialog once it is up

struct ShownArea {
    HWND main;
    RECT rect;
};

// A dialog's drop-down list is a window of its own, over the dialog's edge.
BOOL CALLBACK AddPopup(HWND window, LPARAM found) {
    ShownArea* area = reinterpret_cast<ShownArea*>(found);
    RECT popup;
    if (window != area->main && IsWindowVisible(window) && GetWindowRect(window, &popup))
        UnionRect(&area->rect, &area->rect, &popup);
    return TRUE;
}

VOID CALLBACK Ready(HWND main, UINT, UINT_PTR timer, DWORD) {
    KillTimer(main, timer);
    ShownArea area = {main, {}};
    GetWindowRect(shown, &area.rect);
    if (shown != main)
        EnumThreadWindows(GetCurrentThreadId(), AddPopup, reinterpret_cast<LPARAM>(&area));
    const RECT& rect = area.rect;
    printf("rect %ld %ld %ld %ld\nready\n", rect.left, rect.top, rect.right - rect.left,
           rect.bottom - rect.top);
    fflush(stdout);
}

VOID CALLBACK Finish(HWND main, UINT, UINT_PTR timer, DWORD) {
    KillTimer(main, timer);
    if (shown != main) {
        PostMessageA(shown, WM_CLOSE, 0, 0);
        return;
    }
    EndMenu();  // a menu that a scene dropped down
    DestroyWindow(main);
    PostQuitMessage(0);
}

BOOL CALLBACK FindOwnedWindow(HWND window, LPARAM found) {
    HWND* dialog = reinterpret_cast<HWND*>(found);
    if (GetWindow(window, GW_OWNER) != *dialog || !IsWindowVisible(window)) return TRUE;
    *dialog = window;
    return FALSE;
}

// The dialog comes up inside `open`, whose modal loop runs these timers.
VOID CALLBACK LookForDialog(HWND main, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = main;
    EnumThreadWindows(GetCurrentThreadId(), FindOwnedWindow, reinterpret_cast<LPARAM>(&dialog));
    if (dialog == main) return;
    KillTimer(main, timer);
    shown = dialog;
    if (fillDialog) fillDialog(dialog);
    SetTimer(main, kReadyTimer, kReadyAfterMilliseconds, Ready);
}

}  // namespace

void StartShowcaseTimers(HWND main, int seconds) {
    shown = main;
    SetTimer(main, kReadyTimer, kReadyAfterMilliseconds, Ready);
    SetTimer(main, kFinishTimer, static_cast<UINT>(seconds) * 1000, Finish);
}

void ShowcaseDialog(HWND main, int seconds, void (*open)(HWND), void (*fill)(HWND)) {
    shown = main;
    fillDialog = fill;
    SetTimer(main, kDialogTimer, kLookForDialogMilliseconds, LookForDialog);
    SetTimer(main, kFinishTimer, static_cast<UINT>(seconds) * 1000, Finish);
    open(main);
}

bool ShowcaseDialogScene(HWND main, int seconds, const char* scene, const DialogScene* scenes,
                         int count) {
    for (int i = 0; i < count; ++i) {
        if (strcmp(scene, scenes[i].name) != 0) continue;
        ShowcaseDialog(main, seconds, scenes[i].open, scenes[i].fill);
        return true;
    }
    return false;
}

const char* TakeSceneArgument(int* argc, char*** argv, const char* fallback) {
    if (*argc < 3 || strcmp((*argv)[1], "--scene") != 0) return fallback;
    const char* scene = (*argv)[2];
    *argc -= 2;
    *argv += 2;
    return scene;
}

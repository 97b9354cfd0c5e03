#include "showcase_timers.h"

#include <stdio.h>

namespace {

const UINT kReadyAfterMilliseconds = 1500;

VOID CALLBACK Ready(HWND main, UINT, UINT_PTR timer, DWORD) {
    KillTimer(main, timer);
    RECT rect;
    GetWindowRect(main, &rect);
    printf("rect %ld %ld %ld %ld\nready\n", rect.left, rect.top, rect.right - rect.left,
           rect.bottom - rect.top);
    fflush(stdout);
}

VOID CALLBACK Finish(HWND main, UINT, UINT_PTR, DWORD) {
    DestroyWindow(main);
    PostQuitMessage(0);
}

}  // namespace

void StartShowcaseTimers(HWND main, int seconds) {
    SetTimer(main, 1, kReadyAfterMilliseconds, Ready);
    SetTimer(main, 2, static_cast<UINT>(seconds) * 1000, Finish);
}

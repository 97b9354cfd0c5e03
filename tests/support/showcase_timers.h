// Timers of the showcase programs that screenshots are taken of: after a
// moment they print the window's screen rectangle and "ready", and after
// `seconds` they close the window and end the message loop.
#ifndef ZEV_TESTS_SHOWCASE_TIMERS_H
#define ZEV_TESTS_SHOWCASE_TIMERS_H

#include <windows.h>

void StartShowcaseTimers(HWND main, int seconds);

#endif

// Timers of the showcase programs that screenshots are taken of: after a
// moment they print the screen rectangle of the window shown and "ready", and
// after `seconds` they close it.
#ifndef ZEV_TESTS_SHOWCASE_TIMERS_H
#define ZEV_TESTS_SHOWCASE_TIMERS_H

#include <windows.h>

// The main window is shown; at the end it is closed and the message loop ends.
void StartShowcaseTimers(HWND main, int seconds);

// A modal dialog is shown: `open` runs it over `main`. Once it is up, `fill`
// (when given) writes into it; at the end it is closed as by its close box, so
// that nothing it holds is taken. Returns when the dialog has ended.
void ShowcaseDialog(HWND main, int seconds, void (*open)(HWND main), void (*fill)(HWND dialog));

#endif

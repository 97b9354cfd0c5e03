// The showcase programs that screenshots are taken of: their scenes, and
// timers that after a moment print the screen rectangle of the window shown
// and "ready", and after `seconds` close it.
#ifndef ZEV_TESTS_SHOWCASE_TIMERS_H
#define ZEV_TESTS_SHOWCASE_TIMERS_H

#include <windows.h>

// The main window is shown; at the end it is closed and the message loop ends.
void StartShowcaseTimers(HWND main, int seconds);

// A modal dialog is shown: `open` runs it over `main`. Once it is up, `fill`
// (when given) writes into it; at the end it is closed as by its close box, so
// that nothing it holds is taken. Returns when the dialog has ended.
void ShowcaseDialog(HWND main, int seconds, void (*open)(HWND main), void (*fill)(HWND dialog));

// A scene that shows one of the program's modal dialogs.
struct DialogScene {
    const char* name;
    void (*open)(HWND main);
    void (*fill)(HWND dialog);  // may be null
};

// Shows the dialog of the scene named `scene` when one of the `count` scenes
// is so named; false when none is.
bool ShowcaseDialogScene(HWND main, int seconds, const char* scene, const DialogScene* scenes,
                         int count);

// Takes "--scene NAME" off the front of the arguments and returns NAME, or
// `fallback` when they do not start so.
const char* TakeSceneArgument(int* argc, char*** argv, const char* fallback);

#endif

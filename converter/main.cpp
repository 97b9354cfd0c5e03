// Start-up of the converter.
#include "converter.h"
#include "resource.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    HACCEL accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_ACCELERATORS));
    HWND window = CreateMainWindow(instance);
    if (!window) return 1;
    return RunMessageLoop(window, accelerators);
}

// Entry point of Zev.dll: remembers the module handle, which the setup
// dialog needs to find its resource.
#include <windows.h>

HINSTANCE zevInstance = nullptr;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) zevInstance = instance;
    return TRUE;
}

// Window placement, the always-on-top switch and the clamping of a number.
#include <windows.h>

#include "hobu.h"

extern "C" int HOBUAPI AlwaysToTop(HWND window, int mode) {
    HWND band;
    switch (mode) {
        case HOBU_TOPMOST_ON:
            band = HWND_TOPMOST;
            break;
        case HOBU_TOPMOST_OFF:
            band = HWND_NOTOPMOST;
            break;
        default:
            return mode - 1;
    }
    return SetWindowPos(window, band, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE);
}

extern "C" double HOBUAPI CheckOverflow(double value, double lower, double upper) {
    double result = value < upper ? value : upper;
    return lower > result ? lower : result;
}

// Top-left corner for `mode` of a w x h window inside `area`.
static POINT Place(unsigned int mode, const RECT& area, int w, int h) {
    int areaWidth = area.right - area.left;
    int areaHeight = area.bottom - area.top;
    switch (mode) {
        case HOBU_POS_CENTER:
            return {area.left + areaWidth / 2 - w / 2, area.top + areaHeight / 2 - h / 2};
        case HOBU_POS_TOPLEFT:
            return {area.left, area.top};
        case HOBU_POS_TOPRIGHT:
            return {area.right - w, area.top};
        case HOBU_POS_BOTTOMLEFT:
            return {area.left, area.bottom - h};
        default:
            return {area.right - w, area.bottom - h};
    }
}

extern "C" int HOBUAPI WindowPos(HWND window, HWND reference, unsigned int mode) {
    mode &= 0xFFFF;
    if (!window || mode > HOBU_POS_BOTTOMRIGHT) return 0;
    RECT own;
    GetWindowRect(window, &own);
    int w = own.right - own.left;
    int h = own.bottom - own.top;
    int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    RECT area = {0, 0, screenWidth, screenHeight};
    if (reference) GetWindowRect(reference, &area);

    POINT corner = Place(mode, area, w, h);
    // Keep only the top-left corner on the screen.
    if (corner.x < 0) corner.x = 0;
    if (corner.x > screenWidth) corner.x = screenWidth - w;
    if (corner.y < 0) corner.y = 0;
    if (corner.y > screenHeight) corner.y = screenHeight - h;
    SetWindowPos(window, HWND_TOP, corner.x, corner.y, 0, 0, SWP_NOSIZE);
    return 1;
}

// Window placement and the always-on-top switch, on real windows under
// Wine's null display driver.
#include <gtest/gtest.h>

#include <windows.h>

#include "hobu.h"

namespace {

class WindowTest : public ::testing::Test {
protected:
    void TearDown() override {
        for (HWND window : windows) DestroyWindow(window);
    }

    // A plain popup: its window rectangle is exactly the given one.
    HWND Popup(int x, int y, int width, int height, DWORD style = 0) {
        HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP | style, x, y, width, height,
                                      nullptr, nullptr, nullptr, nullptr);
        EXPECT_NE(nullptr, window);
        windows.push_back(window);
        return window;
    }

    static POINT Corner(HWND window) {
        RECT rect;
        GetWindowRect(window, &rect);
        return {rect.left, rect.top};
    }

    static bool IsTopmost(HWND window) {
        return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    }

    std::vector<HWND> windows;
    const int W = GetSystemMetrics(SM_CXSCREEN);
    const int H = GetSystemMetrics(SM_CYSCREEN);
};

#define EXPECT_CORNER(left, top, window) \
    do {                                 \
        POINT corner = Corner(window);   \
        EXPECT_EQ(left, corner.x);       \
        EXPECT_EQ(top, corner.y);        \
    } while (0)

TEST_F(WindowTest, ScreenModesPlaceTheWindowWithoutResizingIt) {
    ASSERT_GT(W, 400);
    ASSERT_GT(H, 300);
    HWND window = Popup(7, 9, 401, 301);
    EXPECT_EQ(1, WindowPos(window, nullptr, HOBU_POS_CENTER));
    EXPECT_CORNER(W / 2 - 200, H / 2 - 150, window);
    EXPECT_EQ(1, WindowPos(window, nullptr, HOBU_POS_TOPRIGHT));
    EXPECT_CORNER(W - 401, 0, window);
    EXPECT_EQ(1, WindowPos(window, nullptr, HOBU_POS_BOTTOMLEFT));
    EXPECT_CORNER(0, H - 301, window);
    EXPECT_EQ(1, WindowPos(window, nullptr, HOBU_POS_BOTTOMRIGHT));
    EXPECT_CORNER(W - 401, H - 301, window);
    EXPECT_EQ(1, WindowPos(window, nullptr, HOBU_POS_TOPLEFT));
    EXPECT_CORNER(0, 0, window);
    RECT rect;
    GetWindowRect(window, &rect);
    EXPECT_EQ(401, rect.right - rect.left);
    EXPECT_EQ(301, rect.bottom - rect.top);
}

TEST_F(WindowTest, CentresA400By300WindowOnA1024By768Screen) {
    if (W != 1024 || H != 768) GTEST_SKIP() << "screen is " << W << "x" << H;
    HWND window = Popup(0, 0, 400, 300);
    EXPECT_EQ(1, WindowPos(window, nullptr, HOBU_POS_CENTER));
    EXPECT_CORNER(312, 234, window);
}

TEST_F(WindowTest, ReferenceModesFollowTheReferenceRectangle) {
    HWND reference = Popup(100, 50, 301, 201);
    HWND window = Popup(0, 0, 51, 31);
    EXPECT_EQ(1, WindowPos(window, reference, HOBU_POS_CENTER));
    EXPECT_CORNER(100 + 150 - 25, 50 + 100 - 15, window);  // each half rounded down
    EXPECT_EQ(1, WindowPos(window, reference, HOBU_POS_TOPLEFT));
    EXPECT_CORNER(100, 50, window);
    EXPECT_EQ(1, WindowPos(window, reference, HOBU_POS_TOPRIGHT));
    EXPECT_CORNER(401 - 51, 50, window);
    EXPECT_EQ(1, WindowPos(window, reference, HOBU_POS_BOTTOMLEFT));
    EXPECT_CORNER(100, 251 - 31, window);
    EXPECT_EQ(1, WindowPos(window, reference, HOBU_POS_BOTTOMRIGHT));
    EXPECT_CORNER(401 - 51, 251 - 31, window);
}

TEST_F(WindowTest, TopLeftCornerIsClampedOntoTheScreen) {
    HWND window = Popup(0, 0, 60, 40);
    HWND farLeft = Popup(-500, -400, 100, 100);
    EXPECT_EQ(1, WindowPos(window, farLeft, HOBU_POS_TOPLEFT));
    EXPECT_CORNER(0, 0, window);

    HWND farRight = Popup(W + 100, H + 100, 100, 100);
    EXPECT_EQ(1, WindowPos(window, farRight, HOBU_POS_TOPLEFT));
    EXPECT_CORNER(W - 60, H - 40, window);

    // A window hanging over the right and bottom edges is left there.
    HWND nearEdge = Popup(W - 10, H - 10, 100, 100);
    EXPECT_EQ(1, WindowPos(window, nearEdge, HOBU_POS_TOPLEFT));
    EXPECT_CORNER(W - 10, H - 10, window);
}

TEST_F(WindowTest, BadModeOrNoWindowMovesNothing) {
    HWND window = Popup(11, 13, 60, 40);
    EXPECT_EQ(0, WindowPos(window, nullptr, 5));
    EXPECT_EQ(0, WindowPos(window, nullptr, 0xFFFF));
    EXPECT_CORNER(11, 13, window);
    EXPECT_EQ(0, WindowPos(nullptr, nullptr, HOBU_POS_CENTER));
    // Only the low 16 bits of the mode count: this is mode 1.
    EXPECT_EQ(1, WindowPos(window, nullptr, 0x10001));
    EXPECT_CORNER(0, 0, window);
}

TEST_F(WindowTest, WindowPosBringsTheWindowToTheTop) {
    HWND lower = Popup(0, 0, 50, 50, WS_VISIBLE);
    HWND upper = Popup(0, 0, 50, 50, WS_VISIBLE);
    SetWindowPos(upper, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ASSERT_EQ(lower, GetWindow(upper, GW_HWNDNEXT));
    EXPECT_EQ(1, WindowPos(lower, nullptr, HOBU_POS_CENTER));
    EXPECT_EQ(upper, GetWindow(lower, GW_HWNDNEXT));
}

TEST_F(WindowTest, AlwaysToTopSwitchesTheTopmostBandAndShowsTheWindow) {
    HWND window = Popup(0, 0, 50, 50);
    ASSERT_FALSE(IsWindowVisible(window));
    EXPECT_NE(0, AlwaysToTop(window, HOBU_TOPMOST_ON));
    EXPECT_TRUE(IsTopmost(window));
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(2, AlwaysToTop(window, 3));
    EXPECT_EQ(-2, AlwaysToTop(window, -1));
    EXPECT_TRUE(IsTopmost(window));
    EXPECT_NE(0, AlwaysToTop(window, HOBU_TOPMOST_OFF));
    EXPECT_FALSE(IsTopmost(window));
    EXPECT_EQ(2, AlwaysToTop(window, 3));
    EXPECT_FALSE(IsTopmost(window));
}

}  // namespace

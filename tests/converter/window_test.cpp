// The converter's window: start-up state, layout, keys, about, help, exit.
#include "converter_fixture.h"
#include "help_seam.h"
#include "zev_version.h"

namespace {

using WindowTest = ConverterTest;

std::string Describe(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
           "," + std::to_string(r.bottom);
}

// A child's rectangle in client coordinates, as "left,top,right,bottom".
std::string ChildRect(HWND window, int id) {
    RECT rect;
    GetWindowRect(GetDlgItem(window, id), &rect);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
    return Describe(rect);
}

TEST_F(WindowTest, StartsWithoutADictionary) {
    EXPECT_EQ("MARDELKO", dialog::Text(window));
    EXPECT_EQ("方言辞書を開く(&D)\tCtrl+D", MenuText(IDM_OPEN_DICTIONARY));
    EXPECT_EQ("テキストを開く(&O)\tCtrl+O", MenuText(IDM_OPEN_TEXT));
    EXPECT_EQ("変換テキストを保存(&A)", MenuText(IDM_SAVE_TEXT));
    EXPECT_EQ("MARDELKOの終了(&X)", MenuText(IDM_EXIT));
    EXPECT_EQ("方言辞書が開かれていません(&T)\tCtrl+T", MenuText(IDM_CONVERT_FORWARD));
    EXPECT_EQ("方言辞書が開かれていません(&R)\tCtrl+R", MenuText(IDM_CONVERT_BACKWARD));
    EXPECT_EQ("辞書の設定(&S)", MenuText(IDM_SETUP));
    EXPECT_EQ("辞書を最新の情報に更新(&U)\tF5", MenuText(IDM_REFRESH));
    EXPECT_EQ("トピックの検索(&S)", MenuText(IDM_HELP_TOPICS));
    EXPECT_EQ("バージョン情報(&V)", MenuText(IDM_ABOUT));
    for (int id :
         {IDM_OPEN_DICTIONARY, IDM_OPEN_TEXT, IDM_SAVE_TEXT, IDM_EXIT, IDM_HELP_TOPICS, IDM_ABOUT})
        EXPECT_TRUE(MenuEnabled(id)) << id;
    for (int id : {IDM_CONVERT_FORWARD, IDM_CONVERT_BACKWARD, IDM_SETUP, IDM_REFRESH})
        EXPECT_FALSE(MenuEnabled(id)) << id;
    EXPECT_EQ(0, converterState.level);
    EXPECT_EQ(0, converterState.typeMask);
    EXPECT_NE(0u, GetClassLongPtrA(window, GCLP_HICON));
}

TEST_F(WindowTest, OpensCentredAt512By384) {
    RECT rect;
    GetWindowRect(window, &rect);
    EXPECT_EQ(512, rect.right - rect.left);
    EXPECT_EQ(384, rect.bottom - rect.top);
    EXPECT_EQ((GetSystemMetrics(SM_CXSCREEN) - 512) / 2, rect.left);
    EXPECT_EQ((GetSystemMetrics(SM_CYSCREEN) - 384) / 2, rect.top);
}

TEST_F(WindowTest, LayoutSplitsTheClientArea) {
    for (SIZE size : {SIZE{640, 481}, SIZE{300, 300}, SIZE{1000, 700}}) {
        SetWindowPos(window, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
        RECT client;
        GetClientRect(window, &client);
        int w = client.right, h = client.bottom;
        EXPECT_EQ(Describe({0, 2, w, 2 + h / 2}), ChildRect(window, IDC_INPUT));
        EXPECT_EQ(Describe({0, h / 2 + 4, w, h}), ChildRect(window, IDC_OUTPUT));
    }
    // Minimised, the layout is left alone.
    std::string before = ChildRect(window, IDC_INPUT);
    SendMessageA(window, WM_SIZE, SIZE_MINIMIZED, MAKELPARAM(10, 10));
    EXPECT_EQ(before, ChildRect(window, IDC_INPUT));
}

TEST_F(WindowTest, CannotBeMadeSmallerThan300By300) {
    MINMAXINFO info = {};
    SendMessageA(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(300, info.ptMinTrackSize.x);
    EXPECT_EQ(300, info.ptMinTrackSize.y);
}

TEST_F(WindowTest, TextBoxesHoldMoreThanTheLargestText) {
    for (int id : {IDC_INPUT, IDC_OUTPUT}) {
        auto limit =
            static_cast<unsigned long>(SendDlgItemMessageA(window, id, EM_GETLIMITTEXT, 0, 0));
        EXPECT_GT(limit, 1000000ul) << id;
    }
    std::string big(200000, 'x');
    SetInput(big);
    EXPECT_EQ(big.size(), InputText().size());
}

TEST_F(WindowTest, EscapeInATextBoxDoesNothing) {
    for (int id : {IDC_INPUT, IDC_OUTPUT}) {
        HWND box = GetDlgItem(window, id);
        SetFocus(box);
        MSG message = {box, WM_KEYDOWN, VK_ESCAPE, 1, 0, {0, 0}};
        if (!IsDialogMessageA(window, &message)) DispatchMessageA(&message);
        Pump();
        EXPECT_TRUE(IsWindow(window)) << id;
        MSG quit;
        EXPECT_FALSE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)) << id;
    }
}

TEST_F(WindowTest, AcceleratorsOfGrayedItemsDoNothing) {
    // No dialog is expected: each of these commands would show a message box
    // if it reached the program.
    TranslateKey('T', true);
    TranslateKey('R', true);
    TranslateKey(VK_F5, false);
    Pump();
    EXPECT_TRUE(harness.Finished());
    // An enabled item's accelerator does reach the program.
    harness.ExpectFileDialog(nullptr);
    EXPECT_TRUE(TranslateKey('D', true));
    harness.ExpectFileDialog(nullptr);
    EXPECT_TRUE(TranslateKey('O', true));
    EXPECT_TRUE(harness.Finished());
}

TEST_F(WindowTest, AboutBoxIsCentredAndClosesWithOk) {
    std::string version, title;
    RECT aboutRect = {};
    harness.ExpectDialog("バージョン情報", [&](HWND about) {
        version = dialog::ItemText(about, IDC_ABOUT_VERSION);
        GetWindowRect(about, &aboutRect);
        EXPECT_EQ(GetDlgItem(about, IDC_ABOUT_OK), GetFocus());
        dialog::Press(about, IDC_ABOUT_OK);
    });
    Command(IDM_ABOUT);
    EXPECT_EQ("MARDELKO    Version " ZEV_VERSION, version);
    RECT main;
    GetWindowRect(window, &main);
    int aboutWidth = aboutRect.right - aboutRect.left;
    EXPECT_EQ(main.left + (main.right - main.left) / 2 - aboutWidth / 2, aboutRect.left);
    // Escape and the close box end it too.
    harness.ExpectDialog("バージョン情報",
                         [](HWND about) { PostMessageA(about, WM_COMMAND, IDCANCEL, 0); });
    Command(IDM_ABOUT);
    harness.ExpectDialog("バージョン情報", [](HWND about) { dialog::CloseBox(about); });
    Command(IDM_ABOUT);
}

TEST_F(WindowTest, ExitClosesTheWindowAndEndsTheLoop) {
    Command(IDM_EXIT);
    Pump();
    EXPECT_FALSE(IsWindow(window));
    MSG quit;
    ASSERT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(0u, quit.wParam);
}

TEST_F(WindowTest, HelpViewerIsToldToQuitWhenTheWindowCloses) {
    HelpSeam seam;
    seam.Place("Mardelko.hlp");  // found in the current folder
    seam.Place(HelpSeam::BesideProgram("Mardelko.html"));
    Command(IDM_HELP_TOPICS);
    EXPECT_TRUE(converterState.helpShown);
    EXPECT_TRUE(seam.opened.empty());
    DestroyWindow(window);
    EXPECT_FALSE(converterState.helpShown);
}

}  // namespace

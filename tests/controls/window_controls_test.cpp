// The control operations on real Windows controls in this process: a parent
// window that routes EN_CHANGE the way the main window does.

#include "controls/window_controls_win.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include "controls/window_text_win.h"
#include "text/code_page_win.h"

namespace quorvane {
namespace {

constexpr int kLogId = 1;
constexpr int kPathId = 2;

WindowControls* routed = nullptr;

LRESULT CALLBACK ParentProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE && routed != nullptr) {
        routed->NotifyTextChanged(LOWORD(wParam) == kLogId ? ControlName::编辑框2
                                                           : ControlName::编辑框1);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

class WindowControlsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_PROGRESS_CLASS};
        InitCommonControlsEx(&classes);
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = ParentProcedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"ControlsTestParent";
        RegisterClassW(&windowClass);
        parent_ = CreateWindowExW(0, L"ControlsTestParent", L"", WS_OVERLAPPEDWINDOW, 0, 0, 400,
                                  300, nullptr, nullptr, windowClass.hInstance, nullptr);
        ASSERT_NE(parent_, nullptr);
        Attach(ControlName::编辑框2, L"EDIT",
               ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL, kLogId);
        Attach(ControlName::编辑框1, L"EDIT", ES_AUTOHSCROLL, kPathId);
        Attach(ControlName::进度条1, PROGRESS_CLASSW, 0, 3);
        SendMessageW(controls_.State(ControlName::进度条1).window, PBM_SETRANGE32, 0, 100);
        controls_.State(ControlName::编辑框2).onTextChanged = [this] {
            ++logChanges_;
            controls_.SetSelectionStart(ControlName::编辑框2, -1);
        };
        controls_.State(ControlName::编辑框1).onTextChanged = [this] { ++pathChanges_; };
        routed = &controls_;
    }

    void TearDown() override {
        routed = nullptr;
        DestroyWindow(parent_);
    }

    void Attach(ControlName name, const wchar_t* className, DWORD style, int id) {
        controls_.State(name).window = CreateWindowExW(
            0, className, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 200, 100, parent_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(controls_.State(name).window, nullptr);
    }

    HWND Window(ControlName name) { return controls_.State(name).window; }
    std::string Shown(ControlName name) { return Cp936FromWide(WindowTextWide(Window(name))); }
    std::pair<DWORD, DWORD> Selection(ControlName name) {
        DWORD start = 0, end = 0;
        SendMessageW(Window(name), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }

    HWND parent_ = nullptr;
    WindowControls controls_;
    int logChanges_ = 0;
    int pathChanges_ = 0;
};

TEST_F(WindowControlsTest, AppendTextKeepsTheTextRaisesOneEventAndEndsWithTheCaretAtTheEnd) {
    controls_.AppendText(ControlName::编辑框2, "文件名：a.txt\r\n");
    controls_.AppendText(ControlName::编辑框2, "目录：C:");
    EXPECT_EQ(Shown(ControlName::编辑框2), "文件名：a.txt\r\n目录：C:");
    EXPECT_EQ(logChanges_, 2);
    // UTF-16 positions: 4 + 5 + 2 + 3 + 2 characters.
    EXPECT_EQ(Selection(ControlName::编辑框2), std::make_pair(DWORD{16}, DWORD{16}));
    EXPECT_EQ(controls_.State(ControlName::编辑框2).edit.selectionStart, 23);  // bytes
    EXPECT_FALSE(SendMessageW(Window(ControlName::编辑框2), EM_CANUNDO, 0, 0));
}

TEST_F(WindowControlsTest, SetSelectionStartCountsBytesAndMapsThemOntoCharacters) {
    EXPECT_EQ(Selection(ControlName::编辑框2), std::make_pair(DWORD{0}, DWORD{0}));
    controls_.SetSelectionStart(ControlName::编辑框2, -1);
    EXPECT_EQ(Selection(ControlName::编辑框2), std::make_pair(DWORD{0}, DWORD{0}));

    controls_.AppendText(ControlName::编辑框2, "粉碎ab");
    controls_.SetSelectionStart(ControlName::编辑框2, 4);  // after the two Chinese characters
    EXPECT_EQ(Selection(ControlName::编辑框2), std::make_pair(DWORD{2}, DWORD{2}));
    controls_.SetSelectionStart(ControlName::编辑框2, -7);
    EXPECT_EQ(Selection(ControlName::编辑框2), std::make_pair(DWORD{0}, DWORD{0}));
    controls_.SetSelectionStart(ControlName::编辑框2, 99);
    EXPECT_EQ(Selection(ControlName::编辑框2), std::make_pair(DWORD{4}, DWORD{4}));
}

TEST_F(WindowControlsTest, SetTextRaisesExactlyOneEventEvenForTheSameText) {
    controls_.SetText(ControlName::编辑框1, "");
    EXPECT_EQ(pathChanges_, 1);
    controls_.SetText(ControlName::编辑框1, "C:\\粉碎\\a.txt");
    EXPECT_EQ(pathChanges_, 2);
    EXPECT_EQ(Shown(ControlName::编辑框1), "C:\\粉碎\\a.txt");
    EXPECT_EQ(controls_.State(ControlName::编辑框1).edit.text, "C:\\粉碎\\a.txt");
}

TEST_F(WindowControlsTest, SetProgressClampsWhatItStoresAndWhatItShows) {
    struct Case {
        int set, stored, shown;
    };
    for (Case c :
         {Case{150, 150, 100}, Case{-5, 0, 0}, Case{40000, 32767, 100}, Case{40, 40, 40}}) {
        controls_.SetProgress(ControlName::进度条1, c.set);
        EXPECT_EQ(controls_.State(ControlName::进度条1).progress.position, c.stored) << c.set;
        EXPECT_EQ(SendMessageW(Window(ControlName::进度条1), PBM_GETPOS, 0, 0), c.shown) << c.set;
    }
}

TEST_F(WindowControlsTest, SetDisabledGreysTheWindowOut) {
    controls_.SetDisabled(ControlName::编辑框1, true);
    EXPECT_FALSE(IsWindowEnabled(Window(ControlName::编辑框1)));
    controls_.SetDisabled(ControlName::编辑框1, false);
    EXPECT_TRUE(IsWindowEnabled(Window(ControlName::编辑框1)));
}

TEST(Pause, NegativeReturnsAtOnceAndFiftyWaits) {
    WindowControls controls;
    ULONGLONG start = GetTickCount64();
    controls.Pause(-1);
    EXPECT_LT(GetTickCount64() - start, 20u);
    start = GetTickCount64();
    controls.Pause(50);
    EXPECT_GE(GetTickCount64() - start, 40u);
}

}  // namespace
}  // namespace quorvane

// End-to-end tests: the real program, driven from outside as a person would.

#include <gtest/gtest.h>

#include "tests/gui/program_driver_win.h"

#include <commctrl.h>

#include <vector>

#include "app/resource_ids.h"
#include "tests/gui/pointer_input_win.h"
#include "tests/gui/screen_pixels_win.h"
#include "workflow/catalogue.h"

namespace quorvane::gui {
namespace {

constexpr DWORD kWatchdogSeconds = 60;
constexpr DWORD kExitMs = 10000;
constexpr DWORD kStepMs = 10000;
constexpr int kWidth = 388;
constexpr int kHeight = 304;
constexpr COLORREF kBlack = RGB(0x00, 0x00, 0x00);
constexpr COLORREF kGreen = RGB(0x00, 0xFF, 0x00);
constexpr COLORREF kBlue = RGB(0x00, 0x00, 0xFF);
// Letters are drawn smoothed: their edges blend into the background, so a
// colour counts when it is this close to the one asked for.
constexpr int kTolerance = 48;

class MainWindowTest : public ::testing::Test {
  protected:
    MainWindowTest() : program_(ProgramPath()), watchdog_(program_.Process(), kWatchdogSeconds) {}

    void SetUp() override { ASSERT_NE(program_.Main(), nullptr) << "no main window appeared"; }

    std::string Log() const { return program_.Text(program_.Control(IDC_EDIT2)); }
    bool Enabled(int id) const { return IsWindowEnabled(program_.Control(id)) != FALSE; }
    bool IsIdle() const {
        return Enabled(IDC_BUTTON1) && Enabled(IDC_EDIT1) && !Enabled(IDC_BUTTON2) &&
               !Enabled(IDC_BUTTON3);
    }
    bool IsLoaded() const {
        return !Enabled(IDC_BUTTON1) && !Enabled(IDC_EDIT1) && Enabled(IDC_BUTTON2) &&
               Enabled(IDC_BUTTON3);
    }

    // Open, choose `path`, and wait until the log has taken the outcome.
    void Load(const std::wstring& path) {
        std::size_t before = Log().size();
        program_.Click(IDC_BUTTON1);
        HWND dialog = program_.WaitForFileDialog();
        ASSERT_NE(dialog, nullptr) << "no open-file dialog";
        program_.ChooseInDialog(dialog, path);
        ASSERT_TRUE(program_.WaitUntil(
            [&] {
                return IsLoaded() ||
                       Log().find(catalogue::kLoadFailureLine, before) != std::string::npos;
            },
            kStepMs));
    }

    // Closes the confirmation box with `button`; the box, to wait for its end.
    HWND Answer(int button) {
        HWND box = program_.WaitForMessageBox();
        EXPECT_NE(box, nullptr) << "no confirmation box";
        if (box == nullptr) {
            return nullptr;
        }
        EXPECT_EQ(program_.Text(box), catalogue::kConfirmShredTitle);
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
        return box;
    }

    ProgramDriver program_;
    Watchdog watchdog_;
};

std::string LoadLines(const std::wstring& path, const std::string& size) {
    std::string narrow = Cp936(path);
    std::size_t slash = narrow.rfind('\\');
    return std::string(catalogue::kNameLinePrefix) + narrow.substr(slash + 1) + "\r\n" +
           catalogue::kDirectoryLinePrefix + narrow.substr(0, slash) + "\r\n" +
           catalogue::kSizeLinePrefix + size + catalogue::kSizeLineSuffix;
}

DWORD OpenErrorFromOutside(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return GetLastError();
    }
    CloseHandle(file);
    return ERROR_SUCCESS;
}

TEST_F(MainWindowTest, StartsCentredWithItsControlsInPlace) {
    RECT outer{};
    GetWindowRect(program_.Main(), &outer);
    EXPECT_EQ(outer.right - outer.left, kWidth);
    EXPECT_EQ(outer.bottom - outer.top, kHeight);
    EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2);
    EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2);
    EXPECT_EQ(program_.Text(program_.Main()), catalogue::kWindowTitle);
    LONG frame = GetWindowLongW(program_.Main(), GWL_STYLE);
    EXPECT_EQ(frame & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
    EXPECT_NE(frame & WS_SYSMENU, 0);

    struct Expected {
        int id;
        RECT place;
        const wchar_t* className;
        LONG styleSet;
        LONG styleClear;
        const char* text;
    };
    const LONG kLog = ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_TABSTOP;
    const Expected controls[] = {
        {IDC_LABEL1,
         {15, 14, 135, 30},
         L"Static",
         SS_OWNERDRAW,
         WS_TABSTOP,
         catalogue::kChooseLabel},
        {IDC_EDIT1,
         {15, 40, 365, 64},
         L"Edit",
         WS_TABSTOP | ES_AUTOHSCROLL,
         ES_MULTILINE | ES_READONLY | WS_DISABLED,
         ""},
        {IDC_BUTTON1,
         {304, 8, 364, 32},
         L"Button",
         WS_TABSTOP | BS_MULTILINE,
         BS_DEFPUSHBUTTON | WS_DISABLED,
         catalogue::kOpenButton},
        {IDC_PROGRESS1, {15, 230, 365, 246}, L"msctls_progress32", 0, PBS_SMOOTH | WS_TABSTOP, ""},
        {IDC_EDIT2, {15, 67, 365, 184}, L"Edit", kLog, WS_HSCROLL | ES_AUTOHSCROLL, ""},
        {IDC_BUTTON2,
         {54, 192, 144, 222},
         L"Button",
         WS_TABSTOP | WS_DISABLED,
         BS_DEFPUSHBUTTON,
         catalogue::kShredButton},
        {IDC_BUTTON3,
         {224, 192, 314, 222},
         L"Button",
         WS_TABSTOP | WS_DISABLED,
         BS_DEFPUSHBUTTON,
         catalogue::kCancelButton},
        {IDC_HYPERLINK1, {120, 254, 248, 270}, L"QuorvaneHyperlink", 0, WS_TABSTOP, nullptr},
    };
    for (const Expected& expected : controls) {
        SCOPED_TRACE(expected.id);
        HWND control = program_.Control(expected.id);
        ASSERT_NE(control, nullptr);
        RECT place{};
        GetWindowRect(control, &place);
        MapWindowPoints(nullptr, program_.Main(), reinterpret_cast<POINT*>(&place), 2);
        EXPECT_EQ(place.left, expected.place.left);
        EXPECT_EQ(place.top, expected.place.top);
        EXPECT_EQ(place.right, expected.place.right);
        EXPECT_EQ(place.bottom, expected.place.bottom);
        wchar_t className[64] = {};
        GetClassNameW(control, className, 64);
        EXPECT_EQ(_wcsicmp(className, expected.className), 0) << Cp936(className);
        LONG style = GetWindowLongW(control, GWL_STYLE);
        EXPECT_EQ(style & expected.styleSet, expected.styleSet);
        EXPECT_EQ(style & expected.styleClear, 0);
        EXPECT_TRUE(IsWindowVisible(control));
        if (expected.text != nullptr) {
            EXPECT_EQ(program_.Text(control), expected.text);
        }
    }
    EXPECT_FALSE(IsWindowVisible(program_.Control(IDC_COMMONDLG1)));
    EXPECT_EQ(program_.Focus(), program_.Control(IDC_EDIT1));
}

// Whether the control shows `colour` somewhere on the screen now.
bool Shows(HWND control, COLORREF colour) {
    return ScreenPixels::OfWindow(control).CountNear(colour, kTolerance) > 0;
}

TEST_F(MainWindowTest, DrawsTheLabelBlackAndTheLinkAndTheLogGreenOnTheFaceColour) {
    HWND label = program_.Control(IDC_LABEL1);
    HWND link = program_.Control(IDC_HYPERLINK1);
    HWND log = program_.Control(IDC_EDIT2);
    MovePointerTo({0, 0});  // away from the link, which would turn blue under it
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    ASSERT_TRUE(program_.WaitUntil([&] { return Shows(label, kBlack) && Shows(link, kGreen); },
                                   kStepMs));
    for (HWND control : {label, link}) {
        ScreenPixels pixels = ScreenPixels::OfWindow(control);
        // Mostly background, exactly the face colour: text covers only a part.
        EXPECT_GT(pixels.CountNear(face, 0) * 2, pixels.size()) << control;
        EXPECT_EQ(pixels.CountNear(kBlue, kTolerance), 0u) << control;
    }
    EXPECT_EQ(ScreenPixels::OfWindow(label).CountNear(kGreen, kTolerance), 0u);
    EXPECT_EQ(ScreenPixels::OfWindow(link).CountNear(kBlack, kTolerance), 0u);

    EXPECT_FALSE(Shows(log, kGreen)) << "the log is empty at the start";
    std::wstring path = MakeTemporaryFile(L"colour.bin", "colour");
    Load(path);
    ASSERT_TRUE(IsLoaded());
    EXPECT_TRUE(program_.WaitUntil([&] { return Shows(log, kGreen); }, kStepMs));
    EXPECT_GT(ScreenPixels::OfWindow(log).CountNear(face, 0), 0u);
    program_.Click(IDC_BUTTON3);
    ASSERT_TRUE(program_.WaitUntil([&] { return IsIdle(); }, kStepMs));
    DeleteFileW(path.c_str());
}

TEST_F(MainWindowTest, CreditLinkTurnsBlueUnderThePointerAndGreenWhenItLeaves) {
    HWND link = program_.Control(IDC_HYPERLINK1);
    const POINT offLink = CentreOf(program_.Control(IDC_LABEL1));
    auto showsOnly = [&](COLORREF shown, COLORREF absent) {
        ScreenPixels pixels = ScreenPixels::OfWindow(link);
        return pixels.CountNear(shown, kTolerance) > 0 && pixels.CountNear(absent, kTolerance) == 0;
    };
    auto shownPointer = [] {
        CURSORINFO cursor{};
        cursor.cbSize = sizeof(cursor);
        GetCursorInfo(&cursor);
        return cursor.hCursor;
    };
    MovePointerTo(offLink);
    ASSERT_TRUE(program_.WaitUntil([&] { return showsOnly(kGreen, kBlue); }, kStepMs));
    HCURSOR arrow = shownPointer();

    MovePointerTo(CentreOf(link));
    EXPECT_TRUE(program_.WaitUntil([&] { return showsOnly(kBlue, kGreen); }, kStepMs))
        << "not blue under the pointer";
    // The link's own pointer (the hand), not the arrow the rest of the window shows.
    EXPECT_NE(shownPointer(), nullptr);
    EXPECT_NE(shownPointer(), arrow);

    // Still over the window, but off the link: the capture reports the move.
    MovePointerTo(offLink);
    EXPECT_TRUE(program_.WaitUntil([&] { return showsOnly(kGreen, kBlue); }, kStepMs))
        << "still blue after the pointer left";
}

// Each Tab moves to the next tab stop of the table and Shift+Tab back, wrapping.
void ExpectTabCycle(ProgramDriver& program, const std::vector<int>& cycle) {
    auto position = [&](HWND focus) {
        for (std::size_t i = 0; i < cycle.size(); ++i) {
            if (program.Control(cycle[i]) == focus) {
                return static_cast<int>(i);
            }
        }
        return -1;
    };
    const int count = static_cast<int>(cycle.size());
    program.PressKeys({VK_TAB});
    int at = position(program.Focus());
    ASSERT_GE(at, 0) << "Tab put the focus outside the cycle";
    for (int step = 0; step < count + 1; ++step) {
        program.PressKeys({VK_TAB});
        int next = position(program.Focus());
        EXPECT_EQ(next, (at + 1) % count) << "after Tab number " << step;
        at = next < 0 ? at : next;
    }
    for (int step = 0; step < count + 1; ++step) {
        program.PressKeys({VK_TAB}, true);
        int previous = position(program.Focus());
        EXPECT_EQ(previous, (at + count - 1) % count)
            << "after Shift+Tab number " << step << " focus " << program.Focus();
        at = previous < 0 ? at : previous;
    }
}

TEST_F(MainWindowTest, TabCyclesTheEnabledTabStopsBeforeAndAfterALoad) {
    program_.PressKeys({VK_TAB});
    EXPECT_EQ(program_.Focus(), program_.Control(IDC_BUTTON1)) << "main " << program_.Main();
    ExpectTabCycle(program_, {IDC_EDIT1, IDC_BUTTON1, IDC_EDIT2});

    std::wstring path = MakeTemporaryFile(L"tab.bin", "abc");
    Load(path);
    ASSERT_TRUE(IsLoaded());
    // Open and the path field are disabled now, Shred and Cancel enabled.
    ExpectTabCycle(program_, {IDC_EDIT2, IDC_BUTTON2, IDC_BUTTON3});
}

TEST_F(MainWindowTest, EscClosesFromThePathFieldWithExitCodeZero) {
    program_.PressKeys({VK_ESCAPE});
    EXPECT_EQ(program_.WaitForExit(kExitMs), 0u);
}

TEST_F(MainWindowTest, EscClosesFromTheLogWithALoadedFileLeftUntouched) {
    const std::string content = "keep me\r\n\x00\xFF", size = "11";
    std::wstring path = MakeTemporaryFile(L"esc.bin", std::string(content.data(), 11));
    Load(path);
    ASSERT_TRUE(IsLoaded());
    for (int tries = 0; tries < 3 && program_.Focus() != program_.Control(IDC_EDIT2); ++tries) {
        program_.PressKeys({VK_TAB});
    }
    ASSERT_EQ(program_.Focus(), program_.Control(IDC_EDIT2));
    program_.PressKeys({VK_ESCAPE});
    EXPECT_EQ(program_.WaitForExit(kExitMs), 0u);
    EXPECT_EQ(ReadWholeFile(path), std::string(content.data(), 11));
    DeleteFileW(path.c_str());
}

TEST_F(MainWindowTest, OpenCancelledChangesNothing) {
    program_.Click(IDC_BUTTON1);
    HWND dialog = program_.WaitForFileDialog();
    ASSERT_NE(dialog, nullptr);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    ASSERT_TRUE(program_.WaitUntil([&] { return !IsWindow(dialog); }, kStepMs));
    EXPECT_EQ(Log(), "");
    EXPECT_EQ(program_.Text(program_.Control(IDC_EDIT1)), "");
    EXPECT_TRUE(IsIdle());
}

TEST_F(MainWindowTest, LoadHoldsTheFileAndCancelLetsItGoUntouched) {
    const std::string content(1234567, 'q');
    std::wstring path = MakeTemporaryFile(L"load.bin", content);
    Load(path);
    EXPECT_TRUE(IsLoaded());
    EXPECT_EQ(program_.Text(program_.Control(IDC_EDIT1)), Cp936(path));
    EXPECT_EQ(Log(), LoadLines(path, "1,234,567"));
    EXPECT_EQ(OpenErrorFromOutside(path), static_cast<DWORD>(ERROR_SHARING_VIOLATION));

    program_.Click(IDC_BUTTON3);
    ASSERT_TRUE(program_.WaitUntil([&] { return IsIdle(); }, kStepMs));
    ASSERT_TRUE(
        program_.WaitUntil([&] { return Log().ends_with(catalogue::kCancelLineSuffix); }, kStepMs));
    std::string log = Log();
    std::string loaded = LoadLines(path, "1,234,567");
    EXPECT_EQ(log.substr(loaded.size(), std::string(catalogue::kCancelLinePrefix).size()),
              catalogue::kCancelLinePrefix);
    EXPECT_EQ(program_.Text(program_.Control(IDC_EDIT1)), "");
    EXPECT_EQ(OpenErrorFromOutside(path), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(ReadWholeFile(path), content);
    DeleteFileW(path.c_str());
}

TEST_F(MainWindowTest, ShredAnsweredNoChangesNothing) {
    std::wstring path = MakeTemporaryFile(L"no.bin", "data");
    Load(path);
    std::string before = Log();
    program_.Click(IDC_BUTTON2);
    HWND box = Answer(IDNO);
    ASSERT_NE(box, nullptr);
    // The task-modal box had disabled the main window; its end enables it again.
    ASSERT_TRUE(
        program_.WaitUntil([&] { return IsWindowEnabled(program_.Main()) != FALSE; }, kStepMs));
    EXPECT_TRUE(IsLoaded());
    EXPECT_EQ(Log(), before);
    program_.Click(IDC_BUTTON3);
    ASSERT_TRUE(program_.WaitUntil([&] { return IsIdle(); }, kStepMs));
    EXPECT_EQ(ReadWholeFile(path), "data");
    DeleteFileW(path.c_str());
}

class ShredCommandTest : public MainWindowTest,
                         public ::testing::WithParamInterface<const wchar_t*> {};

TEST_P(ShredCommandTest, ShredAnsweredYesRemovesTheFileAndLogsTheOutcome) {
    std::wstring path = MakeTemporaryFile(GetParam(), "secret content");
    Load(path);
    ASSERT_TRUE(IsLoaded()) << Log();
    std::string loaded = Log();
    program_.Click(IDC_BUTTON2);
    ASSERT_NE(Answer(IDYES), nullptr);
    // The program sleeps during the procedure and answers again afterwards.
    ASSERT_TRUE(
        program_.WaitUntil([&] { return Log().ends_with(catalogue::kCreditLine); }, kStepMs));
    EXPECT_FALSE(FileExists(path));
    std::string log = Log();
    std::string added = log.substr(loaded.size());
    ASSERT_TRUE(added.starts_with(catalogue::kTimeLinePrefix)) << added;
    std::string tail = std::string(catalogue::kSuccessLine) + catalogue::kCreditLine;
    EXPECT_TRUE(added.ends_with(tail)) << added;
    EXPECT_TRUE(IsIdle());
    ASSERT_TRUE(program_.WaitUntil(
        [&] { return program_.Text(program_.Control(IDC_EDIT1)).empty(); }, kStepMs));
    DWORD_PTR position = 1;
    SendMessageTimeoutW(program_.Control(IDC_PROGRESS1), PBM_GETPOS, 0, 0, SMTO_ABORTIFHUNG, 2000,
                        &position);
    EXPECT_EQ(position, 0u);

    // The caret stands after the last character, nothing selected.
    DWORD start = 0, end = 0;
    SendMessageTimeoutW(program_.Control(IDC_EDIT2), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                        reinterpret_cast<LPARAM>(&end), SMTO_ABORTIFHUNG, 2000, nullptr);
    DWORD_PTR length = 0;
    SendMessageTimeoutW(program_.Control(IDC_EDIT2), WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000,
                        &length);
    EXPECT_EQ(start, static_cast<DWORD>(length));
    EXPECT_EQ(end, static_cast<DWORD>(length));
}

INSTANTIATE_TEST_SUITE_P(Names, ShredCommandTest,
                         ::testing::Values(L"plain.txt", L"\u7c89\u788e\u6d4b\u8bd5.txt"));

TEST_F(MainWindowTest, AFileHeldByAnotherProgramFailsToLoad) {
    std::wstring path = MakeTemporaryFile(L"held.bin", "held");
    HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    Load(path);
    EXPECT_EQ(Log(), catalogue::kLoadFailureLine);
    EXPECT_TRUE(IsIdle());
    EXPECT_EQ(program_.Text(program_.Control(IDC_EDIT1)), Cp936(path));
    CloseHandle(held);

    // The next load continues on the failure line.
    Load(path);
    EXPECT_EQ(Log(), catalogue::kLoadFailureLine + LoadLines(path, "4"));
    program_.Click(IDC_BUTTON3);
    ASSERT_TRUE(program_.WaitUntil([&] { return IsIdle(); }, kStepMs));
    DeleteFileW(path.c_str());
}

}  // namespace
}  // namespace quorvane::gui

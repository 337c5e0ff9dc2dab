// Every way the window can be closed while a file is loaded leaves the file as it
// was and free for any other program.

#include <gtest/gtest.h>

#include "tests/e2e/e2e_support_win.h"
#include "tests/e2e/folder_snapshot_win.h"

#include <optional>
#include <ostream>
#include <vector>

namespace quorvane::e2e {
namespace {

constexpr DWORD kExitMs = 10000;
constexpr UINT kAnswerMs = 5000;

enum class CloseWay { kEscKey, kAltF4, kCloseCommand, kCloseButtonClick, kLogOff };

struct CloseCase {
    const char* name;
    CloseWay way;
};

// A point of the title bar where the window itself says its close button is.
std::optional<POINT> CloseButtonPoint(HWND window) {
    RECT frame{};
    GetWindowRect(window, &frame);
    for (LONG y = frame.top; y < frame.top + GetSystemMetrics(SM_CYCAPTION) + 8; y += 2) {
        for (LONG x = frame.right - 1; x > frame.right - 80; x -= 2) {
            DWORD_PTR hit = HTNOWHERE;
            if (SendMessageTimeoutW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_ABORTIFHUNG,
                                    kAnswerMs, &hit) &&
                hit == HTCLOSE) {
                return POINT{x, y};
            }
        }
    }
    return std::nullopt;
}

// A real left click at `screen`, through the system's mouse input.
void ClickAt(POINT screen) {
    SetCursorPos(screen.x, screen.y);
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, inputs, sizeof(INPUT));
}

void PrintTo(const CloseCase& c, std::ostream* out) {
    *out << c.name;
}

class ClosingTest : public ::testing::TestWithParam<CloseCase> {
  protected:
    TestFolder folder_;
    ProgramRun run_;
};

TEST_P(ClosingTest, ClosingWithAFileLoadedLeavesItAsItWasAndFree) {
    ASSERT_TRUE(run_.Started());
    gui::ProgramDriver& program = run_.Program();
    std::wstring path = folder_ / L"loaded.bin";
    std::string content = Repeated(std::string("\x00\xFF keep\r\n", 8), 3 * kZeroBlock + 5);
    ASSERT_TRUE(WriteNewFile(path, content));
    ASSERT_TRUE(WriteNewFile(folder_ / L"neighbour.txt", "untouched"));
    FolderSnapshot before = TakeSnapshot(folder_.Path());
    ASSERT_TRUE(run_.Choose(path));
    ASSERT_TRUE(run_.IsLoaded()) << run_.Log();
    ASSERT_FALSE(IsFree(path)) << "the program does not hold the file";

    DWORD exitCode = STILL_ACTIVE;
    switch (GetParam().way) {
        case CloseWay::kEscKey:
            program.PressKeys({VK_ESCAPE});
            exitCode = program.WaitForExit(kExitMs);
            EXPECT_EQ(exitCode, 0u);
            break;
        case CloseWay::kAltF4:
            gui::PressWithModifier(program.Main(), VK_MENU, VK_F4);
            exitCode = program.WaitForExit(kExitMs);
            EXPECT_EQ(exitCode, 0u);
            break;
        case CloseWay::kCloseCommand:
            PostMessageW(program.Main(), WM_SYSCOMMAND, SC_CLOSE, 0);
            exitCode = program.WaitForExit(kExitMs);
            EXPECT_EQ(exitCode, 0u);
            break;
        case CloseWay::kCloseButtonClick: {
            std::optional<POINT> button = CloseButtonPoint(program.Main());
            ASSERT_TRUE(button.has_value()) << "no close button in the title bar";
            SetForegroundWindow(program.Main());
            ClickAt(*button);
            exitCode = program.WaitForExit(kExitMs);
            EXPECT_EQ(exitCode, 0u);
            break;
        }
        case CloseWay::kLogOff: {
            // The program may not veto the end of the session.
            DWORD_PTR mayEnd = FALSE;
            ASSERT_TRUE(SendMessageTimeoutW(program.Main(), WM_QUERYENDSESSION, 0,
                                            ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, kAnswerMs,
                                            &mayEnd));
            EXPECT_EQ(mayEnd, static_cast<DWORD_PTR>(TRUE));
            // Still loaded: the question alone changes nothing.
            EXPECT_FALSE(IsFree(path));
            ASSERT_TRUE(SendMessageTimeoutW(program.Main(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF,
                                            SMTO_ABORTIFHUNG, kAnswerMs, nullptr));
            // Once WM_ENDSESSION returns, Windows ends the process whatever its
            // state, with no exit code of the program's own; the test does the same.
            if (program.WaitForExit(0) == STILL_ACTIVE) {
                TerminateProcess(program.Process(), 0);
            }
            exitCode = program.WaitForExit(kExitMs);
            EXPECT_NE(exitCode, STILL_ACTIVE);
            break;
        }
    }
    ASSERT_NE(exitCode, STILL_ACTIVE) << "the program did not end";
    EXPECT_TRUE(program.WaitUntil([&] { return IsFree(path); }, kExitMs))
        << "the file is still held";
    EXPECT_EQ(gui::ReadWholeFile(path), content);
    EXPECT_EQ(Differences(before, TakeSnapshot(folder_.Path())), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(
    Ways, ClosingTest,
    ::testing::Values(CloseCase{"EscKey", CloseWay::kEscKey}, CloseCase{"AltF4", CloseWay::kAltF4},
                      CloseCase{"CloseCommand", CloseWay::kCloseCommand},
                      CloseCase{"CloseButtonClick", CloseWay::kCloseButtonClick},
                      CloseCase{"LogOff", CloseWay::kLogOff}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quorvane::e2e

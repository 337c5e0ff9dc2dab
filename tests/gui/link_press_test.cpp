// A click on the real program's credit link reaches the link through the
// window's press handling, and the link opens its address once. The address is
// opened by a recorder program registered for it, in the test prefix only.

#include <gtest/gtest.h>

#include "app/resource_ids.h"
#include "tests/gui/pointer_input_win.h"
#include "tests/gui/program_driver_win.h"
#include "tests/hyperlink/test_support.h"
#include "workflow/catalogue.h"

namespace quorvane::gui {
namespace {

constexpr DWORD kWatchdogSeconds = 60;
constexpr DWORD kPointerMs = 5000;

// Presses on the running program's link as `press` gives them; the lines the
// recorder wrote, each one a start of the browser.
template <typename Press>
std::vector<std::wstring> OpenedAddresses(Press press) {
    testing::RegistryLock lock;
    testing::ScopedClassKey scheme(L"https\\shell\\open\\command",
                                   L"\"" + testing::RecorderPath() + L"\" \"%1\"");
    EXPECT_TRUE(scheme.ok());
    testing::RecorderLog log;  // before the start: the program inherits its name
    ProgramDriver program(ProgramPath());
    EXPECT_NE(program.Main(), nullptr);
    if (program.Main() == nullptr) {
        return {};
    }
    Watchdog watchdog(program.Process(), kWatchdogSeconds);
    HWND link = program.Control(IDC_HYPERLINK1);
    EXPECT_NE(link, nullptr);
    press(program, link);
    // Waits for a second line too, so that one opened twice shows up.
    return log.WaitForLines(2);
}

TEST(CreditLink, AClickOpensTheAddressOnce) {
    std::vector<std::wstring> lines = OpenedAddresses([](const ProgramDriver&, HWND link) {
        const LPARAM point = MAKELPARAM(20, 8);
        PostMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, point);
        PostMessageW(link, WM_LBUTTONUP, 0, point);
    });
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(Cp936(lines[0]).find(catalogue::kLinkAddress), std::string::npos) << Cp936(lines[0]);
}

TEST(CreditLink, ADoubleClickOpensTheAddressOnce) {
    std::vector<std::wstring> lines = OpenedAddresses([](const ProgramDriver& program, HWND link) {
        const POINT centre = CentreOf(link);
        MovePointerTo(centre);
        // The clicks go wherever the pointer is: wait until it is over the link.
        ASSERT_TRUE(program.WaitUntil(
            [&] {
                POINT at{};
                return GetCursorPos(&at) && at.x == centre.x && at.y == centre.y &&
                       WindowFromPoint(centre) == link;
            },
            kPointerMs));
        ClickLeftButton(2);
    });
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(Cp936(lines[0]).find(catalogue::kLinkAddress), std::string::npos) << Cp936(lines[0]);
}

}  // namespace
}  // namespace quorvane::gui

// A click on the real program's credit link reaches the link through the
// window's press handling, and the link opens its address once. The address is
// opened by a recorder program registered for it, in the test prefix only.

#include <gtest/gtest.h>

#include "app/resource_ids.h"
#include "tests/gui/program_driver_win.h"
#include "tests/hyperlink/test_support.h"
#include "workflow/catalogue.h"

namespace quorvane::gui {
namespace {

constexpr DWORD kWatchdogSeconds = 60;

TEST(CreditLink, AClickOpensTheAddressOnce) {
    testing::RegistryLock lock;
    testing::ScopedClassKey scheme(L"https\\shell\\open\\command",
                                   L"\"" + testing::RecorderPath() + L"\" \"%1\"");
    ASSERT_TRUE(scheme.ok());
    testing::RecorderLog log;  // before the start: the program inherits its name
    ProgramDriver program(ProgramPath());
    ASSERT_NE(program.Main(), nullptr);
    Watchdog watchdog(program.Process(), kWatchdogSeconds);

    HWND link = program.Control(IDC_HYPERLINK1);
    ASSERT_NE(link, nullptr);
    const LPARAM point = MAKELPARAM(20, 8);
    PostMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageW(link, WM_LBUTTONUP, 0, point);

    std::vector<std::wstring> lines = log.WaitForLines(1);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(Cp936(lines[0]).find(catalogue::kLinkAddress), std::string::npos) << Cp936(lines[0]);
}

}  // namespace
}  // namespace quorvane::gui

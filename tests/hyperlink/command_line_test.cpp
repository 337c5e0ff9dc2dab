#include <gtest/gtest.h>

#include <string>

#include "controls/hyperlink_command_line.h"

namespace quorvane {
namespace {

struct CutCase {
    const char* registered;
    const char* program;
};

// The quoted placeholder wins over an earlier bare one: the quotes around the
// page would otherwise be left dangling in front of the target.
const CutCase kCutCases[] = {
    {R"("C:\Web\browser.exe" "%1")", R"("C:\Web\browser.exe" )"},
    {R"(C:\Web\browser.exe %1)", R"(C:\Web\browser.exe )"},
    {R"(C:\Web\browser.exe -nohome)", R"(C:\Web\browser.exe -nohome)"},
    {R"(browser.exe %1 "%1")", R"(browser.exe %1 )"},
    {R"(browser.exe "%1" %1)", R"(browser.exe )"},
    {R"(browser.exe -url="%1",%1)", R"(browser.exe -url=)"},
    {R"(browser.exe %10)", R"(browser.exe )"},
    {R"(browser.exe "%2")", R"(browser.exe "%2")"},
    {"%1", ""},
    {"", ""},
    // GBK trail bytes start at 0x40, so Chinese folder names never hide a '%'.
    {"\"C:\\浏览器\\看.exe\" \"%1\"", "\"C:\\浏览器\\看.exe\" "},
};

TEST(CutAtPlaceholder, CutsAtTheFirstQuotedThenBarePlaceholder) {
    for (const CutCase& c : kCutCases) {
        EXPECT_EQ(CutAtPlaceholder(c.registered), c.program) << "registered: " << c.registered;
    }
}

TEST(BuildFallbackCommandLine, AppendsOneBlankAndTheTarget) {
    EXPECT_EQ(BuildFallbackCommandLine(R"("b.exe" "%1")", "http://a/"), R"("b.exe"  http://a/)");
    EXPECT_EQ(BuildFallbackCommandLine("b.exe", "mailto:x@y"), "b.exe mailto:x@y");
    EXPECT_EQ(BuildFallbackCommandLine("", "http://a/"), " http://a/");
    EXPECT_EQ(BuildFallbackCommandLine("b.exe %1", "http://a/页"), "b.exe  http://a/页");
}

struct LimitCase {
    size_t commandBytes;  // before the blank
    size_t targetBytes;
    bool fits;
};

// The result and its terminator must fit 520 bytes: 519 bytes of text at most.
const LimitCase kLimitCases[] = {
    {259, 259, true},   // 259 + 1 + 259 = 519
    {259, 260, false},  // 520: no room for the terminator
    {0, 518, true},    {0, 519, false}, {400, 400, false}, {1, 1, true},
};

TEST(BuildFallbackCommandLine, RefusesWhatDoesNotFitTheBuffer) {
    for (const LimitCase& c : kLimitCases) {
        std::string command(c.commandBytes, 'c');
        std::string target(c.targetBytes, 't');
        std::optional<std::string> built = BuildFallbackCommandLine(command, target);
        ASSERT_EQ(built.has_value(), c.fits) << c.commandBytes << " + " << c.targetBytes;
        if (built) {
            EXPECT_EQ(*built, command + " " + target);
            EXPECT_LT(built->size(), kCommandLineBytes);
        }
    }
}

TEST(BuildFallbackCommandLine, MeasuresTheCommandAfterTheCut) {
    // 300 bytes registered, but only the 10 before the placeholder are kept.
    std::string registered = "browser.exe \"%1\"" + std::string(284, 'x');
    EXPECT_TRUE(BuildFallbackCommandLine(registered, std::string(400, 't')).has_value());
}

TEST(FitsBuffer, LeavesRoomForTheTerminator) {
    EXPECT_TRUE(FitsBuffer(std::string(259, 'a'), kRegistryValueBytes));
    EXPECT_FALSE(FitsBuffer(std::string(260, 'a'), kRegistryValueBytes));
    EXPECT_TRUE(FitsBuffer("", kRegistryValueBytes));
}

}  // namespace
}  // namespace quorvane

// Opening a link's target: through the shell's handler for the address's
// scheme, and through the command registered for ".htm" when the shell has none.
// The recorder program stands in for the browser in both.

#include <gtest/gtest.h>

#include <string>

#include "controls/hyperlink_open_win.h"
#include "tests/hyperlink/test_support.h"

namespace quorvane {
namespace {

using testing::Gbk;
using testing::RecorderLog;
using testing::RecorderPath;
using testing::ScopedClassKey;
using testing::Watchdog;

constexpr DWORD kTestTimeoutMs = 60000;
// A scheme no program handles, so the shell's "open" fails.
constexpr char kUnhandledTarget[] = "quorvane-unhandled:page";
constexpr wchar_t kPageClass[] = L"Quorvane.TestPage";
constexpr wchar_t kPageCommandKey[] = L"Quorvane.TestPage\\shell\\open\\command";

HyperlinkSettings WebLink(const std::string& address) {
    HyperlinkSettings settings;
    settings.webAddress = address;
    return settings;
}

std::wstring QuotedRecorder() {
    return L"\"" + RecorderPath() + L"\"";
}

struct TargetCase {
    LinkKind kind;
    const char* email;
    const char* web;
    std::optional<std::string> target;
};

const TargetCase kTargetCases[] = {
    {LinkKind::kWeb, "", "http://a.example/", "http://a.example/"},
    {LinkKind::kEmail, "x@a.example", "http://a.example/", "mailto:x@a.example"},
    {LinkKind::kWeb, "x@a.example", "", std::nullopt},
    {LinkKind::kEmail, "", "http://a.example/", std::nullopt},
};

TEST(LinkTarget, IsTheAddressOfTheLinksKind) {
    for (const TargetCase& c : kTargetCases) {
        HyperlinkSettings settings;
        settings.kind = c.kind;
        settings.emailAddress = c.email;
        settings.webAddress = c.web;
        EXPECT_EQ(LinkTarget(settings), c.target) << c.email << " / " << c.web;
    }
}

class OpenLinkTargetTest : public ::testing::Test {
  protected:
    Watchdog watchdog_{kTestTimeoutMs};
    testing::RegistryLock lock_;
    RecorderLog log_;
};

TEST_F(OpenLinkTargetTest, OpensAWebAddressThroughTheShellOnce) {
    ScopedClassKey scheme(L"http\\shell\\open\\command", QuotedRecorder() + L" \"%1\"");
    ASSERT_TRUE(scheme.ok());
    ASSERT_TRUE(OpenLinkTarget(WebLink("http://quorvane.example/credit")));
    std::vector<std::wstring> lines = log_.WaitForLines(1);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find(L"http://quorvane.example/credit"), std::wstring::npos) << lines[0];
}

TEST_F(OpenLinkTargetTest, FallsBackToTheCommandRegisteredForWebPages) {
    ScopedClassKey extension(L".htm", kPageClass);
    ScopedClassKey command(kPageCommandKey, QuotedRecorder() + L" \"%1\" -from-page");
    ASSERT_TRUE(extension.ok() && command.ok());
    ASSERT_TRUE(OpenLinkTarget(WebLink(kUnhandledTarget)));
    std::vector<std::wstring> lines = log_.WaitForLines(1);
    ASSERT_EQ(lines.size(), 1u);
    // Cut before the quoted placeholder: everything after it is dropped.
    EXPECT_EQ(lines[0], QuotedRecorder() + L"  quorvane-unhandled:page");
}

TEST_F(OpenLinkTargetTest, FallbackTakesChineseTextThroughCodePage936) {
    ScopedClassKey extension(L".htm", kPageClass);
    ScopedClassKey command(kPageCommandKey, QuotedRecorder() + L" %1");
    ASSERT_TRUE(extension.ok() && command.ok());
    ASSERT_TRUE(OpenLinkTarget(WebLink(Gbk(L"quorvane-unhandled:鸣谢"))));
    std::vector<std::wstring> lines = log_.WaitForLines(1);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], QuotedRecorder() + L"  quorvane-unhandled:鸣谢");
}

// A target that makes the fallback command line (recorder, two blanks, target)
// exactly `bytes` long.
std::string TargetForCommandLineBytes(size_t bytes) {
    size_t commandBytes = Gbk(QuotedRecorder()).size() + 2;
    std::string target = kUnhandledTarget;
    target.append(bytes - commandBytes - target.size(), 'x');
    return target;
}

TEST_F(OpenLinkTargetTest, ACommandLineOf519BytesIsStarted) {
    ScopedClassKey extension(L".htm", kPageClass);
    ScopedClassKey command(kPageCommandKey, QuotedRecorder() + L" %1");
    ASSERT_TRUE(extension.ok() && command.ok());
    ASSERT_TRUE(OpenLinkTarget(WebLink(TargetForCommandLineBytes(519))));
    std::vector<std::wstring> lines = log_.WaitForLines(1);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(Gbk(lines[0]).size(), 519u);
}

// Each way the fallback cannot run: nothing is started and the open fails.
struct FallbackFailure {
    const char* what;
    std::wstring pageClass;
    std::wstring command;  // empty: the class has no open command
    std::string target;
};

// Padding of Chinese characters: within 259 UTF-16 units, beyond 259 bytes.
std::wstring PaddedToBytes(const std::wstring& start, size_t wideUnits) {
    return start + std::wstring(wideUnits - start.size(), L'页');
}

TEST_F(OpenLinkTargetTest, FailsCleanlyWhenTheFallbackCannotRun) {
    const std::wstring recorder = QuotedRecorder() + L" \"%1\" ";
    const std::wstring longClass(200, L'类');
    const FallbackFailure cases[] = {
        {"no open command for the class", kPageClass, L"", kUnhandledTarget},
        {"class name of 400 bytes", longClass, recorder, kUnhandledTarget},
        {"command of more than 259 bytes", kPageClass, PaddedToBytes(recorder, 200),
         kUnhandledTarget},
        {"command line of 520 bytes", kPageClass, QuotedRecorder() + L" %1",
         TargetForCommandLineBytes(520)},
        {"command line far too long", kPageClass, QuotedRecorder() + L" %1", std::string(600, 'x')},
    };
    for (const FallbackFailure& c : cases) {
        SCOPED_TRACE(c.what);
        ScopedClassKey extension(L".htm", c.pageClass);
        ASSERT_TRUE(extension.ok());
        std::optional<ScopedClassKey> command;
        if (!c.command.empty()) {
            command.emplace(c.pageClass + L"\\shell\\open\\command", c.command);
            ASSERT_TRUE(command->ok());
        }
        EXPECT_FALSE(OpenLinkTarget(WebLink(c.target)));
    }
    EXPECT_TRUE(log_.LinesAfterAPause().empty());
}

TEST_F(OpenLinkTargetTest, AnEmptyAddressOpensNothing) {
    ScopedClassKey scheme(L"http\\shell\\open\\command", QuotedRecorder() + L" \"%1\"");
    ScopedClassKey extension(L".htm", kPageClass);
    ScopedClassKey command(kPageCommandKey, QuotedRecorder() + L" \"%1\"");
    HyperlinkSettings email;
    email.kind = LinkKind::kEmail;
    email.webAddress = "http://quorvane.example/";
    EXPECT_FALSE(OpenLinkTarget(WebLink("")));
    EXPECT_FALSE(OpenLinkTarget(email));
    EXPECT_TRUE(log_.LinesAfterAPause().empty());
}

}  // namespace
}  // namespace quorvane

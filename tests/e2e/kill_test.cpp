// The program killed at random moments of a shred. Whatever the moment, the file
// is in one of the states the procedure passes through: as it was, zeroed from
// its start (the zero pass goes front to back), all zeros, emptied, or gone;
// and nothing else in its folder is touched. Partly zeroed files are seen: each
// time so far a prefix of whole 1 MiB blocks, the kill having fallen between two
// of the program's writes; a prefix ending inside a block would be a write cut
// short by the kill, and fails the case.

#include <gtest/gtest.h>

#include "tests/e2e/e2e_support_win.h"
#include "tests/e2e/folder_snapshot_win.h"

#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <vector>

namespace quorvane::e2e {
namespace {

constexpr int kKills = 21;
constexpr unsigned kSeed = 20261211;
// Enough for the zero pass and its flush to take a visible part of the procedure.
constexpr std::int64_t kFileSize = 48 * kZeroBlock + 12345;
// A third of the kills fall in the first milliseconds, where the zero pass
// writes; a third in the flush that follows it; the rest over the whole
// procedure (five pauses of 50 ms and the closing second).
constexpr int kWritesMs = 25;
constexpr int kEarlyMs = 80;
constexpr int kWholeMs = 1400;
constexpr DWORD kKilledExitCode = 9;
constexpr DWORD kReleaseMs = 10000;

// A content with no zero byte, so that zeros can only come from the program.
std::string Content() {
    return Repeated("kill-me!", static_cast<std::size_t>(kFileSize));
}

// The state a killed shred left the file in; "other" is a fault.
std::string StateOf(const std::wstring& path, const std::string& original) {
    if (!gui::FileExists(path)) {
        return "gone";
    }
    std::string now = gui::ReadWholeFile(path);
    if (now.empty()) {
        return "emptied";
    }
    if (now.size() != original.size()) {
        return "other: length " + std::to_string(now.size());
    }
    if (now == original) {
        return "as it was";
    }
    std::size_t zeros = 0;
    while (zeros < now.size() && now[zeros] == '\0') {
        ++zeros;
    }
    if (zeros == now.size()) {
        return "zeroed";
    }
    if (now.compare(zeros, std::string::npos, original, zeros, std::string::npos) != 0) {
        return "other: not a zero prefix";
    }
    // A kill inside one write may stop it at a page; whole blocks are what the
    // program's writes give.
    return zeros % kZeroBlock == 0 ? "zero prefix of whole 1 MiB blocks"
                                   : "other: zero prefix of " + std::to_string(zeros) + " bytes";
}

TEST(KillTest, AShredKilledAtRandomMomentsLeavesTheFileInAStateOfTheProcedure) {
    std::mt19937 random(kSeed);
    std::uniform_int_distribution<int> writes(0, kWritesMs), early(0, kEarlyMs), whole(0, kWholeMs);
    const std::string original = Content();
    std::map<std::string, int> tally;
    for (int kill = 0; kill < kKills; ++kill) {
        int band = kill % 3;
        int delayMs = band == 0 ? writes(random) : band == 1 ? early(random) : whole(random);
        SCOPED_TRACE(testing::Message() << "kill " << kill << " after " << delayMs << " ms");
        TestFolder folder;
        std::wstring path = folder / L"target.bin";
        ASSERT_TRUE(WriteNewFile(path, original));
        ASSERT_TRUE(WriteNewFile(folder / L"neighbour.bin", "beside it"));
        ASSERT_TRUE(WriteNewFile(folder / L"target.bin.bak", "a name that begins the same"));
        FolderSnapshot before = TakeSnapshot(folder.Path());

        auto run = std::make_unique<ProgramRun>();
        ASSERT_TRUE(run->Started());
        ASSERT_TRUE(run->Choose(path));
        ASSERT_TRUE(run->IsLoaded()) << run->Log();
        ASSERT_TRUE(run->ConfirmShred());
        // The moment of the kill is the point of the case, so it is a plain sleep.
        Sleep(static_cast<DWORD>(delayMs));
        ASSERT_TRUE(TerminateProcess(run->Program().Process(), kKilledExitCode));
        ASSERT_EQ(run->Program().WaitForExit(kReleaseMs), kKilledExitCode);
        ASSERT_TRUE(run->Program().WaitUntil([&] { return !gui::FileExists(path) || IsFree(path); },
                                             kReleaseMs))
            << "the killed program's hold outlived it";
        run.reset();

        std::string state = StateOf(path, original);
        ++tally[state];
        std::printf("kill %2d after %4d ms: %s\n", kill, delayMs, state.c_str());
        EXPECT_FALSE(state.starts_with("other")) << state;
        std::vector<std::string> changed = Differences(before, TakeSnapshot(folder.Path()));
        std::vector<std::string> allowed;
        if (state == "gone") {
            allowed = {"target.bin gone"};
        } else if (state != "as it was") {
            allowed = {"target.bin changed"};
        }
        EXPECT_EQ(changed, allowed);
    }
    std::printf("tally of %d kills (seed %u):\n", kKills, kSeed);
    for (const auto& [state, count] : tally) {
        std::printf("  %-36s %d\n", state.c_str(), count);
    }
}

}  // namespace
}  // namespace quorvane::e2e

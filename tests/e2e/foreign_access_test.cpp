// While a file is loaded, another program's every reach for it is refused: to
// read it, write it, open it for deletion, delete it, rename it or rename
// another file over it. Afterwards the file is as it was.

#include <gtest/gtest.h>

#include "tests/e2e/e2e_support_win.h"
#include "tests/e2e/folder_snapshot_win.h"

#include <cstdio>
#include <functional>
#include <vector>

#include "app/resource_ids.h"

namespace quorvane::e2e {
namespace {

struct Attempt {
    const char* what;
    std::function<bool(const std::wstring& path, const TestFolder& folder)> succeeded;
};

bool Opens(const std::wstring& path, DWORD access) {
    HANDLE file =
        CreateFileW(path.c_str(), access, kShareEverything, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    CloseHandle(file);
    return true;
}

TEST(ForeignAccessTest, EveryAttemptOnALoadedFileIsRefusedAndCounted) {
    TestFolder folder;
    ProgramRun run;
    ASSERT_TRUE(run.Started());
    std::wstring path = folder / L"loaded.bin";
    const std::string content = Repeated("mine alone ", 2 * kZeroBlock + 3);
    ASSERT_TRUE(WriteNewFile(path, content));
    ASSERT_TRUE(CreateHardLinkW((folder / L"second_name.bin").c_str(), path.c_str(), nullptr));
    ASSERT_TRUE(WriteNewFile(folder / L"other.bin", "another file"));
    FolderSnapshot before = TakeSnapshot(folder.Path());
    ASSERT_TRUE(run.Choose(path));
    ASSERT_TRUE(run.IsLoaded()) << run.Log();

    const Attempt attempts[] = {
        {"open for reading", [](auto& p, auto&) { return Opens(p, GENERIC_READ); }},
        {"open for writing", [](auto& p, auto&) { return Opens(p, GENERIC_WRITE); }},
        {"open for deleting", [](auto& p, auto&) { return Opens(p, DELETE); }},
        {"open the second name for reading",
         [](auto&, auto& f) { return Opens(f / L"second_name.bin", GENERIC_READ); }},
        {"DeleteFileW", [](auto& p, auto&) { return DeleteFileW(p.c_str()) != FALSE; }},
        {"MoveFileW",
         [](auto& p, auto& f) {
             return MoveFileW(p.c_str(), (f / L"moved.bin").c_str()) != FALSE;
         }},
        {"MoveFileExW replacing",
         [](auto& p, auto& f) {
             return MoveFileExW(p.c_str(), (f / L"other.bin").c_str(), MOVEFILE_REPLACE_EXISTING) !=
                    FALSE;
         }},
        {"MoveFileExW copying",
         [](auto& p, auto& f) {
             return MoveFileExW(p.c_str(), (f / L"copied.bin").c_str(), MOVEFILE_COPY_ALLOWED) !=
                    FALSE;
         }},
        {"MoveFileExW of another file over it",
         [](auto& p, auto& f) {
             return MoveFileExW((f / L"other.bin").c_str(), p.c_str(), MOVEFILE_REPLACE_EXISTING) !=
                    FALSE;
         }},
    };
    int refused = 0;
    for (const Attempt& attempt : attempts) {
        SCOPED_TRACE(attempt.what);
        SetLastError(ERROR_SUCCESS);
        bool done = attempt.succeeded(path, folder);
        DWORD error = GetLastError();
        EXPECT_FALSE(done);
        EXPECT_TRUE(error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED) << error;
        if (!done) {
            ++refused;
            std::printf("refused: %-38s error %lu\n", attempt.what, error);
        }
    }
    std::printf("foreign attempts refused: %d of %zu\n", refused, std::size(attempts));
    EXPECT_TRUE(run.IsLoaded());
    // Still the program's: the refusals changed nothing it holds.
    run.Program().Click(IDC_BUTTON3);
    ASSERT_TRUE(run.Program().WaitUntil([&] { return run.IsIdle(); }, kStepMs));
    ASSERT_TRUE(run.Program().WaitUntil([&] { return IsFree(path); }, kStepMs));
    EXPECT_EQ(gui::ReadWholeFile(path), content);
    EXPECT_EQ(Differences(before, TakeSnapshot(folder.Path())), std::vector<std::string>{});
}

}  // namespace
}  // namespace quorvane::e2e

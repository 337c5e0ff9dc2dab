// The file services against the Windows file system: what an exclusive hold
// means to this and other processes, and how code page 936 paths reach it.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "files/file_table.h"
#include "text/code_page_win.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;

constexpr DWORD kShareEverything = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr DWORD kProbeTimeoutMs = 30000;

// Owns one handle from CreateFileW.
class Handle {
  public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() {
        if (IsOpen()) {
            CloseHandle(handle_);
        }
    }
    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }

  private:
    HANDLE handle_;
};

// The error of an open by this process, or ERROR_SUCCESS.
DWORD OpenError(const fs::path& path, DWORD access) {
    Handle handle(CreateFileW(path.c_str(), access, kShareEverything, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    return handle.IsOpen() ? ERROR_SUCCESS : GetLastError();
}

fs::path ProgramDirectory() {
    wchar_t buffer[MAX_PATH];
    DWORD size = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
    return fs::path(std::wstring(buffer, size)).parent_path();
}

// The error of the same open by another process (the probe beside this test).
DWORD OpenErrorElsewhere(const fs::path& path, DWORD access) {
    wchar_t hexAccess[16];
    swprintf(hexAccess, 16, L"%lx", access);
    fs::path probe = ProgramDirectory() / L"files_open_probe.exe";
    std::wstring commandLine =
        L"\"" + probe.wstring() + L"\" \"" + path.wstring() + L"\" " + hexAccess;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(probe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        ADD_FAILURE() << "the probe did not start: error " << GetLastError();
        return ERROR_SUCCESS;
    }
    Handle thread(process.hThread);
    Handle waited(process.hProcess);
    DWORD exitCode = STILL_ACTIVE;
    if (WaitForSingleObject(process.hProcess, kProbeTimeoutMs) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(process.hProcess, &exitCode)) {
        TerminateProcess(process.hProcess, 1);
        ADD_FAILURE() << "the probe did not finish";
    }
    return exitCode;
}

std::string ContentOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class FilesWindowsTest : public testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("quorvane_win_" +
                std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override {
        CloseAllFiles();
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }
    fs::path Make(const std::wstring& name, const std::string& content) {
        fs::path path = dir_ / name;
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }
    // The path as the program holds it: code page 936 bytes.
    static std::string Cp936(const fs::path& path) { return Cp936FromWide(path.wstring()); }

    fs::path dir_;
};

struct Access {
    const char* name;
    DWORD access;
};

// Every access that touches the data or the name. An open asking for no access
// at all (attributes only) is not subject to sharing on Windows.
const Access kAccesses[] = {
    {"read", GENERIC_READ},
    {"write", GENERIC_WRITE},
    {"read and write", GENERIC_READ | GENERIC_WRITE},
    {"read data", FILE_READ_DATA},
    {"append", FILE_APPEND_DATA},
    {"delete", DELETE},
};

TEST_F(FilesWindowsTest, ExclusiveHoldShutsOutThisProcess) {
    fs::path path = Make(L"held", "content");
    FileNumber n = OpenFile(Cp936(path), kOpenReadWriteExisting, kShareExclusive);
    ASSERT_NE(n, 0);
    for (const Access& a : kAccesses) {
        EXPECT_EQ(OpenError(path, a.access), static_cast<DWORD>(ERROR_SHARING_VIOLATION)) << a.name;
    }
    EXPECT_FALSE(DeleteFileW(path.c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));

    CloseFile(n);
    for (const Access& a : kAccesses) {
        EXPECT_EQ(OpenError(path, a.access), static_cast<DWORD>(ERROR_SUCCESS)) << a.name;
    }
    EXPECT_EQ(ContentOf(path), "content");
}

TEST_F(FilesWindowsTest, ExclusiveHoldShutsOutOtherProcesses) {
    fs::path path = Make(L"held", "content");
    FileNumber n = OpenFile(Cp936(path), kOpenReadWriteExisting, kShareExclusive);
    ASSERT_NE(n, 0);
    for (const Access& a : kAccesses) {
        EXPECT_EQ(OpenErrorElsewhere(path, a.access), static_cast<DWORD>(ERROR_SHARING_VIOLATION))
            << a.name;
    }
    CloseFile(n);
    EXPECT_EQ(OpenErrorElsewhere(path, GENERIC_READ | GENERIC_WRITE),
              static_cast<DWORD>(ERROR_SUCCESS));
}

TEST_F(FilesWindowsTest, PathThatIsNotCodePage936NamesNoFile) {
    // Files a lenient conversion could land on: the bad bytes dropped, or turned
    // into the replacement character.
    const std::set<std::wstring> decoys = {L"bad", L"bad\uFFFD"};
    for (const std::wstring& name : decoys) {
        Make(name, "keep");
    }
    // A lead byte at the end, a lead byte with a byte that cannot follow it, and
    // a byte that starts no character.
    const char* badNames[] = {"bad\x81", "bad\x81\x7f", "bad\xff"};
    std::string dir = Cp936(dir_);
    for (const char* bad : badNames) {
        std::string path = dir + "\\" + bad;
        SCOPED_TRACE(testing::PrintToString(path));
        ASSERT_FALSE(WideFromCp936(path)) << "a valid code page 936 text";
        for (int openMode = 1; openMode <= 6; ++openMode) {
            EXPECT_EQ(OpenFile(path, openMode, kShareExclusive), 0) << "open mode " << openMode;
        }
        EXPECT_FALSE(DeleteDiskFile(path));
    }
    std::set<std::wstring> left;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir_)) {
        left.insert(entry.path().filename().wstring());
        EXPECT_EQ(ContentOf(entry.path()), "keep") << entry.path();
    }
    EXPECT_EQ(left, decoys);
}

TEST_F(FilesWindowsTest, ChinesePathNamesTheFileOfItsUnicodeName) {
    fs::path existing = Make(L"\u6587\u4ef6.txt", "ABC");  // 文件.txt
    FileNumber n = OpenFile(Cp936(dir_) + "\\文件.txt", kOpenReadWriteExisting, kShareExclusive);
    ASSERT_NE(n, 0);
    EXPECT_EQ(ReadBytes(n, 100), (ByteSequence{'A', 'B', 'C'}));
    EXPECT_EQ(OpenError(existing, GENERIC_READ), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    CloseFile(n);

    // And a created one gets the converted name.
    std::string created = Cp936(dir_) + "\\新建.txt";
    n = OpenFile(created, 4, kShareExclusive);
    ASSERT_NE(n, 0);
    ASSERT_TRUE(WriteBytes(n, ByteSequence{'x'}));
    CloseFile(n);
    EXPECT_EQ(ContentOf(dir_ / L"\u65b0\u5efa.txt"), "x");  // 新建.txt
    EXPECT_TRUE(DeleteDiskFile(created));
    EXPECT_FALSE(fs::exists(dir_ / L"\u65b0\u5efa.txt"));
    EXPECT_TRUE(DeleteDiskFile(Cp936(existing)));
    EXPECT_FALSE(fs::exists(existing));
}

}  // namespace
}  // namespace quorvane

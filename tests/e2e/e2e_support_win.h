#pragma once
// What the bad-input and fault cases share: a fresh folder per case, files made
// in it, the program driven through a load and a shred, and the Unix side of
// Wine for what Windows has no call for (an immutable folder, a Unix symlink).

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "tests/gui/program_driver_win.h"

namespace quorvane::e2e {

constexpr DWORD kWatchdogSeconds = 90;
constexpr DWORD kStepMs = 15000;
constexpr std::int64_t kZeroBlock = 1 << 20;  // the program's write size while zeroing
constexpr DWORD kShareEverything = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// A folder of its own below the temporary folder, removed with everything in it.
class TestFolder {
  public:
    TestFolder();
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const std::wstring& Path() const { return path_; }
    std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }

  private:
    std::wstring path_;
};

// Writes `content` to a new file at `path`; false when the system refused.
bool WriteNewFile(const std::wstring& path, const std::string& content);
bool MakeFolder(const std::wstring& path);
// The length, or no value when the file cannot be opened even for its attributes.
std::optional<std::int64_t> LengthOf(const std::wstring& path);
// Whether another process could open the file for reading and writing with no
// sharing, as the program does: the program has let it go.
bool IsFree(const std::wstring& path);
std::string Repeated(const std::string& piece, std::size_t size);

// The Unix name of a Windows path (Wine only), or no value elsewhere.
std::optional<std::string> UnixPath(const std::wstring& path);
// Runs `command` with /bin/sh on the Unix side of Wine and waits for it to end;
// its exit status, or no value where there is no Unix side.
std::optional<int> RunOnUnixSide(const std::string& command, const std::wstring& scratchFolder);
std::string ShellQuoted(const std::string& text);

// One run of the program with a watchdog, and the steps of the cases.
class ProgramRun {
  public:
    ProgramRun();
    bool Started() const { return program_.Main() != nullptr; }
    gui::ProgramDriver& Program() { return program_; }

    std::string Log() const;
    bool IsIdle() const;
    bool IsLoaded() const;
    std::string PathField() const;
    enum class DialogEnd { kClosed, kRefusedByDialog, kStuck };
    // Clicks Open, types `path` into the dialog and confirms it; returns once the
    // dialog has gone and the handler has ended, so the outcome is in place. A
    // dialog that refuses the name with a box of its own is answered and
    // cancelled: kRefusedByDialog.
    DialogEnd ChooseInDialog(const std::wstring& path);
    bool Choose(const std::wstring& path) { return ChooseInDialog(path) == DialogEnd::kClosed; }
    // Clicks Shred and answers Yes; false when no confirmation box came.
    bool ConfirmShred();
    // Waits for the log to end with the credit line: the procedure is over.
    bool WaitForShredEnd();

  private:
    gui::ProgramDriver program_;
    gui::Watchdog watchdog_;
};

// The three lines of a load of `path` with the size text `size`.
std::string LoadLines(const std::wstring& path, const std::string& size);
// The lines a shred adds after the time line: success or failure, then the credit.
std::string ShredTail(bool success);

}  // namespace quorvane::e2e

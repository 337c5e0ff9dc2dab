#pragma once
// Drives a running quorvane.exe from another process the way a person would:
// through window messages and real input, finding its windows by class and id.

#include <windows.h>

#include <functional>
#include <string>

namespace quorvane::gui {

// Ends the test process (and the program it drives) when a test overruns, so
// that a hung window can never hang the run.
class Watchdog {
  public:
    Watchdog(HANDLE program, DWORD seconds);
    ~Watchdog();
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

  private:
    static DWORD WINAPI Watch(void* self);

    HANDLE program_;
    DWORD seconds_;
    HANDLE stop_;
    HANDLE thread_;
};

class ProgramDriver {
  public:
    // Starts the program and waits for its visible main window.
    explicit ProgramDriver(const std::wstring& exePath);
    ~ProgramDriver();
    ProgramDriver(const ProgramDriver&) = delete;
    ProgramDriver& operator=(const ProgramDriver&) = delete;

    HANDLE Process() const { return process_.hProcess; }
    DWORD ThreadId() const { return process_.dwThreadId; }
    HWND Main() const { return main_; }
    HWND Control(int id) const { return GetDlgItem(main_, id); }

    // The window's text in code page 936, or "<no answer>" when the program is busy.
    std::string Text(HWND window) const;
    HWND Focus() const;
    // The top-level window of the program's thread that is owned by the main
    // window (the file dialog) or that has no owner and is not the main window
    // (the task-modal message box).
    HWND WaitForFileDialog() const;
    HWND WaitForMessageBox() const;
    // Types `path` into the dialog's file name box and confirms it.
    void ChooseInDialog(HWND dialog, const std::wstring& path) const;
    void Click(int id) const;
    // Waits for the program to end; its exit code, or STILL_ACTIVE on timeout.
    DWORD WaitForExit(DWORD milliseconds) const;
    bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds) const;
    // Real key strokes through the system's routing, after activating the window.
    void PressKeys(std::initializer_list<WORD> keys, bool shift = false) const;

  private:
    // A visible window of the program's thread other than the main window,
    // owned by it or owning nothing.
    HWND WaitForThreadWindow(bool ownedByMain) const;

    PROCESS_INFORMATION process_{};
    HWND main_ = nullptr;
};

// Polls `condition` until it holds (true) or the time is up (false).
bool WaitFor(const std::function<bool()>& condition, DWORD milliseconds);

// The program's path as a Windows path, from the build.
std::wstring ProgramPath();
// A fresh file with `content` in the temporary folder; its full path.
std::wstring MakeTemporaryFile(const std::wstring& name, const std::string& content);
bool FileExists(const std::wstring& path);
std::string ReadWholeFile(const std::wstring& path);
std::string Cp936(const std::wstring& text);

// Real key strokes of `key` while `modifier` stays held (Alt+F4), through the
// system's routing after activating `window`.
void PressWithModifier(HWND window, WORD modifier, WORD key);

}  // namespace quorvane::gui

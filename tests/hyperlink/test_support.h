#pragma once
// Small fixtures for the link's tests under Wine: a watchdog so no test can
// hang the run, registry keys that are put back as they were, and the log the
// recorder program writes.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace quorvane::testing {

// Ends the whole test program if the scope is not left in time.
class Watchdog {
  public:
    explicit Watchdog(DWORD milliseconds);
    ~Watchdog();
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

  private:
    static DWORD WINAPI Run(void* self);
    DWORD milliseconds_;
    HANDLE done_;
    HANDLE thread_;
};

// Held by each test that changes the classes registry: the cases run as
// separate programs, two at a time, in the same Wine prefix.
class RegistryLock {
  public:
    RegistryLock();
    ~RegistryLock();
    RegistryLock(const RegistryLock&) = delete;
    RegistryLock& operator=(const RegistryLock&) = delete;

  private:
    HANDLE mutex_;
};

// Sets the default value of a key under HKEY_CLASSES_ROOT and undoes it on
// destruction: keys it created are deleted, an old value is restored. (Wine's
// HKEY_CLASSES_ROOT does not show HKEY_CURRENT_USER's classes, so the machine's
// classes are changed, in the test prefix only.)
class ScopedClassKey {
  public:
    ScopedClassKey(const std::wstring& subKey, const std::wstring& defaultValue);
    ~ScopedClassKey();
    ScopedClassKey(const ScopedClassKey&) = delete;
    ScopedClassKey& operator=(const ScopedClassKey&) = delete;
    bool ok() const { return ok_; }

  private:
    std::wstring path_;
    std::wstring createdTop_;  // first key that did not exist before, or empty
    std::optional<std::wstring> previous_;
    bool ok_ = false;
};

// A fresh log file for the recorder, named to it by the environment of this
// process (which every program it starts inherits); removed at the end.
class RecorderLog {
  public:
    RecorderLog();
    ~RecorderLog();
    RecorderLog(const RecorderLog&) = delete;
    RecorderLog& operator=(const RecorderLog&) = delete;

    // The lines written so far, once `expected` have arrived or the time is up,
    // and after a pause that lets an unwanted extra start show up too.
    std::vector<std::wstring> WaitForLines(size_t expected) const;

    // The lines written after a pause long enough for a started program to
    // have written its line: for checks that nothing was started.
    std::vector<std::wstring> LinesAfterAPause() const;

  private:
    std::vector<std::wstring> Lines() const;
    std::wstring path_;
};

// The recorder program built beside the test program.
std::wstring RecorderPath();

// Code page 936 bytes of a UTF-16 text, for settings written as wide literals.
std::string Gbk(const std::wstring& text);

}  // namespace quorvane::testing

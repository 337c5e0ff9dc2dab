// Disk files on Windows. Paths cross the boundary as UTF-16, converted strictly
// from code page 936: a path that is not valid code page 936 names no file, so it
// fails rather than being guessed into the name of some other file.

#include <windows.h>

#include "files/disk_platform.h"
#include "text/code_page_win.h"

namespace quorvane {
namespace {

struct CreateArguments {
    DWORD access;
    DWORD disposition;
};

CreateArguments ArgumentsFor(DiskOpenMode mode) {
    switch (mode) {
        case DiskOpenMode::kReadExisting:
            return {GENERIC_READ, OPEN_EXISTING};
        case DiskOpenMode::kWriteExisting:
            return {GENERIC_WRITE, OPEN_EXISTING};
        case DiskOpenMode::kReadWriteExisting:
            return {GENERIC_READ | GENERIC_WRITE, OPEN_EXISTING};
        case DiskOpenMode::kCreateOrEmpty:
            return {GENERIC_WRITE, CREATE_ALWAYS};
        case DiskOpenMode::kWriteOpenAlways:
            return {GENERIC_WRITE, OPEN_ALWAYS};
        case DiskOpenMode::kReadWriteOpenAlways:
            return {GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS};
    }
    return {GENERIC_READ, OPEN_EXISTING};
}

DWORD ShareFor(DiskShareMode share) {
    switch (share) {
        case DiskShareMode::kReadWrite:
            return FILE_SHARE_READ | FILE_SHARE_WRITE;
        case DiskShareMode::kWriteOnly:
            return FILE_SHARE_WRITE;
        case DiskShareMode::kReadOnly:
            return FILE_SHARE_READ;
        case DiskShareMode::kExclusive:
            return 0;
    }
    return 0;
}

DWORD MoveMethodFor(SeekOrigin origin) {
    switch (origin) {
        case SeekOrigin::kStart:
            return FILE_BEGIN;
        case SeekOrigin::kCurrent:
            return FILE_CURRENT;
        case SeekOrigin::kEnd:
            return FILE_END;
    }
    return FILE_BEGIN;
}

// Owns one file handle.
class FileHandle {
  public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() { Close(); }

    HANDLE Get() const { return handle_; }
    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    bool Close() {
        if (!IsOpen()) {
            return true;
        }
        BOOL closed = CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        return closed != FALSE;
    }

  private:
    HANDLE handle_;
};

class WinDiskChannel final : public DiskChannel {
  public:
    explicit WinDiskChannel(HANDLE handle) : handle_(handle) {}

    std::optional<std::int64_t> Seek(std::int64_t offset, SeekOrigin origin) override {
        LARGE_INTEGER distance;
        distance.QuadPart = offset;
        LARGE_INTEGER at;
        if (!SetFilePointerEx(handle_.Get(), distance, &at, MoveMethodFor(origin))) {
            return std::nullopt;
        }
        return at.QuadPart;
    }

    std::optional<std::int32_t> Read(void* buffer, std::int32_t count) override {
        DWORD read = 0;
        if (!ReadFile(handle_.Get(), buffer, static_cast<DWORD>(count), &read, nullptr)) {
            return std::nullopt;
        }
        return static_cast<std::int32_t>(read);
    }

    std::optional<std::int32_t> Write(const void* data, std::int32_t count) override {
        DWORD written = 0;
        if (!WriteFile(handle_.Get(), data, static_cast<DWORD>(count), &written, nullptr)) {
            return std::nullopt;
        }
        return static_cast<std::int32_t>(written);
    }

    bool SetEnd() override { return SetEndOfFile(handle_.Get()) != FALSE; }
    bool Flush() override { return FlushFileBuffers(handle_.Get()) != FALSE; }
    bool Close() override { return handle_.Close(); }

  private:
    FileHandle handle_;
};

class WinDiskPlatform final : public DiskPlatform {
  public:
    std::unique_ptr<DiskChannel> Open(std::string_view path, DiskOpenMode mode,
                                      DiskShareMode share) override {
        std::optional<std::wstring> wide = WideFromCp936(path);
        if (!wide || wide->empty()) {
            return nullptr;
        }
        CreateArguments arguments = ArgumentsFor(mode);
        // Not inheritable: the credit link starts a browser, and a handle it
        // inherited would hold the file exclusively for as long as the browser
        // runs, so the later deletion would fail.
        SECURITY_ATTRIBUTES security{};
        security.nLength = sizeof(security);
        security.lpSecurityDescriptor = nullptr;
        security.bInheritHandle = FALSE;
        HANDLE handle = CreateFileW(wide->c_str(), arguments.access, ShareFor(share), &security,
                                    arguments.disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            return nullptr;
        }
        return std::make_unique<WinDiskChannel>(handle);
    }

    bool Delete(std::string_view path) override {
        std::optional<std::wstring> wide = WideFromCp936(path);
        if (!wide || wide->empty()) {
            return false;
        }
        if (!DeleteFileW(wide->c_str())) {
            return false;
        }
        // A deletion is only believed once the name is gone: Wine reports success
        // for a file whose Unix folder refused the unlink, and the file stays. A
        // file left pending deletion behind another program's handle no longer
        // opens either (access denied) and goes when that handle closes.
        return GetFileAttributesW(wide->c_str()) == INVALID_FILE_ATTRIBUTES;
    }
};

}  // namespace

DiskPlatform& SystemDiskPlatform() {
    static WinDiskPlatform platform;
    return platform;
}

}  // namespace quorvane

// Disk files on POSIX systems, for the native build and its tests. The path
// bytes are used unchanged.
//
// POSIX has no share modes. They are emulated with open-file-description locks
// over the whole file: share mode 4 takes a write (exclusive) lock, the others a
// read (shared) lock, so an exclusive open of a file open elsewhere through this
// layer, and any open of an exclusively held file, fail as on Windows. Where
// POSIX cannot follow Windows:
// - the locks are advisory: a program that does not take them (cat, an editor)
//   still opens, reads, writes and deletes the file;
// - modes 1 to 3 are all one shared lock, so "others may read but not write"
//   is not enforced between two shared opens;
// - a lock needs an open for the matching access (read for a shared lock, write
//   for an exclusive one); where the open itself lacks that access, a second
//   description of the same file is opened just to carry the lock, and when the
//   permissions refuse that too, the open fails.
// The read-only attribute is played by a file with no write permission bit,
// checked here because the superuser would otherwise write and delete it.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <limits>
#include <string>

#include "files/disk_platform.h"

namespace quorvane {
namespace {

constexpr mode_t kNewFilePermissions = 0666;  // narrowed by the umask
constexpr mode_t kAnyWriteBit = S_IWUSR | S_IWGRP | S_IWOTH;

// Owns one file descriptor.
class Descriptor {
  public:
    Descriptor() = default;
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(Descriptor&& other) noexcept : fd_(other.Release()) {}
    Descriptor& operator=(Descriptor&& other) noexcept {
        if (this != &other) {
            Reset(other.Release());
        }
        return *this;
    }
    ~Descriptor() { Reset(-1); }

    int Get() const { return fd_; }
    bool IsOpen() const { return fd_ >= 0; }
    int Release() {
        int fd = fd_;
        fd_ = -1;
        return fd;
    }
    // Closing is not retried on EINTR: on Linux the descriptor is gone either way.
    bool Reset(int fd) {
        bool closed = true;
        if (fd_ >= 0) {
            closed = ::close(fd_) == 0;
        }
        fd_ = fd;
        return closed;
    }

  private:
    int fd_ = -1;
};

bool HasReadAccess(int flags) {
    return (flags & O_ACCMODE) != O_WRONLY;
}
bool HasWriteAccess(int flags) {
    return (flags & O_ACCMODE) != O_RDONLY;
}

int OpenFlags(DiskOpenMode mode) {
    // Never O_TRUNC: mode 4 empties the file only once the share lock is held, as
    // Windows refuses CREATE_ALWAYS on a file held elsewhere without touching it.
    // O_CLOEXEC: a started program must not inherit the file.
    int common = O_CLOEXEC | O_NOCTTY;
    switch (mode) {
        case DiskOpenMode::kReadExisting:
            return common | O_RDONLY;
        case DiskOpenMode::kWriteExisting:
            return common | O_WRONLY;
        case DiskOpenMode::kReadWriteExisting:
            return common | O_RDWR;
        case DiskOpenMode::kCreateOrEmpty:
        case DiskOpenMode::kWriteOpenAlways:
            return common | O_WRONLY | O_CREAT;
        case DiskOpenMode::kReadWriteOpenAlways:
            return common | O_RDWR | O_CREAT;
    }
    return common | O_RDONLY;
}

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

struct flock WholeFileLock(short type) {
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = 0;
    lock.l_len = 0;  // to the end, however far the file grows
    return lock;
}

// Takes the share lock on `fd` or, when its access does not allow that lock
// type, on a second description of the same file kept in `lockHolder`.
bool TakeShareLock(const std::string& path, int fd, int flags, const struct stat& info,
                   DiskShareMode share, Descriptor& lockHolder) {
    bool exclusive = share == DiskShareMode::kExclusive;
    int lockFd = fd;
    bool fits = exclusive ? HasWriteAccess(flags) : HasReadAccess(flags);
    if (!fits) {
        lockHolder.Reset(::open(path.c_str(), (exclusive ? O_WRONLY : O_RDONLY) | O_CLOEXEC));
        struct stat holderInfo {};
        if (!lockHolder.IsOpen() || ::fstat(lockHolder.Get(), &holderInfo) != 0 ||
            !SameFile(info, holderInfo)) {
            return false;
        }
        lockFd = lockHolder.Get();
    }
    struct flock lock = WholeFileLock(exclusive ? F_WRLCK : F_RDLCK);
    return ::fcntl(lockFd, F_OFD_SETLK, &lock) == 0;
}

class PosixDiskChannel final : public DiskChannel {
  public:
    PosixDiskChannel(Descriptor fd, Descriptor lockHolder)
        : fd_(std::move(fd)), lockHolder_(std::move(lockHolder)) {}

    std::optional<std::int64_t> Seek(std::int64_t offset, SeekOrigin origin) override {
        int whence = origin == SeekOrigin::kStart     ? SEEK_SET
                     : origin == SeekOrigin::kCurrent ? SEEK_CUR
                                                      : SEEK_END;
        off_t at = ::lseek(fd_.Get(), static_cast<off_t>(offset), whence);
        if (at < 0) {
            return std::nullopt;
        }
        return static_cast<std::int64_t>(at);
    }

    // read() may return less than asked before the end (signals, the kernel's
    // per-call cap): keep reading, as ReadFile does for a disk file.
    std::optional<std::int32_t> Read(void* buffer, std::int32_t count) override {
        auto* bytes = static_cast<unsigned char*>(buffer);
        std::int32_t done = 0;
        while (done < count) {
            ssize_t n = ::read(fd_.Get(), bytes + done, static_cast<size_t>(count - done));
            if (n < 0) {
                if (errno == EINTR) {
                    continue;
                }
                return std::nullopt;
            }
            if (n == 0) {
                break;
            }
            done += static_cast<std::int32_t>(n);
        }
        return done;
    }

    // Keeps writing until all is written or the device takes nothing more; a
    // device that fills up part way reports the bytes that did fit.
    std::optional<std::int32_t> Write(const void* data, std::int32_t count) override {
        const auto* bytes = static_cast<const unsigned char*>(data);
        std::int32_t done = 0;
        while (done < count) {
            ssize_t n = ::write(fd_.Get(), bytes + done, static_cast<size_t>(count - done));
            if (n < 0) {
                if (errno == EINTR) {
                    continue;
                }
                if (errno == ENOSPC && done > 0) {
                    break;
                }
                return std::nullopt;
            }
            if (n == 0) {
                break;
            }
            done += static_cast<std::int32_t>(n);
        }
        return done;
    }

    bool SetEnd() override {
        off_t at = ::lseek(fd_.Get(), 0, SEEK_CUR);
        return at >= 0 && ::ftruncate(fd_.Get(), at) == 0;
    }

    bool Flush() override { return ::fdatasync(fd_.Get()) == 0; }

    bool Close() override {
        lockHolder_.Reset(-1);
        return fd_.Reset(-1);  // closing the description also drops its lock
    }

  private:
    Descriptor fd_;
    Descriptor lockHolder_;
};

class PosixDiskPlatform final : public DiskPlatform {
  public:
    std::unique_ptr<DiskChannel> Open(std::string_view path, DiskOpenMode mode,
                                      DiskShareMode share) override {
        std::string name(path);
        if (name.find('\0') != std::string::npos) {
            return nullptr;
        }
        int flags = OpenFlags(mode);
        Descriptor fd(::open(name.c_str(), flags, kNewFilePermissions));
        if (!fd.IsOpen()) {
            return nullptr;
        }
        struct stat info {};
        if (::fstat(fd.Get(), &info) != 0 || S_ISDIR(info.st_mode)) {
            return nullptr;  // Windows opens no directory as a file
        }
        if (HasWriteAccess(flags) && (info.st_mode & kAnyWriteBit) == 0) {
            return nullptr;
        }
        Descriptor lockHolder;
        if (!TakeShareLock(name, fd.Get(), flags, info, share, lockHolder)) {
            return nullptr;
        }
        if (mode == DiskOpenMode::kCreateOrEmpty && ::ftruncate(fd.Get(), 0) != 0) {
            return nullptr;
        }
        return std::make_unique<PosixDiskChannel>(std::move(fd), std::move(lockHolder));
    }

    // Windows deletes neither a read-only file nor one that is open without
    // delete sharing, which every open of this layer is: both are emulated. The
    // check and the unlink are two steps, so a lock taken between them is missed.
    bool Delete(std::string_view path) override {
        std::string name(path);
        if (name.empty() || name.find('\0') != std::string::npos) {
            return false;
        }
        struct stat info {};
        if (::lstat(name.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) {
            return false;
        }
        if (S_ISREG(info.st_mode)) {
            if ((info.st_mode & kAnyWriteBit) == 0 || IsHeldOpen(name)) {
                return false;
            }
        }
        return ::unlink(name.c_str()) == 0;
    }

  private:
    static bool IsHeldOpen(const std::string& name) {
        Descriptor probe(::open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
        if (!probe.IsOpen()) {
            return false;  // unreadable: no lock can be seen, nor could one be taken
        }
        struct flock lock = WholeFileLock(F_WRLCK);
        return ::fcntl(probe.Get(), F_OFD_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
    }
};

}  // namespace

DiskPlatform& SystemDiskPlatform() {
    static PosixDiskPlatform platform;
    return platform;
}

}  // namespace quorvane

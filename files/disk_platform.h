#pragma once
// The narrow layer between a DiskFile and the operating system: one open file
// (DiskChannel) and the two calls that take a path. Windows and POSIX implement
// it side by side; tests may install a double that fails chosen calls.

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "files/file_entry.h"

namespace quorvane {

// Values as OpenFile takes them.
enum class DiskOpenMode {
    kReadExisting = 1,
    kWriteExisting = 2,
    kReadWriteExisting = 3,
    kCreateOrEmpty = 4,
    kWriteOpenAlways = 5,
    kReadWriteOpenAlways = 6,
};

enum class DiskShareMode {
    kReadWrite = 1,
    kWriteOnly = 2,
    kReadOnly = 3,
    kExclusive = 4,
};

// One open file of the system. Closed by Close or, at the latest, by its destructor.
class DiskChannel {
  public:
    virtual ~DiskChannel() = default;

    virtual std::optional<std::int64_t> Seek(std::int64_t offset, SeekOrigin origin) = 0;
    // Reads until count bytes or the end of the file.
    virtual std::optional<std::int32_t> Read(void* buffer, std::int32_t count) = 0;
    // Writes what fits: fewer than count bytes when the device is full.
    virtual std::optional<std::int32_t> Write(const void* data, std::int32_t count) = 0;
    // Cuts or extends the file at the position.
    virtual bool SetEnd() = 0;
    // Data to the device (metadata only as far as needed to read it back).
    virtual bool Flush() = 0;
    virtual bool Close() = 0;
};

class DiskPlatform {
  public:
    virtual ~DiskPlatform() = default;

    // No value when the system refuses the open; the path is code page 936.
    virtual std::unique_ptr<DiskChannel> Open(std::string_view path, DiskOpenMode mode,
                                              DiskShareMode share) = 0;
    virtual bool Delete(std::string_view path) = 0;
};

// The real system (disk_platform_win.cpp or disk_platform_posix.cpp).
DiskPlatform& SystemDiskPlatform();

// The platform new opens and deletions go through: the system, or a test's double.
DiskPlatform& CurrentDiskPlatform();
// Null puts the system back. Files already open keep the platform they were opened on.
void SetDiskPlatformForTesting(DiskPlatform* platform);

}  // namespace quorvane

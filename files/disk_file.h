#pragma once
// A file on disk, through one channel of the platform layer. No buffering of its
// own: every read and write is one platform call, and the position is the
// system's file pointer.

#include <memory>

#include "files/disk_platform.h"
#include "files/file_entry.h"

namespace quorvane {

class DiskFile final : public FileEntry {
  public:
    explicit DiskFile(std::unique_ptr<DiskChannel> channel) : channel_(std::move(channel)) {}

    std::optional<std::int64_t> Seek(std::int64_t offset, SeekOrigin origin) override;
    bool SetLength(std::int64_t length) override;
    std::optional<std::int64_t> Length() override;
    std::optional<std::int32_t> Read(unsigned char* buffer, std::int32_t count) override;
    std::optional<std::int32_t> Write(const unsigned char* data, std::int32_t count) override;
    bool Flush() override;
    void Close() override;

  private:
    std::unique_ptr<DiskChannel> channel_;  // none once closed
};

}  // namespace quorvane

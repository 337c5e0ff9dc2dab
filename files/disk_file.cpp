#include "files/disk_file.h"

namespace quorvane {

std::optional<std::int64_t> DiskFile::Seek(std::int64_t offset, SeekOrigin origin) {
    if (!channel_) {
        return std::nullopt;
    }
    return channel_->Seek(offset, origin);
}

bool DiskFile::SetLength(std::int64_t length) {
    return Seek(length, SeekOrigin::kStart) && channel_->SetEnd();
}

// Measured by seeking, so that the length and the position come from the same
// file pointer the reads and writes use.
std::optional<std::int64_t> DiskFile::Length() {
    std::optional<std::int64_t> position = Position();
    if (!position) {
        return std::nullopt;
    }
    std::optional<std::int64_t> end = Seek(0, SeekOrigin::kEnd);
    if (!end || !Seek(*position, SeekOrigin::kStart)) {
        return std::nullopt;
    }
    return end;
}

std::optional<std::int32_t> DiskFile::Read(unsigned char* buffer, std::int32_t count) {
    if (!channel_) {
        return std::nullopt;
    }
    if (count == 0) {
        return 0;
    }
    return channel_->Read(buffer, count);
}

std::optional<std::int32_t> DiskFile::Write(const unsigned char* data, std::int32_t count) {
    if (!channel_) {
        return std::nullopt;
    }
    if (count == 0) {
        return 0;
    }
    return channel_->Write(data, count);
}

bool DiskFile::Flush() {
    return channel_ && channel_->Flush();
}

void DiskFile::Close() {
    if (channel_) {
        channel_->Close();  // the entry is closed whether or not the system agrees
        channel_.reset();
    }
}

}  // namespace quorvane

#include "files/memory_file.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace quorvane {
namespace {

constexpr std::int64_t kMaxLength = std::numeric_limits<std::int32_t>::max();

}  // namespace

bool MemoryFile::Grow(std::int64_t needed) {
    if (needed <= capacity_) {
        return true;
    }
    if (needed > kMaxLength) {
        return false;
    }
    std::int64_t steps = (needed - capacity_ + kGrowStep - 1) / kGrowStep;
    std::int64_t capacity = capacity_ + steps * kGrowStep;
    if (static_cast<std::uint64_t>(capacity) > std::numeric_limits<size_t>::max()) {
        return false;
    }
    void* grown = std::realloc(buffer_.get(), static_cast<size_t>(capacity));
    if (!grown) {
        return false;  // the old buffer is still held, unchanged
    }
    buffer_.release();
    buffer_.reset(static_cast<unsigned char*>(grown));
    capacity_ = capacity;
    return true;
}

std::optional<std::int64_t> MemoryFile::Seek(std::int64_t offset, SeekOrigin origin) {
    std::int64_t base = origin == SeekOrigin::kStart     ? 0
                        : origin == SeekOrigin::kCurrent ? position_
                                                         : length_;
    if (offset > 0 && base > std::numeric_limits<std::int64_t>::max() - offset) {
        return std::nullopt;
    }
    std::int64_t target = base + offset;
    if (target < 0) {
        return std::nullopt;
    }
    position_ = target;  // beyond the length is allowed
    return position_;
}

bool MemoryFile::SetLength(std::int64_t length) {
    if (length < 0 || !Grow(length)) {
        return false;
    }
    position_ = std::min(position_, length);
    length_ = length;
    return true;
}

std::optional<std::int32_t> MemoryFile::Read(unsigned char* buffer, std::int32_t count) {
    if (count <= 0 || position_ >= length_) {
        return 0;
    }
    auto n = static_cast<std::int32_t>(std::min<std::int64_t>(count, length_ - position_));
    std::memcpy(buffer, buffer_.get() + position_, static_cast<size_t>(n));
    position_ += n;
    return n;
}

std::optional<std::int32_t> MemoryFile::Write(const unsigned char* data, std::int32_t count) {
    if (count <= 0) {
        return 0;
    }
    if (position_ > kMaxLength - count || !Grow(position_ + count)) {
        return std::nullopt;
    }
    std::memcpy(buffer_.get() + position_, data, static_cast<size_t>(count));
    position_ += count;
    length_ = std::max(length_, position_);
    return count;
}

void MemoryFile::Close() {
    buffer_.reset();
    capacity_ = 0;
    length_ = 0;
    position_ = 0;
}

}  // namespace quorvane

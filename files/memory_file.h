#pragma once
// A growable byte buffer used as a file. It grows in whole steps of kGrowStep and
// never shrinks while open; its length is held to what a ByteSequence can hold.

#include <cstdint>
#include <cstdlib>
#include <memory>

#include "files/file_entry.h"

namespace quorvane {

class MemoryFile final : public FileEntry {
  public:
    static constexpr std::int64_t kGrowStep = 1024;

    std::optional<std::int64_t> Seek(std::int64_t offset, SeekOrigin origin) override;
    bool SetLength(std::int64_t length) override;
    std::optional<std::int64_t> Length() override { return length_; }
    std::optional<std::int32_t> Read(unsigned char* buffer, std::int32_t count) override;
    std::optional<std::int32_t> Write(const unsigned char* data, std::int32_t count) override;
    bool Flush() override { return true; }
    void Close() override;

    std::int64_t Capacity() const { return capacity_; }

  private:
    struct FreeBuffer {
        void operator()(unsigned char* buffer) const { std::free(buffer); }
    };

    // Growth failing is a failure value of the operation, not the fatal path:
    // the buffer comes from realloc, not from operator new.
    bool Grow(std::int64_t needed);

    std::unique_ptr<unsigned char, FreeBuffer> buffer_;
    std::int64_t capacity_ = 0;
    std::int64_t length_ = 0;
    std::int64_t position_ = 0;
};

}  // namespace quorvane

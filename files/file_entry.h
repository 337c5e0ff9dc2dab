#pragma once
// The operations every kind of open file offers, on which the file-table
// operations are written once. Positions, lengths and counts are 64-bit; a
// single read or write moves at most what a ByteSequence can hold.

#include <cstdint>
#include <optional>

namespace quorvane {

enum class SeekOrigin { kStart, kCurrent, kEnd };

class FileEntry {
  public:
    virtual ~FileEntry() = default;

    // The new position, or no value when the seek failed (the position is then unchanged).
    virtual std::optional<std::int64_t> Seek(std::int64_t offset, SeekOrigin origin) = 0;
    // A disk file's position ends at the new length; a memory file's only moves
    // when it lay beyond it.
    virtual bool SetLength(std::int64_t length) = 0;
    // The position is unchanged.
    virtual std::optional<std::int64_t> Length() = 0;
    // The bytes read, fewer than asked at the end of the file; the position advances by them.
    virtual std::optional<std::int32_t> Read(unsigned char* buffer, std::int32_t count) = 0;
    // The bytes written: fewer than asked means the device is full.
    virtual std::optional<std::int32_t> Write(const unsigned char* data, std::int32_t count) = 0;
    // Hands everything written so far to the device itself.
    virtual bool Flush() = 0;
    // Releases what the entry holds; a failure of the release is not reported.
    virtual void Close() = 0;

    std::optional<std::int64_t> Position() { return Seek(0, SeekOrigin::kCurrent); }
};

}  // namespace quorvane

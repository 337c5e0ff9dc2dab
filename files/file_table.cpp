// The file operations, written once over FileEntry for disk and memory files.
// Every failure comes back as the operation's failure value; none escapes.

#include "files/file_table.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <limits>
#include <memory>

#include "files/disk_file.h"
#include "files/disk_platform.h"
#include "files/file_registry.h"
#include "files/memory_file.h"
#include "files/zero_block.h"

namespace quorvane {
namespace {

constexpr int kFirstOpenMode = 1;
constexpr int kLastOpenMode = 6;
constexpr int kFirstShareMode = 1;
constexpr int kLastShareMode = 4;
// DeleteBytes moves the bytes after the removed range through one block this size.
constexpr std::int32_t kMoveBlock = 4096;
constexpr std::int64_t kMaxSequenceLength = std::numeric_limits<std::int32_t>::max();

struct FreeBuffer {
    void operator()(unsigned char* buffer) const { std::free(buffer); }
};

FileEntry* Find(FileNumber file) { return FileTable::Instance().Find(file); }

// Reads exactly `count` bytes at the position, or fails.
bool ReadExactly(FileEntry& entry, unsigned char* buffer, std::int32_t count) {
    std::optional<std::int32_t> read = entry.Read(buffer, count);
    return read && *read == count;
}

// Writes all `count` bytes, retrying what a short write left; fails when the
// device takes nothing more.
bool WriteAll(FileEntry& entry, const unsigned char* data, std::int32_t count) {
    std::int32_t done = 0;
    while (done < count) {
        std::optional<std::int32_t> written = entry.Write(data + done, count - done);
        if (!written || *written <= 0) {
            return false;
        }
        done += *written;
    }
    return true;
}

bool MoveTailDown(FileEntry& entry, std::int64_t position, std::int64_t length,
                  std::int64_t count) {
    std::array<unsigned char, kMoveBlock> block;
    std::int64_t tail = length - position - count;
    std::int64_t cursor = position;
    while (tail > 0) {
        auto chunk = static_cast<std::int32_t>(std::min<std::int64_t>(tail, kMoveBlock));
        if (!entry.Seek(cursor + count, SeekOrigin::kStart) ||
            !ReadExactly(entry, block.data(), chunk) || !entry.Seek(cursor, SeekOrigin::kStart) ||
            !WriteAll(entry, block.data(), chunk)) {
            return false;
        }
        cursor += chunk;
        tail -= chunk;
    }
    return true;
}

bool WriteZeros(FileEntry& entry, std::int64_t length) {
    const unsigned char* zeros = SharedZeroBlock();
    if (!zeros || !entry.Seek(0, SeekOrigin::kStart)) {
        return false;
    }
    for (std::int64_t remaining = length; remaining > 0;) {
        auto chunk = static_cast<std::int32_t>(std::min<std::int64_t>(remaining, kZeroBlockSize));
        if (!WriteAll(entry, zeros, chunk)) {
            return false;
        }
        remaining -= chunk;
    }
    // One flush at the end: the zeros must be on the device before the file is
    // emptied, or the system could drop them along with the blocks.
    return entry.Flush() && entry.Seek(0, SeekOrigin::kStart);
}

}  // namespace

FileNumber OpenFile(std::string_view path, int openMode, int shareMode) {
    if (path.empty()) {
        return 0;
    }
    if (openMode < kFirstOpenMode || openMode > kLastOpenMode || shareMode < kFirstShareMode ||
        shareMode > kLastShareMode) {
        return 0;
    }
    std::unique_ptr<DiskChannel> channel = CurrentDiskPlatform().Open(
        path, static_cast<DiskOpenMode>(openMode), static_cast<DiskShareMode>(shareMode));
    if (!channel) {
        return 0;
    }
    return FileTable::Instance().Register(std::make_unique<DiskFile>(std::move(channel)),
                                          FileKind::kDisk);
}

FileNumber OpenMemoryFile() {
    return FileTable::Instance().Register(std::make_unique<MemoryFile>(), FileKind::kMemory);
}

void CloseFile(FileNumber file) {
    std::unique_ptr<FileEntry> entry = FileTable::Instance().Remove(file);
    if (entry) {
        entry->Close();  // a failure of the close is not reported
    }
}

std::int64_t FileLength(FileNumber file) {
    FileEntry* entry = Find(file);
    if (!entry) {
        return -1;
    }
    return entry->Length().value_or(-1);
}

bool SeekToStart(FileNumber file) {
    FileEntry* entry = Find(file);
    return entry && entry->Seek(0, SeekOrigin::kStart).has_value();
}

// A count beyond what a ByteSequence holds reads what it can hold.
ByteSequence ReadBytes(FileNumber file, std::int64_t count) {
    if (count <= 0) {
        return {};
    }
    FileEntry* entry = Find(file);
    if (!entry) {
        return {};
    }
    auto wanted = static_cast<std::int32_t>(std::min(count, kMaxSequenceLength));
    // The working buffer failing is a failure of the read, not the fatal path.
    std::unique_ptr<unsigned char, FreeBuffer> buffer(
        static_cast<unsigned char*>(std::malloc(static_cast<size_t>(wanted))));
    std::optional<std::int32_t> read;
    if (buffer) {
        read = entry->Read(buffer.get(), wanted);
    }
    if (!read) {
        entry->Seek(0, SeekOrigin::kEnd);
        return {};
    }
    return ByteSequence(buffer.get(), buffer.get() + *read);
}

bool WriteBytes(FileNumber file, const ByteSequence& data) {
    FileEntry* entry = Find(file);
    if (!entry) {
        return false;
    }
    std::optional<std::int64_t> position = entry->Position();
    if (!position) {
        return false;
    }
    if (data.empty()) {
        return true;
    }
    std::optional<std::int32_t> written =
        entry->Write(data.data(), static_cast<std::int32_t>(data.size()));
    if (!written || *written < static_cast<std::int32_t>(data.size())) {
        entry->Seek(*position, SeekOrigin::kStart);
        return false;
    }
    return true;
}

bool DeleteBytes(FileNumber file, std::int64_t count) {
    FileEntry* entry = Find(file);
    if (!entry) {
        return false;
    }
    std::optional<std::int64_t> position = entry->Position();
    if (!position) {
        return false;
    }
    if (count <= 0) {
        return true;
    }
    std::optional<std::int64_t> length = entry->Length();
    // When the count reaches past the end, nothing moves and the file is cut at
    // the position: exactly the bytes after it are removed.
    if (!length || !MoveTailDown(*entry, *position, *length, count) ||
        !entry->SetLength(std::max(*length - count, *position))) {
        entry->Seek(*position, SeekOrigin::kStart);
        return false;
    }
    return true;
}

// A ByteSequence holds at most 2^31 - 1 bytes: a larger count has no such value.
ByteSequence BlankBytes(std::int64_t count) {
    if (count <= 0 || count > kMaxSequenceLength) {
        return {};
    }
    return ByteSequence(static_cast<size_t>(count), 0);
}

bool DeleteDiskFile(std::string_view path) { return CurrentDiskPlatform().Delete(path); }

bool OverwriteWithZeros(FileNumber file) {
    FileEntry* entry = Find(file);
    if (!entry) {
        return false;
    }
    std::optional<std::int64_t> position = entry->Position();
    if (!position) {
        return false;
    }
    std::optional<std::int64_t> length = entry->Length();
    if (!length || !WriteZeros(*entry, *length)) {
        entry->Seek(*position, SeekOrigin::kStart);
        return false;
    }
    return true;
}

void CloseAllFiles() { FileTable::Instance().CloseAll(); }

}  // namespace quorvane

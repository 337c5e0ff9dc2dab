// The file operations, written once over the entry operations common to disk and
// memory files.
//
// Counts: a ByteSequence holds at most INT32_MAX bytes, so ReadBytes of more is
// a read whose buffer cannot be obtained (empty, position at the end), and
// BlankBytes of more gives empty.
#include "files/file_table.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <limits>
#include <memory>
#include <new>

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
constexpr std::int64_t kMaxSequence = std::numeric_limits<std::int32_t>::max();
// DeleteBytes moves the tail through one block of this size, front to back.
constexpr std::int32_t kMoveBlock = 4096;

struct FreeBuffer {
    void operator()(unsigned char* buffer) const { std::free(buffer); }
};
using WorkingBuffer = std::unique_ptr<unsigned char, FreeBuffer>;

FileEntry* Find(FileNumber file) {
    return FileTable::Instance().Find(file);
}

bool WriteAll(FileEntry& entry, const unsigned char* data, std::int32_t count) {
    std::optional<std::int32_t> written = entry.Write(data, count);
    return written && *written == count;
}

}  // namespace

FileNumber OpenFile(std::string_view path, int openMode, int shareMode) {
    if (path.empty()) {
        return 0;
    }
    if (openMode < kFirstOpenMode || openMode > kLastOpenMode) {
        return 0;
    }
    if (shareMode < kFirstShareMode || shareMode > kLastShareMode) {
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
    std::unique_ptr<FileEntry> entry(new (std::nothrow) MemoryFile());
    if (!entry) {
        return 0;
    }
    return FileTable::Instance().Register(std::move(entry), FileKind::kMemory);
}

// No flush: every write has already been handed to the system by its own call.
void CloseFile(FileNumber file) {
    std::unique_ptr<FileEntry> entry = FileTable::Instance().Remove(file);
    if (entry) {
        entry->Close();
    }
}

void CloseAllFiles() {
    FileTable::Instance().CloseAll();
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
    return entry && entry->Seek(0, SeekOrigin::kStart);
}

ByteSequence ReadBytes(FileNumber file, std::int64_t count) {
    if (count <= 0) {
        return {};
    }
    FileEntry* entry = Find(file);
    if (!entry) {
        return {};
    }
    // malloc, not operator new: a buffer that cannot be had is a failed read.
    WorkingBuffer buffer;
    if (count <= kMaxSequence) {
        buffer.reset(static_cast<unsigned char*>(std::malloc(static_cast<size_t>(count))));
    }
    if (buffer) {
        std::optional<std::int32_t> read =
            entry->Read(buffer.get(), static_cast<std::int32_t>(count));
        if (read) {
            return ByteSequence(buffer.get(), buffer.get() + *read);
        }
    }
    entry->Seek(0, SeekOrigin::kEnd);  // a failure of this seek changes nothing
    return {};
}

bool WriteBytes(FileNumber file, const ByteSequence& data) {
    return WriteBytes(file, {&data});
}

bool WriteBytes(FileNumber file, std::initializer_list<const ByteSequence*> data) {
    FileEntry* entry = Find(file);
    if (!entry) {
        return false;
    }
    std::optional<std::int64_t> start = entry->Position();
    if (!start) {
        return false;
    }
    for (const ByteSequence* sequence : data) {
        if (sequence->empty()) {
            continue;
        }
        if (sequence->size() > static_cast<size_t>(kMaxSequence) ||
            !WriteAll(*entry, sequence->data(), static_cast<std::int32_t>(sequence->size()))) {
            entry->Seek(*start, SeekOrigin::kStart);
            return false;
        }
    }
    return true;
}

bool DeleteBytes(FileNumber file, std::int64_t count) {
    FileEntry* entry = Find(file);
    if (!entry) {
        return false;
    }
    std::optional<std::int64_t> start = entry->Position();
    if (!start) {
        return false;
    }
    if (count <= 0) {
        return true;
    }
    auto fail = [&] {
        entry->Seek(*start, SeekOrigin::kStart);
        return false;
    };
    std::optional<std::int64_t> length = entry->Length();
    if (!length) {
        return fail();
    }
    std::int64_t after = *length - *start;  // negative when a memory file sits past its end
    std::int64_t tail = after > count ? after - count : 0;
    std::int64_t cursor = *start;
    std::array<unsigned char, kMoveBlock> block;
    while (tail > 0) {
        auto chunk = static_cast<std::int32_t>(std::min<std::int64_t>(tail, kMoveBlock));
        if (!entry->Seek(cursor + count, SeekOrigin::kStart)) {
            return fail();
        }
        // Nothing else writes the file while it is open here, so a short read
        // means the system failed.
        std::optional<std::int32_t> read = entry->Read(block.data(), chunk);
        if (!read || *read != chunk) {
            return fail();
        }
        if (!entry->Seek(cursor, SeekOrigin::kStart) || !WriteAll(*entry, block.data(), chunk)) {
            return fail();
        }
        cursor += chunk;
        tail -= chunk;
    }
    if (!entry->SetLength(std::max(*length - count, *start))) {
        return fail();
    }
    return true;
}

ByteSequence BlankBytes(std::int64_t count) {
    if (count <= 0 || count > kMaxSequence) {
        return {};
    }
    return ByteSequence(static_cast<size_t>(count), 0);
}

bool DeleteDiskFile(std::string_view path) {
    return CurrentDiskPlatform().Delete(path);
}

// One flush at the end, not one per block: the whole pass reaches the device
// before the caller goes on to empty and delete the file.
bool OverwriteWithZeros(FileNumber file) {
    FileEntry* entry = Find(file);
    if (!entry) {
        return false;
    }
    std::optional<std::int64_t> start = entry->Position();
    if (!start) {
        return false;
    }
    auto fail = [&] {
        entry->Seek(*start, SeekOrigin::kStart);
        return false;
    };
    const unsigned char* zeros = SharedZeroBlock();
    std::optional<std::int64_t> length = entry->Length();
    if (!zeros || !length || !entry->Seek(0, SeekOrigin::kStart)) {
        return fail();
    }
    std::int64_t done = 0;
    while (done < *length) {
        auto chunk =
            static_cast<std::int32_t>(std::min<std::int64_t>(*length - done, kZeroBlockSize));
        // A short write is retried with the rest; one that writes nothing means the
        // device is full.
        std::optional<std::int32_t> written = entry->Write(zeros, chunk);
        if (!written || *written <= 0) {
            return fail();
        }
        done += *written;
    }
    if (!entry->Flush() || !entry->Seek(0, SeekOrigin::kStart)) {
        return fail();
    }
    return true;
}

}  // namespace quorvane

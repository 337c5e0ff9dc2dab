#pragma once
// Numbered open files, on disk or in memory. Every operation reports failure
// through its result only: 0 from the opens, -1 from FileLength, false from the
// boolean operations, an empty ByteSequence from ReadBytes and BlankBytes. A
// number that names no open file is such a failure.
//
// Paths are code page 936 texts. Disk lengths, positions and counts are 64-bit,
// so files of 2 GiB and more are measured and emptied whole.

#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace quorvane {

using FileNumber = std::int32_t;
using ByteSequence = std::vector<unsigned char>;

inline constexpr int kOpenReadWriteExisting = 3;  // the default open mode
inline constexpr int kShareReadWrite = 1;         // the default share mode
inline constexpr int kShareExclusive = 4;

// Open modes 1..6 and share modes 1..4; anything else fails before the disk is touched.
FileNumber OpenFile(std::string_view path, int openMode = kOpenReadWriteExisting,
                    int shareMode = kShareReadWrite);
FileNumber OpenMemoryFile();
void CloseFile(FileNumber file);
std::int64_t FileLength(FileNumber file);
bool SeekToStart(FileNumber file);
ByteSequence ReadBytes(FileNumber file, std::int64_t count);
bool WriteBytes(FileNumber file, const ByteSequence& data);
// Several sequences in order; empty ones are skipped. On a failure the position
// goes back to where it was, and what earlier sequences wrote stays written.
bool WriteBytes(FileNumber file, std::initializer_list<const ByteSequence*> data);
template <typename... More>
bool WriteBytes(FileNumber file, const ByteSequence& first, const ByteSequence& second,
                const More&... more) {
    return WriteBytes(file, {&first, &second, static_cast<const ByteSequence*>(&more)...});
}
// Removes `count` bytes at the position, moving what follows down; the position
// ends at the new length.
bool DeleteBytes(FileNumber file, std::int64_t count);
ByteSequence BlankBytes(std::int64_t count);
bool DeleteDiskFile(std::string_view path);
// Overwrites the whole content in place with zero bytes and flushes it to the
// device; the length stays, the position ends at 0.
bool OverwriteWithZeros(FileNumber file);

// Closes every file still open, in the order they were opened (at program end).
void CloseAllFiles();

}  // namespace quorvane

#pragma once
// Random operation sequences on the file table, checked after every step against
// a model: for each open number a byte vector and a position. Closed, reused,
// arbitrary and 0 numbers are used as freely as open ones, and every failure
// value is checked too.

#include <cstdint>
#include <functional>
#include <optional>

#include "files/file_table.h"
#include "tests/fuzz/fuzz_input.h"

namespace quorvane::fuzz {

struct FileKind {
    // Opens a new, empty file; 0 when the open failed.
    std::function<FileNumber()> open;
    // The content as the system holds it, read by other means; no value where
    // there is no such means (memory files).
    std::function<std::optional<ByteSequence>(FileNumber)> outsideContent;
    // After CloseFile: whatever the kind leaves behind is removed.
    std::function<void(FileNumber)> closed;
};

void RunFileOperations(FuzzInput& input, const FileKind& kind);

}  // namespace quorvane::fuzz

#include "files/file_registry.h"

#include <algorithm>
#include <utility>

namespace quorvane {
namespace {

// A bijection of 32-bit values, so that distinct counter values give distinct
// numbers that are large and not consecutive: no caller can compute a valid
// number from another one, only the table says which are open.
std::uint32_t Scramble(std::uint32_t x) {
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

}  // namespace

FileTable& FileTable::Instance() {
    static FileTable table;
    return table;
}

FileNumber FileTable::NextNumber() {
    // Only after 2^32 opens does the counter come round to numbers still in use.
    for (;;) {
        auto number = static_cast<FileNumber>(Scramble(++counter_));
        if (number != 0 && Find(number) == nullptr) {
            return number;
        }
    }
}

FileNumber FileTable::Register(std::unique_ptr<FileEntry> entry, FileKind kind) {
    FileNumber number = NextNumber();
    entries_.push_back({number, kind, std::move(entry)});
    return number;
}

FileEntry* FileTable::Find(FileNumber number) const {
    if (number == 0) {
        return nullptr;
    }
    auto found = std::find_if(entries_.begin(), entries_.end(),
                              [number](const Registration& r) { return r.number == number; });
    return found == entries_.end() ? nullptr : found->entry.get();
}

std::unique_ptr<FileEntry> FileTable::Remove(FileNumber number) {
    auto found = std::find_if(entries_.begin(), entries_.end(),
                              [number](const Registration& r) { return r.number == number; });
    if (number == 0 || found == entries_.end()) {
        return nullptr;
    }
    std::unique_ptr<FileEntry> entry = std::move(found->entry);
    entries_.erase(found);
    return entry;
}

void FileTable::CloseAll() {
    std::vector<Registration> closing = std::move(entries_);
    entries_.clear();
    for (Registration& registration : closing) {
        registration.entry->Close();
        registration.entry.reset();
    }
}

}  // namespace quorvane

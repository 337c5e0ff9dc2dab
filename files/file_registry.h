#pragma once
// The one table of open files: every entry from the open that registers it to the
// close that removes it, in registration order.

#include <cstdint>
#include <memory>
#include <vector>

#include "files/file_entry.h"
#include "files/file_table.h"

namespace quorvane {

enum class FileKind { kDisk = 1, kMemory = 2 };

class FileTable {
  public:
    FileTable() = default;
    FileTable(const FileTable&) = delete;
    FileTable& operator=(const FileTable&) = delete;
    // The program's end closes whatever is still open.
    ~FileTable() { CloseAll(); }

    // The one table of the process.
    static FileTable& Instance();

    // The new entry's number: nonzero, and distinct from every open entry's.
    FileNumber Register(std::unique_ptr<FileEntry> entry, FileKind kind);
    // Null when the number names no open entry.
    FileEntry* Find(FileNumber number) const;
    // Takes the entry out of the table; null when it was not in it.
    std::unique_ptr<FileEntry> Remove(FileNumber number);
    // Closes and destroys every entry in registration order, close failures ignored.
    void CloseAll();

  private:
    struct Registration {
        FileNumber number;
        FileKind kind;
        std::unique_ptr<FileEntry> entry;
    };

    FileNumber NextNumber();

    std::vector<Registration> entries_;
    std::uint32_t counter_ = 0;
};

}  // namespace quorvane

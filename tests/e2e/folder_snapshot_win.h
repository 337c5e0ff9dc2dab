#pragma once
// What every file of a test's folder is, before and after the program ran: the
// content's hash, the length, which file it is (volume and index) and how many
// names it has. Comparing two snapshots names every file that was touched, so a
// test can require that exactly the expected files changed and nothing else.

#include <windows.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace quorvane::e2e {

struct FileRecord {
    std::uint64_t hash = 0;
    std::uint64_t size = 0;
    std::uint64_t index = 0;
    DWORD volume = 0;
    DWORD links = 0;
    bool readable = false;

    bool operator==(const FileRecord&) const = default;
};

// Keyed by the path below the folder, in code page 936.
using FolderSnapshot = std::map<std::string, FileRecord>;

FolderSnapshot TakeSnapshot(const std::wstring& folder);

// One line per file that differs: "NAME gone", "NAME new" or "NAME changed",
// sorted by name.
std::vector<std::string> Differences(const FolderSnapshot& before, const FolderSnapshot& after);

}  // namespace quorvane::e2e

#include "tests/e2e/folder_snapshot_win.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "tests/gui/program_driver_win.h"

namespace quorvane::e2e {
namespace {

constexpr std::uint64_t kFnvOffset = 14695981039346656037ull;
constexpr std::uint64_t kFnvPrime = 1099511628211ull;
constexpr DWORD kReadBlock = 1 << 20;
constexpr DWORD kShareEverything = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// A 64-bit FNV-1a over 8-byte words (the tail byte by byte): small, and fast
// enough for the 2 GiB file.
class ContentHash {
  public:
    void Add(const unsigned char* data, std::size_t count);
    std::uint64_t Value() const { return hash_; }

  private:
    std::uint64_t hash_ = kFnvOffset;
};

FileRecord RecordOf(const std::wstring& path);

void AddFolder(const std::wstring& folder, const std::wstring& below, FolderSnapshot& snapshot) {
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") {
            continue;
        }
        std::wstring relative = below.empty() ? name : below + L"\\" + name;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            AddFolder(folder + L"\\" + name, relative, snapshot);
        } else {
            snapshot[gui::Cp936(relative)] = RecordOf(folder + L"\\" + name);
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

void ContentHash::Add(const unsigned char* data, std::size_t count) {
    std::size_t at = 0;
    for (; at + 8 <= count; at += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, data + at, 8);
        hash_ = (hash_ ^ word) * kFnvPrime;
    }
    for (; at < count; ++at) {
        hash_ = (hash_ ^ data[at]) * kFnvPrime;
    }
}

FileRecord RecordOf(const std::wstring& path) {
    FileRecord record;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, kShareEverything, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return record;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileInformationByHandle(file, &info)) {
        record.size = (std::uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow;
        record.index = (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow;
        record.volume = info.dwVolumeSerialNumber;
        record.links = info.nNumberOfLinks;
    }
    std::vector<unsigned char> buffer(kReadBlock);
    ContentHash hash;
    DWORD got = 0;
    bool complete = true;
    while ((complete = ReadFile(file, buffer.data(), kReadBlock, &got, nullptr) != FALSE) &&
           got > 0) {
        hash.Add(buffer.data(), got);
    }
    CloseHandle(file);
    record.hash = hash.Value();
    record.readable = complete;
    return record;
}

}  // namespace

FolderSnapshot TakeSnapshot(const std::wstring& folder) {
    FolderSnapshot snapshot;
    AddFolder(folder, L"", snapshot);
    return snapshot;
}

std::vector<std::string> Differences(const FolderSnapshot& before, const FolderSnapshot& after) {
    std::vector<std::string> lines;
    for (const auto& [name, record] : before) {
        auto now = after.find(name);
        if (now == after.end()) {
            lines.push_back(name + " gone");
        } else if (!(now->second == record)) {
            lines.push_back(name + " changed");
        }
    }
    for (const auto& [name, record] : after) {
        if (before.find(name) == before.end()) {
            lines.push_back(name + " new");
        }
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

}  // namespace quorvane::e2e

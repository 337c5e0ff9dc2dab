#pragma once
// Small helpers shared by the file-service tests.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "files/file_table.h"

namespace quorvane {

inline ByteSequence Bytes(const std::string& text) {
    return ByteSequence(text.begin(), text.end());
}

// The position of an open, readable file, read off as the length less what is
// left after it. Leaves the position at the end.
inline std::int64_t PositionOf(FileNumber file) {
    constexpr std::int64_t kMostLeft = 1 << 20;
    std::int64_t length = FileLength(file);
    return length - static_cast<std::int64_t>(ReadBytes(file, kMostLeft).size());
}

// A directory of its own for one test, removed with everything in it afterwards.
class ScratchDir {
  public:
    // Named after the suite and the case: ctest runs cases of several test
    // programs at once, and two suites may have cases of the same name.
    ScratchDir() : dir_(std::filesystem::temp_directory_path() / ("quorvane_" + CaseName())) {
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    ~ScratchDir() {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }

    std::string Make(const std::string& name, const std::string& content) const {
        std::filesystem::path p = dir_ / name;
        std::ofstream(p, std::ios::binary) << content;
        return p.string();
    }
    const std::filesystem::path& Path() const { return dir_; }

  private:
    static std::string CaseName() {
        const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
        return std::string(info->test_suite_name()) + "_" + info->name();
    }

    std::filesystem::path dir_;
};

inline std::string ContentOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace quorvane

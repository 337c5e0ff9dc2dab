// Operation sequences on disk files of the system, checked against the
// byte-vector model and against the content read back through the file's path.

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "tests/fuzz/file_model.h"
#include "tests/fuzz/fuzz_check.h"

namespace quorvane::fuzz {
namespace {

// One scratch directory per process, removed at exit.
class ScratchDirectory {
  public:
    ScratchDirectory() {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/quorvane-fuzz-XXXXXX";
        FUZZ_CHECK(mkdtemp(pattern.data()) != nullptr, "no scratch directory at %s",
                   pattern.c_str());
        path_ = pattern;
    }
    ~ScratchDirectory() { rmdir(path_.c_str()); }

    const std::string& Path() const { return path_; }

  private:
    std::string path_;
};

ScratchDirectory& Scratch() {
    static ScratchDirectory directory;
    return directory;
}

std::map<FileNumber, std::string>& Paths() {
    static std::map<FileNumber, std::string> paths;
    return paths;
}

FileNumber OpenNewDiskFile() {
    static unsigned counter = 0;
    std::string path = Scratch().Path() + "/file" + std::to_string(counter++);
    std::ofstream(path, std::ios::binary).close();
    FileNumber number = OpenFile(path, kOpenReadWriteExisting, kShareExclusive);
    if (number == 0) {
        std::remove(path.c_str());
        return 0;
    }
    Paths()[number] = path;
    return number;
}

std::optional<ByteSequence> ContentOnDisk(FileNumber number) {
    std::ifstream file(Paths().at(number), std::ios::binary);
    return ByteSequence(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void RemoveClosedFile(FileNumber number) {
    auto it = Paths().find(number);
    FUZZ_CHECK(DeleteDiskFile(it->second), "DeleteDiskFile(%s) of a closed file failed",
               it->second.c_str());
    Paths().erase(it);
}

}  // namespace
}  // namespace quorvane::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quorvane::fuzz;

    static const FileKind kDisk{OpenNewDiskFile, ContentOnDisk, RemoveClosedFile};
    FuzzInput input(data, size);
    RunFileOperations(input, kDisk);
    return 0;
}

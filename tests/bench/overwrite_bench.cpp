// Times one zero pass of OverwriteWithZeros over an existing file and prints the
// seconds it took. The file is held exclusively, as the program holds a loaded
// file, so the figure is the one a shred pays for its content.
//
// Usage: overwrite_bench PATH   (under Wine, a Z:\ path of the Linux file)

#include <chrono>
#include <cstdio>

#include "files/file_table.h"

namespace {

constexpr int kUsageError = 2;
constexpr int kRunFailed = 1;

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: overwrite_bench PATH\n");
        return kUsageError;
    }
    quorvane::FileNumber file =
        quorvane::OpenFile(argv[1], quorvane::kOpenReadWriteExisting, quorvane::kShareExclusive);
    if (file == 0) {
        std::fprintf(stderr, "overwrite_bench: cannot open %s\n", argv[1]);
        return kRunFailed;
    }
    auto started = std::chrono::steady_clock::now();
    bool overwritten = quorvane::OverwriteWithZeros(file);
    auto finished = std::chrono::steady_clock::now();
    quorvane::CloseFile(file);
    if (!overwritten) {
        std::fprintf(stderr, "overwrite_bench: the overwrite of %s failed\n", argv[1]);
        return kRunFailed;
    }
    std::printf("%.6f\n", std::chrono::duration<double>(finished - started).count());
    return 0;
}

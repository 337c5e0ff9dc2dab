// Operation sequences on memory files, checked against the byte-vector model.

#include <cstdint>

#include "tests/fuzz/file_model.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quorvane;
    using namespace quorvane::fuzz;

    static const FileKind kMemory{
        [] { return OpenMemoryFile(); },
        [](FileNumber) { return std::optional<ByteSequence>(); },
        [](FileNumber) {},
    };
    FuzzInput input(data, size);
    RunFileOperations(input, kMemory);
    return 0;
}

#include "files/zero_block.h"

#include <cstdlib>

namespace quorvane {
namespace {

constexpr std::size_t kAlignment = 4096;

// calloc rather than malloc and memset: a large calloc comes straight from the
// system as pages that are already zero, and nothing has to touch them first.
class AlignedZeros {
  public:
    AlignedZeros() : raw_(std::calloc(1, kZeroBlockSize + kAlignment)) {}
    AlignedZeros(const AlignedZeros&) = delete;
    AlignedZeros& operator=(const AlignedZeros&) = delete;
    ~AlignedZeros() { std::free(raw_); }

    const unsigned char* Get() const {
        if (!raw_) {
            return nullptr;
        }
        auto at = reinterpret_cast<std::uintptr_t>(raw_);
        at = (at + kAlignment - 1) & ~static_cast<std::uintptr_t>(kAlignment - 1);
        return reinterpret_cast<const unsigned char*>(at);
    }

  private:
    void* raw_;
};

}  // namespace

const unsigned char* SharedZeroBlock() {
    static AlignedZeros block;
    return block.Get();
}

}  // namespace quorvane

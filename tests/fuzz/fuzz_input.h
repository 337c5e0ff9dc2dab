#pragma once
// A fuzz input read as a stream of small values. An exhausted input yields zeros,
// so every input, however short, is a complete case and the fuzzer never wastes
// runs on inputs that are "too short".

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace quorvane::fuzz {

class FuzzInput {
  public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool Exhausted() const { return at_ >= size_; }

    std::uint8_t Byte() { return Exhausted() ? 0 : data_[at_++]; }

    std::int16_t Int16() { return static_cast<std::int16_t>(Unsigned(2)); }
    std::int32_t Int32() { return static_cast<std::int32_t>(Unsigned(4)); }

    // Any bit pattern, NaNs and infinities included.
    double Double() {
        std::uint64_t bits = Unsigned(8);
        double value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

    // The bytes up to the next NUL (consumed) or the end: a text can never hold
    // a NUL, exactly like the NUL-terminated texts of the program.
    std::string Text() {
        std::string text;
        while (!Exhausted()) {
            char byte = static_cast<char>(data_[at_++]);
            if (byte == '\0') {
                break;
            }
            text += byte;
        }
        return text;
    }

  private:
    std::uint64_t Unsigned(int bytes) {
        std::uint64_t value = 0;
        for (int i = 0; i < bytes; ++i) {
            value |= static_cast<std::uint64_t>(Byte()) << (8 * i);
        }
        return value;
    }

    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

}  // namespace quorvane::fuzz

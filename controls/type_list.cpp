#include "controls/type_list.h"

namespace quorvane {
namespace {

constexpr char kBar = '|';
constexpr char kListEnd[] = "||";

// Code page 936 lead bytes: 0x81..0xFE; the byte after one belongs to the same character.
bool IsLeadByte(char byte) {
    auto value = static_cast<unsigned char>(byte);
    return value >= 0x81 && value <= 0xFE;
}

bool IsTrailingWhiteSpace(char byte) {
    return byte == ' ' || byte == '\t' || byte == '\r' || byte == '\n' || byte == '\v' ||
           byte == '\f';
}

}  // namespace

std::optional<std::string> TypeListFromFilter(std::string_view filter) {
    while (!filter.empty() && IsTrailingWhiteSpace(filter.back())) {
        filter.remove_suffix(1);
    }
    if (filter.empty()) {
        return std::nullopt;
    }
    std::string list(filter);
    if (!filter.ends_with(kListEnd)) {
        list += kListEnd;
    }
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (IsLeadByte(list[i]) && i + 1 < list.size()) {
            ++i;  // the trail byte, whatever its value
            continue;
        }
        if (list[i] == kBar) {
            list[i] = '\0';
        }
    }
    return list;
}

}  // namespace quorvane

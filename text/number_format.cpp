#include "text/number_format.h"

#include <cmath>
#include <cstdio>
#include <string_view>

namespace quorvane {
namespace {

// Keeps a product like 2.005 * 100 = 200.49999999999997 on the side it was written.
constexpr double kRoundingNudge = 1e-12;
constexpr int kGroupSize = 3;

double RoundHalfAwayFromZero(double value, int decimals) {
    if (value == 0) {
        return 0;
    }
    double scale = std::pow(10.0, std::abs(decimals));
    double magnitude = std::fabs(value);
    double scaled = (decimals >= 0 ? magnitude * scale : magnitude / scale) + kRoundingNudge;
    double whole = std::floor(scaled);
    if (scaled - whole >= 0.5) {
        whole += 1;
    }
    double rounded = decimals >= 0 ? whole / scale : whole * scale;
    return std::copysign(rounded, value);
}

void PadDecimals(std::string& text, int decimals) {
    size_t point = text.find('.');
    if (point == std::string::npos) {
        text += '.';
        text.append(decimals, '0');
        return;
    }
    size_t present = text.size() - point - 1;
    if (present < static_cast<size_t>(decimals)) {
        text.append(decimals - present, '0');
    }
}

bool IsPlainDecimal(std::string_view text) {
    if (!text.empty() && text.front() == '-') {
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return false;
    }
    for (char c : text) {
        if (!(c >= '0' && c <= '9') && c != '.') {
            return false;
        }
    }
    return true;
}

std::string Group(std::string_view text) {
    size_t digitsStart = (!text.empty() && text.front() == '-') ? 1 : 0;
    size_t point = text.find('.');
    size_t digitsEnd = point == std::string_view::npos ? text.size() : point;

    std::string grouped(text.substr(0, digitsStart));
    for (size_t i = digitsStart; i < digitsEnd; ++i) {
        size_t remaining = digitsEnd - i;
        if (i > digitsStart && remaining % kGroupSize == 0) {
            grouped += ',';
        }
        grouped += text[i];
    }
    grouped += text.substr(digitsEnd);
    return grouped;
}

}  // namespace

std::string FormatNumber(double value, std::optional<int> decimals, bool grouping) {
    if (decimals) {
        value = RoundHalfAwayFromZero(value, *decimals);
    }
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.13g", value);
    std::string text = buffer;
    if (decimals && *decimals > 0) {
        PadDecimals(text, *decimals);
    }
    if (grouping && IsPlainDecimal(text)) {
        text = Group(text);
    }
    return text;
}

}  // namespace quorvane

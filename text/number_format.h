#pragma once

#include <optional>
#include <string>

namespace quorvane {

// The display text of a number: "%.13g", optionally rounded half away from zero
// and zero-padded to `decimals` places, optionally with "," between groups of
// three digits left of the point. Exponent forms and non-finite values are never
// grouped.
std::string FormatNumber(double value, std::optional<int> decimals, bool grouping);

}  // namespace quorvane

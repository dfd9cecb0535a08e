// SPDX-License-Identifier: GPL-3.0-or-later
#include "measure/ShortestDigits.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// Enough digits for any double to read back.
constexpr int MostDigits = 17;

} // namespace

std::string ShortestDigits(double value) {
    if (std::isnan(value)) return std::signbit(value) ? "-nan" : "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    // The fewest significant digits that read back: the correctly rounded
    // ones are the nearest, as to_chars chooses among the shortest.
    char text[64];
    for (int digits = 1; digits <= MostDigits; ++digits) {
        std::snprintf(text, sizeof text, "%.*e", digits - 1, value);
        if (std::strtod(text, nullptr) == value) break;
    }
    std::string scientific(text);
    const std::size_t e = scientific.find('e');
    const bool negative = scientific.front() == '-';
    std::string mantissa = scientific.substr(negative ? 1 : 0, e - (negative ? 1 : 0));
    const int exponent = std::atoi(scientific.c_str() + e + 1);
    std::string significant;
    for (char c : mantissa) {
        if (c != '.') significant += c;
    }

    std::string fixed;
    char whole[400];
    const int count = static_cast<int>(significant.size());
    if (exponent >= 0) {
        fixed = significant.substr(0, static_cast<std::size_t>(std::min(count, exponent + 1)));
        if (count <= exponent + 1) {
            // A whole number is written with all its digits, as printf's %f does.
            std::snprintf(whole, sizeof whole, "%.0f", std::fabs(value));
            fixed = whole;
        } else {
            fixed += '.' + significant.substr(static_cast<std::size_t>(exponent + 1));
        }
    } else {
        fixed = "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + significant;
    }
    const std::string sign = negative ? "-" : "";
    return sign + (fixed.size() <= scientific.size() - (negative ? 1 : 0)
                       ? fixed
                       : scientific.substr(negative ? 1 : 0));
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/Extended.h"

#ifdef WOGENFELD_SOFT_EXTENDED

const char* ExtendedRealsName() {
    return "software";
}

std::string TwoDecimalText(Extended value) {
    return TwoDecimals(value);
}

#else

#include <cstdio>

const char* ExtendedRealsName() {
    return "x87";
}

std::string TwoDecimalText(Extended value) {
    // The largest extended has 4,933 digits before the point.
    char digits[5000];
    std::snprintf(digits, sizeof digits, "%.2Lf", value);
    return digits;
}

#endif

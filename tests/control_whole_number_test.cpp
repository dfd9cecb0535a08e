// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/WholeNumber.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(WholeNumber, AcceptsBlanksSignAndDigitsWithin32Bits) {
    EXPECT_EQ(ParseWholeNumber("36"), 36);
    EXPECT_EQ(ParseWholeNumber("  7"), 7);
    EXPECT_EQ(ParseWholeNumber("+12"), 12);
    EXPECT_EQ(ParseWholeNumber("-0"), 0);
    EXPECT_EQ(ParseWholeNumber("007"), 7);
    EXPECT_EQ(ParseWholeNumber("2147483647"), INT_MAX);
    EXPECT_EQ(ParseWholeNumber("-2147483648"), INT_MIN);
    EXPECT_EQ(ParseWholeNumber("000000000000000000000000000042"), 42);
}

TEST(WholeNumber, RejectsEverythingElse) {
    for (const char* text :
         {"",    " ",    "-",   "+",   "abc", "1.5",        "1,5",         "12 ",
          "1 2", "+-3",  "--3", "- 3", "+ 3", "2147483648", "-2147483649", "99999999999999999999",
          "\t5", "0x10", "$10", "1e3", "٣",   "３"}) {
        EXPECT_FALSE(ParseWholeNumber(text)) << text;
    }
}

TEST(WholeNumber, MessageQuotesTheTextAsTyped) {
    EXPECT_EQ(NotAWholeNumberMessage(" a%1b"), "' a%1b' is not a valid integer value");
}

} // namespace

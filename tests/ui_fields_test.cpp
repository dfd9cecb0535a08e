// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Displays.h"

#include <gtest/gtest.h>

namespace {

TEST(Displays, FrequencyInEnglishAndGermanLocales) {
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const QLocale german(QLocale::German, QLocale::Germany);
    struct TCase {
        int Position;
        const char* Text;
    };
    for (const TCase c : {TCase{0, "0.00"},
                          {410, "0.65"},
                          {500, "0.80"},
                          {770, "1.23"},
                          {800, "1.27"},
                          {1505, "2.40"}}) {
        const Extended omega = c.Position * 0.01L;
        EXPECT_EQ(FrequencyText(omega, english), c.Text);
        EXPECT_EQ(FrequencyText(omega, german), QString(c.Text).replace('.', ','));
    }
    EXPECT_EQ(PositionText(1500), "1500");
    EXPECT_EQ(PositionText(0), "0");
}

} // namespace

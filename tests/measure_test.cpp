// SPDX-License-Identifier: GPL-3.0-or-later
// The measuring of a run without a window: the recording, the readings of a
// probe and the text of the tables.
#include "NetTesting.h"
#include "control/MeasureTexts.h"
#include "measure/DrawnNodes.h"
#include "measure/Readings.h"
#include "measure/Recording.h"
#include "measure/ShortestDigits.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <random>

namespace {

TEST(Numbers, KeepEveryBitOfTheDouble) {
    for (double value : {0.1, 1.0 / 3, -2.5e-300, 4.9406564584124654e-324, 1.7976931348623157e308,
                         51200.0, -5.502496195438507}) {
        const std::string text = NumberText(value);
        EXPECT_EQ(text.find(','), std::string::npos) << text;
        EXPECT_EQ(std::strtod(text.c_str(), nullptr), value) << text;
    }
}

TEST(Numbers, WithoutTheLibrarysToCharsAreWrittenAsItWrites) {
    // The WebAssembly build's table must be the desktop's byte for byte.
    std::mt19937_64 random(29);
    std::vector<double> values{0.0,
                               -0.0,
                               1e-5,
                               1e-4,
                               123456.0,
                               1e21,
                               1e22,
                               0.001,
                               100.0,
                               1e16,
                               5e-324,
                               1.7976931348623157e308,
                               0.30000000000000004};
    for (int k = 0; k < 100000; ++k) {
        const double any = std::bit_cast<double>(random());
        if (std::isfinite(any)) values.push_back(any);
        // Values as a run makes them: small exponents, few or many digits.
        const double scale = std::pow(10.0, static_cast<int>(random() % 24) - 12);
        values.push_back(std::round(std::ldexp(static_cast<double>(random() >> 11), -53) * 1e4) *
                         scale);
        values.push_back(std::ldexp(static_cast<double>(random() >> 11), -53) * scale * 3);
    }
    for (double value : values) {
        char digits[32];
        const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
        ASSERT_EQ(ShortestDigits(value), std::string(digits, end)) << value;
    }
}

TEST(Numbers, InGermanAsTheWindowShowsThem) {
    EXPECT_EQ(GermanNumber(1234.5678, 2), "1.234,57");
    EXPECT_EQ(GermanNumber(-1234567.8914, 3), "-1.234.567,891");
    EXPECT_EQ(GermanNumber(0.78539816, 4), "0,7854");
    EXPECT_EQ(GermanNumber(999.4, 0), "999");
    EXPECT_EQ(GermanCount(1234567), "1.234.567");
    EXPECT_EQ(GermanCount(100), "100");
}

TEST(DrawnNodes, FindTheNodeAndTheMarkerUnderAPoint) {
    auto net = MakeNet(TPass{}.Mode);
    auto points = std::make_unique<TScreenGrid>();
    TDrawnNodes drawn;
    EXPECT_FALSE(drawn.Nearest(0, 0).has_value()) << "no frame yet";
    // Node (x, y) of the visible net drawn at (10 x, 7 y).
    for (int y = 1; y <= 71; ++y) {
        for (int x = 1; x <= 71; ++x)
            (*points)(x + net->Margin, y + net->Margin) = {10 * x, 7 * y};
    }
    drawn.Take(*net, *points);
    const auto nearest = drawn.Nearest(104, 73);
    ASSERT_TRUE(nearest.has_value());
    EXPECT_EQ(std::pair(nearest->X, nearest->Y), std::pair(10, 10));
    // Far outside the frame: the squared distances need 64 bits.
    (*points)(1 + net->Margin, 1 + net->Margin) = {-1000000000, -1000000000};
    drawn.Take(*net, *points);
    const auto far = drawn.Nearest(-999999990, -999999993);
    EXPECT_EQ(std::pair(far->X, far->Y), std::pair(1, 1));

    const TProbeSlots probes{std::nullopt, TNodePosition{10, 10}, std::nullopt, std::nullopt};
    EXPECT_EQ(drawn.ProbeUnder(probes, 106, 64), std::optional<std::size_t>(1));
    EXPECT_FALSE(drawn.ProbeUnder(probes, 107, 70).has_value());
    EXPECT_FALSE(drawn.ProbeUnder(probes, 100, 77).has_value());
}

TEST(Recording, KeepsTheNewestPassesAndReadsTheDrivenSource) {
    auto net = MakeNet(TPass{}.Mode);
    TPass pass;
    pass.Excitation.Excitation = true;
    TRecording recording(500);
    const TProbeSlots probes{std::nullopt, TNodePosition{36, 36}, std::nullopt, std::nullopt};
    for (long long k = 1; k <= 1200; ++k) {
        const Extended ranAt = net->SimTime;
        RunPasses(*net, pass, 1);
        recording.Record(*net, k, ranAt, probes);
    }
    ASSERT_EQ(recording.Count(), 500u);
    EXPECT_EQ(recording.At(0).Pass, 701);
    EXPECT_EQ(recording.At(499).Pass, 1200);
    // Pass k runs at t = (k - 1) * 0.01725: the first at 1000.5 steps or later is pass 1002.
    EXPECT_EQ(recording.FirstFrom(1000.5 * 0.01725), 1002u - 701u);

    // The source (36, 36) is driven to Z = -40 sin(8 t): period 2 pi / 8, amplitude 40.
    const std::optional<TProbeReading> reading = ReadProbe(recording, 1, 20);
    ASSERT_TRUE(reading.has_value());
    EXPECT_NEAR(reading->Period / (2 * M_PI / 8), 1, 0.005);
    EXPECT_NEAR(reading->Amplitude / 40, 1, 0.005);
    EXPECT_FALSE(ReadProbe(recording, 0, 20).has_value()) << "a place without a probe";

    const std::string table = TableText(recording, probes);
    EXPECT_EQ(table.substr(0, table.find('\n')),
              "pass,SimTime,Z_36_36,E_kinetic,E_own_springs,E_coupling_springs,E_total");
    EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), 501);
    EXPECT_EQ(table.substr(table.rfind('\n', table.size() - 2) + 1, 5), "1200,");

    recording.Forget(1);
    EXPECT_FALSE(ReadProbe(recording, 1, 20).has_value()) << "a probe moved has no past";
}

} // namespace

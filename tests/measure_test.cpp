// SPDX-License-Identifier: GPL-3.0-or-later
// The measuring of a run without a window: the recording, the readings of a
// probe and the text of the tables.
#include "RecordingTesting.h"
#include "control/MeasureTexts.h"
#include "measure/DrawnNodes.h"
#include "measure/LatticeWave.h"
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
#include <sstream>

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

// The cells of a table, each read as a number (nothing for an empty cell).
std::vector<std::vector<std::optional<double>>> Cells(const std::string& text, char separator,
                                                      char decimalPoint) {
    std::vector<std::vector<std::optional<double>>> rows;
    std::istringstream lines(text);
    std::string line;
    std::getline(lines, line); // the header
    while (std::getline(lines, line)) {
        rows.emplace_back();
        std::istringstream fields(line);
        std::string field;
        while (std::getline(fields, field, separator)) {
            const bool otherMark = field.find(decimalPoint == '.' ? ',' : '.') != std::string::npos;
            std::replace(field.begin(), field.end(), decimalPoint, '.');
            char* end = nullptr;
            const double value = std::strtod(field.c_str(), &end);
            if (otherMark || end != field.c_str() + field.size()) {
                ADD_FAILURE() << "not a number of this kind: " << field;
                return rows;
            }
            rows.back().push_back(field.empty() ? std::nullopt : std::optional(value));
        }
    }
    return rows;
}

TEST(Recording, KeepsTheNewestPassesAndReadsTheDrivenSource) {
    TRecording recording(500);
    const TProbeSlots probes{std::nullopt, TNodePosition{36, 36}, std::nullopt, std::nullopt};
    RecordDrivenRun(recording, probes, 1200);
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

    const std::string table = TableText(recording, probes, TCsvKind::Plain);
    EXPECT_EQ(table.substr(0, table.find('\n')),
              "pass,SimTime,Z_36_36,E_kinetic,E_own_springs,E_coupling_springs,E_total");
    EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), 501);
    EXPECT_EQ(table.substr(table.rfind('\n', table.size() - 2) + 1, 5), "1200,");

    recording.Forget(1);
    EXPECT_FALSE(ReadProbe(recording, 1, 20).has_value()) << "a probe moved has no past";
}

TEST(CsvKinds, HoldTheSameNumbersWithEveryDigit) {
    // Near the source and at the wave's faint front (tiny numbers with an
    // exponent), and a probe without values in the earlier passes.
    TRecording recording(400);
    TProbeSlots probes{TNodePosition{36, 36}, TNodePosition{70, 36}, TNodePosition{1, 1}};
    RecordDrivenRun(recording, probes, 100);
    recording.Forget(2);
    RecordDrivenRun(recording, probes, 100);
    const std::string plain = TableText(recording, probes, TCsvKind::Plain);
    const std::string comma = TableText(recording, probes, TCsvKind::DecimalComma);
    EXPECT_EQ(comma.substr(0, comma.find('\n')),
              "pass;SimTime;Z_36_36;Z_70_36;Z_1_1;E_kinetic;E_own_springs;E_coupling_springs;"
              "E_total");
    EXPECT_NE(plain.find("e-"), std::string::npos) << "numbers with an exponent are tried";
    const auto plainCells = Cells(plain, ',', '.');
    ASSERT_EQ(plainCells.size(), 200u);
    EXPECT_FALSE(plainCells[0][4].has_value()) << "the probe not yet set";
    EXPECT_EQ(plainCells, Cells(comma, ';', ','));
    EXPECT_EQ(plain.size(), comma.size()) << "the same digits, no more and no fewer";
}

TEST(LatticeWave, ThePhaseSpeedOfTheDispersionRelation) {
    // omega^2 = 10 + 4 k sin^2(kappa / 2), lambda = 2 pi / kappa, v = omega / kappa.
    // Example 7, omega 7.70, k 100: sin^2(kappa/2) = (59.29 - 10) / 400 = 0.123225,
    // sin(kappa/2) = 0.351034, kappa = 2 asin 0.351034 = 0.717351, lambda = 8.7589,
    // v = 7.70 / 0.717351 = 10.7339 node spacings per unit of time.
    // omega 12.00, k 400: (144 - 10) / 1600 = 0.08375, sin = 0.289396,
    // kappa = 0.587191, lambda = 10.7004, v = 12 / 0.587191 = 20.4363.
    const std::optional<TLatticeWave> seven = LatticeWave(7.70, 100, 10);
    ASSERT_TRUE(seven.has_value());
    EXPECT_NEAR(seven->WaveNumber, 0.717351, 1e-6);
    EXPECT_NEAR(seven->Wavelength, 8.7589, 1e-4);
    EXPECT_NEAR(seven->PhaseSpeed, 10.7339, 1e-4);
    const std::optional<TLatticeWave> stiff = LatticeWave(12, 400, 10);
    ASSERT_TRUE(stiff.has_value());
    EXPECT_NEAR(stiff->Wavelength, 10.7004, 1e-4);
    EXPECT_NEAR(stiff->PhaseSpeed, 20.4363, 1e-4);

    // Outside the band 10 < omega^2 < 10 + 4 k no wave runs: omega 3 (9 < 10),
    // omega 21 with k 100 (441 > 410), no coupling, no drive.
    for (const auto& [omega, coupling] : {std::pair{3.0, 100.0}, std::pair{21.0, 100.0},
                                          std::pair{7.7, 0.0}, std::pair{0.0, 100.0}}) {
        EXPECT_FALSE(LatticeWave(omega, coupling, 10).has_value()) << omega << ", " << coupling;
    }
}

} // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
// The measuring of a run without a window: the recording, the readings of a
// probe and the text of the tables.
#include "NetTesting.h"
#include "measure/Readings.h"
#include "measure/Recording.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

TEST(Numbers, KeepEveryBitOfTheDouble) {
    for (double value : {0.1, 1.0 / 3, -2.5e-300, 4.9406564584124654e-324, 1.7976931348623157e308,
                         51200.0, -5.502496195438507}) {
        const std::string text = NumberText(value);
        EXPECT_EQ(text.find(','), std::string::npos) << text;
        EXPECT_EQ(std::strtod(text.c_str(), nullptr), value) << text;
    }
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

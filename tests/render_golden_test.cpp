// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/Renderer.h"
#include "sim/StateHash.h"
#include "ui/Examples.h"

#include <gtest/gtest.h>

#include <variant>

namespace {

TRenderSettings ExampleSettings(int number) {
    const auto parsed = ParseRenderArguments({"--example", QString::number(number)});
    return std::get<TRenderSettings>(parsed);
}

struct TGolden {
    std::uint64_t State;
    std::uint64_t Frame;
};

// Made by rendering each example with this code on x86-64, GCC 12, glibc 2.36
// (wogenfeld-render --example N --iterations 300 --hash) after the pictures
// had been looked at. Any change of arithmetic, rotation, projection or line
// drawing changes them.
constexpr TGolden Goldens[] = {
    {0xffad8546ef53eb7aull, 0xc0169fd5cf1fdcc7ull}, {0x79e4904342fc99fbull, 0xd64aa9d3034e8d43ull},
    {0x01a9585dc29bbd7eull, 0xdd2e2df4e11f865dull}, {0x385acc23aeb67a43ull, 0x312354db0ec03b1bull},
    {0x20d0d56e3219beecull, 0x36400ef23189b443ull}, {0xfcd1d7c7bfa7d19aull, 0xee62a339ecece8f3ull},
    {0xda7fdce9389dad37ull, 0x38f56dbc1ab8c3c1ull},
};

TEST(GoldenFrames, EveryExampleAfter300PassesIsUnchanged) {
    for (int number = 1; number <= 7; ++number) {
        SCOPED_TRACE(number);
        TRenderer renderer(ExampleSettings(number));
        for (int pass = 0; pass < 300; ++pass) ASSERT_TRUE(renderer.Pass());
        EXPECT_EQ(HashState(renderer.Net()), Goldens[number - 1].State);
        EXPECT_EQ(renderer.FrameHash(), Goldens[number - 1].Frame);
    }
}

TEST(RenderArguments, RejectWhatTheWindowCouldNotDo) {
    for (const QStringList& bad :
         {QStringList{"--example", "8"}, {"--example", "Punktquelle links"}, {"--zoom", "31"},
          {"--frequency", "-1"}, {"--coupling", "1501"}, {"--amplitude", "abc"},
          {"--boundary", "open"}, {"--cross-grid", "yes"}, {"--iterations", "-3"},
          {"--out", "/nonexistent-folder/x.png"}, {"--every", "10"}, {"--bogus", "1"},
          {"--zoom"}}) {
        EXPECT_TRUE(std::holds_alternative<QString>(ParseRenderArguments(bad))) << bad.join(' ').toStdString();
    }
}

TEST(RenderArguments, ExampleFirstThenOverrides) {
    const auto parsed = ParseRenderArguments(
        {"--coupling", "700", "--example", "eingespannte membrane", "--excitation", "off"});
    const auto& settings = std::get<TRenderSettings>(parsed);
    EXPECT_EQ(settings.Controls.CouplingPosition, 700);
    EXPECT_EQ(settings.Controls.Excitation.FrequencyPosition, 410);
    EXPECT_EQ(settings.Controls.Mode, BoundaryMode::FixedEnd);
    EXPECT_FALSE(settings.Controls.Excitation.Excitation);

    const auto parsedFront = ParseRenderArguments({"--example", "7"});
    const auto& front = std::get<TRenderSettings>(parsedFront);
    EXPECT_TRUE(front.Controls.Excitation.Wavefront);
    EXPECT_FALSE(front.Controls.Excitation.Source1);
}

TEST(Renderer, BadSourceFieldStopsWithTheWindowsMessage) {
    TRenderSettings settings;
    settings.SourceFields[1] = "zwei";
    TRenderer renderer(settings);
    EXPECT_FALSE(renderer.Pass());
    EXPECT_EQ(renderer.Error(), "'zwei' is not a valid integer value");
}

} // namespace

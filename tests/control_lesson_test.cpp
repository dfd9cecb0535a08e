// SPDX-License-Identifier: GPL-3.0-or-later
// A lesson written from a session that a seeded random user has driven opens
// as the same net and frame; a damaged file is one German message and no
// session; the reader survives a flood of mutated files.

#include "RandomUser.h"
#include "SessionTesting.h"

#include "control/LessonReplay.h"
#include "control/LessonText.h"
#include "sim/StateHash.h"
#include "view/PictureHash.h"
#include "view/View.h"

#include <gtest/gtest.h>

namespace {

// Every kind of action, the run loop fired in between.
void Drive(TSession& session, TRandom& random, int actions) {
    for (int k = 0; k < actions; ++k) {
        switch (random.Below(25)) {
        case 0:
        case 1:
        case 2:
            for (long long fire = random.Between(1, 6); fire > 0; --fire)
                session.Fire();
            break;
        case 3: {
            const auto slider = static_cast<Slider>(random.Below(7));
            const TSliderRow& row = SliderRow(slider);
            session.MoveSlider(slider, static_cast<int>(random.Between(row.Minimum, row.Maximum)));
            break;
        }
        case 4:
            session.SetExcitation(random.Chance(70));
            break;
        case 5:
            session.SetSource(1 + random.Below(2), random.Chance(50));
            break;
        case 6:
            session.SetSourceField(random.Below(4), RandomText(random).Text.toStdString());
            break;
        case 7:
            session.SelectBoundaryMode(static_cast<BoundaryMode>(random.Below(3)));
            break;
        case 8:
            session.ChooseExample(random.Below(7));
            break;
        case 9:
            session.Null();
            break;
        case 14:
            session.Pause();
            break;
        case 15:
            session.Continue();
            break;
        case 16:
            session.ResetView();
            break;
        case 17:
            session.SetCrossGrid(random.Chance(50));
            break;
        case 10: {
            std::optional<TNodePosition> node;
            if (random.Chance(70))
                node = TNodePosition{static_cast<int>(random.Between(1, 71)),
                                     static_cast<int>(random.Between(1, 71))};
            session.SetProbe(static_cast<std::size_t>(random.Below(4)), node);
            break;
        }
        case 11:
            session.StartRecording();
            break;
        case 18:
            session.StartWatch();
            break;
        case 19:
            session.StopWatch();
            break;
        case 20:
            session.ResetWatch();
            break;
        case 12:
            session.ShowInfo(random.Chance(50));
            break;
        case 21:
            session.StepBack();
            break;
        case 22:
            session.StepForward();
            break;
        case 23:
            session.GoToPass(random.Between(session.OldestPass(), session.NewestPass()));
            break;
        default:
            if (random.Chance(3)) session.End();
            break;
        }
    }
}

std::variant<std::unique_ptr<TSession>, std::string> Open(const std::string& text) {
    static TQuietFront front;
    std::variant<TLesson, std::string> read = ReadLesson(text);
    if (auto* message = std::get_if<std::string>(&read)) return *message;
    return ReplayLesson(std::get<TLesson>(read), Background(), front);
}

std::string Refusal(const std::string& text) {
    auto opened = Open(text);
    return std::holds_alternative<std::string>(opened) ? std::get<std::string>(opened) : "(opened)";
}

TEST(Lesson, ARandomUsersRunOpensAsTheSameNetAndFrame) {
    TQuietFront front;
    for (std::uint64_t seed = 1; seed <= 8; ++seed) {
        TRandom random(seed);
        TSession session(Background(), front);
        if (seed % 2 == 0)
            session.StartWith(DrivenStartPanel(), 0);
        else
            session.Activate();
        Drive(session, random, 250);
        const std::string text = LessonText(LessonOf(session, "test"));
        auto opened = Open(text);
        ASSERT_TRUE(std::holds_alternative<std::unique_ptr<TSession>>(opened))
            << "seed " << seed << ": " << std::get<std::string>(opened) << '\n'
            << text;
        const TSession& replayed = *std::get<std::unique_ptr<TSession>>(opened);
        EXPECT_EQ(HashState(replayed.RunLoop().Net()), HashState(session.RunLoop().Net()));
        EXPECT_EQ(HashPicture(replayed.RunLoop().View().Bitmap()),
                  HashPicture(session.RunLoop().View().Bitmap()));
        EXPECT_EQ(replayed.PassesMade(), session.PassesMade()) << "seed " << seed;
        // The opened session writes the same lesson again: nothing lost on the way.
        EXPECT_EQ(LessonText(LessonOf(replayed, "test")), text) << "seed " << seed;
        // Drawn at the last passes only or at every pass: the same.
        const TLesson lesson = std::get<TLesson>(ReadLesson(text));
        for (const TReplayDrawing drawing :
             {TReplayDrawing::LastPasses, TReplayDrawing::EveryPass}) {
            const auto drawn = ReplayLessonDrawing(lesson, Background(), front, drawing);
            EXPECT_TRUE(std::holds_alternative<std::unique_ptr<TSession>>(drawn))
                << "seed " << seed << ", drawing " << static_cast<int>(drawing);
        }
    }
}

// A lesson of example 3 with a few actions, as a file holds it.
std::string SampleText() {
    TQuietFront front;
    TSession session(Background(), front);
    session.Activate();
    session.ChooseExample(2);
    session.SetExcitation(true);
    for (int pass = 0; pass < 40; ++pass)
        session.Fire();
    session.SetSourceField(0, "x \"1\"\\");
    session.SetProbe(1, TNodePosition{36, 2});
    session.MoveSlider(Slider::Zoom, 20);
    for (int pass = 0; pass < 20; ++pass)
        session.Fire();
    return LessonText(LessonOf(session, "test"));
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return text.replace(at, from.size(), to);
}

TEST(Lesson, ADamagedFileIsOneGermanMessageAndNoSession) {
    const std::string good = SampleText();
    ASSERT_EQ(Refusal(good), "(opened)");
    EXPECT_EQ(Refusal(""), "Die Datei ist leer.");
    EXPECT_EQ(Refusal(std::string(MaxLessonBytes + 1, 'a')),
              "Die Datei ist größer als 10 MB und keine Unterrichtsdatei dieses Programms.");
    EXPECT_EQ(Refusal(Replaced(good, "start", "st\xff")),
              "Die Datei ist kein UTF-8-Text (Zeile 3).");
    // A three-byte "/" (overlong) and a lone surrogate in the first field's text, line 18.
    for (const std::string bad : {"\xe0\x80\xaf", "\xed\xa0\x80"})
        EXPECT_EQ(Refusal(Replaced(good, "field1 \"36", "field1 \"" + bad)),
                  "Die Datei ist kein UTF-8-Text (Zeile 18).");
    EXPECT_EQ(Refusal("PK\x03\x04"), "Die Datei ist keine Wogenfeld-Unterrichtsdatei.");
    EXPECT_EQ(
        Refusal(Replaced(good, "lesson 1", "lesson 2")),
        "Die Unterrichtsdatei hat das Format 2; dieses Programm liest nur Format 1. Ein neueres "
        "Programm öffnet sie.");
    EXPECT_EQ(Refusal(good.substr(0, good.find("passes"))),
              "Die Unterrichtsdatei ist unvollständig: sie endet vor „passes“.");
    // Lines 5..11 are the sliders, in the order of the window.
    EXPECT_EQ(Refusal(Replaced(good, "zoom 11", "zoom 31")),
              "Die Unterrichtsdatei ist fehlerhaft, Zeile 11: 31 liegt nicht zwischen 5 und 30.");
    EXPECT_EQ(Refusal(Replaced(good, "amplitude 40", "amplitude 40\namplitude 40")),
              "Die Unterrichtsdatei ist fehlerhaft, Zeile 7: „coupling“ erwartet.");
    EXPECT_EQ(
        Refusal(Replaced(good, "action 40 probe", "action 39 probe")),
        "Die Unterrichtsdatei ist fehlerhaft, Zeile 26: der Durchgang ist kleiner als der vorige.");
    EXPECT_EQ(Refusal(Replaced(good, "slider zoom", "slide zoom")),
              "Die Unterrichtsdatei ist fehlerhaft, Zeile 27: unbekannter Name „slide“.");
    const std::string mismatch =
        "Die Unterrichtsdatei führt nicht zu dem Zustand, den sie gespeichert hat "
        "(andere Programmversion oder veränderte Datei); sie wurde nicht "
        "geöffnet.";
    const std::size_t state = good.find("state ") + 6;
    std::string flipped = good;
    flipped[state] = flipped[state] == '0' ? '1' : '0';
    EXPECT_EQ(Refusal(flipped), mismatch);
    // A window's start is its own controls, never others.
    EXPECT_EQ(Refusal(Replaced(good, "frequency 800", "frequency 801")), mismatch);
}

TEST(Lesson, OpeningCanBeCancelled) {
    TQuietFront front;
    TSession session(Background(), front);
    session.StartWith(DrivenStartPanel(), 0);
    for (int pass = 0; pass < 2500; ++pass)
        session.Fire();
    std::vector<double> told;
    const auto opened =
        ReplayLesson(LessonOf(session, "test"), Background(), front, [&told](double done) {
            told.push_back(done);
            return told.size() < 2;
        });
    ASSERT_TRUE(std::holds_alternative<std::string>(opened));
    EXPECT_EQ(std::get<std::string>(opened), "Das Öffnen des Unterrichts wurde abgebrochen.");
    EXPECT_EQ(told, (std::vector<double>{0.4, 0.8}));
}

} // namespace

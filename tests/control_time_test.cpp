// SPDX-License-Identifier: GPL-3.0-or-later
// Time that steps back: a pass gone back to shows the net, the frame and the
// probes' recording that the run showed then; the passes after it stay until
// another action gives them up; lessons keep what a step did.

#include "SessionTesting.h"

#include "control/LessonReplay.h"
#include "control/LessonText.h"
#include "sim/StateHash.h"
#include "view/PictureHash.h"
#include "view/View.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// What a user saw at a pass, just before the next one ran.
struct TSeen {
    std::uint64_t State = 0;
    std::uint64_t Frame = 0;
    std::size_t Rows = 0;
    std::optional<double> Probe;
};

TSeen Seen(const TSession& session) {
    TSeen seen{.State = HashState(session.RunLoop().Net()),
               .Frame = HashPicture(session.RunLoop().View().Bitmap()),
               .Rows = 0,
               .Probe = {}};
    if (const TRecording* recording = session.Recording(); recording && recording->Count() > 0) {
        seen.Rows = recording->Count();
        seen.Probe = recording->At(recording->Count() - 1).Probes[0];
    }
    return seen;
}

void ExpectSeen(const TSession& session, const TSeen& then, long long pass) {
    const TSeen now = Seen(session);
    EXPECT_EQ(session.PassesMade(), pass);
    EXPECT_EQ(now.State, then.State) << "pass " << pass;
    EXPECT_EQ(now.Frame, then.Frame) << "pass " << pass;
    EXPECT_EQ(now.Rows, then.Rows) << "pass " << pass;
    EXPECT_EQ(now.Probe, then.Probe) << "pass " << pass;
}

// Example 3 with a probe, the view turned and a source moved on the way; what
// was seen at every pass up to `passes`, then paused.
std::vector<TSeen> RunExample(TSession& session, long long passes) {
    session.Activate();
    session.ChooseExample(2);
    session.SetExcitation(true);
    session.SetProbe(0, TNodePosition{36, 20});
    session.StartRecording();
    std::vector<TSeen> seen;
    while (session.PassesMade() < passes) {
        if (session.PassesMade() == 450) session.MoveSlider(Slider::RotationZ, 30);
        if (session.PassesMade() == 820) session.SetSourceField(1, "30");
        if (session.PassesMade() == 1200) session.MoveSlider(Slider::Zoom, 25);
        seen.push_back(Seen(session));
        session.Fire();
    }
    seen.push_back(Seen(session));
    session.Pause();
    return seen;
}

std::unique_ptr<TSession> Reopened(const TSession& session) {
    static TQuietFront front;
    auto read = ReadLesson(LessonText(LessonOf(session, "test")));
    auto opened = ReplayLesson(std::get<TLesson>(read), Background(), front);
    if (auto* message = std::get_if<std::string>(&opened)) ADD_FAILURE() << *message;
    return std::holds_alternative<std::string>(opened)
               ? nullptr
               : std::move(std::get<std::unique_ptr<TSession>>(opened));
}

TEST(TimeStepping, GoingBackShowsWhatTheRunShowedThen) {
    TQuietFront front;
    TSession session(Background(), front);
    const std::vector<TSeen> seen = RunExample(session, 1500);
    ASSERT_TRUE(session.CanStepInTime());

    session.StepBack();
    ExpectSeen(session, seen[1499], 1499);
    session.GoToPass(1490);
    ExpectSeen(session, seen[1490], 1490);
    session.GoToPass(490);
    ExpectSeen(session, seen[490], 490);
    // Back before the view was turned, then forward over it, one pass at a time.
    session.GoToPass(449);
    for (long long pass = 450; pass <= 452; ++pass) {
        session.StepForward();
        ExpectSeen(session, seen[static_cast<std::size_t>(pass)], pass);
    }
    EXPECT_TRUE(session.ContinueShown());
    EXPECT_FALSE(session.WantsToFire());
    EXPECT_EQ(session.NewestPass(), 1500);
    session.GoToPass(1500);
    ExpectSeen(session, seen[1500], 1500);

    // The moment saved while an older pass shows opens as that pass, paused.
    session.GoToPass(1000);
    std::unique_ptr<TSession> reopened = Reopened(session);
    ASSERT_TRUE(reopened);
    ExpectSeen(*reopened, seen[1000], 1000);
    EXPECT_FALSE(reopened->WantsToFire());
}

TEST(TimeStepping, AnActionAtAnOlderPassGoesOnFromThere) {
    TQuietFront front;
    TSession session(Background(), front);
    const std::vector<TSeen> seen = RunExample(session, 1000);
    TSession fresh(Background(), front);
    RunExample(fresh, 700);

    session.GoToPass(700);
    session.MoveSlider(Slider::Coupling, 20);
    fresh.MoveSlider(Slider::Coupling, 20);
    EXPECT_EQ(session.NewestPass(), 700);
    EXPECT_TRUE(session.ContinueShown());
    session.Continue();
    fresh.Continue();
    for (int pass = 0; pass < 30; ++pass) {
        session.Fire();
        fresh.Fire();
    }
    // The same as a run that never went further than pass 700.
    EXPECT_EQ(Seen(session).State, Seen(fresh).State);
    EXPECT_EQ(Seen(session).Frame, Seen(fresh).Frame);
    EXPECT_EQ(LessonText(LessonOf(session, "test")), LessonText(LessonOf(fresh, "test")));
}

TEST(TimeStepping, AStepAtTheNewestPassIsANewPassALessonKeeps) {
    TQuietFront front;
    TSession session(Background(), front);
    RunExample(session, 300);
    for (int step = 0; step < 3; ++step)
        session.StepForward();
    EXPECT_EQ(session.PassesMade(), 303);
    EXPECT_EQ(session.NewestPass(), 303);
    session.StepBack();
    session.StepBack();
    session.StepForward();
    std::unique_ptr<TSession> reopened = Reopened(session);
    ASSERT_TRUE(reopened);
    ExpectSeen(*reopened, Seen(session), 302);
}

TEST(TimeStepping, TheLast10000PassesAreKept) {
    TQuietFront front;
    TSession session(Background(), front);
    session.Activate();
    session.ChooseExample(6);
    session.SetExcitation(true);
    session.RunLoop().DrawEachPass = false;
    std::vector<std::uint64_t> states;
    while (session.PassesMade() < 13000) {
        states.push_back(HashState(session.RunLoop().Net()));
        session.Fire();
    }
    session.Pause();
    EXPECT_LE(session.OldestPass(), 3000);
    session.GoToPass(0);
    const long long oldest = session.PassesMade();
    EXPECT_EQ(oldest, session.OldestPass());
    EXPECT_EQ(HashState(session.RunLoop().Net()), states[static_cast<std::size_t>(oldest)]);
}

} // namespace

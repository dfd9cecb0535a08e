// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/LessonReplay.h"

#include "sim/StateHash.h"
#include "view/PictureHash.h"
#include "view/View.h"

namespace {

// How often the progress is told: often enough for a smooth bar, seldom
// enough to cost nothing beside the passes.
constexpr long long PassesPerReport = 1000;

const std::string Mismatch = "Die Unterrichtsdatei führt nicht zu dem Zustand, den sie "
                             "gespeichert hat (andere Programmversion oder veränderte Datei); "
                             "sie wurde nicht geöffnet.";

// While it replays, nobody is told of bad source fields: the user was, then.
class TSilentFront final : public ISessionFront {
  public:
    void ReportBadSourceField(const std::string&) override {}
};

bool SameNode(const std::optional<TNodePosition>& a, const std::optional<TNodePosition>& b) {
    return a.has_value() == b.has_value() && (!a || (a->X == b->X && a->Y == b->Y));
}

bool SameView(const TViewControls& a, const TViewControls& b) {
    return a.RotationX == b.RotationX && a.RotationY == b.RotationY && a.RotationZ == b.RotationZ &&
           a.ZoomPosition == b.ZoomPosition;
}

bool SamePanel(const TPanelValues& a, const TPanelValues& b) {
    const TControlState& x = a.Controls;
    const TControlState& y = b.Controls;
    const TExcitationControls& p = x.Excitation;
    const TExcitationControls& q = y.Excitation;
    return x.Mode == y.Mode && x.CouplingPosition == y.CouplingPosition &&
           x.AmplitudePosition == y.AmplitudePosition && p.Excitation == q.Excitation &&
           p.FrequencyPosition == q.FrequencyPosition && p.Source1 == q.Source1 &&
           p.Source2 == q.Source2 && p.Wavefront == q.Wavefront && SameView(x.View, y.View) &&
           x.View.CrossGrid == y.View.CrossGrid && a.SourceFields == b.SourceFields;
}

class TReplay {
  public:
    TReplay(const TLesson& lesson, TSession& session, const TReplayProgress& progress)
        : Lesson(lesson), Session(session), Progress(progress) {}

    // Only the frame differs: drawing every pass may give the run's.
    bool FrameOnly = false;

    std::optional<std::string> Run(TReplayDrawing drawing) {
        TRunLoop& loop = Session.RunLoop();
        const bool drawEachPass = loop.DrawEachPass;
        loop.DrawEachPass = drawing == TReplayDrawing::EveryPass;
        std::optional<std::string> failure = Replay();
        loop.DrawEachPass = drawEachPass;
        return failure;
    }

  private:
    std::optional<std::string> Replay() {
        for (const TAction& action : Lesson.Log.Actions) {
            if (std::optional<std::string> failure = PassTo(action.Pass)) return failure;
            // Only a step makes a pass of its own.
            const long long after =
                Session.PassesMade() + (action.Kind == TActionKind::Step ? 1 : 0);
            Session.Perform(action);
            if (Session.PassesMade() != after) return Mismatch;
        }
        if (std::optional<std::string> failure = PassTo(Lesson.Passes)) return failure;
        const TRunLoop& loop = Session.RunLoop();
        bool same = HashState(loop.Net()) == Lesson.StateHash &&
                    SameView(Session.Panel().Controls.View, Lesson.View);
        for (std::size_t slot = 0; slot < Lesson.Probes.size(); ++slot)
            same = same && SameNode(Session.Probes()[slot], Lesson.Probes[slot]);
        FrameOnly = same && HashPicture(loop.View().Bitmap()) != Lesson.FrameHash;
        if (!same || FrameOnly) return Mismatch;
        return std::nullopt;
    }

    // The passes up to `pass`, and the last of them drawn: the actions that
    // draw draw on from its turn, as they did in the run.
    std::optional<std::string> PassTo(long long pass) {
        TRunLoop& loop = Session.RunLoop();
        const long long from = Session.PassesMade();
        if (std::optional<std::string> failure = PassesTo(pass)) return failure;
        if (!loop.DrawEachPass && Session.PassesMade() != from)
            loop.DrawLatest(Session.Panel().Controls);
        return std::nullopt;
    }

    std::optional<std::string> PassesTo(long long pass) {
        while (Session.PassesMade() < pass) {
            // A run that has stopped cannot reach the pass the file names.
            if (!Session.WantsToFire()) return Mismatch;
            Session.Fire();
            if (Progress && Session.PassesMade() % PassesPerReport == 0 &&
                !Progress(static_cast<double>(Session.PassesMade()) /
                          static_cast<double>(Lesson.Passes))) {
                return std::string("Das Öffnen des Unterrichts wurde abgebrochen.");
            }
        }
        return std::nullopt;
    }

    const TLesson& Lesson;
    TSession& Session;
    const TReplayProgress& Progress;
};

} // namespace

TLesson LessonOf(const TSession& session, const std::string& program) {
    TLesson lesson;
    lesson.Program = program;
    lesson.Log = session.Actions();
    lesson.Probes = session.Probes();
    lesson.View = session.Panel().Controls.View;
    lesson.Passes = session.PassesMade();
    const TRunLoop& loop = session.RunLoop();
    lesson.StateHash = HashState(loop.Net());
    lesson.FrameHash = HashPicture(loop.View().Bitmap());
    return lesson;
}

std::variant<std::unique_ptr<TSession>, std::string> ReplayLesson(const TLesson& lesson,
                                                                  TPicture background,
                                                                  ISessionFront& front,
                                                                  const TReplayProgress& progress) {
    bool frameOnly = false;
    auto fast = ReplayLessonDrawing(lesson, background, front, TReplayDrawing::LastPasses, progress,
                                    &frameOnly);
    if (!frameOnly) return fast;
    return ReplayLessonDrawing(lesson, std::move(background), front, TReplayDrawing::EveryPass,
                               progress);
}

std::variant<std::unique_ptr<TSession>, std::string>
ReplayLessonDrawing(const TLesson& lesson, TPicture background, ISessionFront& front,
                    TReplayDrawing drawing, const TReplayProgress& progress, bool* frameOnly) {
    TSilentFront silent;
    auto session = std::make_unique<TSession>(std::move(background), silent);
    const TActionLog& log = lesson.Log;
    if (log.StartedRunning) {
        session->StartWith(log.Start, log.Example);
    } else if (!SamePanel(log.Start, session->Panel()) || log.Example != session->Example()) {
        return Mismatch;
    }
    TReplay replay(lesson, *session, progress);
    if (std::optional<std::string> failure = replay.Run(drawing)) {
        if (frameOnly) *frameOnly = replay.FrameOnly;
        return *failure;
    }
    session->AttachFront(front);
    return session;
}

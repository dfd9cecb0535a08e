// SPDX-License-Identifier: GPL-3.0-or-later
// The window and a bare session are one: the same seeded random actions, given
// to the window through its widgets and to the session through its methods,
// leave the same net, the same frame, the same controls and the same things
// shown, the same probes and recording, after every action and after every
// firing of the run loop.
//
// More seeds or actions through WOGENFELD_TWIN_SEEDS and WOGENFELD_TWIN_ACTIONS.

#include "RandomUser.h"
#include "WindowTesting.h"

#include "resources/BuiltinPictures.h"
#include "resources/CorePictures.h"
#include "sim/StateHash.h"
#include "ui/Displays.h"
#include "ui/Measuring.h"
#include "view/PictureHash.h"
#include "view/View.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace {

// The bare session's front: it keeps what the user would be told, and shows
// the displays as a front end must, written only when the session writes them.
class TBareFront final : public ISessionFront {
  public:
    void ReportBadSourceField(const std::string& message) override { Messages.push_back(message); }
    std::vector<std::string> Messages;
};

// The controls as one line, to compare and to print.
std::string ControlsText(const TControlState& controls,
                         const std::array<std::string, 4>& sourceFields) {
    std::ostringstream text;
    TControlState positions = controls;
    text << "mode " << static_cast<int>(controls.Mode) << " sliders";
    for (std::size_t k = 0; k < Sliders.size(); ++k)
        text << ' ' << SliderPosition(positions, static_cast<Slider>(k));
    const TExcitationControls& excitation = controls.Excitation;
    text << " drive " << excitation.Excitation << " cross " << controls.View.CrossGrid
         << " sources " << excitation.Source1 << excitation.Source2 << " wavefront "
         << excitation.Wavefront << " fields";
    for (const std::string& field : sourceFields)
        text << " \"" << field << '"';
    return text.str();
}

class TTwins {
  public:
    explicit TTwins(std::uint64_t seed)
        : Seed(seed), Random(seed), Form(StartedForm()),
          Bare(ViewBackground(LoadBackgroundPicture()), Front) {
        Bare.Activate();
        Bars = {Form->ScrollBar1, Form->ScrollBar6, Form->ScrollBar5, Form->ScrollBar2,
                Form->ScrollBar3, Form->ScrollBar4, Form->ScrollBar7};
        ShowDisplays();
        Compare();
    }

    bool Run(long long count) {
        for (Actions = 1; Actions <= count && Broken.empty(); ++Actions)
            Act();
        if (Broken.empty()) End();
        return Broken.empty();
    }

    std::string Failure() const {
        std::ostringstream out;
        out << "seed " << Seed << ", action " << Actions << ": " << Broken << "\nactions:\n";
        const std::size_t first = Log.size() > 60 ? Log.size() - 60 : 0;
        for (std::size_t k = first; k < Log.size(); ++k)
            out << "  " << Log[k] << '\n';
        return out.str();
    }

  private:
    const std::uint64_t Seed;
    TRandom Random;
    std::unique_ptr<TForm1> Form;
    TBareFront Front;
    TSession Bare;
    std::array<QScrollBar*, Sliders.size()> Bars{}; // in the order of Slider
    std::array<QString, 3> Displays;                // as the bare front shows them
    std::array<unsigned long long, 3> DisplayWrites{};
    long long Actions = 0;
    std::vector<std::string> Log;
    std::string Broken;

    void Expect(bool ok, const std::string& what) {
        if (!ok && Broken.empty()) Broken = what;
    }

    // The window's side through its widgets, any error box answered; then the
    // session's side; then both compared.
    void Both(const std::string& what, const std::function<void()>& window,
              const std::function<void()>& bare) {
        Log.push_back(std::to_string(Actions) + ' ' + what);
        Front.Messages.clear();
        const TSeenBox seen = CloseBoxesDuring(*Form, window);
        bare();
        Expect(seen.Count == static_cast<int>(Front.Messages.size()) &&
                   (seen.Count == 0 || seen.Text.toStdString() == Front.Messages.back()),
               "the window said " + Quoted(seen.Text) + " " + std::to_string(seen.Count) +
                   " times, the session " + std::to_string(Front.Messages.size()) + " times");
        ShowDisplays();
        Compare();
    }

    void Act() {
        const int dice = Random.Below(100);
        if (dice < 30) {
            for (long long k = Random.Between(1, 3); k > 0; --k)
                Both(
                    "fire", [this] { Form->FireLoop(); }, [this] { Bare.Fire(); });
        } else if (dice < 52) {
            MoveSlider();
        } else if (dice < 62) {
            UseCheckBox();
        } else if (dice < 72) {
            UseRadioButton();
        } else if (dice < 85) {
            UseButton();
        } else if (dice < 94) {
            const int field = Random.Below(4);
            const QString text = RandomText(Random).Text;
            QLineEdit* edit = std::array{Form->Edit1, Form->Edit2, Form->Edit3,
                                         Form->Edit4}[static_cast<std::size_t>(field)];
            Both(
                "Edit" + std::to_string(field + 1) + " " + Quoted(text),
                [&] { edit->setText(text); },
                [&] { Bare.SetSourceField(field, text.toStdString()); });
        } else if (dice == 96) {
            Both(
                "Messfenster zeigen", [this] { Form->Measuring().ShowWindow(); },
                [this] { Bare.StartRecording(); });
        } else if (dice > 96) {
            const auto slot = static_cast<std::size_t>(Random.Below(4));
            std::optional<TNodePosition> node;
            if (Random.Chance(70))
                node = TNodePosition{static_cast<int>(Random.Between(1, 71)),
                                     static_cast<int>(Random.Between(1, 71))};
            Both(
                "probe " + std::to_string(slot) +
                    (node ? " on " + std::to_string(node->X) + "," + std::to_string(node->Y)
                          : " removed"),
                [&] { Form->Measuring().SetProbe(slot, node); },
                [&] { Bare.SetProbe(slot, node); });
        } else {
            // Typed into a display: shown until its slider moves, read by nothing.
            const std::size_t display = static_cast<std::size_t>(Random.Below(3));
            QLineEdit* edit = std::array{Form->Edit5, Form->Edit6, Form->Edit7}[display];
            Both(
                "typed into " + edit->objectName().toStdString(),
                [&] { edit->setText(QStringLiteral("x")); },
                [&] { Displays[display] = QStringLiteral("x"); });
        }
    }

    void MoveSlider() {
        const auto slider = static_cast<Slider>(Random.Below(static_cast<int>(Sliders.size())));
        QScrollBar* bar = Bars[static_cast<std::size_t>(slider)];
        const TSliderRow& row = SliderRow(slider);
        TControlState positions = Bare.Panel().Controls;
        const int now = SliderPosition(positions, slider);
        // The bar's own steps, as its arrows, track and keys move it.
        const std::array<std::pair<QAbstractSlider::SliderAction, int>, 6> steps = {{
            {QAbstractSlider::SliderSingleStepAdd, now + row.SingleStep},
            {QAbstractSlider::SliderSingleStepSub, now - row.SingleStep},
            {QAbstractSlider::SliderPageStepAdd, now + row.PageStep},
            {QAbstractSlider::SliderPageStepSub, now - row.PageStep},
            {QAbstractSlider::SliderToMinimum, row.Minimum},
            {QAbstractSlider::SliderToMaximum, row.Maximum},
        }};
        const std::string name = bar->objectName().toStdString();
        if (Random.Chance(40)) {
            const auto& [action, position] = steps[static_cast<std::size_t>(Random.Below(6))];
            Both(
                name + ".triggerAction(" + std::to_string(action) + ")",
                [&] { bar->triggerAction(action); }, [&] { Bare.MoveSlider(slider, position); });
            return;
        }
        const int position =
            Random.Chance(10)
                ? static_cast<int>(Random.Between(INT_MIN, INT_MAX))
                : static_cast<int>(Random.Between(row.Minimum - 20, row.Maximum + 20));
        Both(
            name + ".setValue(" + std::to_string(position) + ")", [&] { bar->setValue(position); },
            [&] { Bare.MoveSlider(slider, position); });
    }

    // Set by program or clicked.
    void UseCheckBox() {
        const int which = Random.Below(4);
        QCheckBox* box = std::array{Form->CheckBox1, Form->CheckBox2, Form->CheckBox3,
                                    Form->CheckBox4}[static_cast<std::size_t>(which)];
        const bool click = Random.Chance(50);
        const bool checked = click ? !box->isChecked() : Random.Chance(50);
        const auto bare = [this, which, checked] {
            if (which == 0) Bare.SetExcitation(checked);
            if (which == 1) Bare.SetCrossGrid(checked);
            if (which >= 2) Bare.SetSource(which - 1, checked);
        };
        Both(
            box->objectName().toStdString() + (click ? ".click()" : ".setChecked(") +
                (click ? "" : std::to_string(checked) + ")"),
            [&] { click ? box->click() : box->setChecked(checked); }, bare);
    }

    // A boundary mode or an example, during a run, paused or not.
    void UseRadioButton() {
        const std::array<QRadioButton*, 10> buttons = {
            Form->RadioButton6, Form->RadioButton7, Form->RadioButton8, Form->RadioButton1,
            Form->RadioButton2, Form->RadioButton3, Form->RadioButton4, Form->RadioButton5,
            Form->RadioButton9, Form->RadioButton10};
        const int which = Random.Below(10);
        QRadioButton* button = buttons[static_cast<std::size_t>(which)];
        const bool click = Random.Chance(50);
        const auto modes =
            std::array{BoundaryMode::DampedBorder, BoundaryMode::LooseEnd, BoundaryMode::FixedEnd};
        Both(
            button->objectName().toStdString() + (click ? ".click()" : ".setChecked(1)"),
            [&] { click ? button->click() : button->setChecked(true); },
            [&] {
                if (which < 3)
                    Bare.SelectBoundaryMode(modes[static_cast<std::size_t>(which)]);
                else
                    Bare.ChooseExample(which - 3);
            });
    }

    void UseButton() {
        struct TPush {
            QPushButton* Button;
            void (TSession::*Action)();
        };
        const std::array<TPush, 6> pushes = {{{Form->Button1, &TSession::Null},
                                              {Form->Button2, nullptr},
                                              {Form->Button4, &TSession::Pause},
                                              {Form->Button5, &TSession::Continue},
                                              {Form->Button6, nullptr},
                                              {Form->Button7, &TSession::ResetView}}};
        const std::size_t which = static_cast<std::size_t>(Random.Below(6));
        const TPush& push = pushes[which];
        Both(
            push.Button->objectName().toStdString() + ".click()", [&] { push.Button->click(); },
            [&] {
                if (push.Action)
                    (Bare.*push.Action)();
                else
                    Bare.ShowInfo(push.Button == Form->Button2);
            });
    }

    // "Ende" or the window's close command, and a firing after it.
    void End() {
        const bool byButton = Random.Chance(50);
        Both(
            byButton ? "Button3.click()" : "close()",
            [&] { byButton ? Form->Button3->click() : static_cast<void>(Form->close()); },
            [&] { Bare.End(); });
        Both(
            "fire", [this] { Form->FireLoop(); }, [this] { Bare.Fire(); });
        Expect(!Form->isVisible(), "the window stays open after Ende");
    }

    void ShowDisplays() {
        for (std::size_t k = 0; k < Displays.size(); ++k) {
            const auto display = static_cast<ValueDisplay>(k);
            if (Bare.DisplayWrites(display) == DisplayWrites[k]) continue;
            DisplayWrites[k] = Bare.DisplayWrites(display);
            Displays[k] = QString::fromStdString(Bare.DisplayDigits(display));
        }
    }

    // The probes, and the recording's newest pass.
    void CompareMeasuring() {
        const TSession& window = Form->Session();
        for (std::size_t slot = 0; slot < 4; ++slot) {
            const auto& [shown, kept] = std::pair{window.Probes()[slot], Bare.Probes()[slot]};
            Expect(shown.has_value() == kept.has_value() &&
                       (!shown || (shown->X == kept->X && shown->Y == kept->Y)),
                   "probe " + std::to_string(slot));
        }
        const TRecording* shown = window.Recording();
        const TRecording* kept = Bare.Recording();
        Expect((shown == nullptr) == (kept == nullptr), "one recording only");
        if (!shown || !kept) return;
        Expect(shown->Count() == kept->Count(), "recordings of different lengths");
        if (shown->Count() == 0 || shown->Count() != kept->Count()) return;
        const TSeriesRow& a = shown->At(shown->Count() - 1);
        const TSeriesRow& b = kept->At(kept->Count() - 1);
        Expect(a.Pass == b.Pass && a.SimTime == b.SimTime && a.Probes == b.Probes &&
                   a.Total == b.Total,
               "the newest recorded passes differ");
    }

    void Compare() {
        const TRunLoop& window = Form->Loop();
        const TRunLoop& bare = Bare.RunLoop();
        Expect(HashState(window.Net()) == HashState(bare.Net()), "the nets differ");
        // Pixel by pixel, which is quicker than hashing both and misses nothing.
        const TPicture& shownFrame = window.View().Bitmap();
        const TPicture& bareFrame = bare.View().Bitmap();
        if (!std::equal(shownFrame.Bits(), shownFrame.Bits() + shownFrame.Count(), bareFrame.Bits(),
                        bareFrame.Bits() + bareFrame.Count())) {
            Expect(false, "the frames differ: " + std::to_string(HashPicture(shownFrame)) +
                              " in the window, " + std::to_string(HashPicture(bareFrame)) +
                              " bare");
        }
        const std::string shown = ControlsText(Form->ReadControls(), Form->ReadSourceFields());
        const std::string kept = ControlsText(Bare.Panel().Controls, Bare.Panel().SourceFields);
        Expect(shown == kept, "the window shows " + shown + ", the session holds " + kept);
        const std::array examples = {Form->RadioButton1, Form->RadioButton2, Form->RadioButton3,
                                     Form->RadioButton4, Form->RadioButton5, Form->RadioButton9,
                                     Form->RadioButton10};
        Expect(examples[static_cast<std::size_t>(Bare.Example())]->isChecked(), "example");
        Expect(window.PauseFlag == bare.PauseFlag && window.EndFlag == bare.EndFlag &&
                   window.RestartPending() == bare.RestartPending() &&
                   window.Running() == bare.Running(),
               "the run loops' flags differ");
        Expect(window.RunsStarted() == bare.RunsStarted() &&
                   window.PassesOfRun() == bare.PassesOfRun(),
               "runs " + std::to_string(window.RunsStarted()) + " passes " +
                   std::to_string(window.PassesOfRun()) + " in the window, " +
                   std::to_string(bare.RunsStarted()) + ", " + std::to_string(bare.PassesOfRun()) +
                   " bare");
        CompareMeasuring();
        if (bare.EndFlag) return; // the window has closed: nothing of it shows
        Expect(Form->Button5->isVisible() == Bare.ContinueShown() &&
                   Form->Button4->isVisible() == !Bare.ContinueShown(),
               "Pause and Weiter");
        Expect(Form->Panel5->isVisible() == Bare.InfoShown(), "the info page");
        const std::array edits = {Form->Edit1, Form->Edit2, Form->Edit3, Form->Edit4};
        for (int field = 0; field < 4; ++field) {
            Expect(edits[static_cast<std::size_t>(field)]->isVisible() ==
                       Bare.SourceFieldShown(field),
                   "Edit" + std::to_string(field + 1) + " shown");
        }
        const std::array displays = {Form->Edit5, Form->Edit6, Form->Edit7};
        for (std::size_t k = 0; k < displays.size(); ++k) {
            const QString expected = k == 0 ? LocalDecimals(Displays[k]) : Displays[k];
            Expect(displays[k]->text() == expected, displays[k]->objectName().toStdString() +
                                                        " shows " + Quoted(displays[k]->text()) +
                                                        ", not " + Quoted(expected));
        }
    }
};

TEST(OneSession, WindowAndBareSessionGoTheSameWayUnderRandomActions) {
    const long long seeds = EnvironmentNumber("WOGENFELD_TWIN_SEEDS", 20);
    const long long actions = EnvironmentNumber("WOGENFELD_TWIN_ACTIONS", 300);
    const std::string failure = FailureOfSeeds<TTwins>(1, seeds, actions);
    EXPECT_TRUE(failure.empty()) << failure;
}

} // namespace

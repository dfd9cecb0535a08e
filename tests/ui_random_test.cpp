// SPDX-License-Identifier: GPL-3.0-or-later
// A seeded random user on the real window, offscreen: thousands of actions on
// every control, interleaved with firings of the run loop, and after each one
// the invariants the window must keep. The same seed gives the same actions.
//
// CI runs a few short seeds. More on request, through the environment:
//   WOGENFELD_RANDOM_SEED=1 WOGENFELD_RANDOM_SEEDS=20 WOGENFELD_RANDOM_ACTIONS=5000
//   build/tests/random_tests
// or configure with -DWOGENFELD_LONG_TESTS=ON and run `ctest -L long`.
// A failure prints the seed and every action up to it.

#include "ExampleRows.h"
#include "RandomUser.h"
#include "WindowTesting.h"

#include "ui/Displays.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QStyleOptionButton>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cmath>
#include <cstdint>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

// One window and the model of what it must show: the expected states are
// worked out from each action before it is performed, from the states of the
// controls at that moment, and compared with the window after it.
class TRandomUser {
  public:
    explicit TRandomUser(std::uint64_t seed) : Seed(seed), Random(seed), Form(StartedForm()) {
        const TNet& net = Form->Loop().Net();
        Sources = {net.Source1X, net.Source1Y, net.Source2X, net.Source2Y};
    }

    // `count` random actions, then "Ende"; false at the first broken invariant.
    bool Run(long long count) {
        for (Actions = 1; Actions <= count; ++Actions) {
            if (!Act()) return false;
        }
        End();
        return Broken.empty();
    }

    // The seed, what broke, and the actions that led there.
    std::string Failure() const {
        std::ostringstream out;
        out << "seed " << Seed << ", action " << Actions << ": " << Broken
            << "\nagain: WOGENFELD_RANDOM_SEED=" << Seed
            << " WOGENFELD_RANDOM_SEEDS=1 WOGENFELD_RANDOM_ACTIONS=" << Actions << "\nactions:\n";
        const std::size_t shown = 2000;
        const std::size_t first = Log.size() > shown ? Log.size() - shown : 0;
        if (first > 0) out << "  (" << first << " earlier steps left out)\n";
        for (std::size_t k = first; k < Log.size(); ++k)
            out << "  " << Log[k] << '\n';
        return out.str();
    }

  private:
    // The model.
    bool Pending = true; // start-up has performed "Null"
    bool Running = false;
    bool Paused = false;
    bool InfoShown = false;
    bool ViewReset = false;
    std::array<TFieldText, 4> Fields{{{"36", 36}, {"36", 36}, {"36", 36}, {"36", 36}}};
    std::array<std::int64_t, 4> Sources{};

    const std::uint64_t Seed;
    TRandom Random;
    std::unique_ptr<TForm1> Form;
    long long Actions = 0;
    std::vector<std::string> Log;
    std::string Broken;

    TNet& Net() { return Form->Loop().Net(); }
    bool DampedBorder() const { return Form->RadioButton6->isChecked(); }
    static std::string Name(const QObject* object) {
        return object ? object->objectName().toStdString() : "nothing";
    }

    void Expect(bool ok, const std::string& what) {
        if (!ok && Broken.empty()) Broken = what;
    }

    template <std::size_t N> auto* Any(const std::array<QAbstractButton*, N>& buttons) {
        return buttons[static_cast<std::size_t>(Random.Below(static_cast<int>(N)))];
    }

    bool Act() {
        const Extended time = Net().SimTime;
        const int dice = Random.Below(100);
        if (dice < 30) {
            for (long long k = Random.Between(1, 3); k > 0 && Broken.empty(); --k)
                Fire();
        } else if (dice < 55) {
            MoveSlider();
        } else if (dice < 65) {
            Use(Any(std::array<QAbstractButton*, 4>{Form->CheckBox1, Form->CheckBox2,
                                                    Form->CheckBox3, Form->CheckBox4}));
        } else if (dice < 73) {
            Use(Any(std::array<QAbstractButton*, 10>{
                Form->RadioButton1, Form->RadioButton2, Form->RadioButton3, Form->RadioButton4,
                Form->RadioButton5, Form->RadioButton6, Form->RadioButton7, Form->RadioButton8,
                Form->RadioButton9, Form->RadioButton10}));
        } else if (dice < 85) {
            Use(Any(std::array<QAbstractButton*, 6>{Form->Button1, Form->Button2, Form->Button4,
                                                    Form->Button5, Form->Button6, Form->Button7}));
        } else if (dice < 97) {
            EnterText(Random.Below(4), RandomText(Random));
        } else {
            Perform("deliver posted events", DeliverPosted);
        }
        if (dice >= 30) Expect(Net().SimTime == time, "a handler moved the simulated time");
        CheckInvariants();
        return Broken.empty();
    }

    // Runs the action, closing any error box it opens, and checks that a box
    // opened exactly when one was expected, with the expected text.
    void Perform(std::string what, const std::function<void()>& action,
                 const std::optional<QString>& box = {}) {
        Log.push_back(std::to_string(Actions) + ' ' + what);
        const TSeenBox seen = CloseBoxesDuring(*Form, action);
        if (!box) {
            Expect(seen.Count == 0, "an error box said " + Quoted(seen.Text));
            return;
        }
        Expect(seen.Count == 1, "no error box for " + Quoted(*box));
        Expect(seen.Title == "Wogenfeld" && seen.Text == *box && seen.Icon == QMessageBox::Critical,
               "the error box said " + Quoted(seen.Text) + ", not " + Quoted(*box));
        Expect(seen.Format == Qt::PlainText || !Qt::mightBeRichText(seen.Text),
               "the error box reads " + Quoted(seen.Text) + " as markup");
        Expect(!seen.LoopFiredWhileOpen, "the loop ran under the error box");
    }

    // One firing of the run loop. A pending restart is one run start, which takes
    // the source fields up to the first bad one; a fresh run shows one pass even
    // while paused, and a failed start lets the old run go on as it was.
    void Fire() {
        const Extended before = Net().SimTime;
        const bool start = Pending;
        std::optional<QString> box;
        if (start) {
            const std::int64_t margin = DampedBorder() ? 10 : 0;
            for (std::size_t f = 0; f < 4 && !box; ++f) {
                if (Fields[f].Value) {
                    Sources[f] = std::int64_t{*Fields[f].Value} + margin;
                } else {
                    box = "'" + Fields[f].Text + "' is not a valid integer value";
                }
            }
            Running = Running || !box;
        }
        Pending = false;
        const bool pass = (start && !box) || (Running && !Paused);
        const auto fire = [this] { Form->FireLoop(); };
        Perform("fire", fire, box);

        const TNet& net = Net();
        const Extended from = start ? 0 : before;
        Expect(net.SimTime == (pass ? from + net.TimeStep : from),
               start ? "not one run start and " + std::to_string(pass) + " passes"
                     : "not " + std::to_string(pass) + " passes");
        const Extended base = DampedBorder() ? 0.0115L : 0.01L;
        const Extended step = Form->CheckBox2->isChecked() ? base * 1.5L : base;
        Expect(!pass || net.TimeStep == step, "time step of another mode");
        Expect(Sources == std::array<std::int64_t, 4>{net.Source1X, net.Source1Y, net.Source2X,
                                                      net.Source2Y},
               "source positions");
    }

    void MoveSlider() {
        const std::array<QScrollBar*, 7> bars = {
            Form->ScrollBar1, Form->ScrollBar2, Form->ScrollBar3, Form->ScrollBar4,
            Form->ScrollBar5, Form->ScrollBar6, Form->ScrollBar7};
        QScrollBar* bar = bars[static_cast<std::size_t>(Random.Below(7))];
        const long long lo = bar->minimum();
        const long long hi = bar->maximum();
        long long position = Random.Between(lo, hi);
        switch (Random.Below(8)) {
        case 0:
            position = lo;
            break;
        case 1:
            position = hi;
            break;
        case 2:
            position = Random.Between(lo - 1000, hi + 1000);
            break;
        case 3:
            position = Random.Pick(std::vector<long long>{INT_MIN, INT_MAX, lo - 1, hi + 1});
            break;
        case 4: { // as the bar's arrows, track and keys move it
            const auto move = static_cast<QAbstractSlider::SliderAction>(Random.Between(
                QAbstractSlider::SliderSingleStepAdd, QAbstractSlider::SliderToMaximum));
            Perform(Name(bar) + ".triggerAction(" + std::to_string(move) + ")",
                    [&] { bar->triggerAction(move); });
            return;
        }
        default:
            break;
        }
        Perform(Name(bar) + ".setValue(" + std::to_string(position) + ")",
                [&] { bar->setValue(static_cast<int>(position)); });
    }

    // A button used by program or by mouse.
    void Use(QAbstractButton* button) {
        const int how = Random.Below(button->isCheckable() ? 3 : 2);
        if (how == 0) {
            WillClick(button);
            Perform(Name(button) + ".click()", [&] { button->click(); });
        } else if (how == 1) {
            MouseClick(button);
        } else {
            const bool checked = Random.Chance(50);
            WillCheck(button, checked);
            Perform(Name(button) + ".setChecked(" + std::to_string(checked) + ")",
                    [&] { button->setChecked(checked); });
        }
    }

    // A press and release where the user sees `target`, sent to whatever is on
    // top there: a hidden button is not hit, the info page covers what lies under it.
    void MouseClick(QAbstractButton* target) {
        QPoint point = target->rect().center();
        if (target->isCheckable()) { // on the indicator
            QStyleOptionButton option;
            option.initFrom(target);
            const auto element = qobject_cast<QRadioButton*>(target)
                                     ? QStyle::SE_RadioButtonIndicator
                                     : QStyle::SE_CheckBoxIndicator;
            point = target->style()->subElementRect(element, &option, target).center();
        }
        const QPoint inForm = target->mapTo(Form.get(), point);
        QWidget* hit = Form->childAt(inForm);
        if (hit == Form->Button3) return; // "Ende" waits for the end
        if (auto* button = qobject_cast<QAbstractButton*>(hit)) WillClick(button);
        Perform("mouse on " + Name(target) + " hits " + Name(hit), [&] {
            if (!hit) return;
            const QPointF at = hit->mapFrom(Form.get(), inForm);
            const QPointF global = hit->mapToGlobal(at);
            QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton,
                              Qt::NoModifier);
            QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton,
                                Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(hit, &press);
            QApplication::sendEvent(hit, &release);
        });
    }

    // A click checks a radio button and toggles a check box; a push button is pressed.
    void WillClick(QAbstractButton* button) {
        if (button->isCheckable()) {
            WillCheck(button, qobject_cast<QRadioButton*>(button) || !button->isChecked());
        } else {
            WillPress(button);
        }
    }

    // Handlers run only when the state changes, and the checked radio button of
    // a group cannot be unchecked.
    void WillCheck(QAbstractButton* button, bool checked) {
        if (checked == button->isChecked()) return;
        if (!checked && qobject_cast<QRadioButton*>(button)) return;
        const QAbstractButton* examples[] = {
            Form->RadioButton1, Form->RadioButton2, Form->RadioButton3, Form->RadioButton4,
            Form->RadioButton5, Form->RadioButton9, Form->RadioButton10};
        for (std::size_t k = 0; k < ExampleRows.size(); ++k) {
            if (button != examples[k]) continue;
            for (std::size_t f = 0; f < 4; ++f) {
                const QString text = QString::fromLatin1(ExampleRows[k].Fields[f]);
                Fields[f] = {text, text.toInt()};
            }
            ViewReset = true;
            WillPress(Form->Button1); // an example ends with "Null"
            return;
        }
        if (button == Form->CheckBox1) WillPress(Form->Button1); // "Anregung": Weiter and a restart
        if (button == Form->RadioButton6 || button == Form->RadioButton7 ||
            button == Form->RadioButton8) {
            Pending = true; // a boundary mode restarts and keeps the pause
        }
    }

    void WillPress(QAbstractButton* button) {
        if (button == Form->Button1) {
            Paused = false;
            Pending = true;
        }
        if (button == Form->Button2) InfoShown = true;
        if (button == Form->Button4) Paused = true;
        if (button == Form->Button5) Paused = false;
        if (button == Form->Button6) InfoShown = false;
        if (button == Form->Button7) ViewReset = true;
    }

    // Set by program into any field, or typed by keys into a field on show.
    void EnterText(int field, const TFieldText& text) {
        QLineEdit* edit = std::array<QLineEdit*, 4>{Form->Edit1, Form->Edit2, Form->Edit3,
                                                    Form->Edit4}[static_cast<std::size_t>(field)];
        const bool typed = edit->isVisible() && !text.Text.contains(u'\t') && Random.Chance(30);
        Fields[static_cast<std::size_t>(field)] = text;
        Perform(std::string(typed ? "type into " : "setText ") + Name(edit) + ' ' +
                    Quoted(text.Text),
                [&] {
                    if (!typed) {
                        edit->setText(text.Text);
                        return;
                    }
                    edit->selectAll();
                    const auto key = [edit](int code, const QString& typedText) {
                        QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier, typedText);
                        QKeyEvent release(QEvent::KeyRelease, code, Qt::NoModifier, typedText);
                        QApplication::sendEvent(edit, &press);
                        QApplication::sendEvent(edit, &release);
                    };
                    if (text.Text.isEmpty()) key(Qt::Key_Backspace, {});
                    for (const QChar c : text.Text)
                        key(Qt::Key_unknown, QString(c));
                });
        Expect(edit->text() == text.Text, "the field holds " + Quoted(edit->text()));
    }

    void CheckInvariants() {
        TForm1& form = *Form;
        const TRunLoop& loop = form.Loop();
        const TNet& net = loop.Net();
        const int frequency = form.ScrollBar1->value();
        Expect(form.Edit5->text() == FrequencyText(OmegaFromPosition(frequency)),
               "Edit5 shows " + Quoted(form.Edit5->text()) + " at " + std::to_string(frequency));
        // Also read back in the locale: the frequency Omega / (2 pi), to two decimals.
        bool number = false;
        const double shown = QLocale().toDouble(form.Edit5->text(), &number);
        const QRegularExpression twoDecimals(
            "^[0-9]+" + QRegularExpression::escape(QLocale().decimalPoint()) + "[0-9]{2}$");
        Expect(number && twoDecimals.match(form.Edit5->text()).hasMatch() &&
                   std::fabs(shown - frequency / (200 * M_PI)) <= 0.005 + 1e-9,
               "Edit5 shows " + Quoted(form.Edit5->text()) + " in " +
                   QLocale().name().toStdString());
        Expect(net.Omega == OmegaFromPosition(frequency), "Omega is not the frequency bar's");
        Expect(form.Edit6->text() == PositionText(form.ScrollBar5->value()), "Edit6");
        Expect(form.Edit7->text() == PositionText(form.ScrollBar6->value()), "Edit7");
        Expect(form.Edit1->isVisible() == form.CheckBox3->isChecked() &&
                   form.Edit2->isVisible() == form.CheckBox3->isChecked(),
               "Edit1, Edit2 visible against check box 1");
        Expect(form.Edit3->isVisible() == form.CheckBox4->isChecked() &&
                   form.Edit4->isVisible() == form.CheckBox4->isChecked(),
               "Edit3, Edit4 visible against check box 2");
        Expect(loop.PauseFlag == Paused, "pause flag " + std::to_string(loop.PauseFlag));
        Expect(form.Button4->isVisible() == !Paused && form.Button5->isVisible() == Paused,
               "Pause and Weiter");
        Expect(form.Panel5->isVisible() == InfoShown, "info page");
        Expect(loop.RestartPending() == Pending,
               "restart pending " + std::to_string(loop.RestartPending()));
        Expect(loop.Running() == Running, "running " + std::to_string(loop.Running()));
        Expect(form.LoopScheduled() == (Pending || (Running && !Paused)),
               "loop scheduled " + std::to_string(form.LoopScheduled()));
        Expect(!loop.EndFlag, "ended");

        const int modes = form.RadioButton6->isChecked() + form.RadioButton7->isChecked() +
                          form.RadioButton8->isChecked();
        const int examples = form.RadioButton1->isChecked() + form.RadioButton2->isChecked() +
                             form.RadioButton3->isChecked() + form.RadioButton4->isChecked() +
                             form.RadioButton5->isChecked() + form.RadioButton9->isChecked() +
                             form.RadioButton10->isChecked();
        Expect(modes == 1 && examples == 1, "not one checked button in each group");
        Expect(DampedBorder()
                   ? net.GridSize == 91 && net.Margin == 10 && net.BaseTimeStep == 0.0115L
                   : net.GridSize == 71 && net.Margin == 0 && net.BaseTimeStep == 0.01L,
               "the net is not in the checked boundary mode");
        if (ViewReset) {
            Expect(form.ScrollBar2->value() == 60 && form.ScrollBar3->value() == 0 &&
                       form.ScrollBar4->value() == 0 && form.ScrollBar7->value() == 11,
                   "view not reset");
            ViewReset = false;
        }
        for (int j = 1; j <= net.GridSize; ++j) {
            for (int i = 1; i <= net.GridSize; ++i) {
                const TNode& node = net.Nodes(i, j);
                if (!std::isfinite(node.Z) || !std::isfinite(node.V)) {
                    Expect(false,
                           "node " + std::to_string(i) + "," + std::to_string(j) + " not finite");
                    return;
                }
            }
        }
    }

    // "Ende" or the window's close command; afterwards the loop does nothing,
    // not even a pending run start with a bad field.
    void End() {
        const bool byButton = Random.Chance(50);
        Perform(byButton ? "Button3.click()" : "close()", [&] {
            if (byButton)
                Form->Button3->click();
            else
                Form->close();
        });
        const TRunLoop& loop = Form->Loop();
        Expect(loop.EndFlag && !loop.PauseFlag && !Form->isVisible() && !Form->LoopScheduled(),
               "Ende did not end");
        const Extended time = Net().SimTime;
        Perform("fire", [this] { Form->FireLoop(); });
        Expect(Net().SimTime == time, "a pass after Ende");
    }
};

TEST(RandomUser, InvariantsHoldAfterEveryAction) {
    const long long first = EnvironmentNumber("WOGENFELD_RANDOM_SEED", 1);
    const long long seeds = EnvironmentNumber("WOGENFELD_RANDOM_SEEDS", 3);
    const long long actions = EnvironmentNumber("WOGENFELD_RANDOM_ACTIONS", 2000);
    const std::string failure = FailureOfSeeds<TRandomUser>(first, seeds, actions);
    EXPECT_TRUE(failure.empty()) << failure;
}

} // namespace

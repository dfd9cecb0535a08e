// SPDX-License-Identifier: GPL-3.0-or-later
// The window's lessons for the tests of the other front ends, on the offscreen
// window and through the window's own saving and opening:
//   window-lessons write DIR     a seeded random user (seeds 1..10) acts, then
//                                the lesson goes to DIR/window-NN.wogenfeld
//   window-lessons open FILE...  each lesson opened in a fresh window
// Each lesson gives a line `FILE STATEHASH FRAMEHASH`, as wogenfeld-render
// --hash prints them; a lesson that does not open gives the window's German
// message and exit status 1.

#include "RandomUser.h"
#include "WindowTesting.h"

#include "sim/StateHash.h"
#include "ui/Measuring.h"
#include "view/PictureHash.h"
#include "view/View.h"

#include <QDir>

#include <cstdio>

namespace {

constexpr int Lessons = 10;
constexpr int ActionsPerLesson = 300;
constexpr int ClosingPasses = 30;

void PrintLine(const QString& file, TForm1& form) {
    std::printf("%s %016llx %016llx\n", qPrintable(file),
                static_cast<unsigned long long>(HashState(form.Loop().Net())),
                static_cast<unsigned long long>(HashPicture(form.Loop().View().Bitmap())));
}

void SetRandomProbe(TForm1& form, TRandom& random) {
    form.Measuring().SetProbe(static_cast<std::size_t>(random.Below(4)),
                              TNodePosition{static_cast<int>(random.Between(1, 71)),
                                            static_cast<int>(random.Between(1, 71))});
}

// One action on the window's widgets, as a user makes them; no "Ende", which
// closes the window.
void Act(TForm1& form, TRandom& random) {
    const std::array bars = {form.ScrollBar1, form.ScrollBar2, form.ScrollBar3, form.ScrollBar4,
                             form.ScrollBar5, form.ScrollBar6, form.ScrollBar7};
    const std::array<QAbstractButton*, 20> buttons = {
        form.CheckBox1,    form.CheckBox2,     form.CheckBox3,    form.CheckBox4,
        form.RadioButton6, form.RadioButton7,  form.RadioButton8, form.RadioButton1,
        form.RadioButton2, form.RadioButton3,  form.RadioButton4, form.RadioButton5,
        form.RadioButton9, form.RadioButton10, form.Button1,      form.Button4,
        form.Button5,      form.Button7,       form.Button2,      form.Button6};
    const std::array edits = {form.Edit1, form.Edit2, form.Edit3, form.Edit4};
    const int dice = random.Below(100);
    if (dice < 40) {
        Fire(form, static_cast<int>(random.Between(1, 20)));
    } else if (dice < 60) {
        QScrollBar* bar = bars[static_cast<std::size_t>(random.Below(7))];
        bar->setValue(static_cast<int>(random.Between(bar->minimum(), bar->maximum())));
    } else if (dice < 85) {
        QAbstractButton* button = buttons[static_cast<std::size_t>(random.Below(20))];
        if (button->isVisible()) button->click();
    } else if (dice < 93) {
        edits[static_cast<std::size_t>(random.Below(4))]->setText(RandomText(random).Text);
    } else if (dice < 98) {
        SetRandomProbe(form, random);
    } else {
        form.Measuring().ShowWindow();
    }
}

int Write(const QString& folder) {
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "window-lessons: cannot make %s\n", qPrintable(folder));
        return 1;
    }
    for (int seed = 1; seed <= Lessons; ++seed) {
        TRandom random(static_cast<std::uint64_t>(seed));
        auto form = StartedForm();
        const QString file = QDir(folder).filePath(
            QStringLiteral("window-%1.wogenfeld").arg(seed, 2, 10, QLatin1Char('0')));
        bool saved = false;
        CloseBoxesDuring(*form, [&] {
            for (int action = 0; action < ActionsPerLesson; ++action)
                Act(*form, random);
            // The waves running at the end, so that the lesson keeps a moving net.
            if (!form->CheckBox1->isChecked()) form->CheckBox1->click();
            if (form->Button5->isVisible()) form->Button5->click();
            for (int probe = 0; probe < 2; ++probe)
                SetRandomProbe(*form, random);
            Fire(*form, ClosingPasses);
            saved = form->Lessons().SaveLesson(file);
        });
        if (!saved) {
            std::fprintf(stderr, "window-lessons: %s was not saved\n", qPrintable(file));
            return 1;
        }
        PrintLine(file, *form);
    }
    return 0;
}

int Open(const QStringList& files) {
    for (const QString& file : files) {
        auto form = StartedForm();
        bool opened = false;
        const TSeenBox seen =
            CloseBoxesDuring(*form, [&] { opened = form->Lessons().OpenLesson(file); });
        if (!opened) {
            std::printf("%s %s\n", qPrintable(seen.Text), qPrintable(seen.InformativeText));
            return 1;
        }
        PrintLine(file, *form);
    }
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // What the offscreen platform cannot do for the window is of no use here.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type >= QtCriticalMsg) std::fprintf(stderr, "%s\n", qPrintable(text));
    });
    QApplication application(argc, argv);
    const QStringList args = QApplication::arguments().mid(1);
    if (args.size() == 2 && args[0] == QStringLiteral("write")) return Write(args[1]);
    if (args.size() >= 2 && args[0] == QStringLiteral("open")) return Open(args.mid(1));
    std::fprintf(stderr, "usage: window-lessons write DIR | window-lessons open FILE...\n");
    return 2;
}

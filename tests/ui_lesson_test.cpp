// SPDX-License-Identifier: GPL-3.0-or-later
// Lessons in the window: saved and opened through its menu entries, refused
// without touching the running session, and named on the command line.
#include "RenderTesting.h"
#include "WindowTesting.h"

#include "sim/StateHash.h"
#include "ui/LessonFiles.h"
#include "ui/Measuring.h"
#include "ui/ShowMainWindow.h"
#include "ui/WindowOptions.h"
#include "view/PictureHash.h"
#include "view/View.h"

#include <QFile>
#include <QMenu>
#include <QProgressDialog>
#include <QTemporaryDir>

#include <ostream>

#include <gtest/gtest.h>

namespace {

// What the window shows of a moment, to compare two windows by.
struct TShownMoment {
    std::uint64_t State = 0;
    std::uint64_t Frame = 0;
    std::uint64_t Shown = 0; // the drawing area's picture
    long long Passes = 0;
    bool Paused = false;
    bool MeasuringShown = false;
    std::array<QString, 3> Displays;
    std::array<std::string, 4> Fields;
    std::string Controls;
    std::string Probes;

    bool operator==(const TShownMoment&) const = default;
};

std::ostream& operator<<(std::ostream& out, const TShownMoment& m) {
    out << std::hex << "state " << m.State << " frame " << m.Frame << " shown " << m.Shown
        << std::dec << " passes " << m.Passes << " paused " << m.Paused << " Messung "
        << m.MeasuringShown << " displays";
    for (const QString& display : m.Displays)
        out << " \"" << display.toStdString() << '"';
    out << " fields";
    for (const std::string& field : m.Fields)
        out << " \"" << field << '"';
    return out << " controls " << m.Controls << " probes " << m.Probes;
}

TShownMoment MomentOf(TForm1& form) {
    TShownMoment moment;
    moment.State = HashState(form.Loop().Net());
    moment.Frame = HashPicture(form.Loop().View().Bitmap());
    const QImage* shown = form.PaintBox1->Frame();
    moment.Shown =
        shown ? qHashBits(shown->constBits(), static_cast<size_t>(shown->sizeInBytes())) : 0;
    moment.Passes = form.Session().PassesMade();
    moment.Paused = form.Button5->isVisible() && !form.Button4->isVisible();
    moment.MeasuringShown = form.Measuring().Window() && form.Measuring().Window()->isVisible();
    moment.Displays = {form.Edit5->text(), form.Edit6->text(), form.Edit7->text()};
    moment.Fields = form.ReadSourceFields();
    TControlState controls = form.ReadControls();
    for (std::size_t k = 0; k < Sliders.size(); ++k)
        moment.Controls += std::to_string(SliderPosition(controls, static_cast<Slider>(k))) + ' ';
    moment.Controls +=
        std::to_string(static_cast<int>(controls.Mode)) +
        std::to_string(controls.Excitation.Excitation) +
        std::to_string(controls.Excitation.Source1) + std::to_string(controls.Excitation.Source2) +
        std::to_string(controls.Excitation.Wavefront) + std::to_string(controls.View.CrossGrid);
    for (const auto& probe : form.Measuring().Probes())
        moment.Probes +=
            probe ? std::to_string(probe->X) + ',' + std::to_string(probe->Y) + ' ' : "- ";
    return moment;
}

// A prepared moment: an example, a border, two probes, "Messung", a field, paused.
std::unique_ptr<TForm1> PreparedForm() {
    auto form = StartedForm();
    form->CheckBox1->click();
    form->RadioButton3->click();
    form->RadioButton8->click();
    form->ScrollBar2->setValue(40);
    Fire(*form, 150);
    form->Measuring().SetProbe(0, TNodePosition{36, 20});
    form->Measuring().SetProbe(2, TNodePosition{10, 50});
    form->Measuring().ShowWindow();
    form->Edit4->setText(QStringLiteral("12"));
    Fire(*form, 90);
    form->Button4->click();
    return form;
}

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteContents(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// A fresh window running example 1 in its own way: unlike any lesson here.
std::unique_ptr<TForm1> OtherForm() {
    auto form = StartedForm();
    form->CheckBox1->click();
    Fire(*form, 40);
    return form;
}

} // namespace

TEST(Lessons, TheMenuOffersThemAfterThePicturesWithTheirShortcuts) {
    auto form = StartedForm();
    form->Measuring().ShowMenu(QPoint(400, 300));
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    QStringList entries;
    for (const QAction* action : menu->actions())
        entries << (action->isSeparator() ? QStringLiteral("-") : action->text());
    menu->close();
    EXPECT_EQ(entries.mid(entries.size() - 5),
              (QStringList{"Bild speichern …", "Animation aufnehmen …", "-",
                           "Unterricht speichern …", "Unterricht öffnen …"}));
    EXPECT_EQ(form->Lessons().SaveAction().shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
    EXPECT_EQ(form->Lessons().OpenAction().shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
}

TEST(Lessons, OpeningWhatTheWindowSavedShowsTheSameMomentAndGoesOnAlike) {
    QTemporaryDir folder;
    const QString path = folder.filePath("moment.wogenfeld");
    auto saving = PreparedForm();
    ASSERT_TRUE(saving->Lessons().SaveLesson(path));
    const TShownMoment saved = MomentOf(*saving);
    ASSERT_TRUE(saved.Paused && saved.MeasuringShown);

    auto opening = OtherForm();
    const TSeenBox seen =
        CloseBoxesDuring(*opening, [&] { EXPECT_TRUE(opening->Lessons().OpenLesson(path)); });
    EXPECT_EQ(seen.Count, 0) << seen.InformativeText.toStdString();
    EXPECT_EQ(MomentOf(*opening), saved);
    EXPECT_FALSE(opening->LoopScheduled()) << "a paused lesson stays paused";

    // Both go on alike from there, the probes' recording with them.
    for (TForm1* form : {saving.get(), opening.get()}) {
        form->Button5->click();
        Fire(*form, 25);
        form->ScrollBar7->setValue(14);
        Fire(*form, 5);
    }
    EXPECT_EQ(MomentOf(*opening), MomentOf(*saving));
    EXPECT_EQ(opening->Session().Recording()->Count(), saving->Session().Recording()->Count());
}

TEST(Lessons, ABadFileIsSaidAndTheRunningSessionGoesOnUntouched) {
    QTemporaryDir folder;
    const QString good = folder.filePath("good.wogenfeld");
    ASSERT_TRUE(PreparedForm()->Lessons().SaveLesson(good));
    const QByteArray text = Contents(good);
    const QString forged = folder.filePath("forged.wogenfeld");
    QByteArray forgedText = text;
    const qsizetype state = forgedText.indexOf("\nstate ") + 7;
    forgedText[state] = forgedText[state] == '0' ? '1' : '0';
    WriteContents(forged, forgedText);
    const QString cut = folder.filePath("cut.wogenfeld");
    WriteContents(cut, text.left(text.indexOf("\nprobe1 ") + 1));

    auto form = OtherForm();
    form->Button4->click(); // paused, so that nothing but an opening could change it
    const TSession* running = &form->Session();
    const TShownMoment before = MomentOf(*form);
    const std::array<std::pair<QString, QString>, 3> cases = {{
        {forged, "führt nicht zu dem Zustand"},
        {cut, "unvollständig"},
        {folder.filePath("missing.wogenfeld"), "gibt es nicht"},
    }};
    for (const auto& [path, says] : cases) {
        const TSeenBox seen =
            CloseBoxesDuring(*form, [&] { EXPECT_FALSE(form->Lessons().OpenLesson(path)); });
        EXPECT_EQ(seen.Count, 1);
        EXPECT_EQ(seen.Text, QStringLiteral("Der Unterricht wurde nicht geöffnet."));
        EXPECT_TRUE(seen.InformativeText.contains(says)) << seen.InformativeText.toStdString();
        EXPECT_EQ(&form->Session(), running);
        EXPECT_EQ(MomentOf(*form), before);
    }
}

TEST(Lessons, CancellingTheProgressLeavesTheRunningSession) {
    QTemporaryDir folder;
    const QString path = folder.filePath("long.wogenfeld");
    auto saving = OtherForm();
    ASSERT_TRUE(saving->Lessons().SaveLesson(path));
    // Far more passes than it made: cancelled long before the replay would find that out.
    QByteArray text = Contents(path);
    const qsizetype at = text.indexOf("\npasses ") + 8;
    text.replace(at, text.indexOf('\n', at) - at, "200000");
    WriteContents(path, text);

    // The running session keeps still while the dialog shows, and goes on after it.
    auto form = StartedForm();
    const TSession* running = &form->Session();
    std::optional<long long> passesSeen;
    int ticks = 0;
    QTimer canceller;
    canceller.setInterval(0);
    QObject::connect(&canceller, &QTimer::timeout, [&] {
        auto* progress = form->findChild<QProgressDialog*>();
        if (!progress || !progress->isVisible() || progress->wasCanceled()) return;
        EXPECT_EQ(progress->labelText(), QStringLiteral("Unterricht wird geöffnet …"));
        if (++ticks < 5) return;
        passesSeen = form->Session().PassesMade();
        progress->cancel();
    });
    canceller.start();
    const TSeenBox seen =
        CloseBoxesDuring(*form, [&] { EXPECT_FALSE(form->Lessons().OpenLesson(path)); });
    EXPECT_EQ(seen.InformativeText,
              QStringLiteral("Das Öffnen des Unterrichts wurde abgebrochen."));
    EXPECT_EQ(&form->Session(), running);
    ASSERT_TRUE(passesSeen.has_value()) << "the progress dialog never showed";
    EXPECT_EQ(*passesSeen, 0);
    EXPECT_TRUE(form->LoopScheduled());
}

// Written beside the old file and renamed over it only when whole: a name
// that leaves no room for the temporary one beside it fails even for root.
TEST(Lessons, AFailedSaveKeepsTheOldFileAndSaysSo) {
    QTemporaryDir folder;
    const QString old = folder.filePath(QString(245, u'u') + QStringLiteral(".wogenfeld"));
    WriteContents(old, "the old lesson\n");
    auto form = StartedForm();
    for (const QString& path : {old, folder.filePath("missing/lesson.wogenfeld")}) {
        const TSeenBox seen =
            CloseBoxesDuring(*form, [&] { EXPECT_FALSE(form->Lessons().SaveLesson(path)); });
        EXPECT_EQ(seen.Count, 1);
        EXPECT_EQ(seen.Text, QStringLiteral("Der Unterricht wurde nicht gespeichert."));
    }
    EXPECT_EQ(Contents(old), "the old lesson\n");
}

TEST(Lessons, TheCommandLineNamesOneLessonWhichOpensOnceTheWindowShows) {
    const auto parsed = ParseWindowOptions({"--passes-per-second", "30", "a.wogenfeld"}, {});
    ASSERT_TRUE(std::holds_alternative<TWindowOptions>(parsed));
    EXPECT_EQ(std::get<TWindowOptions>(parsed).LessonFile, QStringLiteral("a.wogenfeld"));
    const auto two = ParseWindowOptions({"a.wogenfeld", "b.wogenfeld"}, {});
    ASSERT_TRUE(std::holds_alternative<QString>(two));
    EXPECT_EQ(std::get<QString>(two), QStringLiteral("only one lesson file can be opened"));

    // The renderer's lesson, which never saw a window's first activation: a
    // later activation of the window must not start it over.
    QTemporaryDir folder;
    const QString path = folder.filePath("rendered.wogenfeld");
    ASSERT_EQ(Render({"--example", "3", "--iterations", "60", "--save-lesson", path}),
              RenderSucceeded);
    const TLesson lesson = std::get<TLesson>(ReadLessonFile(path));
    TForm1 opened;
    ShowMainWindow(opened, path);
    DeliverPosted();
    opened.FormActivate();
    EXPECT_EQ(HashState(opened.Loop().Net()), lesson.StateHash);
    EXPECT_EQ(HashPicture(opened.Loop().View().Bitmap()), lesson.FrameHash);
    EXPECT_EQ(opened.Session().PassesMade(), 60);

    // A bad one: the window starts as always, and says so.
    TForm1 refused;
    const TSeenBox seen = CloseBoxesDuring(refused, [&] {
        ShowMainWindow(refused, folder.filePath("missing.wogenfeld"));
        QCoreApplication::processEvents();
    });
    EXPECT_EQ(seen.Count, 1);
    EXPECT_TRUE(refused.Session().Activated());
    EXPECT_TRUE(refused.LoopScheduled());
}

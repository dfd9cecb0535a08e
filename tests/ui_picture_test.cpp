// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures from the window against the renderer's files of the same passes.
#include "GifTesting.h"
#include "RenderTesting.h"
#include "WindowTesting.h"
#include "ui/Measuring.h"
#include "ui/PictureSaving.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A shown window with "Anregung" on and an example chosen: a fresh run, not yet fired.
std::unique_ptr<TForm1> ExampleForm(QRadioButton* (*button)(TForm1&)) {
    auto form = StartedForm();
    form->CheckBox1->setChecked(true);
    button(*form)->setChecked(true);
    return form;
}

QByteArray Contents(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

// Runs action; a file dialog it opens is answered with `name`.
void AnswerFileDialog(const QString& name, const std::function<void()>& action) {
    QTimer watcher;
    watcher.setInterval(0);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            dialog->selectFile(name);
            QMetaObject::invokeMethod(dialog, "accept");
        }
    });
    watcher.start();
    action();
}

TEST(Pictures, TheMenuSavesTheRenderersPngOfThePassShownWithoutTheMarkers) {
    auto form = ExampleForm([](TForm1& f) { return f.RadioButton3; });
    form->Measuring().SetProbe(0, TNodePosition{36, 36}); // a marker over the mesh
    Fire(*form, 120);

    form->Measuring().ShowMenu(QPoint(400, 300));
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    QStringList entries;
    for (const QAction* action : menu->actions())
        entries << action->text();
    const qsizetype picture = entries.indexOf(QStringLiteral("Bild speichern …"));
    ASSERT_GE(picture, 0);
    EXPECT_EQ(entries.value(picture + 1), QStringLiteral("Animation aufnehmen …"));
    menu->close();

    QTemporaryDir folder;
    const QString saved = folder.filePath("window.png");
    const QString rendered = folder.filePath("render.png");
    AnswerFileDialog(saved, [&] { form->Pictures().SaveAction().trigger(); });
    ASSERT_EQ(Render({"--example", "3", "--iterations", "120", "--out", rendered}),
              RenderSucceeded);
    EXPECT_EQ(Contents(saved), Contents(rendered));
}

TEST(Pictures, AFailedWriteLeavesNoFileAndSaysSoInAGermanBox) {
    auto form = StartedForm();
    Fire(*form, 3);
    QTemporaryDir folder;
    TPictureSaving& pictures = form->Pictures();
    const QString missing = folder.filePath("missing/picture.png");

    TSeenBox seen = CloseBoxesDuring(*form, [&] { pictures.SavePicture(form->Frame(), missing); });
    EXPECT_EQ(seen.Count, 1);
    EXPECT_EQ(seen.Text, QStringLiteral("Das Bild wurde nicht gespeichert."));
    EXPECT_EQ(seen.Icon, QMessageBox::Critical);
    seen = CloseBoxesDuring(*form, [&] { pictures.SavePicture(form->Frame(), "/dev/full"); });
    EXPECT_EQ(seen.Text, QStringLiteral("Das Bild wurde nicht gespeichert."));

    seen = CloseBoxesDuring(*form, [&] {
        EXPECT_FALSE(pictures.RecordAnimation(folder.filePath("missing/a.gif"), 2, false));
    });
    EXPECT_EQ(seen.Text, QStringLiteral("Die Animation wird nicht aufgenommen."));
    // Refused at once: the next recording can begin.
    seen = CloseBoxesDuring(*form, [&] {
        ASSERT_TRUE(pictures.RecordAnimation("/dev/full", 2, false));
        Fire(*form, 3);
        pictures.Animation().WaitUntilWritten();
    });
    EXPECT_EQ(seen.Text, QStringLiteral("Die Animation wurde nicht gespeichert."));
    EXPECT_TRUE(pictures.RecordAction().isEnabled());
    EXPECT_EQ(FilesIn(folder.path()), QStringList{});
}

TEST(Pictures, TheStroboscopesRecordingIsTheRenderersGifOfTheSamePasses) {
    auto form = ExampleForm([](TForm1& f) { return f.RadioButton10; });
    QTemporaryDir folder;
    const QString recorded = folder.filePath("window.gif");
    const QString rendered = folder.filePath("render.gif");
    TAnimationRecorder& recorder = form->Pictures().Animation();
    ASSERT_TRUE(form->Pictures().RecordAnimation(recorded, 30, true));
    Fire(*form, 150);
    // Example 7: a period of 2 pi / 7.7 is 47.30 passes of 0.01725; pass n
    // runs at (n - 1) * 0.01725, so the phase comes round at passes 49, 96 and 143.
    EXPECT_EQ(recorder.FramesKept(), 3);
    recorder.WaitUntilWritten();
    ASSERT_EQ(Render({"--example", "7", "--iterations", "150", "--strobe", "--gif", rendered}),
              RenderSucceeded);
    EXPECT_EQ(Contents(recorded), Contents(rendered));

    // Begun within a run, past two turns of the phase: the first frame waits
    // for the next, at pass 143.
    form->Button1->click();
    Fire(*form, 100);
    ASSERT_TRUE(form->Pictures().RecordAnimation(recorded, 30, true));
    Fire(*form, 42);
    EXPECT_EQ(recorder.FramesKept(), 0);
    Fire(*form);
    EXPECT_EQ(recorder.FramesKept(), 1);
    const QImage pass143 = form->Frame().copy();
    Fire(*form, 7);
    recorder.WaitUntilWritten();
    const TDecodedGif decoded = Decode(recorded);
    ASSERT_EQ(decoded.Frames.size(), 1u);
    EXPECT_TRUE(decoded.Frames[0] == pass143);
}

TEST(Pictures, TheRecordedFramesAreTheWindowsFramesAtTheirPassesAndStoppStopsIt) {
    auto form = ExampleForm([](TForm1& f) { return f.RadioButton3; });
    Fire(*form, 50);
    QTemporaryDir folder;
    const QString recorded = folder.filePath("window.gif");
    TPictureSaving& pictures = form->Pictures();
    ASSERT_TRUE(pictures.RecordAnimation(recorded, 30, false));
    EXPECT_TRUE(pictures.ProgressPanel()->isVisible());
    EXPECT_FALSE(pictures.RecordAction().isEnabled());

    std::vector<QImage> shown;
    QElapsedTimer clock;
    clock.start();
    while (shown.size() < 12 && clock.elapsed() < 20000) {
        Fire(*form);
        if (pictures.Animation().FramesKept() > static_cast<long long>(shown.size()))
            shown.push_back(form->Frame().copy());
    }
    // 25 frames a second: 11 intervals of 40 ms at least.
    EXPECT_GE(clock.elapsed(), 11 * 40);
    pictures.StopButton()->click();
    EXPECT_FALSE(pictures.Animation().Recording());
    Fire(*form, 50);
    pictures.Animation().WaitUntilWritten();
    EXPECT_FALSE(pictures.ProgressPanel()->isVisible());

    const TDecodedGif decoded = Decode(recorded);
    ASSERT_EQ(decoded.Frames.size(), shown.size());
    for (std::size_t k = 0; k < shown.size(); ++k) {
        EXPECT_TRUE(decoded.Frames[k] == shown[k]) << "frame " << k;
        EXPECT_EQ(decoded.Delays[k], 4) << "frame " << k;
    }
    EXPECT_FALSE(shown.front() == shown.back()) << "the waves went on";
}

TEST(Pictures, ARecordingEndsAfterItsSecondsAlsoWhilePaused) {
    auto form = ExampleForm([](TForm1& f) { return f.RadioButton1; });
    QTemporaryDir folder;
    const QString recorded = folder.filePath("paused.gif");
    TPictureSaving& pictures = form->Pictures();
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(pictures.RecordAnimation(recorded, 2, false));
    Fire(*form, 20);
    form->Button4->click();
    while (pictures.Animation().Busy() && clock.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_FALSE(pictures.Animation().Busy());
    EXPECT_GE(clock.elapsed(), 2000);
    EXPECT_FALSE(pictures.ProgressPanel()->isVisible());
    const TDecodedGif decoded = Decode(recorded);
    EXPECT_GE(decoded.Frames.size(), 1u);
    EXPECT_LE(decoded.Frames.size(), 20u) << "frames come only with passes";
}

} // namespace

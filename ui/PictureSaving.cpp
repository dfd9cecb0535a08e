// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PictureSaving.h"

#include "output/OutputFile.h"
#include "ui/AnimationDialog.h"
#include "ui/FileDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardPaths>

#include <algorithm>

namespace {

constexpr auto ProgressInterval = std::chrono::milliseconds(100);
constexpr int PanelMargin = 8;
constexpr int BarSteps = 10; // a second of the recording

} // namespace

TPictureSaving::TPictureSaving(QWidget& form, QWidget& box, const TRunLoop& loop,
                               const QImage& frame)
    : QObject(&form), Form(form), Box(box), Frame(frame),
      SavePictureAction(QStringLiteral("Bild speichern …")),
      RecordAnimationAction(QStringLiteral("Animation aufnehmen …")), Recorder(loop, frame),
      Panel(new QWidget(&form)), Progress(new QLabel(Panel)), Bar(new QProgressBar(Panel)),
      Stop(new QPushButton(QStringLiteral("Stopp"), Panel)) {
    connect(&SavePictureAction, &QAction::triggered, this, &TPictureSaving::AskForPicture);
    connect(&RecordAnimationAction, &QAction::triggered, this, &TPictureSaving::AskForAnimation);
    box.addAction(&SavePictureAction);
    box.addAction(&RecordAnimationAction);

    Panel->setObjectName(QStringLiteral("RecordingPanel"));
    Panel->setAccessibleName(QStringLiteral("Aufnahme"));
    Panel->setAttribute(Qt::WA_StyledBackground);
    Panel->setStyleSheet(QStringLiteral("#RecordingPanel { background: #ffffe1; border: 1px solid "
                                        "#000; } QLabel { color: #000; }"));
    Bar->setTextVisible(false);
    Bar->setAccessibleName(QStringLiteral("Fortschritt der Aufnahme"));
    auto* layout = new QHBoxLayout(Panel);
    layout->setContentsMargins(6, 3, 3, 3);
    layout->addWidget(Progress, 1);
    layout->addWidget(Bar, 1);
    layout->addWidget(Stop);
    Panel->hide();
    connect(Stop, &QPushButton::clicked, &Recorder, &TAnimationRecorder::Stop);
    connect(Stop, &QPushButton::clicked, this, &TPictureSaving::ShowProgress);
    connect(&Recorder, &TAnimationRecorder::Finished, this, &TPictureSaving::RecordingFinished);
    ProgressTimer.setInterval(ProgressInterval);
    connect(&ProgressTimer, &QTimer::timeout, this, &TPictureSaving::ShowProgress);
}

bool TPictureSaving::SavePicture(const QImage& picture, const QString& path) {
    const std::optional<QString> failure =
        WritePngFile(picture, path, QStringLiteral("Bild speichern"));
    if (failure)
        ShowFileFailure(Form, QStringLiteral("Das Bild wurde nicht gespeichert."), *failure);
    return !failure;
}

bool TPictureSaving::RecordAnimation(const QString& path, int seconds, bool strobe) {
    const std::optional<QString> failure = Recorder.Start(path, seconds, strobe);
    if (failure) {
        ShowFileFailure(Form, QStringLiteral("Die Animation wird nicht aufgenommen."), *failure);
        return false;
    }
    RecordAnimationAction.setEnabled(false);
    Bar->setRange(0, seconds * BarSteps);
    Stop->setEnabled(true);
    const QPoint bottomLeft = Box.mapTo(&Form, QPoint(0, Box.height()));
    const QSize size(Box.width() / 2, Panel->sizeHint().height());
    Panel->setGeometry(QRect(bottomLeft + QPoint(PanelMargin, -PanelMargin - size.height()), size));
    ShowProgress();
    Panel->show();
    Panel->raise();
    ProgressTimer.start();
    return true;
}

QString TPictureSaving::AskFileName(const QString& title, const QString& filter,
                                    const QString& suffix) {
    if (LastFolder.isEmpty()) {
        LastFolder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
        if (!QDir(LastFolder).exists()) LastFolder = QDir::homePath();
    }
    QFileDialog dialog(&Form, title,
                       QDir(LastFolder).filePath(QStringLiteral("wogenfeld.") + suffix), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(suffix);
    GiveGermanLabels(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    const QString name = dialog.selectedFiles().constFirst();
    LastFolder = QFileInfo(name).absolutePath();
    return name;
}

// The frame as it was when the entry was chosen: the run goes on behind the dialog.
void TPictureSaving::AskForPicture() {
    const QImage picture = Frame.copy();
    const QString name = AskFileName(QStringLiteral("Bild speichern"),
                                     QStringLiteral("PNG-Bilder (*.png)"), QStringLiteral("png"));
    if (!name.isEmpty()) SavePicture(picture, name);
}

void TPictureSaving::AskForAnimation() {
    TAnimationDialog dialog(&Form);
    if (dialog.exec() != QDialog::Accepted) return;
    const QString name =
        AskFileName(QStringLiteral("Animation aufnehmen"),
                    QStringLiteral("GIF-Animationen (*.gif)"), QStringLiteral("gif"));
    if (!name.isEmpty()) RecordAnimation(name, dialog.Seconds(), dialog.Strobe());
}

void TPictureSaving::ShowProgress() {
    const double seconds = Recorder.SecondsRecorded();
    Bar->setValue(std::min(Bar->maximum(), static_cast<int>(seconds * BarSteps)));
    if (Recorder.Recording()) {
        Progress->setText(QStringLiteral("Aufnahme: %1 von %2 s, %3 Bilder")
                              .arg(static_cast<int>(seconds))
                              .arg(Recorder.Seconds())
                              .arg(Recorder.FramesKept()));
    } else {
        Progress->setText(
            QStringLiteral("%1 Bilder werden gespeichert …").arg(Recorder.FramesKept()));
        Stop->setEnabled(false);
    }
}

void TPictureSaving::RecordingFinished(const QString& failure) {
    ProgressTimer.stop();
    Panel->hide();
    RecordAnimationAction.setEnabled(true);
    if (!failure.isEmpty())
        ShowFileFailure(Form, QStringLiteral("Die Animation wurde nicht gespeichert."), failure);
}

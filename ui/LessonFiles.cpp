// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/LessonFiles.h"

#include "control/LessonReplay.h"
#include "control/LessonText.h"
#include "output/OutputFile.h"
#include "resources/CorePictures.h"
#include "ui/FileDialogs.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QProgressDialog>
#include <QStandardPaths>
#include <QWidget>

namespace {

const QString Suffix = QStringLiteral("wogenfeld");
const QString Filter = QStringLiteral("Wogenfeld-Unterricht (*.wogenfeld)");
constexpr int ProgressSteps = 1000;
// A replay that ends sooner than this shows no progress dialog at all.
constexpr int ProgressDelayMs = 500;

QString Quoted(const QString& path) {
    return QStringLiteral("„%1“").arg(QDir::toNativeSeparators(path));
}

} // namespace

std::variant<TLesson, QString> ReadLessonFile(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) return QStringLiteral("Die Datei %1 gibt es nicht.").arg(Quoted(path));
    QFile file(path);
    const QString unreadable =
        QStringLiteral("Die Datei %1 kann nicht gelesen werden.").arg(Quoted(path));
    if (info.isDir() || !file.open(QIODevice::ReadOnly)) return unreadable;
    // One byte beyond the largest lesson tells the reader that the file is too large.
    const QByteArray bytes = file.read(static_cast<qint64>(MaxLessonBytes) + 1);
    if (file.error() != QFileDevice::NoError) return unreadable;
    std::variant<TLesson, std::string> read = ReadLesson(bytes.toStdString());
    if (const auto* message = std::get_if<std::string>(&read))
        return QString::fromStdString(*message);
    return std::get<TLesson>(std::move(read));
}

TLessonFiles::TLessonFiles(QWidget& form, QWidget& box, ILessonWindow& window, ISessionFront& front,
                           const QImage& background)
    : QObject(&form), Form(form), Window(window), Front(front), Background(background),
      SaveLessonAction(QStringLiteral("Unterricht speichern …")),
      OpenLessonAction(QStringLiteral("Unterricht öffnen …")) {
    Separator.setSeparator(true);
    SaveLessonAction.setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    OpenLessonAction.setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    for (QAction* action : {&SaveLessonAction, &OpenLessonAction})
        action->setShortcutContext(Qt::WindowShortcut);
    connect(&SaveLessonAction, &QAction::triggered, this, &TLessonFiles::AskToSave);
    connect(&OpenLessonAction, &QAction::triggered, this, &TLessonFiles::AskToOpen);
    box.addActions({&Separator, &SaveLessonAction, &OpenLessonAction});
}

bool TLessonFiles::WriteLesson(const std::string& text, const QString& path) {
    const std::optional<QString> failure =
        WriteTextFile(text, path, QStringLiteral("Unterricht speichern"));
    if (failure)
        ShowFileFailure(Form, QStringLiteral("Der Unterricht wurde nicht gespeichert."), *failure);
    return !failure;
}

bool TLessonFiles::SaveLesson(const QString& path) {
    return WriteLesson(LessonText(LessonOf(Window.ShownSession(), WOGENFELD_VERSION)), path);
}

std::variant<std::unique_ptr<TSession>, QString> TLessonFiles::Replay(const TLesson& lesson) {
    QProgressDialog progress(QStringLiteral("Unterricht wird geöffnet …"),
                             QStringLiteral("Abbrechen"), 0, ProgressSteps, &Form);
    progress.setWindowTitle(QStringLiteral("Wogenfeld"));
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(ProgressDelayMs);
    progress.setAutoReset(false);
    // A modal progress dialog delivers the window's messages as its value is
    // set, so the cancel button answers; the run behind it keeps still.
    const auto told = [&progress](double done) {
        progress.setValue(static_cast<int>(done * ProgressSteps));
        return !progress.wasCanceled();
    };
    Window.HoldRun(true);
    auto replayed = ReplayLesson(lesson, ViewBackground(Background), Front, told);
    Window.HoldRun(false);
    if (auto* message = std::get_if<std::string>(&replayed))
        return QString::fromStdString(*message);
    return std::get<std::unique_ptr<TSession>>(std::move(replayed));
}

bool TLessonFiles::OpenLesson(const QString& path) {
    std::variant<TLesson, QString> read = ReadLessonFile(path);
    std::variant<std::unique_ptr<TSession>, QString> opened = QString();
    if (auto* lesson = std::get_if<TLesson>(&read))
        opened = Replay(*lesson);
    else
        opened = std::get<QString>(std::move(read));
    if (const auto* failure = std::get_if<QString>(&opened)) {
        ShowFileFailure(Form, QStringLiteral("Der Unterricht wurde nicht geöffnet."), *failure);
        return false;
    }
    Window.ShowOpenedSession(std::get<std::unique_ptr<TSession>>(std::move(opened)));
    return true;
}

QString TLessonFiles::StartFolder() {
    if (LastFolder.isEmpty()) {
        LastFolder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (!QDir(LastFolder).exists()) LastFolder = QDir::homePath();
    }
    return LastFolder;
}

// The moment the entry was chosen: the run goes on behind the dialog.
void TLessonFiles::AskToSave() {
    const std::string text = LessonText(LessonOf(Window.ShownSession(), WOGENFELD_VERSION));
    QFileDialog dialog(&Form, QStringLiteral("Unterricht speichern"),
                       QDir(StartFolder()).filePath(QStringLiteral("unterricht.") + Suffix),
                       Filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(Suffix);
    GiveGermanLabels(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    const QString name = dialog.selectedFiles().constFirst();
    LastFolder = QFileInfo(name).absolutePath();
    WriteLesson(text, name);
}

void TLessonFiles::AskToOpen() {
    QFileDialog dialog(&Form, QStringLiteral("Unterricht öffnen"), StartFolder(), Filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    GiveGermanLabels(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    const QString name = dialog.selectedFiles().constFirst();
    LastFolder = QFileInfo(name).absolutePath();
    OpenLesson(name);
}

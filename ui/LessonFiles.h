// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control/Lesson.h"
#include "control/Session.h"

#include <QAction>
#include <QImage>
#include <QObject>
#include <QString>

#include <memory>
#include <string>
#include <variant>

class QWidget;

// What the lessons need of the window: the session it shows, the taking over
// of an opened one, and a run kept still while a lesson is replayed.
class ILessonWindow {
  public:
    virtual const TSession& ShownSession() const = 0;
    // From now on the window shows `session`; nothing shows the one before.
    virtual void ShowOpenedSession(std::unique_ptr<TSession> session) = 0;
    virtual void HoldRun(bool held) = 0;

  protected:
    ~ILessonWindow() = default;
};

// "Unterricht speichern …" and "Unterricht öffnen …": the moment shown kept
// as a lesson file, and a lesson file replayed into the window. Both are
// entries of the drawing area's menu and shortcuts of the window. A file is
// written whole or not at all; a lesson that cannot be opened is said in a
// German box and leaves the running session as it was.
class TLessonFiles : public QObject {
    Q_OBJECT
  public:
    // `box`: the drawing area, which gets the two entries as its actions;
    // `background`: the picture every frame starts from.
    TLessonFiles(QWidget& form, QWidget& box, ILessonWindow& window, ISessionFront& front,
                 const QImage& background);

    // Writes the lesson of the session shown now; a German box when it fails.
    bool SaveLesson(const QString& path);
    // Replays the lesson of `path` and shows it; a German box when it fails.
    bool OpenLesson(const QString& path);

    QAction& SaveAction() { return SaveLessonAction; }
    QAction& OpenAction() { return OpenLessonAction; }

  private:
    void AskToSave();
    void AskToOpen();
    bool WriteLesson(const std::string& text, const QString& path);
    std::variant<std::unique_ptr<TSession>, QString> Replay(const TLesson& lesson);
    QString StartFolder();

    QWidget& Form;
    ILessonWindow& Window;
    ISessionFront& Front;
    const QImage& Background;
    QAction Separator;
    QAction SaveLessonAction;
    QAction OpenLessonAction;
    QString LastFolder;
};

// The lesson a file holds, or a German message why it holds none.
std::variant<TLesson, QString> ReadLessonFile(const QString& path);

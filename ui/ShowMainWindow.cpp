// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ShowMainWindow.h"

#include "ui/Unit1.h"

void ShowMainWindow(TForm1& form, const QString& lessonFile) {
    form.showMaximized();
    if (lessonFile.isEmpty()) return;
    QMetaObject::invokeMethod(
        &form, [&form, lessonFile] { form.Lessons().OpenLesson(lessonFile); },
        Qt::QueuedConnection);
}

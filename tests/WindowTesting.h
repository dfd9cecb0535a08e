// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/Unit1.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <cmath>
#include <functional>
#include <memory>

// Delivers the messages waiting in the queue, but fires no timer: the tests
// fire the run loop themselves.
inline void DeliverPosted() {
    QCoreApplication::sendPostedEvents();
}

// A fresh window that has been shown and has performed its first "Null".
inline std::unique_ptr<TForm1> StartedForm() {
    auto form = std::make_unique<TForm1>();
    form->show();
    DeliverPosted();
    return form;
}

// Passes since the last run start.
inline long PassesOfRun(const TNet& net) {
    return std::lround(net.SimTime / net.TimeStep);
}

inline void Fire(TForm1& form, int times = 1) {
    for (int k = 0; k < times; ++k)
        form.FireLoop();
}

// What a message box said, as seen by a user who then closes it.
struct TSeenBox {
    int Count = 0;
    QString Title;
    QString Text;
    QString InformativeText;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
    Qt::TextFormat Format = Qt::AutoText;
    bool LoopFiredWhileOpen = false;
};

// Runs action; every modal box it opens is read, left open for a few rounds
// of message delivery (to see that the run loop keeps still), then closed.
inline TSeenBox CloseBoxesDuring(TForm1& form, const std::function<void()>& action) {
    TSeenBox seen;
    QTimer watcher;
    watcher.setInterval(0);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        const Extended before = form.Loop().Net().SimTime;
        for (int k = 0; k < 20; ++k)
            QCoreApplication::processEvents();
        seen.LoopFiredWhileOpen |= form.Loop().Net().SimTime != before;
        ++seen.Count;
        seen.Title = box->windowTitle();
        seen.Text = box->text();
        seen.InformativeText = box->informativeText();
        seen.Icon = box->icon();
        seen.Format = box->textFormat();
        box->done(QMessageBox::Ok);
    });
    watcher.start();
    action();
    watcher.stop();
    return seen;
}

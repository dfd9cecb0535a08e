// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Measuring.h"

#include "control/Session.h"
#include "output/Plot.h"
#include "ui/TPaintBox.h"
#include "view/View.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QMenu>
#include <QScreen>

namespace {

QPoint Point(const TScreenPoint& point) {
    return QPoint(point.X, point.Y);
}

} // namespace

TMeasuring::TMeasuring(QWidget& form, TPaintBox& box, TSession& session, QPoint panelsRight,
                       std::function<QWidget*()> makeWindow)
    : QObject(&form), Form(form), Box(box), Session(&session), RunLoop(&session.RunLoop()),
      PanelsRight(panelsRight), ShowAction(QStringLiteral("Messfenster zeigen")),
      MakeWindow(std::move(makeWindow)) {
    ShowAction.setShortcut(Qt::Key_F2);
    ShowAction.setShortcutContext(Qt::WindowShortcut);
    connect(&ShowAction, &QAction::triggered, this, &TMeasuring::ShowWindow);
    form.addAction(&ShowAction);
    box.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&box, &QWidget::customContextMenuRequested, this, &TMeasuring::ShowMenu);
    // The menu key goes to the control with the focus; over the drawing area it opens this menu.
    qApp->installEventFilter(this);
}

TMeasuring::~TMeasuring() {
    delete MeasureWindow;
}

bool TMeasuring::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ContextMenu) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    const auto* menuEvent = static_cast<QContextMenuEvent*>(event);
    if (!widget || widget->window() != &Form || menuEvent->reason() != QContextMenuEvent::Keyboard)
        return false;
    const QPoint at = Box.mapFromGlobal(QCursor::pos());
    if (!Box.rect().contains(at)) return false;
    ShowMenu(at);
    return true;
}

const TProbeSlots& TMeasuring::Probes() const {
    return Session->Probes();
}

const TRecording* TMeasuring::Recording() const {
    return Session->Recording();
}

void TMeasuring::FramePresented() {
    Drawn.Take(RunLoop->Net(), RunLoop->View().ScreenPoints);
    ShowMarkers(false);
}

void TMeasuring::ShowMarkers(bool send) {
    std::array<TMarker, 4> markers;
    std::size_t count = 0;
    const TProbeSlots& probes = Probes();
    for (std::size_t slot = 0; slot < probes.size(); ++slot) {
        if (!probes[slot] || !Drawn.Taken()) continue;
        markers[count++] = {Point(Drawn.At(*probes[slot])), ProbeColour(slot)};
    }
    Box.SetMarkers(std::span(markers.data(), count), send);
}

void TMeasuring::SetProbe(std::size_t slot, std::optional<TNodePosition> node) {
    if (!Session->SetProbe(slot, node)) return;
    ++ChangeCount;
    ShowMarkers(true);
    emit ProbesChanged();
}

std::optional<TNodePosition> TMeasuring::NearestNode(QPoint at) const {
    return Drawn.Nearest(at.x(), at.y());
}

void TMeasuring::ShowMenu(QPoint at) {
    // The node and the marker under the pointer as the frame shows them now.
    const std::optional<TNodePosition> node = NearestNode(at);
    const std::optional<std::size_t> marked = Drawn.ProbeUnder(Probes(), at.x(), at.y());
    const std::optional<std::size_t> free = FreeSlot(Probes());
    const bool any = AnyProbe(Probes());

    // Open while the run goes on; the choice acts on what was under the pointer when it opened.
    auto* menu = new QMenu(&Box);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->setAccessibleName(QStringLiteral("Messsonden"));
    QAction* set = menu->addAction(QStringLiteral("Messsonde hier setzen"));
    if (!free)
        set->setText(
            QStringLiteral("Messsonde hier setzen (schon vier gesetzt: erst eine entfernen)"));
    set->setEnabled(free && node);
    if (free && node)
        connect(set, &QAction::triggered, this,
                [this, slot = *free, node] { SetProbe(slot, node); });
    QAction* remove = menu->addAction(QStringLiteral("Diese Messsonde entfernen"));
    remove->setEnabled(marked.has_value());
    if (marked)
        connect(remove, &QAction::triggered, this,
                [this, slot = *marked] { SetProbe(slot, std::nullopt); });
    QAction* removeAll = menu->addAction(QStringLiteral("Alle Messsonden entfernen"));
    removeAll->setEnabled(any);
    connect(removeAll, &QAction::triggered, this, [this] {
        for (std::size_t slot = 0; slot < Probes().size(); ++slot)
            SetProbe(slot, std::nullopt);
    });
    menu->addSeparator();
    menu->addAction(&ShowAction);
    // What else the drawing area offers (its pictures).
    menu->addSeparator();
    menu->addActions(Box.actions());
    menu->popup(Box.mapToGlobal(at));
}

void TMeasuring::ShowWindow() {
    // Once made, the window may have been hidden for a session that records nothing.
    Session->StartRecording();
    if (!MeasureWindow) {
        MeasureWindow = MakeWindow();
        PlaceWindow();
    }
    MeasureWindow->show();
    MeasureWindow->raise();
    MeasureWindow->activateWindow();
}

// Beside the panels where the screen has room for it, else over the lower
// right of the drawing area; once placed, it stays where the user puts it.
void TMeasuring::PlaceWindow() {
    const QRect screen = Form.screen()->availableGeometry();
    const QPoint right = Form.mapToGlobal(PanelsRight);
    const int room = screen.right() + 1 - right.x();
    QRect place(QPoint(), MeasureWindow->sizeHint().expandedTo(MeasureWindow->minimumSizeHint()));
    if (room >= 400) {
        place.setWidth(std::min(place.width(), room - 8));
        place.moveTopLeft(
            QPoint(right.x() + 4, std::max(screen.top(), Form.mapToGlobal(QPoint()).y())));
    } else {
        place.moveBottomRight(Box.mapToGlobal(Box.rect().bottomRight()));
    }
    MeasureWindow->resize(place.size());
    MeasureWindow->move(place.topLeft());
}

void TMeasuring::Follow(TSession& session) {
    Session = &session;
    RunLoop = &session.RunLoop();
    ++ChangeCount;
    FramePresented();
    ShowMarkers(true);
    emit ProbesChanged();
    if (session.Recording())
        ShowWindow();
    else if (MeasureWindow)
        MeasureWindow->hide();
}

void TMeasuring::StartWatch() {
    Session->StartWatch();
    ++ChangeCount;
}

void TMeasuring::StopWatch() {
    Session->StopWatch();
    ++ChangeCount;
}

void TMeasuring::ResetWatch() {
    Session->ResetWatch();
    ++ChangeCount;
}

double TMeasuring::WatchTime() const {
    return Session->WatchTime();
}

bool TMeasuring::WatchRunning() const {
    return Session->WatchRunning();
}

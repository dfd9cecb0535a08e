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

// Enough for the passes of several minutes of a run in the lesson.
constexpr std::size_t RecordedPasses = 100000;

std::size_t Place(int x, int y) {
    return static_cast<std::size_t>((y - 1) * 71 + (x - 1));
}

} // namespace

TMeasuring::TMeasuring(QWidget& form, TPaintBox& box, TSession& session, QPoint panelsRight,
                       std::function<QWidget*()> makeWindow)
    : QObject(&form), Form(form), Box(box), Session(session), RunLoop(session.RunLoop()),
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

void TMeasuring::AfterFiring() {
    if (RunLoop.RunsStarted() != SeenStarts) {
        SeenStarts = RunLoop.RunsStarted();
        SeenPasses = 0;
        if (Record) Record->Clear();
    }
    if (RunLoop.PassesOfRun() == SeenPasses) return;
    SeenPasses = RunLoop.PassesOfRun();
    if (Record) Record->Record(RunLoop.Net(), SeenPasses, RunLoop.PassTime(), Slots);
    ++ChangeCount;
}

void TMeasuring::FramePresented() {
    const TNet& net = RunLoop.Net();
    const TScreenGrid& points = RunLoop.View().ScreenPoints;
    for (int y = 1; y <= 71; ++y) {
        for (int x = 1; x <= 71; ++x) {
            const TScreenPoint& p = points(x + net.Margin, y + net.Margin);
            Drawn[Place(x, y)] = QPoint(p.X, p.Y);
        }
    }
    HasFrame = true;
    ShowMarkers(false);
}

void TMeasuring::ShowMarkers(bool send) {
    std::array<TMarker, 4> markers;
    std::size_t count = 0;
    for (std::size_t slot = 0; slot < Slots.size(); ++slot) {
        if (!Slots[slot] || !HasFrame) continue;
        markers[count++] = {Drawn[Place(Slots[slot]->X, Slots[slot]->Y)], ProbeColour(slot)};
    }
    Box.SetMarkers(std::span(markers.data(), count), send);
}

void TMeasuring::SetProbe(std::size_t slot, std::optional<TNodePosition> node) {
    const bool same = Slots[slot].has_value() == node.has_value() &&
                      (!node || (Slots[slot]->X == node->X && Slots[slot]->Y == node->Y));
    if (same) return;
    Slots[slot] = node;
    // From this pass on its column belongs to the new node.
    if (Record) Record->Forget(slot);
    ++ChangeCount;
    ShowMarkers(true);
    emit ProbesChanged();
}

std::optional<TNodePosition> TMeasuring::NearestNode(QPoint at) const {
    if (!HasFrame) return std::nullopt;
    std::optional<TNodePosition> nearest;
    long long best = 0;
    for (int y = 1; y <= 71; ++y) {
        for (int x = 1; x <= 71; ++x) {
            const QPoint d = Drawn[Place(x, y)] - at;
            const long long distance =
                static_cast<long long>(d.x()) * d.x() + static_cast<long long>(d.y()) * d.y();
            if (!nearest || distance < best) {
                nearest = TNodePosition{x, y};
                best = distance;
            }
        }
    }
    return nearest;
}

std::optional<std::size_t> TMeasuring::ProbeUnder(QPoint at) const {
    for (std::size_t slot = 0; slot < Slots.size(); ++slot) {
        if (Slots[slot] && HasFrame &&
            TPaintBox::MarkerRect(Drawn[Place(Slots[slot]->X, Slots[slot]->Y)]).contains(at)) {
            return slot;
        }
    }
    return std::nullopt;
}

void TMeasuring::ShowMenu(QPoint at) {
    // The node and the marker under the pointer as the frame shows them now.
    const std::optional<TNodePosition> node = NearestNode(at);
    const std::optional<std::size_t> marked = ProbeUnder(at);
    std::optional<std::size_t> free;
    bool any = false;
    for (std::size_t slot = Slots.size(); slot-- > 0;) {
        if (Slots[slot]) {
            any = true;
        } else {
            free = slot;
        }
    }

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
        for (std::size_t slot = 0; slot < Slots.size(); ++slot)
            SetProbe(slot, std::nullopt);
    });
    menu->addSeparator();
    menu->addAction(&ShowAction);
    menu->popup(Box.mapToGlobal(at));
}

void TMeasuring::ShowWindow() {
    if (!MeasureWindow) {
        Record = std::make_unique<TRecording>(RecordedPasses);
        SeenPasses = RunLoop.PassesOfRun();
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

void TMeasuring::StartWatch() {
    Session.StartWatch();
    ++ChangeCount;
}

void TMeasuring::StopWatch() {
    Session.StopWatch();
    ++ChangeCount;
}

void TMeasuring::ResetWatch() {
    Session.ResetWatch();
    ++ChangeCount;
}

double TMeasuring::WatchTime() const {
    return Session.WatchTime();
}

bool TMeasuring::WatchRunning() const {
    return Session.WatchRunning();
}

// SPDX-License-Identifier: GPL-3.0-or-later
// What reaches the window's backing store, the picture Qt sends to the screen:
// after every pass, turn, zoom and the info page, the drawing area holds the
// view's last frame pixel for pixel; a pass paints only where its frame
// changed, and nothing beneath the drawing area again.

#include "WindowTesting.h"

#include "view/View.h"

#include <QElapsedTimer>
#include <QPaintEvent>
#include <QScreen>
#include <QWindow>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>

namespace {

// Counts a widget's paint events and gathers what they were to paint.
class TPaintWatch : public QObject {
  public:
    explicit TPaintWatch(QWidget* widget) { widget->installEventFilter(this); }
    int Count = 0;
    QRegion Painted;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++Count;
            Painted += static_cast<QPaintEvent*>(event)->region();
        }
        return false;
    }
};

// The smallest rectangle that holds every pixel in which two pictures differ.
QRect DifferingBounds(const QImage& one, const QImage& other) {
    QRect bounds;
    for (int y = 0; y < one.height(); ++y) {
        for (int x = 0; x < one.width(); ++x) {
            if (one.pixel(x, y) != other.pixel(x, y)) bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

// Delivers the waiting messages and those they post in turn: a panel that
// appears asks to be painted only while its showing is delivered.
void Settle() {
    for (int round = 0; round < 3; ++round)
        DeliverPosted();
}

class DrawingArea : public testing::Test {
  protected:
    void SetUp() override {
        Form->CheckBox1->setChecked(true); // "Anregung": the net moves from pass to pass
        // Shown on the screen, so that Qt paints it; the loop's timer runs meanwhile.
        QElapsedTimer clock;
        clock.start();
        while (!Form->windowHandle()->isExposed() && clock.elapsed() < 10000) {
            QCoreApplication::processEvents();
        }
        ASSERT_TRUE(Form->windowHandle()->isExposed());
        // Every frame sent to the screen at once; waiting for the screen's
        // refresh has its own test.
        Form->PaintBox1->SetShortestInterval(std::chrono::nanoseconds::zero());
        Pass(40);
    }

    // Passes as the loop's timer fires them, each followed by the paint it asks for.
    void Pass(int times = 1) {
        for (int k = 0; k < times; ++k) {
            Form->FireLoop();
            Settle();
        }
    }

    // What the backing store holds where the drawing area lies.
    QImage OnScreen() const {
        const QImage window = Form->screen()->grabWindow(Form->winId()).toImage();
        return window.convertToFormat(QImage::Format_RGB32)
            .copy(QRect(Form->PaintBox1->mapTo(Form.get(), QPoint(0, 0)), QSize(800, 600)));
    }
    QImage Frame() const { return Form->Frame().copy(); }

    std::unique_ptr<TForm1> Form = StartedForm();
};

TEST_F(DrawingArea, APassPaintsOnlyWhereItsFrameChangedAndNothingBeneath) {
    for (int pass = 0; pass < 5; ++pass) {
        SCOPED_TRACE(pass);
        const QImage before = Frame();
        TPaintWatch box(Form->PaintBox1);
        TPaintWatch background(Form->Image1);
        Pass();
        const QImage after = Frame();
        const QRect changed = DifferingBounds(before, after);
        ASSERT_FALSE(changed.isEmpty()) << "the driven net moves the mesh";

        EXPECT_EQ(background.Count, 0) << "Image1, beneath the drawing area, painted again";
        EXPECT_EQ(box.Count, 1);
        EXPECT_EQ(box.Painted.intersected(changed), QRegion(changed))
            << "every changed pixel is painted";
        // Turned by 60 degrees and zoomed 1.1 times, the net's 71 nodes of 8
        // units reach from y = +-280 to +-280 * cos 60 * 1.1 = +-154 pixels at
        // depth +-280 * sin 60 * 1.1 = +-267, seen from 1500 away at most
        // 154 * 1500 / (1500 - 267) = 187 pixels from the middle row 300: the
        // rows above 113 hold no mesh, and the waves of amplitude 40 add less
        // than 40 * 1.1 = 44 pixels to that.
        EXPECT_FALSE(box.Painted.intersects(QRect(0, 0, 800, 60)))
            << "the rows that no mesh reaches are not painted again";
        EXPECT_TRUE(OnScreen() == after);
    }
}

TEST_F(DrawingArea, HoldsTheLastFrameThroughTurnsZoomsAndTheInfoPage) {
    Form->Button4->click(); // "Pause"
    const QImage paused = Frame();
    EXPECT_TRUE(OnScreen() == paused);

    Form->ScrollBar2->setValue(Form->ScrollBar2->value() - 7);
    Settle();
    EXPECT_FALSE(Frame() == paused) << "turned";
    EXPECT_TRUE(OnScreen() == Frame()) << "turned while paused";
    Form->ScrollBar7->setValue(25);
    Settle();
    EXPECT_TRUE(OnScreen() == Frame()) << "zoomed";
    Form->CheckBox2->setChecked(false);
    Settle();
    EXPECT_TRUE(OnScreen() == Frame()) << "cross lines off";

    // Under the info page the view goes on, and none of it shows there.
    Form->Button2->click(); // "Info"
    Settle();
    const QImage info = OnScreen();
    Form->ScrollBar3->setValue(40);
    Form->Button5->click(); // "Weiter", covered by the page: performed by program
    Pass(20);
    EXPECT_TRUE(OnScreen() == info) << "the view painted over the info page";
    Form->Button4->click();
    Form->Button6->click(); // "Infobox schließen"
    Settle();
    EXPECT_TRUE(OnScreen() == Frame()) << "the frame drawn under the info page, whole";

    // Another example: another net (71 x 71 without margin), the view reset.
    Form->RadioButton5->setChecked(true);
    Pass(3);
    EXPECT_TRUE(OnScreen() == Frame()) << "a membrane";
}

// Frames that come faster than the screen refreshes are not all sent: the
// latest goes out when the interval is over, even when no frame follows it.
TEST_F(DrawingArea, FramesFasterThanTheScreenWaitAndTheLatestIsShown) {
    using namespace std::chrono_literals;
    const QImage sent = Frame(); // SetUp's last pass was sent at once
    QElapsedTimer clock;
    clock.start();
    Form->PaintBox1->SetShortestInterval(1s);
    TPaintWatch box(Form->PaintBox1);
    Pass(3);
    const QImage last = Frame();
    ASSERT_FALSE(last == sent) << "the driven net moves the mesh";
    if (clock.elapsed() < 900) { // the machine did not stall for the whole second
        EXPECT_EQ(box.Count, 0) << "a frame sent within the interval";
        EXPECT_TRUE(OnScreen() == sent);
    }
    Form->Button4->click(); // "Pause": no frame follows
    QElapsedTimer waited;
    waited.start();
    while (!(OnScreen() == last) && waited.elapsed() < 5000)
        QCoreApplication::processEvents();
    EXPECT_TRUE(OnScreen() == last) << "the last frame is sent when the interval is over";
    EXPECT_EQ(box.Count, 1);
}

} // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
// The view's controls in the window: the rotation bars turn the net and draw
// one frame, also while paused; "Rücksetzen" turns and draws only for the
// bars it moves; the zoom bar and "Kreuzgitter" draw without turning.

#include "NetTesting.h"
#include "PlainView.h"
#include "WindowTesting.h"

#include "resources/CorePictures.h"
#include "view/View.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A window whose net has been driven for 40 passes; it counts the frames the
// view presents from here on.
class ViewHandlers : public testing::Test {
  protected:
    void SetUp() override {
        Form->CheckBox1->setChecked(true);
        Fire(*Form, 40);
        Form->Loop().View().SetPresenter([this](const TPicture&) {
            ++Presented;
            Form->PaintBox1->ShowFrame(Form->Frame(), QRectOf(Form->Loop().View().ChangedRect()));
        });
    }

    TNet& Net() { return Form->Loop().Net(); }
    QImage Shown() const { return Form->PaintBox1->Frame()->copy(); }
    std::unique_ptr<TGrid> Turned() { return std::make_unique<TGrid>(Net().ViewNodes); }

    // Whether ViewNodes hold, to the bit, the used nodes turned by the bars' positions.
    bool TurnedByTheBars() {
        const TPlainTurn turn(Form->ScrollBar2->value(), Form->ScrollBar3->value(),
                              Form->ScrollBar4->value());
        for (int j = 1; j <= Net().GridSize; ++j) {
            for (int i = 1; i <= Net().GridSize; ++i) {
                const TNode expected = PlainRotate(Net().Nodes(i, j), turn);
                const TNode& seen = Net().ViewNodes(i, j);
                if (!SameBits(seen.X, expected.X) || !SameBits(seen.Y, expected.Y) ||
                    !SameBits(seen.Z, expected.Z)) {
                    return false;
                }
            }
        }
        return true;
    }

    // Whether ScreenPoints hold the projection of ViewNodes at the zoom bar's position.
    bool ProjectedAtTheZoom() {
        for (int j = 1; j <= Net().GridSize; ++j) {
            for (int i = 1; i <= Net().GridSize; ++i) {
                const auto expected =
                    PlainProject(Net().ViewNodes(i, j), Form->ScrollBar7->value());
                const TScreenPoint seen = Form->Loop().View().ScreenPoints(i, j);
                if (!expected || expected->X != seen.X || expected->Y != seen.Y) return false;
            }
        }
        return true;
    }

    std::unique_ptr<TForm1> Form = StartedForm();
    int Presented = 0;
};

TEST_F(ViewHandlers, EachRotationBarTurnsThePausedNetAndDrawsOneFrame) {
    Form->Button4->click();
    struct TMove {
        QScrollBar* Bar;
        int Position;
    };
    for (const TMove move : {TMove{Form->ScrollBar2, 25}, TMove{Form->ScrollBar3, -130},
                             TMove{Form->ScrollBar4, 77}, TMove{Form->ScrollBar2, -180}}) {
        SCOPED_TRACE(move.Bar->objectName().toStdString());
        const auto before = Turned();
        const QImage shown = Shown();
        Presented = 0;
        move.Bar->setValue(move.Position);
        EXPECT_EQ(Presented, 1);
        EXPECT_NE(Shown(), shown);
        EXPECT_FALSE(SameStorage(Net().ViewNodes, *before));
        EXPECT_TRUE(TurnedByTheBars());
        EXPECT_TRUE(ProjectedAtTheZoom());
        const TView& view = Form->Loop().View();
        EXPECT_TRUE(SameBits(view.AngleX, PlainAngle(Form->ScrollBar2->value())));
        EXPECT_TRUE(SameBits(view.AngleY, PlainAngle(Form->ScrollBar3->value())));
        EXPECT_TRUE(SameBits(view.AngleZ, PlainAngle(Form->ScrollBar4->value())));
    }
    EXPECT_EQ(PassesOfRun(Net()), 40) << "turning a paused net does not step it";
    EXPECT_TRUE(Form->Loop().PauseFlag);
}

TEST_F(ViewHandlers, RuecksetzenDrawsOnlyForTheBarsItMoves) {
    Form->Button4->click();
    const auto start = Turned();
    const QImage shown = Shown();
    Form->Button7->click();
    EXPECT_EQ(Presented, 0) << "every bar at its start: nothing to do";
    EXPECT_TRUE(SameStorage(Net().ViewNodes, *start));
    EXPECT_EQ(Shown(), shown);

    Form->ScrollBar3->setValue(50);
    Presented = 0;
    Form->Button7->click();
    EXPECT_EQ(Presented, 1) << "one rotation update";
    EXPECT_EQ(Form->ScrollBar3->value(), 0);
    EXPECT_TRUE(TurnedByTheBars());
    EXPECT_TRUE(SameStorage(Net().ViewNodes, *start));
    EXPECT_EQ(Shown(), shown);

    // "Null" rests the net; until the next pass ViewNodes keep the driven net,
    // so a turn would show at once.
    Form->ScrollBar7->setValue(20);
    Form->Button1->click();
    Presented = 0;
    Form->Button7->click();
    EXPECT_EQ(Presented, 1) << "one redraw by the zoom bar";
    EXPECT_EQ(Form->ScrollBar7->value(), 11);
    EXPECT_TRUE(SameStorage(Net().ViewNodes, *start)) << "no turn";
    EXPECT_TRUE(ProjectedAtTheZoom());
    EXPECT_EQ(Shown(), shown);
}

TEST_F(ViewHandlers, ZoomAndKreuzgitterRedrawWithoutTurning) {
    Form->Button1->click(); // the net at rest, ViewNodes still the driven net
    const auto driven = Turned();
    QImage shown = Shown();

    Form->ScrollBar7->setValue(23);
    EXPECT_EQ(Presented, 1);
    EXPECT_TRUE(SameStorage(Net().ViewNodes, *driven));
    EXPECT_TRUE(ProjectedAtTheZoom());
    EXPECT_NE(Shown(), shown);

    shown = Shown();
    Form->CheckBox2->setChecked(false);
    EXPECT_EQ(Presented, 2);
    EXPECT_TRUE(SameStorage(Net().ViewNodes, *driven));
    EXPECT_TRUE(ProjectedAtTheZoom());
    const QImage single = Shown();
    EXPECT_NE(single, shown);
    // Only the lines along x are left: fewer blue pixels, all of them in the cross grid.
    int blueCrossed = 0;
    int blueSingle = 0;
    for (int y = 0; y < 600; ++y) {
        for (int x = 0; x < 800; ++x) {
            const bool inSingle = single.pixel(x, y) == qRgb(0, 0, 255);
            blueSingle += inSingle;
            blueCrossed += shown.pixel(x, y) == qRgb(0, 0, 255);
            ASSERT_TRUE(!inSingle || shown.pixel(x, y) == qRgb(0, 0, 255)) << x << "," << y;
        }
    }
    EXPECT_LT(blueSingle, blueCrossed * 3 / 4);

    Form->CheckBox2->setChecked(true);
    EXPECT_EQ(Presented, 3);
    EXPECT_EQ(Shown(), shown);
    EXPECT_EQ(PassesOfRun(Net()), 40) << "no pass between";
}

} // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/ControlTable.h"
#include "ui/RestoredPlace.h"
#include "ui/Unit1.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QKeyEvent>
#include <QLineEdit>
#include <memory>

namespace {

struct TPlace {
    const char* Name;
    const char* Parent;
    QRect Bounds;
    const char* Caption; // nullptr where the control has none
    bool Visible;
};

// Every control of the window where it stands at start.
const TPlace Places[] = {
    {"PaintBox1", "TForm1", {0, 0, 800, 600}, nullptr, true},
    {"Image1", "TForm1", {0, 0, 800, 600}, nullptr, true},
    {"Panel2", "TForm1", {0, 604, 801, 129}, nullptr, true},
    {"Panel3", "TForm1", {804, 0, 209, 734}, nullptr, true},
    {"Panel5", "TForm1", {0, 0, 801, 734}, nullptr, false},
    {"Label1", "Panel2", {16, 16, 65, 16}, "Frequenz", true},
    {"Label3", "Panel2", {16, 56, 70, 16}, "Amplitude", true},
    {"Label2", "Panel2", {16, 96, 66, 16}, "Kopplung", true},
    {"ScrollBar1", "Panel2", {104, 24, 225, 12}, nullptr, true},
    {"ScrollBar6", "Panel2", {104, 64, 225, 12}, nullptr, true},
    {"ScrollBar5", "Panel2", {104, 104, 225, 12}, nullptr, true},
    {"Edit5", "Panel2", {344, 20, 41, 21}, nullptr, true},
    {"Edit7", "Panel2", {344, 60, 41, 21}, nullptr, true},
    {"Edit6", "Panel2", {344, 100, 41, 21}, nullptr, true},
    {"Panel1", "Panel2", {416, 0, 161, 129}, nullptr, true},
    {"CheckBox1", "Panel2", {592, 40, 97, 17}, "Anregung", true},
    {"Button1", "Panel2", {592, 72, 89, 22}, "Null", true},
    {"Button4", "Panel2", {712, 16, 75, 25}, "Pause", true},
    {"Button5", "Panel2", {712, 16, 75, 25}, "Weiter", false},
    {"Button2", "Panel2", {712, 56, 75, 25}, "Info", true},
    {"Button3", "Panel2", {712, 96, 75, 25}, "Ende", true},
    {"Label4", "Panel1", {16, 8, 83, 16}, "Begrenzung", true},
    {"RadioButton6", "Panel1", {16, 40, 113, 17}, "Rand-Dämpfung", true},
    {"RadioButton7", "Panel1", {16, 64, 137, 17}, "Reflexion (loses Ende)", true},
    {"RadioButton8", "Panel1", {16, 88, 137, 17}, "Reflexion (festes Ende)", true},
    {"Label11", "Panel3", {24, 8, 161, 16}, "graphische Darstellung", true},
    {"Label6", "Panel3", {40, 32, 51, 16}, "Drehen", true},
    {"Label5", "Panel3", {132, 56, 40, 16}, "Zoom", true},
    {"ScrollBar2", "Panel3", {24, 56, 12, 193}, nullptr, true},
    {"ScrollBar3", "Panel3", {60, 56, 12, 193}, nullptr, true},
    {"ScrollBar4", "Panel3", {96, 56, 12, 193}, nullptr, true},
    {"ScrollBar7", "Panel3", {144, 80, 17, 145}, nullptr, true},
    {"Button7", "Panel3", {24, 262, 161, 20}, "Rücksetzen", true},
    {"CheckBox2", "Panel3", {24, 296, 97, 17}, "Kreuzgitter", true},
    {"Panel4", "Panel3", {0, 328, 209, 257}, nullptr, true},
    {"Label7", "Panel3", {16, 600, 90, 16}, "Punktquellen", true},
    {"Label10", "Panel3", {96, 624, 8, 16}, "x", true},
    {"Label8", "Panel3", {144, 624, 9, 16}, "y", true},
    {"CheckBox3", "Panel3", {24, 650, 33, 17}, "1", true},
    {"Edit1", "Panel3", {88, 648, 33, 21}, "36", true},
    {"Edit2", "Panel3", {136, 648, 33, 21}, "36", true},
    {"CheckBox4", "Panel3", {24, 692, 33, 17}, "2", true},
    {"Edit3", "Panel3", {88, 688, 33, 21}, "36", false},
    {"Edit4", "Panel3", {136, 688, 33, 21}, "36", false},
    {"Label9", "Panel4", {16, 9, 67, 16}, "Beispiele", true},
    {"RadioButton1", "Panel4", {16, 40, 121, 17}, "Punktquelle zentral", true},
    {"RadioButton2", "Panel4", {16, 72, 113, 17}, "Punktquelle Ecke", true},
    {"RadioButton3", "Panel4", {16, 104, 137, 17}, "Zwei Punktquellen eng", true},
    {"RadioButton4", "Panel4", {16, 136, 145, 17}, "Zwei Punktquellen weit", true},
    {"RadioButton5", "Panel4", {16, 168, 145, 17}, "eingespannte Membrane", true},
    {"RadioButton9", "Panel4", {16, 200, 113, 17}, "lose Membrane", true},
    {"RadioButton10", "Panel4", {16, 232, 113, 17}, "gerade Wellenfront", true},
    {"Image2", "Panel5", {40, 72, 725, 539}, nullptr, true},
    {"Button6", "Panel5", {312, 656, 193, 33}, "Infobox schließen", true},
};

QString CaptionOf(const QWidget* widget) {
    if (const auto* label = qobject_cast<const QLabel*>(widget)) return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) return button->text();
    if (const auto* edit = qobject_cast<const QLineEdit*>(widget)) return edit->text();
    return {};
}

class Layout : public testing::Test {
  protected:
    std::unique_ptr<TForm1> Form = std::make_unique<TForm1>();
};

TEST_F(Layout, EveryControlHasItsParentPlaceCaptionAndVisibility) {
    EXPECT_EQ(Form->windowTitle(), "Wogenfeld");
    EXPECT_EQ(Form->geometry(), QRect(179, 409, 1202, 961)) << "bounds when not maximised";
    for (const TPlace& place : Places) {
        SCOPED_TRACE(place.Name);
        const auto* widget = Form->findChild<QWidget*>(place.Name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->parentWidget()->objectName(), place.Parent);
        EXPECT_EQ(widget->geometry(), place.Bounds);
        if (place.Caption) {
            EXPECT_EQ(CaptionOf(widget), QString::fromUtf8(place.Caption));
        }
        EXPECT_EQ(!widget->isHidden(), place.Visible);
    }
}

TEST_F(Layout, ScrollBarsHaveTheirRangesStartsAndUnitSteps) {
    struct TRange {
        QScrollBar* Bar;
        int Min, Max, Start;
        Qt::Orientation Orientation;
    };
    for (const TRange& r : {TRange{Form->ScrollBar1, 0, 1505, 800, Qt::Horizontal},
                            TRange{Form->ScrollBar6, 0, 100, 40, Qt::Horizontal},
                            TRange{Form->ScrollBar5, 0, 1500, 100, Qt::Horizontal},
                            TRange{Form->ScrollBar2, -180, 180, 60, Qt::Vertical},
                            TRange{Form->ScrollBar3, -180, 180, 0, Qt::Vertical},
                            TRange{Form->ScrollBar4, -180, 180, 0, Qt::Vertical},
                            TRange{Form->ScrollBar7, 5, 30, 11, Qt::Vertical}}) {
        SCOPED_TRACE(r.Bar->objectName().toStdString());
        EXPECT_EQ(r.Bar->minimum(), r.Min);
        EXPECT_EQ(r.Bar->maximum(), r.Max);
        EXPECT_EQ(r.Bar->value(), r.Start);
        EXPECT_EQ(r.Bar->orientation(), r.Orientation);
        EXPECT_EQ(r.Bar->singleStep(), 1);
        EXPECT_EQ(r.Bar->pageStep(), 1);
    }
}

// The run loop, the view reset and the renderer's options take the sliders
// from the control table, the window from its form: the two must agree.
TEST_F(Layout, FormAgreesWithTheControlTable) {
    for (const TSliderRow& row : Sliders) {
        SCOPED_TRACE(row.Name);
        const auto* bar = Form->findChild<QScrollBar*>(QString::fromLatin1(row.Name));
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(bar->minimum(), row.Minimum);
        EXPECT_EQ(bar->maximum(), row.Maximum);
        EXPECT_EQ(bar->value(), row.Start);
        EXPECT_EQ(bar->singleStep(), row.SingleStep);
        EXPECT_EQ(bar->pageStep(), row.PageStep);
    }
}

TEST_F(Layout, CheckStatesAtStartAreThoseOfTheFirstExample) {
    EXPECT_FALSE(Form->CheckBox1->isChecked());
    EXPECT_TRUE(Form->CheckBox2->isChecked());
    EXPECT_TRUE(Form->CheckBox3->isChecked());
    EXPECT_FALSE(Form->CheckBox4->isChecked());
    EXPECT_TRUE(Form->RadioButton6->isChecked());
    EXPECT_TRUE(Form->RadioButton1->isChecked());
    EXPECT_EQ(Form->CheckBox3->layoutDirection(), Qt::RightToLeft) << "caption left of the box";
    EXPECT_EQ(Form->CheckBox4->layoutDirection(), Qt::RightToLeft);
}

// Whether the widget, as drawn, shows pixels of the text colour: white text on
// the grey panels, black text on the light buttons and fields.
bool ShowsTextIn(QWidget* widget, const QColor& text) {
    const QImage drawn = widget->grab().toImage();
    for (int y = 0; y < drawn.height(); ++y) {
        for (int x = 0; x < drawn.width(); ++x) {
            const int lightness = drawn.pixelColor(x, y).lightness();
            if (text == Qt::white ? lightness > 230 : lightness < 30) return true;
        }
    }
    return false;
}

TEST_F(Layout, FontsAndColours) {
    struct TLook {
        QWidget* Widget;
        int PixelSize;
        bool Bold;
        QColor Text;
    };
    Form->show();
    const QColor white(Qt::white);
    const QColor black(Qt::black);
    for (const TLook& look :
         {TLook{Form->Label1, 13, true, white}, TLook{Form->CheckBox1, 13, true, white},
          TLook{Form->Button1, 13, true, black}, TLook{Form->Edit5, 11, false, black},
          TLook{Form->RadioButton7, 11, false, white}, TLook{Form->Label4, 13, true, white},
          TLook{Form->Label6, 13, true, white}, TLook{Form->Button7, 11, true, black},
          TLook{Form->CheckBox3, 16, true, white}, TLook{Form->Edit1, 11, true, black},
          TLook{Form->RadioButton5, 11, false, white}, TLook{Form->Label9, 13, true, white},
          TLook{Form->Button6, 13, true, black}}) {
        SCOPED_TRACE(look.Widget->objectName().toStdString());
        look.Widget->ensurePolished();
        EXPECT_EQ(look.Widget->font().pixelSize(), look.PixelSize);
        EXPECT_EQ(look.Widget->font().bold(), look.Bold);
        EXPECT_TRUE(ShowsTextIn(look.Widget, look.Text));
        // What the caption is drawn in once shown: a style-sheeted control
        // inherits no palette, and a grab paints it on its own background.
        EXPECT_EQ(
            look.Widget->palette().color(QPalette::Active, look.Widget->foregroundRole()).name(),
            look.Text.name());
    }
    EXPECT_EQ(Form->palette().color(QPalette::Window), QColor(0x59, 0x59, 0x59));
    for (QFrame* panel : {Form->Panel1, Form->Panel2, Form->Panel3, Form->Panel4, Form->Panel5}) {
        EXPECT_EQ(panel->palette().color(QPalette::Window), QColor(0x4E, 0x4E, 0x4E));
        EXPECT_TRUE(panel->autoFillBackground());
        EXPECT_EQ(panel->frameShadow(), QFrame::Raised);
    }
}

TEST_F(Layout, TabOrderFollowsEachParentAndStopsOnlyAtCheckedRadioButtons) {
    const QStringList expected = {
        "ScrollBar1", "ScrollBar5", "ScrollBar6", "Edit5",   "Edit6",        "Edit7",
        "Button1",    "Button4",    "Button2",    "Button3", "RadioButton6", "CheckBox1",
        "ScrollBar2", "ScrollBar3", "ScrollBar4", "Button7", "RadioButton1", "ScrollBar7",
        "CheckBox3",  "CheckBox4",  "Edit1",      "Edit2",   "CheckBox2"};
    Form->show();
    // Asked of the platform, as Qt 6.5 and later want; the activation comes back as an event.
    Form->activateWindow();
    QApplication::processEvents();
    Form->ScrollBar1->setFocus();
    QStringList visited;
    for (int k = 0; k < expected.size(); ++k) {
        QWidget* focused = QApplication::focusWidget();
        ASSERT_NE(focused, nullptr) << visited.join(' ').toStdString();
        visited << focused->objectName();
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QApplication::sendEvent(focused, &tab);
    }
    EXPECT_EQ(visited, expected);
}

// The screens: 1920 x 1080, 1366 x 768, 1024 x 768, and one whose free area
// starts below a 30-pixel panel. The frame: 1202 x 961 pixels of window in a
// 1-pixel border with a 20-pixel title bar and a 5-pixel bottom edge, 1204 x 986.
TEST(RestoredPlace, StaysWhereItFitsElseMovesUpAndLeftJustEnough) {
    const QSize frame(1204, 986);
    // 179 + 1204 = 1383 and 409 + 986 = 1395: too low for 1080 lines, by 315.
    EXPECT_EQ(FramePlaceOnScreen({{179, 409}, frame}, {0, 0, 1920, 1080}), QPoint(179, 94));
    // On 2560 x 1440 it fits where it is.
    EXPECT_EQ(FramePlaceOnScreen({{179, 409}, frame}, {0, 0, 2560, 1440}), QPoint(179, 409));
    // 1383 - 1366 = 17 to the left; taller than the screen: the top stays on it.
    EXPECT_EQ(FramePlaceOnScreen({{179, 409}, frame}, {0, 0, 1366, 768}), QPoint(162, 0));
    EXPECT_EQ(FramePlaceOnScreen({{179, 409}, frame}, {0, 0, 1024, 768}), QPoint(0, 0));
    // Below a panel: up to 1080 - 986 = 94 still clears it; on 768 lines the top meets it.
    EXPECT_EQ(FramePlaceOnScreen({{179, 409}, frame}, {0, 30, 1920, 1050}), QPoint(179, 94));
    EXPECT_EQ(FramePlaceOnScreen({{179, 409}, frame}, {0, 30, 1366, 738}), QPoint(162, 30));
    // A second screen to the right, at x 1920: a frame there is judged by that screen.
    EXPECT_EQ(FramePlaceOnScreen({{2099, 409}, frame}, {1920, 0, 1920, 1080}), QPoint(2099, 94));
    // A frame that hangs off the top left is brought onto the area.
    EXPECT_EQ(FramePlaceOnScreen({{-50, -20}, frame}, {0, 0, 1920, 1080}), QPoint(0, 0));
}

} // namespace

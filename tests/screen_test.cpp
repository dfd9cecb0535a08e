// SPDX-License-Identifier: GPL-3.0-or-later
// The window as a user sees it: on a real X screen with a window manager,
// driven by real mouse and key events, judged by the screen's own pixels.
#include "ScreenTesting.h"
#include "WindowTesting.h"
#include "ui/MeasureWindow.h"
#include "ui/Measuring.h"
#include "ui/ShowMainWindow.h"
#include "view/View.h"

#include <QApplication>
#include <QCheckBox>
#include <QMenu>
#include <QProcess>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <memory>

namespace {

// The bound of every wait for the window, the window manager or the screen,
// in milliseconds: generous, as the machine may be shared by many programs.
constexpr int Patience = 30000;
// The bound of the wait for the window to come up, the slowest step.
constexpr int StartPatience = 90000;

// Waits until the condition holds or the patience runs out; the caller
// judges what it finds then.
void AwaitAtMost(const std::function<bool()>& condition) {
    static_cast<void>(QTest::qWaitFor(condition, Patience));
}

// Grabs the screen until ok says yes about it, or the patience runs out;
// the last picture either way.
QImage ScreenWhen(const std::function<bool(const QImage&)>& ok) {
    QImage shot;
    AwaitAtMost([&] {
        shot = GrabScreen();
        return ok(shot);
    });
    return shot;
}

// Text pixels in an area: white strokes on the grey panels, black strokes on
// the light buttons and fields. White text anti-aliased onto #4E4E4E never
// goes below 78, black text onto it never above 78.
struct TInk {
    int Light = 0; // all three channels at least 200
    int Dark = 0;  // all three channels at most 60
};

TInk InkIn(const QImage& shot, const QRect& wanted) {
    TInk ink;
    const QRect area = wanted & shot.rect(); // what of it is on the screen
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb pixel = shot.pixel(x, y);
            const int low = std::min({qRed(pixel), qGreen(pixel), qBlue(pixel)});
            const int high = std::max({qRed(pixel), qGreen(pixel), qBlue(pixel)});
            ink.Light += low >= 200;
            ink.Dark += high <= 60;
        }
    }
    return ink;
}

// Where a control's caption is drawn: beside the box of a check or radio
// button, inside the bevel of a push button or field, the whole of a label.
QRect CaptionArea(const QWidget* control) {
    const QRect onScreen = ScreenRect(control);
    const auto* button = qobject_cast<const QAbstractButton*>(control);
    const bool check = qobject_cast<const QCheckBox*>(control);
    const bool radio = qobject_cast<const QRadioButton*>(control);
    if (button && (check || radio)) {
        QStyleOptionButton option;
        option.initFrom(control);
        option.text = button->text();
        const QRect contents = control->style()->subElementRect(
            check ? QStyle::SE_CheckBoxContents : QStyle::SE_RadioButtonContents, &option, control);
        return contents.translated(onScreen.topLeft());
    }
    if (button || qobject_cast<const QLineEdit*>(control)) return onScreen.adjusted(3, 3, -3, -3);
    return onScreen;
}

bool ShowsWhiteCaption(const QImage& shot, const QWidget* control) {
    const TInk ink = InkIn(shot, CaptionArea(control));
    return ink.Light >= 3 && ink.Dark == 0;
}

bool ShowsBlackCaption(const QImage& shot, const QWidget* control) {
    return InkIn(shot, CaptionArea(control)).Dark >= 3;
}

std::string InkReport(const QImage& shot, const QWidget* control) {
    const TInk ink = InkIn(shot, CaptionArea(control));
    return control->objectName().toStdString() + ": " + std::to_string(ink.Light) + " white and " +
           std::to_string(ink.Dark) + " black pixels";
}

// Pixels of area that differ at all between two pictures.
int Differing(const QImage& one, const QImage& other, const QRect& area) {
    int differing = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            differing += one.pixel(x, y) != other.pixel(x, y);
    }
    return differing;
}

// Pixels of area that differ between two pictures by at least 40 in a channel:
// a change anyone can see.
int VisiblyChanged(const QImage& before, const QImage& after, const QRect& area) {
    int changed = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb a = before.pixel(x, y);
            const QRgb b = after.pixel(x, y);
            changed += std::abs(qRed(a) - qRed(b)) >= 40 || std::abs(qGreen(a) - qGreen(b)) >= 40 ||
                       std::abs(qBlue(a) - qBlue(b)) >= 40;
        }
    }
    return changed;
}

// Where the window stands and what the window manager made of it.
std::string WindowReport(const TForm1& form) {
    const QRect frame = form.frameGeometry();
    const QRect free = form.screen()->availableGeometry();
    return QStringLiteral("maximised %1, active %2, frame drawn %3, frame %4,%5 %6 x %7 "
                          "on a free area %8,%9 %10 x %11, X states %12")
        .arg(form.isMaximized())
        .arg(form.isActiveWindow())
        .arg(form.PaintBox1->Frame() != nullptr)
        .arg(frame.x())
        .arg(frame.y())
        .arg(frame.width())
        .arg(frame.height())
        .arg(free.x())
        .arg(free.y())
        .arg(free.width())
        .arg(free.height())
        .arg(WindowStates(&form).join(' '))
        .toStdString();
}

// Maximised by the window manager over the whole free screen, active,
// and its first pass drawn.
bool Settled(const TForm1& form) {
    return form.isMaximized() && form.isActiveWindow() && form.PaintBox1->Frame() &&
           form.frameGeometry() == form.screen()->availableGeometry();
}

class Screen : public testing::Test {
  protected:
    void SetUp() override {
        if (!NoScreenReason().isEmpty()) GTEST_SKIP() << NoScreenReason().toStdString();
        // The pointer away from every control, so that none starts hovered.
        MovePointerTo(QGuiApplication::primaryScreen()->geometry().bottomRight());
        // As the program starts it.
        Form = std::make_unique<TForm1>();
        ShowMainWindow(*Form);
        ASSERT_TRUE(QTest::qWaitFor([this] { return Settled(*Form); }, StartPatience))
            << "the window did not come up maximised and active with its first frame: "
            << WindowReport(*Form);
    }

    QPoint Centre(const QWidget* control) const { return ScreenRect(control).center(); }

    // The bar's value once the input has moved it (or the patience has run out).
    int ValueAfter(const QScrollBar* bar, const std::function<void()>& input) {
        const int before = bar->value();
        input();
        AwaitAtMost([&] { return bar->value() != before; });
        return bar->value();
    }

    // "Anregung" on, a fresh run on the resting net of at least 300 passes,
    // then "Pause"; the passes of the run.
    long RunDrivenThenPause() {
        ClickAt(Centre(Form->CheckBox1));
        EXPECT_TRUE(QTest::qWaitFor([this] { return Form->CheckBox1->isChecked(); }, Patience));
        const TNet& net = Form->Loop().Net();
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return !Form->Loop().RestartPending() && PassesOfRun(net) >= 300; }, Patience));
        ClickAt(Centre(Form->Button4));
        EXPECT_TRUE(QTest::qWaitFor([this] { return Form->Loop().PauseFlag; }, Patience));
        return PassesOfRun(net);
    }

    // The frame wogenfeld-render draws with these arguments.
    static QImage RenderedFrame(QStringList arguments) {
        QTemporaryDir folder;
        EXPECT_TRUE(folder.isValid());
        const QString path = folder.filePath("rendered.png");
        arguments << "--out" << path << "--quiet";
        QProcess render;
        render.start(QStringLiteral(WOGENFELD_RENDER_TOOL), arguments);
        EXPECT_TRUE(render.waitForFinished(120000));
        EXPECT_EQ(render.exitCode(), 0) << render.readAllStandardError().toStdString();
        const QImage frame = QImage(path).convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(frame.size(), QSize(800, 600));
        return frame;
    }

    // The drawing area on the screen shows `expected`, pixel for pixel; if not,
    // both pictures are kept, named after `when`.
    void ExpectScreenShows(const QImage& expected, const QString& when) {
        const QRect area = ScreenRect(Form->PaintBox1);
        const QImage shown =
            ScreenWhen([&](const QImage& s) { return s.copy(area) == expected; }).copy(area);
        const int differing = Differing(shown, expected, expected.rect());
        EXPECT_EQ(differing, 0)
            << "pixels of the drawing area that differ from wogenfeld-render's frame: "
            << when.toStdString();
        if (differing > 0) {
            const QString name = QString(when).replace(' ', '-');
            shown.save(QStringLiteral("frame-on-screen-%1.png").arg(name));
            expected.save(QStringLiteral("frame-rendered-%1.png").arg(name));
        }
    }

    std::unique_ptr<TForm1> Form;
};

TEST_F(Screen, OpensMaximisedTitledWogenfeldInItsColours) {
    EXPECT_EQ(WindowName(Form.get()), "Wogenfeld");
    const QStringList states = WindowStates(Form.get());
    EXPECT_TRUE(states.contains("_NET_WM_STATE_MAXIMIZED_VERT")) << states.join(' ').toStdString();
    EXPECT_TRUE(states.contains("_NET_WM_STATE_MAXIMIZED_HORZ")) << states.join(' ').toStdString();

    // Spots that no control covers: the window's grey #595959 reaches the
    // screen's far corner, each panel shows its grey #4E4E4E.
    struct TSpot {
        const char* Where;
        QPoint At;
        QColor Colour;
    };
    const QColor window(0x59, 0x59, 0x59);
    const QColor panel(0x4E, 0x4E, 0x4E);
    const QRect screen = Form->screen()->geometry();
    const TSpot spots[] = {
        {"the screen's bottom right corner", screen.bottomRight() - QPoint(1, 1), window},
        {"right of the panels", Form->mapToGlobal(QPoint(1100, 300)), window},
        {"Panel2, between the fields and Panel1", Form->Panel2->mapToGlobal(QPoint(400, 64)),
         panel},
        {"Panel1, right of \"Begrenzung\"", Form->Panel1->mapToGlobal(QPoint(140, 20)), panel},
        {"Panel3, right of \"Kreuzgitter\"", Form->Panel3->mapToGlobal(QPoint(180, 300)), panel},
        {"Panel4, right of \"Beispiele\"", Form->Panel4->mapToGlobal(QPoint(180, 20)), panel},
    };
    const QImage shot = ScreenWhen([&](const QImage& s) {
        return std::all_of(std::begin(spots), std::end(spots),
                           [&](const TSpot& spot) { return s.pixelColor(spot.At) == spot.Colour; });
    });
    for (const TSpot& spot : spots) {
        EXPECT_EQ(shot.pixelColor(spot.At).name(), spot.Colour.name()) << spot.Where;
    }
}

// openbox takes the window manager's selection first and runs its event loop
// only when the rest of its start is done, seconds later on a busy machine;
// the map request of a window shown in between was lost, and the window
// stayed unmanaged. The screen counts as managed once the loop runs: the
// window shown then, while openbox is held up, still comes up.
TEST(ScreenStart, ComesUpMaximisedAndActiveThoughTheWindowManagerIsHeldUp) {
    if (!NoScreenReason().isEmpty()) GTEST_SKIP() << NoScreenReason().toStdString();
    const QString error = RestartWindowManager();
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    const pid_t manager = WindowManagerProcess();
    ASSERT_EQ(kill(manager, SIGSTOP), 0);
    TForm1 form;
    ShowMainWindow(form);
    // A drawn pass: the window's map request went out before it.
    const bool drawn =
        QTest::qWaitFor([&] { return form.PaintBox1->Frame() != nullptr; }, Patience);
    kill(manager, SIGCONT);
    ASSERT_TRUE(drawn) << WindowReport(form);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Settled(form); }, StartPatience))
        << "the window did not come up maximised and active: " << WindowReport(form);
}

TEST_F(Screen, CaptionsAreWhiteOnThePanelsAndBlackOnButtonsAndFields) {
    const std::vector<QWidget*> white = {
        Form->Label1,       Form->Label3,       Form->Label2,       Form->CheckBox1,
        Form->Label4,       Form->RadioButton6, Form->RadioButton7, Form->RadioButton8,
        Form->Label11,      Form->Label6,       Form->Label5,       Form->CheckBox2,
        Form->Label7,       Form->Label10,      Form->Label8,       Form->CheckBox3,
        Form->CheckBox4,    Form->Label9,       Form->RadioButton1, Form->RadioButton2,
        Form->RadioButton3, Form->RadioButton4, Form->RadioButton5, Form->RadioButton9,
        Form->RadioButton10};
    const std::vector<QWidget*> black = {Form->Button1, Form->Button4, Form->Button2, Form->Button3,
                                         Form->Button7, Form->Edit5,   Form->Edit7,   Form->Edit6,
                                         Form->Edit1,   Form->Edit2};
    const QImage shot = ScreenWhen([&](const QImage& s) {
        return std::all_of(white.begin(), white.end(),
                           [&](QWidget* w) { return ShowsWhiteCaption(s, w); }) &&
               std::all_of(black.begin(), black.end(),
                           [&](QWidget* w) { return ShowsBlackCaption(s, w); });
    });
    for (QWidget* control : white)
        EXPECT_TRUE(ShowsWhiteCaption(shot, control)) << InkReport(shot, control);
    for (QWidget* control : black)
        EXPECT_TRUE(ShowsBlackCaption(shot, control)) << InkReport(shot, control);

    // The captions hidden at start: "Weiter" after "Pause", "Infobox schließen" after "Info".
    ClickAt(Centre(Form->Button4));
    ASSERT_TRUE(QTest::qWaitFor([this] { return Form->Button5->isVisible(); }, Patience));
    const QImage paused =
        ScreenWhen([&](const QImage& s) { return ShowsBlackCaption(s, Form->Button5); });
    EXPECT_TRUE(ShowsBlackCaption(paused, Form->Button5)) << InkReport(paused, Form->Button5);
    ClickAt(Centre(Form->Button2));
    ASSERT_TRUE(QTest::qWaitFor([this] { return Form->Panel5->isVisible(); }, Patience));
    const QImage info =
        ScreenWhen([&](const QImage& s) { return ShowsBlackCaption(s, Form->Button6); });
    EXPECT_TRUE(ShowsBlackCaption(info, Form->Button6)) << InkReport(info, Form->Button6);
}

TEST_F(Screen, KeysMoveEachBarAsItsArrowsDo) {
    for (QScrollBar* bar : {Form->ScrollBar1, Form->ScrollBar6, Form->ScrollBar5, Form->ScrollBar2,
                            Form->ScrollBar3, Form->ScrollBar4, Form->ScrollBar7}) {
        SCOPED_TRACE(bar->objectName().toStdString());
        const bool horizontal = bar->orientation() == Qt::Horizontal;
        // The arrow buttons are at the bar's ends: aim 3 pixels in, across its middle.
        const QRect r = ScreenRect(bar);
        const QPoint upArrow = horizontal ? QPoint(r.right() - 3, r.center().y())
                                          : QPoint(r.center().x(), r.bottom() - 3);
        const QPoint downArrow =
            horizontal ? QPoint(r.left() + 3, r.center().y()) : QPoint(r.center().x(), r.top() + 3);
        // The keys that point the way of each arrow.
        const char* upKey = horizontal ? "Right" : "Down";
        const char* downKey = horizontal ? "Left" : "Up";
        const int start = bar->value();

        EXPECT_EQ(ValueAfter(bar, [&] { ClickAt(upArrow); }), start + 1)
            << "its right or lower arrow";
        ASSERT_TRUE(QTest::qWaitFor([&] { return bar->hasFocus(); }, Patience))
            << "a click gives a bar the keyboard focus";
        EXPECT_EQ(ValueAfter(bar, [&] { PressKey(upKey); }), start + 2) << upKey;
        EXPECT_EQ(ValueAfter(bar, [&] { PressKey(downKey); }), start + 1) << downKey;
        EXPECT_EQ(ValueAfter(bar, [&] { ClickAt(downArrow); }), start) << "its left or upper arrow";
    }
}

TEST_F(Screen, FocusedScrollBarIsVisiblyMarked) {
    // The focus in a field, away from every bar; the bars as they look unfocused.
    ClickAt(Centre(Form->Edit1));
    ASSERT_TRUE(QTest::qWaitFor([this] { return Form->Edit1->hasFocus(); }, Patience));
    const QImage unfocused = GrabScreen();

    // Tab through all the stops, as a keyboard user does.
    QStringList marked;
    QWidget* focused = Form->Edit1;
    for (int tab = 0; tab < 24; ++tab) {
        QWidget* left = focused;
        PressKey("Tab");
        ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() != left; }, Patience));
        focused = QApplication::focusWidget();
        if (auto* bar = qobject_cast<QScrollBar*>(left)) {
            const QRect area = ScreenRect(bar);
            const QImage after =
                ScreenWhen([&](const QImage& s) { return Differing(unfocused, s, area) == 0; });
            EXPECT_EQ(Differing(unfocused, after, area), 0)
                << bar->objectName().toStdString() << " keeps a mark after losing the focus";
        }
        auto* bar = qobject_cast<QScrollBar*>(focused);
        if (!bar) continue;
        // A line of changed pixels at least as long as the bar.
        const QRect area = ScreenRect(bar);
        const int needed = std::max(area.width(), area.height());
        const QImage shot = ScreenWhen(
            [&](const QImage& s) { return VisiblyChanged(unfocused, s, area) >= needed; });
        const int changed = VisiblyChanged(unfocused, shot, area);
        EXPECT_GE(changed, needed) << bar->objectName().toStdString() << " shows no focus";
        marked << bar->objectName();
    }
    EXPECT_EQ(marked.size(), 7) << marked.join(' ').toStdString();
}

TEST_F(Screen, PauseFreezesTheFrameTheRenderToolDraws) {
    const long passes = RunDrivenThenPause();
    ExpectScreenShows(RenderedFrame({"--iterations", QString::number(passes)}), "pause");
    EXPECT_EQ(PassesOfRun(Form->Loop().Net()), passes) << "no pass while paused";
}

// Of a new frame only the part that changed reaches the screen; whatever
// else shows the drawing area again must show the whole last frame.
TEST_F(Screen, ThePausedFrameStaysWholeThroughATurnTheInfoPageAndMinimising) {
    const long passes = RunDrivenThenPause();
    // The lower arrow of the first "Drehen" bar: one degree more about x,
    // the old mesh and the new one both in the picture's changed part.
    const QRect bar = ScreenRect(Form->ScrollBar2);
    const int turned = ValueAfter(Form->ScrollBar2, [&] {
        ClickAt({bar.center().x(), bar.bottom() - 3});
    });
    ASSERT_EQ(turned, 61);
    const QImage expected = RenderedFrame(
        {"--iterations", QString::number(passes), "--rotate-x", QString::number(turned)});
    ExpectScreenShows(expected, "turned while paused");

    ClickAt(Centre(Form->Button2)); // "Info", over the drawing area
    ASSERT_TRUE(QTest::qWaitFor([this] { return Form->Panel5->isVisible(); }, Patience));
    ClickAt(Centre(Form->Button6)); // "Infobox schließen"
    ASSERT_TRUE(QTest::qWaitFor([this] { return !Form->Panel5->isVisible(); }, Patience));
    ExpectScreenShows(expected, "the info page closed");

    MinimiseWindow(Form.get());
    ASSERT_TRUE(QTest::qWaitFor([this] { return Form->isMinimized(); }, Patience));
    ActivateWindow(Form.get());
    ASSERT_TRUE(QTest::qWaitFor([this] { return Settled(*Form); }, Patience))
        << WindowReport(*Form);
    ExpectScreenShows(expected, "restored from minimised");
    EXPECT_EQ(PassesOfRun(Form->Loop().Net()), passes) << "no pass while paused";
}

// Where the restored window's frame must stand on each screen: the place of
// the window description (179, 409) where the frame fits, else moved up or
// left just enough, and never beyond the screen's top left corner. The
// client area keeps its 1202 x 961 pixels; frame is the size with the window
// manager's decoration (with openbox's usual one 1204 x 986).
QPoint ExpectedRestoredPlace(QSize screen, QSize frame) {
    if (screen == QSize(1920, 1080)) {
        // 179 + 1204 = 1383 <= 1920 fits; 409 + 986 = 1395 > 1080: up to 1080 - 986 = 94.
        return {179, 1080 - frame.height()};
    }
    if (screen == QSize(1366, 768)) {
        // 1383 > 1366: left to 1366 - 1204 = 162; 986 > 768: up to the top.
        return {1366 - frame.width(), 0};
    }
    if (screen == QSize(1024, 768)) return {0, 0}; // wider and taller than the screen
    ADD_FAILURE() << "no expectation for a screen of " << screen.width() << " x "
                  << screen.height();
    return {};
}

TEST_F(Screen, RestoredWindowStaysOnTheScreen) {
    // A double click on the title bar, as a user restores a maximised window.
    const QRect maximised = Form->frameGeometry();
    DoubleClickAt({maximised.center().x(), (maximised.top() + Form->geometry().top()) / 2});
    const QSize screen = Form->screen()->geometry().size();
    const auto restored = [&] {
        return !Form->isMaximized() && Form->size() == QSize(1202, 961) &&
               Form->frameGeometry().topLeft() ==
                   ExpectedRestoredPlace(screen, Form->frameGeometry().size());
    };
    AwaitAtMost(restored);
    EXPECT_FALSE(WindowStates(Form.get()).contains("_NET_WM_STATE_MAXIMIZED_VERT"));
    EXPECT_EQ(Form->size(), QSize(1202, 961));
    const QRect frame = Form->frameGeometry();
    EXPECT_EQ(frame.topLeft(), ExpectedRestoredPlace(screen, frame.size()))
        << "frame " << frame.width() << " x " << frame.height();

    if (screen == QSize(1920, 1080)) {
        // The whole window on the screen, down to "Ende", which shows there.
        EXPECT_TRUE(Form->screen()->availableGeometry().contains(frame));
        const QImage shot =
            ScreenWhen([&](const QImage& s) { return ShowsBlackCaption(s, Form->Button3); });
        EXPECT_TRUE(ShowsBlackCaption(shot, Form->Button3)) << InkReport(shot, Form->Button3);
    }
}

TEST_F(Screen, ARightClickOnTheMiddleNodeSetsAProbeThereAndF2OpensMessungBesideThePanels) {
    const TNet& net = Form->Loop().Net();
    const TScreenPoint middle = Form->Loop().View().ScreenPoints(36 + net.Margin, 36 + net.Margin);
    const QPoint node = Form->PaintBox1->mapToGlobal(QPoint(middle.X, middle.Y));
    RightClickAt(node);
    QMenu* menu = nullptr;
    AwaitAtMost([&] {
        return (menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) != nullptr;
    });
    ASSERT_NE(menu, nullptr) << "no context menu on the drawing area";
    QAction* set = menu->actions().value(0);
    ASSERT_NE(set, nullptr);
    EXPECT_EQ(set->text(), QStringLiteral("Messsonde hier setzen"));
    ClickAt(menu->mapToGlobal(menu->actionGeometry(set).center()));
    const TMeasuring& measuring = Form->Measuring();
    AwaitAtMost([&] { return measuring.Probes()[0].has_value(); });
    ASSERT_TRUE(measuring.Probes()[0].has_value());
    EXPECT_EQ(measuring.Probes()[0]->X, 36);
    EXPECT_EQ(measuring.Probes()[0]->Y, 36);
    // The first probe's marker, in its red, over the node on the screen.
    const QColor red(192, 57, 43);
    const QImage shot = ScreenWhen([&](const QImage& s) { return s.pixelColor(node) == red; });
    EXPECT_EQ(shot.pixelColor(node).name(), red.name());

    // The screen has 907 free pixels right of the panels (1920 - 1013).
    PressKey("F2");
    AwaitAtMost([&] { return measuring.Window() && measuring.Window()->isVisible(); });
    ASSERT_TRUE(measuring.Window() && measuring.Window()->isVisible());
    EXPECT_EQ(measuring.Window()->windowTitle(), QStringLiteral("Messung"));
    EXPECT_GE(measuring.Window()->frameGeometry().left(), ScreenRect(Form->Panel3).right());
}

} // namespace

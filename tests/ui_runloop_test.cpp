// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowTesting.h"

#include "ui/ShowMainWindow.h"

#include <gtest/gtest.h>

namespace {

TEST(StartUp, FirstShowPerformsNullOnceAndTheFirstPassShowsTheNetAtRest) {
    auto form = std::make_unique<TForm1>();
    EXPECT_FALSE(form->Loop().Running());
    EXPECT_FALSE(form->LoopScheduled());
    EXPECT_EQ(form->Loop().Net().GridSize, 91);
    EXPECT_EQ(form->Loop().Net().Omega, 8.0L);

    form->show();
    DeliverPosted();
    ASSERT_TRUE(form->Loop().RestartPending());
    Fire(*form);
    const TNet& net = form->Loop().Net();
    EXPECT_TRUE(form->Loop().Running());
    EXPECT_EQ(PassesOfRun(net), 1);
    EXPECT_EQ(net.Nodes(11, 11).X, -280) << "Null rested the net";
    EXPECT_EQ(net.Nodes(46, 46).Z, 0);
    EXPECT_EQ(net.Source1X, 46);

    Fire(*form, 5);
    form->activateWindow();
    QEvent activation(QEvent::ActivationChange);
    QApplication::sendEvent(form.get(), &activation);
    DeliverPosted();
    EXPECT_FALSE(form->Loop().RestartPending()) << "activation starts the first run only";
    EXPECT_EQ(PassesOfRun(net), 6);
}

TEST(StartUp, TheWindowOpensMaximisedAndStartsItsFirstRun) {
    TForm1 form;
    ShowMainWindow(form);
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(form.isMaximized());
    EXPECT_EQ(form.windowTitle(), "Wogenfeld");
    DeliverPosted();
    EXPECT_TRUE(form.Loop().RestartPending()) << "the first Null";
}

TEST(RunLoop, PauseAndWeiterSwapOnOneSpotAndHoldTheLoop) {
    auto form = StartedForm();
    Fire(*form, 3);
    form->Button4->click();
    EXPECT_TRUE(form->Loop().PauseFlag);
    EXPECT_TRUE(form->Button4->isHidden());
    EXPECT_FALSE(form->Button5->isHidden());
    EXPECT_FALSE(form->LoopScheduled());
    Fire(*form, 2);
    EXPECT_EQ(PassesOfRun(form->Loop().Net()), 3) << "no pass while paused";

    form->Button5->click();
    EXPECT_FALSE(form->Loop().PauseFlag);
    EXPECT_FALSE(form->Button4->isHidden());
    EXPECT_TRUE(form->Button5->isHidden());
    EXPECT_TRUE(form->LoopScheduled());
    Fire(*form);
    EXPECT_EQ(PassesOfRun(form->Loop().Net()), 4);
}

TEST(RunLoop, NullWhilePausedRunsAgainOnARestedNet) {
    auto form = StartedForm();
    form->CheckBox1->setChecked(true);
    Fire(*form, 50);
    form->Button4->click();
    ASSERT_NE(form->Loop().Net().Nodes(47, 46).Z, 0);

    form->Button1->click();
    EXPECT_FALSE(form->Loop().PauseFlag);
    EXPECT_FALSE(form->Button4->isHidden());
    EXPECT_EQ(form->Loop().Net().Nodes(47, 46).Z, 0) << "Null rests the net at once";
    Fire(*form);
    EXPECT_EQ(PassesOfRun(form->Loop().Net()), 1);
    EXPECT_TRUE(form->LoopScheduled());
}

TEST(RunLoop, ModeChangeWhilePausedShowsOnePassAndStaysPaused) {
    auto form = StartedForm();
    Fire(*form, 3);
    form->Button4->click();
    form->RadioButton7->setChecked(true);
    EXPECT_EQ(form->Loop().Net().GridSize, 71);
    EXPECT_TRUE(form->LoopScheduled()) << "the restart is served although paused";
    Fire(*form);
    EXPECT_EQ(PassesOfRun(form->Loop().Net()), 1);
    EXPECT_TRUE(form->Loop().PauseFlag);
    EXPECT_FALSE(form->Button5->isHidden());
    EXPECT_FALSE(form->LoopScheduled());
    Fire(*form);
    EXPECT_EQ(PassesOfRun(form->Loop().Net()), 1);
}

TEST(RunLoop, AnregungWhilePausedRestartsTheRunWithoutRestingTheNet) {
    auto form = StartedForm();
    Fire(*form, 3);
    form->Button4->click();
    form->Loop().Net().Nodes(30, 30).Z = 5;
    form->CheckBox1->setChecked(true);
    EXPECT_FALSE(form->Loop().PauseFlag);
    EXPECT_EQ(form->Loop().Net().Nodes(30, 30).Z, 5);
    Fire(*form);
    EXPECT_EQ(PassesOfRun(form->Loop().Net()), 1);
    EXPECT_NE(form->Loop().Net().Nodes(30, 30).Z, 0) << "the displaced node swings on";
    EXPECT_EQ(form->Loop().Net().Nodes(46, 46).V, -320) << "the drive sets in from rest";
}

// Source 2 switched on during a run joins the drive where it stands: after 10
// passes of dt = 1.5 * 0.0115 = 0.01725 the time is 0.1725, and the drive
// Z = -40 sin(8 t) = -40 sin(1.38) = -39.274, V = -320 cos(1.38) = -60.685.
TEST(RunLoop, SourceTwoSwitchedOnMidRunJoinsTheRunningDrive) {
    auto form = StartedForm();
    form->Edit3->setText("20");
    form->Edit4->setText("30");
    form->CheckBox1->setChecked(true); // a fresh run reads the fields
    Fire(*form, 10);
    const TNet& net = form->Loop().Net();
    ASSERT_EQ(net.Nodes(30, 40).Z, 0) << "22 nodes from source 1: not reached in 10 passes";
    form->CheckBox4->setChecked(true);
    Fire(*form);
    const Extended t = 10 * 0.01725L;
    const Extended z = -40 * std::sin(8 * t);
    const Extended v = -320 * std::cos(8 * t);
    EXPECT_NEAR(static_cast<double>(net.Nodes(30, 40).Z), -39.274, 0.001);
    EXPECT_NEAR(static_cast<double>(net.Nodes(30, 40).V), -60.685, 0.001);
    EXPECT_LE(std::fabs(net.Nodes(30, 40).Z - z), 1e-15L * std::fabs(z));
    EXPECT_LE(std::fabs(net.Nodes(30, 40).V - v), 1e-15L * std::fabs(v));
    EXPECT_EQ(PassesOfRun(net), 11) << "no restart";
}

TEST(RunLoop, SeveralRestartRequestsMakeOneFreshStart) {
    auto form = StartedForm();
    Fire(*form, 4);
    form->Button1->click();
    form->CheckBox1->setChecked(true);
    form->RadioButton8->setChecked(true);
    Fire(*form);
    EXPECT_FALSE(form->Loop().RestartPending());
    EXPECT_EQ(PassesOfRun(form->Loop().Net()), 1);
    Fire(*form);
    EXPECT_EQ(PassesOfRun(form->Loop().Net()), 2);
}

TEST(RunLoop, AlreadyCheckedModeRunsNoHandlerAnotherModeOfEqualSizeDoes) {
    auto form = StartedForm();
    form->RadioButton7->setChecked(true);
    Fire(*form, 3);
    form->Loop().Net().Nodes(30, 30).Z = 5;
    form->RadioButton7->setChecked(true);
    EXPECT_FALSE(form->Loop().RestartPending());
    EXPECT_EQ(form->Loop().Net().Nodes(30, 30).Z, 5);

    form->RadioButton8->setChecked(true);
    EXPECT_TRUE(form->Loop().RestartPending());
    EXPECT_EQ(form->Loop().Net().Nodes(30, 30).Z, 0);
}

TEST(RunLoop, EndeWhilePausedEndsTheLoopAndClosesTheWindow) {
    auto form = StartedForm();
    Fire(*form, 2);
    form->Button4->click();
    form->Button3->click();
    EXPECT_TRUE(form->Loop().EndFlag);
    EXPECT_FALSE(form->Loop().PauseFlag);
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(form->LoopScheduled());
    Fire(*form);
    EXPECT_EQ(PassesOfRun(form->Loop().Net()), 2);
}

TEST(RunLoop, CloseCommandDoesWhatEndeDoes) {
    auto form = StartedForm();
    Fire(*form, 2);
    form->Button4->click();
    EXPECT_TRUE(form->close());
    EXPECT_TRUE(form->Loop().EndFlag);
    EXPECT_FALSE(form->Loop().PauseFlag);
    EXPECT_FALSE(form->LoopScheduled());
}

TEST(BadSourceField, DuringARunTheBoxNamesTheTextAndTheOldRunGoesOn) {
    auto form = StartedForm();
    Fire(*form, 10);
    form->Edit1->setText("abc");
    form->Button1->click();
    const TSeenBox seen = CloseBoxesDuring(*form, [&] { Fire(*form); });
    EXPECT_EQ(seen.Count, 1);
    EXPECT_EQ(seen.Title, "Wogenfeld");
    EXPECT_EQ(seen.Text, "'abc' is not a valid integer value");
    EXPECT_EQ(seen.Icon, QMessageBox::Critical);
    EXPECT_FALSE(seen.LoopFiredWhileOpen);

    const TNet& net = form->Loop().Net();
    EXPECT_EQ(net.Source1X, 46) << "the old source stays";
    EXPECT_EQ(PassesOfRun(net), 1) << "time began again at 0, the run goes on";
    EXPECT_TRUE(form->LoopScheduled());

    form->Edit1->setText("20");
    form->Edit2->setText("1.5");
    form->CheckBox1->setChecked(true);
    const TSeenBox second = CloseBoxesDuring(*form, [&] { Fire(*form); });
    EXPECT_EQ(second.Text, "'1.5' is not a valid integer value");
    EXPECT_EQ(net.Source1X, 30) << "fields before the bad one are taken";
    EXPECT_EQ(net.Source1Y, 46);
}

TEST(BadSourceField, MarkupInTheFieldIsShownAsTyped) {
    auto form = StartedForm();
    Fire(*form);
    form->Edit2->setText("<b>7</b>");
    form->Button1->click();
    const TSeenBox seen = CloseBoxesDuring(*form, [&] { Fire(*form); });
    EXPECT_EQ(seen.Text, "'<b>7</b>' is not a valid integer value");
    EXPECT_EQ(seen.Format, Qt::PlainText);
}

TEST(BadSourceField, WhilePausedTheRunStaysPausedWithoutAPass) {
    auto form = StartedForm();
    Fire(*form, 4);
    form->Button4->click();
    form->Edit3->setText("");
    form->RadioButton7->setChecked(true);
    const TSeenBox seen = CloseBoxesDuring(*form, [&] { Fire(*form); });
    EXPECT_EQ(seen.Text, "'' is not a valid integer value");
    EXPECT_TRUE(form->Loop().PauseFlag);
    EXPECT_EQ(form->Loop().Net().SimTime, 0);
    EXPECT_FALSE(form->LoopScheduled());
}

TEST(BadSourceField, AtStartNothingRunsUntilAValidRestart) {
    auto form = std::make_unique<TForm1>();
    form->Edit4->setText("x");
    form->show();
    const TSeenBox seen = CloseBoxesDuring(*form, [&] {
        QCoreApplication::processEvents();
        Fire(*form);
    });
    EXPECT_EQ(seen.Text, "'x' is not a valid integer value");
    EXPECT_FALSE(form->Loop().Running());
    EXPECT_FALSE(form->LoopScheduled());

    form->Edit4->setText("-7");
    form->Button1->click();
    Fire(*form);
    EXPECT_TRUE(form->Loop().Running());
    EXPECT_EQ(form->Loop().Net().Source2Y, 3);
}

TEST(Handlers, FireOnlyWhenTheStateChanges) {
    auto form = StartedForm();
    form->Edit6->setText("typed");
    form->ScrollBar5->setValue(100);
    EXPECT_EQ(form->Edit6->text(), "typed") << "an unchanged position fires nothing";
    form->ScrollBar5->setValue(99999);
    EXPECT_EQ(form->ScrollBar5->value(), 1500);
    EXPECT_EQ(form->Edit6->text(), "1500") << "clamped, then fired";

    form->CheckBox3->setChecked(true);
    EXPECT_FALSE(form->Edit1->isHidden());
    form->CheckBox3->setChecked(false);
    EXPECT_TRUE(form->Edit1->isHidden());
    EXPECT_TRUE(form->Edit2->isHidden());

    form->Loop().PauseFlag = true;
    form->Button5->click(); // hidden, performed all the same
    EXPECT_FALSE(form->Loop().PauseFlag);
}

TEST(Handlers, ViewControlsRedrawAtOnceAlsoWhilePaused) {
    auto form = StartedForm();
    Fire(*form);
    form->Button4->click();
    const auto shown = [&form] { return form->PaintBox1->Frame()->copy(); };
    const QImage before = shown();
    form->CheckBox2->setChecked(false);
    const QImage single = shown();
    EXPECT_NE(single, before) << "cross lines gone";
    form->ScrollBar3->setValue(30);
    EXPECT_NE(shown(), single) << "turned";
    form->ScrollBar7->setValue(20);
    EXPECT_NE(shown(), single) << "zoomed";
    form->Button7->click();
    form->CheckBox2->setChecked(true);
    EXPECT_EQ(shown(), before) << "reset view, same picture";
    EXPECT_EQ(PassesOfRun(form->Loop().Net()), 1);
}

} // namespace

// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowTesting.h"

#include "ui/Examples.h"

#include <gtest/gtest.h>

namespace {

QRadioButton* ExampleButton(TForm1& form, int index) {
    QRadioButton* buttons[] = {form.RadioButton1, form.RadioButton2, form.RadioButton3,
                               form.RadioButton4, form.RadioButton5, form.RadioButton9,
                               form.RadioButton10};
    return buttons[index];
}

TEST(Examples, EachSetsItsControlsRestsTheNetAndStartsOneRun) {
    struct TExpected {
        const char* Frequency;
        int GridSize;
        int Source1X, Source1Y, Source2X, Source2Y;
    };
    const TExpected expected[] = {
        {"1.27", 91, 46, 46, 46, 46}, {"1.27", 91, 11, 11, 11, 11}, {"1.27", 91, 38, 11, 54, 11},
        {"1.27", 91, 34, 11, 58, 11}, {"0.65", 71, 36, 36, 36, 36}, {"0.80", 71, 36, 36, 36, 36},
        {"1.23", 91, 46, 46, 46, 46}};
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    QLocale::setDefault(english);
    auto form = StartedForm();
    Fire(*form, 3);
    // Start from the last example so that every one changes something.
    for (int index : {6, 0, 1, 2, 3, 4, 5, 6}) {
        SCOPED_TRACE(index);
        const TExample& example = Examples[static_cast<std::size_t>(index)];
        form->ScrollBar2->setValue(-40);
        form->ScrollBar7->setValue(25);
        form->Button4->click();
        form->Loop().Net().Nodes(40, 40).Z = 3;

        EXPECT_EQ(ExampleButton(*form, index)->text(), QString::fromUtf8(example.Caption));
        ExampleButton(*form, index)->setChecked(true);
        EXPECT_EQ(form->Edit1->text(), example.SourceTexts[0]);
        EXPECT_EQ(form->Edit4->text(), example.SourceTexts[3]);
        EXPECT_EQ(form->ScrollBar1->value(), example.Frequency);
        EXPECT_EQ(form->ScrollBar6->value(), example.Amplitude);
        EXPECT_EQ(form->ScrollBar5->value(), example.Coupling);
        EXPECT_EQ(form->Edit5->text(), expected[index].Frequency);
        EXPECT_EQ(form->Edit7->text(), QString::number(example.Amplitude));
        EXPECT_EQ(form->Edit6->text(), QString::number(example.Coupling));
        EXPECT_EQ(form->CheckBox3->isChecked(), example.Source1);
        EXPECT_EQ(form->CheckBox4->isChecked(), example.Source2);
        EXPECT_EQ(form->Edit1->isHidden(), !example.Source1);
        EXPECT_EQ(form->Edit3->isHidden(), !example.Source2);
        EXPECT_EQ(form->ReadControls().Mode, example.Mode);
        EXPECT_EQ(form->ScrollBar2->value(), 60) << "view reset";
        EXPECT_EQ(form->ScrollBar7->value(), 11);
        EXPECT_FALSE(form->Loop().PauseFlag) << "an example leaves pause";
        EXPECT_FALSE(form->Button4->isHidden());
        EXPECT_EQ(form->Loop().Net().Nodes(40, 40).Z, 0);

        Fire(*form);
        const TNet& net = form->Loop().Net();
        EXPECT_EQ(PassesOfRun(net), 1);
        EXPECT_EQ(net.GridSize, expected[index].GridSize);
        EXPECT_EQ(net.Source1X, expected[index].Source1X);
        EXPECT_EQ(net.Source1Y, expected[index].Source1Y);
        EXPECT_EQ(net.Source2X, expected[index].Source2X);
        EXPECT_EQ(net.Source2Y, expected[index].Source2Y);
        EXPECT_EQ(form->ReadControls().Excitation.Wavefront, index == 6);
    }
    QLocale::setDefault(QLocale::system());
}

TEST(Examples, ChoosingTheCheckedExampleChangesNothing) {
    auto form = StartedForm();
    Fire(*form, 3);
    form->ScrollBar2->setValue(10);
    form->RadioButton1->setChecked(true);
    EXPECT_FALSE(form->Loop().RestartPending());
    EXPECT_EQ(form->ScrollBar2->value(), 10);
}

TEST(Examples, NarrowToWideChangesOnlyTheSourceTexts) {
    auto form = StartedForm();
    form->RadioButton3->setChecked(true);
    Fire(*form, 5);
    form->Edit6->setText("typed");
    form->Edit7->setText("typed");
    form->Edit5->setText("typed");
    form->Loop().Net().Nodes(46, 60).Z = 2;
    form->RadioButton4->setChecked(true);
    EXPECT_EQ(form->Edit1->text(), "24");
    EXPECT_EQ(form->Edit3->text(), "48");
    EXPECT_EQ(form->Edit5->text(), "typed") << "no slider handler fired";
    EXPECT_EQ(form->Edit6->text(), "typed");
    EXPECT_EQ(form->Edit7->text(), "typed");
    EXPECT_TRUE(form->RadioButton6->isChecked());
    EXPECT_EQ(form->Loop().Net().Nodes(46, 60).Z, 0) << "rested by Null";
    Fire(*form);
    EXPECT_EQ(PassesOfRun(form->Loop().Net()), 1);
}

TEST(Examples, WavefrontWithSourceOneSwitchedOnDrivesBoth) {
    auto form = StartedForm();
    form->CheckBox1->setChecked(true);
    form->RadioButton10->setChecked(true);
    EXPECT_TRUE(form->Edit1->isHidden());
    EXPECT_EQ(form->Edit1->text(), "36");
    Fire(*form, 2);
    form->CheckBox3->setChecked(true);
    Fire(*form);
    const TNet& net = form->Loop().Net();
    EXPECT_EQ(net.Nodes(46, 46).Z, net.Nodes(11, 1).Z) << "source 1 and the wavefront in step";
    EXPECT_EQ(net.Nodes(46, 46).V, net.Nodes(11, 91).V);
    EXPECT_NE(net.Nodes(46, 46).Z, 0);

    form->RadioButton1->setChecked(true);
    EXPECT_FALSE(form->ReadControls().Excitation.Wavefront) << "another example ends the wavefront";
}

TEST(InfoPanel, ShowsAndHidesOverTheViewAndKeepsPanel3Usable) {
    auto form = StartedForm();
    Fire(*form);
    form->Button2->click();
    form->Button2->click();
    EXPECT_TRUE(form->Panel5->isVisible());
    EXPECT_FALSE(form->Image2->pixmap().isNull());
    EXPECT_EQ(form->Image2->pixmap().size(), QSize(725, 539));
    const QImage shown = form->grab().toImage();
    Fire(*form, 3);
    EXPECT_EQ(form->grab().toImage(), shown) << "the view does not paint over the info panel";
    form->RadioButton2->setChecked(true);
    EXPECT_EQ(form->Edit1->text(), "1");

    form->Button6->click();
    form->Button6->click();
    EXPECT_FALSE(form->Panel5->isVisible());
}

} // namespace

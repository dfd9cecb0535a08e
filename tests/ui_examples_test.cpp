// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowTesting.h"

#include "ExampleRows.h"

#include <gtest/gtest.h>

namespace {

TEST(Examples, EachSetsTheControlsOfItsRowRestsTheNetAndStartsOneRun) {
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    QLocale::setDefault(english);
    auto form = StartedForm();
    Fire(*form, 3);
    const auto radio = [&form](const char* name) { return form->findChild<QRadioButton*>(name); };
    // Start from the last example so that every one changes something.
    for (int index : {6, 0, 1, 2, 3, 4, 5, 6}) {
        const TExampleRow& row = ExampleRows[static_cast<std::size_t>(index)];
        SCOPED_TRACE(row.Caption);
        form->ScrollBar2->setValue(-40);
        form->ScrollBar3->setValue(17);
        form->ScrollBar4->setValue(-5);
        form->ScrollBar7->setValue(25);
        form->Button4->click();
        form->Loop().Net().Nodes(40, 40).Z = 3;

        QRadioButton* example = radio(row.Button);
        ASSERT_NE(example, nullptr);
        EXPECT_EQ(example->text(), QString::fromUtf8(row.Caption));
        example->setChecked(true);
        const QLineEdit* fields[] = {form->Edit1, form->Edit2, form->Edit3, form->Edit4};
        for (std::size_t k = 0; k < 4; ++k)
            EXPECT_EQ(fields[k]->text(), row.Fields[k]) << k;
        EXPECT_EQ(form->ScrollBar1->value(), row.Frequency);
        EXPECT_EQ(form->ScrollBar6->value(), row.Amplitude);
        EXPECT_EQ(form->ScrollBar5->value(), row.Coupling);
        EXPECT_EQ(form->Edit5->text(), row.FrequencyText);
        EXPECT_EQ(form->Edit7->text(), QString::number(row.Amplitude));
        EXPECT_EQ(form->Edit6->text(), QString::number(row.Coupling));
        EXPECT_EQ(form->CheckBox3->isChecked(), row.Source1);
        EXPECT_EQ(form->CheckBox4->isChecked(), row.Source2);
        EXPECT_EQ(form->Edit1->isHidden(), !row.Source1);
        EXPECT_EQ(form->Edit2->isHidden(), !row.Source1);
        EXPECT_EQ(form->Edit3->isHidden(), !row.Source2);
        EXPECT_EQ(form->Edit4->isHidden(), !row.Source2);
        QRadioButton* boundary = radio(row.Boundary);
        ASSERT_NE(boundary, nullptr);
        EXPECT_TRUE(boundary->isChecked());
        EXPECT_EQ(boundary->text(), QString::fromUtf8(row.BoundaryCaption));
        EXPECT_FALSE(form->CheckBox1->isChecked()) << "an example leaves Anregung alone";
        EXPECT_TRUE(form->CheckBox2->isChecked()) << "and Kreuzgitter";
        EXPECT_EQ(form->ScrollBar2->value(), 60) << "view reset";
        EXPECT_EQ(form->ScrollBar3->value(), 0);
        EXPECT_EQ(form->ScrollBar4->value(), 0);
        EXPECT_EQ(form->ScrollBar7->value(), 11);
        EXPECT_FALSE(form->Loop().PauseFlag) << "an example leaves pause";
        EXPECT_FALSE(form->Button4->isHidden());
        EXPECT_EQ(form->Loop().Net().Nodes(40, 40).Z, 0);

        Fire(*form);
        const TNet& net = form->Loop().Net();
        // The damping border adds a margin of 10 nodes on every side.
        const int margin = row.Mode == BoundaryMode::DampedBorder ? 10 : 0;
        EXPECT_EQ(PassesOfRun(net), 1);
        EXPECT_EQ(net.GridSize, 71 + 2 * margin);
        EXPECT_EQ(net.Source1X, Typed(row, 0) + margin);
        EXPECT_EQ(net.Source1Y, Typed(row, 1) + margin);
        EXPECT_EQ(net.Source2X, Typed(row, 2) + margin);
        EXPECT_EQ(net.Source2Y, Typed(row, 3) + margin);
        EXPECT_EQ(form->ReadControls().Excitation.Wavefront, DrivesWavefront(row));
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

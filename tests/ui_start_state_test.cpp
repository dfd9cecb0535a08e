// SPDX-License-Identifier: GPL-3.0-or-later
// The window and the renderer start from one description of the start state
// and of what the commands do, so they cannot drift apart.

#include "WindowTesting.h"
#include "control/Commands.h"
#include "render/RenderArguments.h"
#include "render/Renderer.h"
#include "sim/StateHash.h"
#include "view/View.h"

#include <gtest/gtest.h>

namespace {

TEST(StartState, TheWindowsControlsAreTheSharedStartPanel) {
    TForm1 form;
    const TPanelValues start = StartPanel();
    const TControlState shown = form.ReadControls();
    EXPECT_EQ(shown.Mode, start.Controls.Mode);
    EXPECT_EQ(shown.CouplingPosition, start.Controls.CouplingPosition);
    EXPECT_EQ(shown.AmplitudePosition, start.Controls.AmplitudePosition);
    EXPECT_EQ(shown.Excitation.Excitation, start.Controls.Excitation.Excitation);
    EXPECT_EQ(shown.Excitation.FrequencyPosition, start.Controls.Excitation.FrequencyPosition);
    EXPECT_EQ(shown.Excitation.Source1, start.Controls.Excitation.Source1);
    EXPECT_EQ(shown.Excitation.Source2, start.Controls.Excitation.Source2);
    EXPECT_EQ(shown.Excitation.Wavefront, start.Controls.Excitation.Wavefront);
    EXPECT_EQ(shown.View.RotationX, start.Controls.View.RotationX);
    EXPECT_EQ(shown.View.RotationY, start.Controls.View.RotationY);
    EXPECT_EQ(shown.View.RotationZ, start.Controls.View.RotationZ);
    EXPECT_EQ(shown.View.ZoomPosition, start.Controls.View.ZoomPosition);
    EXPECT_EQ(shown.View.CrossGrid, start.Controls.View.CrossGrid);
    EXPECT_EQ(form.ReadSourceFields(), start.SourceFields);
    // The window's start state is that of the first example ("Punktquelle zentral").
    EXPECT_EQ(start.SourceFields, (std::array<std::string, 4>{"36", "36", "36", "36"}));
    EXPECT_EQ(start.Controls.Excitation.FrequencyPosition, 800);
    EXPECT_FALSE(start.Controls.Excitation.Excitation);
}

TEST(StartState, EachExampleRunsInTheWindowAsInTheRenderer) {
    auto form = StartedForm();
    form->CheckBox1->setChecked(true);
    QRadioButton* buttons[] = {form->RadioButton1, form->RadioButton2, form->RadioButton3,
                               form->RadioButton4, form->RadioButton5, form->RadioButton9,
                               form->RadioButton10};
    // From the last one, so that the first example is a change too.
    for (int number : {7, 1, 2, 3, 4, 5, 6}) {
        SCOPED_TRACE(number);
        // Away from the example's view, which choosing it resets.
        form->ScrollBar3->setValue(30);
        buttons[number - 1]->setChecked(true);
        Fire(*form, 40);

        const auto parsed = ParseRenderArguments({"--example", QString::number(number)});
        TRenderer renderer(std::get<TRenderSettings>(parsed));
        for (int pass = 0; pass < 40; ++pass)
            ASSERT_TRUE(renderer.Pass());
        EXPECT_EQ(HashState(form->Loop().Net()), HashState(renderer.Net()));
        const QImage& frame = form->Frame();
        EXPECT_TRUE(frame == renderer.Frame());
    }
}

} // namespace

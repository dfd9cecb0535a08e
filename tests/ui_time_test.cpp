// SPDX-License-Identifier: GPL-3.0-or-later
// Time that steps back in the window: its entries, keys and the time bar of
// "Messung" show the frames the run showed at those passes.
#include "SessionTesting.h"
#include "WindowTesting.h"

#include "ui/Measuring.h"
#include "view/PictureHash.h"
#include "view/View.h"

#include <QSlider>

#include <gtest/gtest.h>

namespace {

constexpr int RunPasses = 1500;

// The frame of every pass of example 3 with "Anregung", as a bare session
// showed it just before the next firing.
std::vector<std::uint64_t> ReferenceFrames() {
    TQuietFront front;
    TSession bare(Background(), front);
    bare.Activate();
    bare.SetExcitation(true);
    bare.ChooseExample(2);
    bare.StartRecording();
    std::vector<std::uint64_t> frames;
    while (bare.PassesMade() <= RunPasses) {
        frames.push_back(HashPicture(bare.RunLoop().View().Bitmap()));
        bare.Fire();
    }
    return frames;
}

std::uint64_t ShownFrame(TForm1& form) {
    const QImage* shown = form.PaintBox1->Frame();
    EXPECT_EQ(shown, &form.Frame()) << "the drawing area shows the view's picture";
    return HashPicture(form.Loop().View().Bitmap());
}

} // namespace

TEST(TimeSteps, BackOneTenAndAThousandPassesShowsTheFramesTheRunShowedThere) {
    const std::vector<std::uint64_t> frames = ReferenceFrames();
    auto form = StartedForm();
    form->CheckBox1->click();
    form->RadioButton3->click();
    form->Measuring().ShowWindow();
    auto* bar = form->Measuring().Window()->findChild<QSlider*>();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->accessibleName(), QStringLiteral("Zeitleiste"));
    EXPECT_FALSE(bar->isEnabled()) << "only while paused";
    Fire(*form, RunPasses);
    EXPECT_FALSE(form->StepBackAction().isEnabled()) << "only while paused";

    form->Button4->click();
    EXPECT_TRUE(form->StepBackAction().isEnabled());
    EXPECT_EQ(form->StepBackAction().shortcut(), QKeySequence(QStringLiteral(",")));
    EXPECT_EQ(form->StepForwardAction().shortcut(), QKeySequence(QStringLiteral(".")));
    form->StepBackAction().trigger();
    EXPECT_EQ(form->Session().PassesMade(), RunPasses - 1);
    EXPECT_EQ(ShownFrame(*form), frames[RunPasses - 1]);
    for (int k = 0; k < 10; ++k)
        form->StepBackAction().trigger();
    EXPECT_EQ(ShownFrame(*form), frames[RunPasses - 11]);

    // The time bar, as a user lets go of it a thousand passes further back.
    QCoreApplication::processEvents();
    EXPECT_TRUE(bar->isEnabled());
    EXPECT_EQ(bar->value(), RunPasses - 11);
    bar->setValue(RunPasses - 1011);
    EXPECT_EQ(form->Session().PassesMade(), RunPasses - 1011);
    EXPECT_EQ(ShownFrame(*form), frames[RunPasses - 1011]);
    EXPECT_EQ(form->Session().Recording()->Count(), static_cast<std::size_t>(RunPasses - 1011));
    form->StepForwardAction().trigger();
    EXPECT_EQ(ShownFrame(*form), frames[RunPasses - 1010]);

    // "Weiter" goes on from the pass shown.
    form->Button5->click();
    EXPECT_FALSE(form->StepForwardAction().isEnabled());
    Fire(*form, 10);
    EXPECT_EQ(ShownFrame(*form), frames[RunPasses - 1000]);
}

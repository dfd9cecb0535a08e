// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "control/RunLoop.h"
#include "render/RenderSettings.h"

#include <QImage>

#include <cstdint>

// The window's run loop without the window: the controls are fixed values,
// and the frames are kept instead of shown.
class TRenderer final : private IControlPanel {
  public:
    explicit TRenderer(const TRenderSettings& settings);

    // One firing of the run loop; false once a run start has failed.
    bool Pass();

    const TNet& Net() const { return Loop.Net(); }
    const TView& View() const { return Loop.View(); }
    // The simulated time the last pass ran at: the time of its drive.
    Extended PassTime() const { return Loop.PassTime(); }
    // The last frame drawn; an abandoned frame leaves it as it was.
    const QImage& Frame() const;
    const QString& Error() const { return FailedStart; }

    std::uint64_t FrameHash() const;

  private:
    TControlState ReadControls() const override { return Settings.Controls; }
    std::array<std::string, 4> ReadSourceFields() const override { return Settings.SourceFields; }
    void ReportBadSourceField(const std::string& message) override {
        FailedStart = QString::fromStdString(message);
    }

    const TRenderSettings Settings;
    TRunLoop Loop;
    const QImage FrameImage; // the view's picture, its pixels not copied
    QString FailedStart;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What tests of a bare session share: a front that is told nothing, and the
// window's background picture.

#include "control/Session.h"
#include "resources/BuiltinPictures.h"
#include "resources/CorePictures.h"

class TQuietFront final : public ISessionFront {
  public:
    void ReportBadSourceField(const std::string&) override {}
};

inline TPicture Background() {
    static const TPicture picture = ViewBackground(LoadBackgroundPicture());
    return picture;
}

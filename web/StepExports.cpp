// SPDX-License-Identifier: GPL-3.0-or-later
// What the page calls to step through the passes of a paused run; the
// session draws the pass it goes to, which the page then takes as a frame.
#include "web/PageCalls.h"

#include <emscripten/emscripten.h>

#include <cmath>

extern "C" {

EMSCRIPTEN_KEEPALIVE void wf_step_forward() {
    ThePage().Session().StepForward();
}
EMSCRIPTEN_KEEPALIVE void wf_step_back() {
    ThePage().Session().StepBack();
}
// A pass of the time bar: a double, so that no count of passes is cut.
EMSCRIPTEN_KEEPALIVE void wf_go_to_pass(double pass) {
    if (std::isfinite(pass)) ThePage().Session().GoToPass(static_cast<long long>(pass));
}

} // extern "C"

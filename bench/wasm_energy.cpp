// SPDX-License-Identifier: GPL-3.0-or-later
// The energies' sums beside the rest of a pass, in WebAssembly as the page
// runs them: a pass of the first example without its drawing, then the
// energies of the visible net, each timed; medians over 600 passes.
#include "control/Commands.h"
#include "control/RunLoop.h"
#include "sim/Energy.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

class TPanel final : public IControlPanel {
  public:
    explicit TPanel(TPanelValues values) : Values(std::move(values)) {}
    TControlState ReadControls() const override { return Values.Controls; }
    std::array<std::string, 4> ReadSourceFields() const override { return Values.SourceFields; }
    void ReportBadSourceField(const std::string&) override {}

  private:
    TPanelValues Values;
};

double Median(std::vector<double> values) {
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

} // namespace

int main() {
    constexpr int WarmUp = 400; // the waves have spread over much of the net
    constexpr int Timed = 600;
    TRunLoop loop(TPicture(650, 500, 0xFF000000u));
    TPanel panel(DrivenStartPanel());
    StartLikeTheWindow(loop, DrivenStartPanel());
    loop.DrawEachPass = false;
    for (int k = 0; k < WarmUp; ++k)
        loop.Fire(panel);
    using Clock = std::chrono::steady_clock;
    std::vector<double> passes, energies;
    double total = 0;
    for (int k = 0; k < Timed; ++k) {
        const Clock::time_point start = Clock::now();
        loop.Fire(panel);
        const Clock::time_point stepped = Clock::now();
        total += static_cast<double>(VisibleEnergy(loop.Net()).Total);
        const Clock::time_point summed = Clock::now();
        passes.push_back(std::chrono::duration<double, std::micro>(stepped - start).count());
        energies.push_back(std::chrono::duration<double, std::micro>(summed - stepped).count());
    }
    const double pass = Median(passes), energy = Median(energies);
    std::printf(
        "pass without drawing %.0f us, energies %.0f us: %.2f of the pass (checksum %.17g)\n", pass,
        energy, energy / pass, total);
}

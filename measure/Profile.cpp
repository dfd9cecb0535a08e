// SPDX-License-Identifier: GPL-3.0-or-later
#include "measure/Profile.h"

#include "measure/Series.h"

std::array<Extended, VisibleNodes> ProfileOf(const TNet& net, ProfileLine line, int index) {
    std::array<Extended, VisibleNodes> profile{};
    for (int k = 1; k <= VisibleNodes; ++k) {
        const int i = (line == ProfileLine::Row ? k : index) + net.Margin;
        const int j = (line == ProfileLine::Row ? index : k) + net.Margin;
        profile[static_cast<std::size_t>(k - 1)] = net.Nodes(i, j).Z;
    }
    return profile;
}

std::string ProfileTable(const std::array<Extended, VisibleNodes>& profile, ProfileLine line) {
    std::string table = line == ProfileLine::Row ? "X,Z\n" : "Y,Z\n";
    for (std::size_t k = 0; k < profile.size(); ++k)
        table += std::to_string(k + 1) + ',' + NumberText(static_cast<double>(profile[k])) + '\n';
    return table;
}

std::optional<double> WavelengthOf(const std::array<Extended, VisibleNodes>& profile) {
    int crossings = 0;
    double first = 0;
    double last = 0;
    for (std::size_t k = 0; k + 1 < profile.size(); ++k) {
        const double a = static_cast<double>(profile[k]);
        const double b = static_cast<double>(profile[k + 1]);
        if ((a < 0) == (b < 0)) continue;
        last = static_cast<double>(k) + a / (a - b);
        if (crossings++ == 0) first = last;
    }
    if (crossings < 3) return std::nullopt;
    return 2 * (last - first) / (crossings - 1);
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/Profile.h"

#include "output/Series.h"

std::array<Extended, 71> ProfileOf(const TNet& net, ProfileLine line, int index) {
    std::array<Extended, 71> profile{};
    for (int k = 1; k <= 71; ++k) {
        const int i = (line == ProfileLine::Row ? k : index) + net.Margin;
        const int j = (line == ProfileLine::Row ? index : k) + net.Margin;
        profile[static_cast<std::size_t>(k - 1)] = net.Nodes(i, j).Z;
    }
    return profile;
}

QByteArray ProfileTable(const std::array<Extended, 71>& profile, ProfileLine line) {
    QByteArray table = line == ProfileLine::Row ? "X,Z\n" : "Y,Z\n";
    for (std::size_t k = 0; k < profile.size(); ++k) {
        table += QByteArray::number(static_cast<int>(k) + 1) + ',' + NumberText(static_cast<double>(profile[k])) + '\n';
    }
    return table;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A node of the visible net as the source fields count it: 1..VisibleNodes each way.
struct TNodePosition {
    int X;
    int Y;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The sizes of the net, in nodes. Every other size follows from these.

// Nodes per side of the visible net, the part that is drawn; the same in every
// boundary mode, so that a change of mode never changes the picture's extent.
inline constexpr int VisibleNodes = 71;

// The middle node of the visible net, counted from 1 as the source fields
// count: it rests at the origin of the model.
inline constexpr int MiddleNode = (VisibleNodes + 1) / 2;

// Model units between two neighbouring nodes at rest.
inline constexpr int NodeSpacing = 8;

// Width of the damping margin that "Rand-Dämpfung" lays round the visible
// net; the two reflecting modes have none.
inline constexpr int DampingMargin = 10;
inline constexpr int NoMargin = 0;

// Nodes per side of a net whose visible part has `margin` nodes round it.
constexpr int GridSizeWithMargin(int margin) {
    return VisibleNodes + 2 * margin;
}

// The nodes the zone damping spares in "Rand-Dämpfung", the same in both
// directions: the visible net inside the damping margin. Fixed indices, not
// taken from the net's Margin.
inline constexpr int UndampedFirst = DampingMargin + 1;
inline constexpr int UndampedLast = DampingMargin + VisibleNodes;

static_assert(GridSizeWithMargin(DampingMargin) == 91 && GridSizeWithMargin(NoMargin) == 71);
static_assert(MiddleNode == 36 && UndampedFirst == 11 && UndampedLast == 81);

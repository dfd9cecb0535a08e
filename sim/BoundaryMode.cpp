// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/BoundaryMode.h"

TBoundaryValues BoundaryValues(BoundaryMode mode) {
    switch (mode) {
    case BoundaryMode::DampedBorder:
        return {91, 10, 0.0115L};
    case BoundaryMode::LooseEnd:
    case BoundaryMode::FixedEnd:
        break;
    }
    return {71, 0, 0.01L};
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/SliderOptions.h"

QString RangeText(Slider slider) {
    const TSliderRow& row = SliderRow(slider);
    return QStringLiteral("%1..%2").arg(row.Minimum).arg(row.Maximum);
}

QString StartText(Slider slider) {
    return QString::number(StartOf(slider));
}

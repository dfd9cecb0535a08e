// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/SourceFields.h"

#include "control/WholeNumber.h"

std::optional<std::string> StartRunFromFields(TNet& net,
                                              const std::array<std::string, 4>& sourceFields) {
    net.BeginRunStart();
    for (int field = 0; field < 4; ++field) {
        const std::string& text = sourceFields[static_cast<std::size_t>(field)];
        const std::optional<int> typed = ParseWholeNumber(text);
        if (!typed) return NotAWholeNumberMessage(text);
        net.SetSourceField(field, *typed);
    }
    return std::nullopt;
}

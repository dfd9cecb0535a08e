// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/KeptStates.h"

TKeptStates::TKeptStates()
    : NodeStorage(new unsigned char[MomentCount * TNetCopy::NodeBytes]), Slots(MomentCount) {
    for (std::size_t k = 0; k < MomentCount; ++k)
        Slots[k].Net.SetStorage(NodeStorage.get() + k * TNetCopy::NodeBytes);
}

TMoment& TKeptStates::Add(long long pass) {
    if (Count == MomentCount) {
        First = (First + 1) % MomentCount;
        --Count;
    }
    TMoment& moment = Slots[(First + Count) % MomentCount];
    ++Count;
    moment.Pass = pass;
    return moment;
}

void TKeptStates::DropAfter(long long pass) {
    while (Count > 0 && At(Count - 1).Pass > pass)
        --Count;
}

const TMoment* TKeptStates::AtOrBefore(long long pass) const {
    for (std::size_t k = Count; k-- > 0;)
        if (At(k).Pass <= pass) return &At(k);
    return nullptr;
}

bool TKeptStates::Has(long long pass) const {
    const TMoment* moment = AtOrBefore(pass);
    return moment != nullptr && moment->Pass == pass;
}

long long TKeptStates::OldestPass(long long otherwise) const {
    return Count == 0 ? otherwise : At(0).Pass;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "view/X86Paths.h"

// Clears the upper halves of the AVX registers, on processors that have them.
// Other code in the process can leave them in use, and in some processes the
// view's SSE and x87 code then ran up to a quarter slower on the machine we
// measure on (AMD, under a hypervisor); clearing them first took it back.
// VZEROUPPER costs a few cycles; the view's own code keeps nothing in those
// halves, and code that does must not rely on them across calls anyway.
inline void ClearUpperVectorHalves() {
#ifdef WOGENFELD_X86_VIEW
    static const bool hasAvx = __builtin_cpu_supports("avx");
    if (hasAvx) asm volatile("vzeroupper");
#endif
}

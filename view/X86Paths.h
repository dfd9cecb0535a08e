// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The view's hand-made x86-64 paths (SSE2 vectors, the AVX state, extended
// bytes made from a double's) serve the long double build on x86-64. Elsewhere,
// and always with the software reals, so that the desktop tries the code a
// browser runs, plain C++ gives the same results.
#if defined(__x86_64__) && !defined(WOGENFELD_SOFT_EXTENDED)
#define WOGENFELD_X86_VIEW
#endif

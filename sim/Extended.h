// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <limits>

// The net is computed in 80-bit x87 extended reals; its numbers, and so the
// picture, differ in other precisions.
using Extended = long double;

static_assert(std::numeric_limits<Extended>::digits == 64,
              "Wogenfeld needs x86 extended precision: long double must have a 64-bit "
              "mantissa (x86/x86-64 with GCC or Clang; not MSVC, not ARM)");

// The extended reals nearest to pi and 2 pi.
inline constexpr Extended Pi = 3.14159265358979323846264338327950288L;
inline constexpr Extended TwoPi = 6.28318530717958647692528676655900577L;

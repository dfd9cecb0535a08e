// SPDX-License-Identifier: GPL-3.0-or-later
#include "real/SoftPiReduction.h"

#include "real/SoftParts.h"
#include "real/SoftSineTables.h"

#include <algorithm>
#include <cmath>

namespace {

// pi/2 in 24-bit pieces, each exact in a double.
constexpr double HalfPiPieces[8] = {
    0x1.921fb4p+0,  0x1.4442d0p-24,  0x1.846988p-48,  0x1.8cc516p-72,
    0x1.01b838p-96, 0x1.a25204p-120, 0x1.382228p-145, 0x1.9f31d0p-169,
};
constexpr double Two24 = 0x1p24;
constexpr double TwoMinus24 = 0x1p-24;

// Payne and Hanek's reduction as fdlibm's __kernel_rem_pio2 does it, in
// doubles throughout, which every IEEE machine computes alike: x, given as
// three 24-bit pieces x[k] * 2^(exponent - 24k), times the digits of 2/pi
// that matter, the integer part mod 8 is the quadrant, the fraction times
// pi/2 comes back as two doubles. Only the digits of 2/pi whose products
// with x reach from the quadrant's bits down to 64 bits and a guard are
// used (four groups beyond x's length), more where the fraction starts with
// zeros.
int ReduceInDoubles(const double (&x)[3], int exponent, double& head, double& tail) {
    constexpr int Guard = 4; // fdlibm's jk for 64-bit results
    constexpr int Last = 2;  // x's last piece
    // Indexed by signed counts as the algorithm's own description is.
    double f[20] = {}, q[20] = {}, fq[20] = {};
    std::int32_t iq[20] = {};

    const int jv = std::max((exponent - 3) / 24, 0);
    int q0 = exponent - 24 * (jv + 1);
    // f[i] = digit jv - Last + i of 2/pi (zero before the first).
    for (int i = 0, j = jv - Last; i <= Last + Guard; ++i, ++j)
        f[i] = j < 0 ? 0.0 : TwoOverPiDigits[j];
    const auto product = [&](int i) {
        double sum = 0.0;
        for (int j = 0; j <= Last; ++j)
            sum += x[j] * f[Last + i - j];
        return sum;
    };
    for (int i = 0; i <= Guard; ++i)
        q[i] = product(i);

    int jz = Guard;
    int n = 0, ih = 0;
    double z = 0;
    for (;;) {
        // q[] into 24-bit integers iq[], the lowest first.
        z = q[jz];
        for (int i = 0, j = jz; j > 0; ++i, --j) {
            const double high = static_cast<std::int32_t>(TwoMinus24 * z);
            iq[i] = static_cast<std::int32_t>(z - Two24 * high);
            z = q[j - 1] + high;
        }
        // The integer part mod 8, the quadrant.
        z = std::scalbn(z, q0);
        z -= 8.0 * std::floor(z * 0.125);
        n = static_cast<std::int32_t>(z);
        z -= n;
        ih = 0;
        if (q0 > 0) {
            const std::int32_t i = iq[jz - 1] >> (24 - q0);
            n += i;
            iq[jz - 1] -= i << (24 - q0);
            ih = iq[jz - 1] >> (23 - q0);
        } else if (q0 == 0) {
            ih = iq[jz - 1] >> 23;
        } else if (z >= 0.5) {
            ih = 2;
        }
        // A fraction above one half is taken as 1 - fraction of the next quadrant.
        if (ih > 0) {
            ++n;
            bool borrowed = false;
            for (int i = 0; i < jz; ++i) {
                const std::int32_t digit = iq[i];
                if (borrowed) {
                    iq[i] = 0xFFFFFF - digit;
                } else if (digit != 0) {
                    borrowed = true;
                    iq[i] = 0x1000000 - digit;
                }
            }
            if (q0 == 1) iq[jz - 1] &= 0x7FFFFF;
            if (q0 == 2) iq[jz - 1] &= 0x3FFFFF;
            if (ih == 2) {
                z = 1.0 - z;
                if (borrowed) z -= std::scalbn(1.0, q0);
            }
        }
        // All fraction bits so far zero: more digits of 2/pi are needed.
        if (z != 0.0) break;
        std::int32_t any = 0;
        for (int i = jz - 1; i >= Guard; --i)
            any |= iq[i];
        if (any != 0) break;
        int more = 1;
        while (iq[Guard - more] == 0)
            ++more;
        for (int i = jz + 1; i <= jz + more; ++i) {
            f[Last + i] = TwoOverPiDigits[jv + i];
            q[i] = product(i);
        }
        jz += more;
    }

    // Zero groups at the end dropped, or z split back into 24-bit groups.
    if (z == 0.0) {
        --jz;
        q0 -= 24;
        while (iq[jz] == 0) {
            --jz;
            q0 -= 24;
        }
    } else {
        z = std::scalbn(z, -q0);
        if (z >= Two24) {
            const double high = static_cast<std::int32_t>(TwoMinus24 * z);
            iq[jz] = static_cast<std::int32_t>(z - Two24 * high);
            ++jz;
            q0 += 24;
            iq[jz] = static_cast<std::int32_t>(high);
        } else {
            iq[jz] = static_cast<std::int32_t>(z);
        }
    }
    // The groups as doubles, then times pi/2.
    double scale = std::scalbn(1.0, q0);
    for (int i = jz; i >= 0; --i) {
        q[i] = scale * iq[i];
        scale *= TwoMinus24;
    }
    for (int i = jz; i >= 0; --i) {
        double sum = 0.0;
        for (int k = 0; k <= Guard && k <= jz - i; ++k)
            sum += HalfPiPieces[k] * q[i + k];
        fq[jz - i] = sum;
    }
    // Summed from the smallest up, and what that sum leaves out.
    double sum = 0.0;
    for (int i = jz; i >= 0; --i)
        sum += fq[i];
    head = ih == 0 ? sum : -sum;
    sum = fq[0] - sum;
    for (int i = 1; i <= jz; ++i)
        sum += fq[i];
    tail = ih == 0 ? sum : -sum;
    return n & 7;
}

} // namespace

// The mantissa goes in as three 24-bit pieces; the remainder of |x| comes
// back in two doubles, joined into extended head and tail, and is negated,
// quadrant included, for a negative x.
TReduced ReduceByHalfPi(TSoftExtended x) {
    const std::uint64_t mantissa = x.MantissaBits();
    const double pieces[3] = {
        static_cast<double>(mantissa >> 40),
        static_cast<double>(mantissa >> 16 & 0xFFFFFF),
        static_cast<double>(mantissa << 8 & 0xFFFFFF),
    };
    double head = 0, tail = 0;
    const int n =
        ReduceInDoubles(pieces, SoftParts::ExponentOf(x) - SoftParts::Bias - 23, head, tail);
    const TSoftExtended sum = TSoftExtended(head) + TSoftExtended(tail);
    if (!SoftParts::SignOf(x)) return {n, sum, TSoftExtended(tail) - (sum - TSoftExtended(head))};
    const TSoftExtended negated = -sum;
    return {-n, negated, -TSoftExtended(tail) - (negated + TSoftExtended(head))};
}

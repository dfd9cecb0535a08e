// SPDX-License-Identifier: GPL-3.0-or-later
#include "real/SoftParts.h"
#include "real/WideArithmetic.h"

#include <array>
#include <cstddef>
#include <string>

using namespace SoftParts;

namespace {

// A whole number in decimal, nine digits to each element, lowest first: the
// largest extended times 100 has 4,935 digits.
class TDecimal {
  public:
    // *this * factor + addend, factor and addend below 2^32.
    void MultiplyAdd(std::uint64_t factor, std::uint64_t addend) {
        std::uint64_t carry = addend;
        for (std::size_t k = 0; k < Used; ++k) {
            const std::uint64_t value = Digits[k] * factor + carry;
            Digits[k] = static_cast<std::uint32_t>(value % Billion);
            carry = value / Billion;
        }
        while (carry != 0) {
            Digits[Used++] = static_cast<std::uint32_t>(carry % Billion);
            carry /= Billion;
        }
    }

    // At least three digits, the last two after a point.
    std::string WithTwoDecimals() const {
        std::string text;
        for (std::size_t k = Used; k-- > 0;) {
            const std::string group = std::to_string(Digits[k]);
            text += k + 1 == Used ? group : std::string(9 - group.size(), '0') + group;
        }
        if (text.size() < 3) text.insert(0, 3 - text.size(), '0');
        text.insert(text.size() - 2, 1, '.');
        return text;
    }

  private:
    static constexpr std::uint64_t Billion = 1'000'000'000;
    std::array<std::uint32_t, 560> Digits{};
    std::size_t Used = 0;
};

// value * 100 rounded to a whole number, ties to even, as a 128-bit number.
// Finite, non-zero values below 2^64 only; larger ones are whole already.
TWide HundredfoldRounded(std::uint64_t mantissa, int shift) {
    const TWide product = MultiplyWide(mantissa, 100);
    if (shift >= 128) return {0, 0};
    if (shift >= 64) return {0, ShiftRightRounded(product.High, product.Low, shift - 64).Value};
    const std::uint64_t high = product.High >> shift;
    std::uint64_t low = product.Low;
    std::uint64_t fraction = 0;
    if (shift > 0) {
        low = product.High << (64 - shift) | product.Low >> shift;
        fraction = product.Low << (64 - shift);
    }
    const TRounded r = ShiftRightRounded(low, fraction, 0);
    return {high + r.Carry, r.Value};
}

} // namespace

// printf rounds the exact binary value, to even on a tie; a negative value
// keeps its minus sign even when it rounds to zero, -0 included.
std::string TwoDecimals(TSoftExtended value) {
    const std::string sign = SignOf(value) ? "-" : "";
    if (IsNaN(value)) return sign + "nan";
    if (IsInfinite(value)) return sign + "inf";
    TDecimal decimal;
    if (!IsZero(value)) {
        const TUnpacked u = Normalized(value);
        // value = mantissa * 2^power
        const int power = u.Exponent - Bias - 63;
        const TWide hundredfold =
            power >= 0 ? MultiplyWide(u.Mantissa, 100) : HundredfoldRounded(u.Mantissa, -power);
        decimal.MultiplyAdd(1, hundredfold.High >> 32);
        decimal.MultiplyAdd(std::uint64_t{1} << 32, hundredfold.High & 0xFFFF'FFFF);
        decimal.MultiplyAdd(std::uint64_t{1} << 32, hundredfold.Low >> 32);
        decimal.MultiplyAdd(std::uint64_t{1} << 32, hundredfold.Low & 0xFFFF'FFFF);
        for (int left = power; left > 0; left -= 31)
            decimal.MultiplyAdd(std::uint64_t{1} << (left < 31 ? left : 31), 0);
    }
    return sign + decimal.WithTwoDecimals();
}

#include "driver/fixed_text.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr std::uint32_t kLimbBase = 1000000000;  // nine decimal digits a limb
constexpr int kMaxLimbs = 36;                    // 10^324 holds the largest double
constexpr int kMaxDigits = kMaxLimbs * 9;
constexpr int kMantissaBits = 52;
constexpr int kExponentBias = 1075;  // a double is mantissa * 2^(biased exponent - 1075)

using Wide = unsigned __int128;

std::uint64_t powerOfTen(int exponent) {
    std::uint64_t power = 1;
    while (exponent-- > 0) power *= 10;
    return power;
}

// The decimal digits of value, most significant first; returns their number.
int digitsOf(std::uint64_t value, char* out) {
    char reversed[20];
    int count = 0;
    do {
        reversed[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    for (int i = 0; i < count; ++i) out[i] = reversed[count - 1 - i];
    return count;
}

// The decimal digits of mantissa * 2^exponent (exponent >= 0): doubled in base-10^9 limbs.
int bigDigitsOf(std::uint64_t mantissa, int exponent, char* out) {
    std::uint32_t limbs[kMaxLimbs] = {};
    int count = 0;
    do {
        limbs[count++] = static_cast<std::uint32_t>(mantissa % kLimbBase);
        mantissa /= kLimbBase;
    } while (mantissa != 0);
    for (int e = 0; e < exponent; ++e) {
        std::uint32_t carry = 0;
        for (int i = 0; i < count; ++i) {
            const std::uint64_t doubled = std::uint64_t{limbs[i]} * 2 + carry;
            limbs[i] = static_cast<std::uint32_t>(doubled % kLimbBase);
            carry = static_cast<std::uint32_t>(doubled / kLimbBase);
        }
        if (carry != 0 && count < kMaxLimbs) limbs[count++] = carry;
    }
    int length = digitsOf(limbs[count - 1], out);
    for (int i = count - 2; i >= 0; --i) {
        char limb[9];
        std::uint32_t value = limbs[i];
        for (int d = 8; d >= 0; --d, value /= 10) limb[d] = static_cast<char>('0' + value % 10);
        std::memcpy(out + length, limb, 9);
        length += 9;
    }
    return length;
}

// "%.Nf" of a finite value without its sign: integer digits, '.', N decimals.
int fixedDigitsOf(std::uint64_t bits, int decimals, char* out) {
    const int biased = static_cast<int>((bits >> kMantissaBits) & 0x7ff);
    std::uint64_t mantissa = bits & ((std::uint64_t{1} << kMantissaBits) - 1);
    int exponent = 1 - kExponentBias;  // subnormal
    if (biased != 0) {
        mantissa |= std::uint64_t{1} << kMantissaBits;
        exponent = biased - kExponentBias;
    }
    if (exponent >= 0) {
        int length = bigDigitsOf(mantissa, exponent, out);
        out[length++] = '.';
        for (int d = 0; d < decimals; ++d) out[length++] = '0';
        return length;
    }
    // value = integer + fraction / 2^shift
    const int shift = -exponent;
    std::uint64_t integer = shift >= 64 ? 0 : mantissa >> shift;
    const std::uint64_t fraction =
        shift >= 64 ? mantissa : mantissa & ((std::uint64_t{1} << shift) - 1);
    const std::uint64_t unit = powerOfTen(decimals);
    std::uint64_t rounded = 0;
    // Beyond 127 bits of shift the scaled fraction stays below a half: it rounds to 0.
    if (shift < 128) {
        const Wide scaled = Wide{fraction} * unit;
        const Wide quotient = scaled >> shift;
        const Wide remainder = scaled - (quotient << shift);
        const Wide half = Wide{1} << (shift - 1);
        rounded = static_cast<std::uint64_t>(quotient);
        if (remainder > half || (remainder == half && (rounded & 1) != 0)) ++rounded;
    }
    if (rounded == unit) {
        rounded = 0;
        ++integer;
    }
    int length = digitsOf(integer, out);
    out[length++] = '.';
    for (int d = decimals - 1; d >= 0; --d, rounded /= 10)
        out[length + d] = static_cast<char>('0' + rounded % 10);
    return length + decimals;
}

}  // namespace

void FixedText::append(const char* text) {
    while (*text != '\0' && size_ < kCapacity) text_[size_++] = *text++;
}

void FixedText::append(char c) {
    if (size_ < kCapacity) text_[size_++] = c;
}

void FixedText::append(const FixedText& text) {
    for (std::size_t i = 0; i < text.size(); ++i) append(text.data()[i]);
}

void FixedText::appendFixed(double value, int decimals, int width) {
    char number[kMaxDigits + 16];
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    int length = 0;
    if (bits >> 63) number[length++] = '-';
    const bool finite = ((bits >> kMantissaBits) & 0x7ff) != 0x7ff;
    if (!finite) {
        const char* name = (bits & ((std::uint64_t{1} << kMantissaBits) - 1)) ? "nan" : "inf";
        std::memcpy(number + length, name, 3);
        length += 3;
    } else {
        length += fixedDigitsOf(bits, decimals, number + length);
    }
    for (int pad = width - length; pad > 0; --pad) append(' ');
    for (int i = 0; i < length; ++i) append(number[i]);
}

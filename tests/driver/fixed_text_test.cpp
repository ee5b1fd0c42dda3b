// Numbers written without the C library, as a signal handler must write them, come out as
// printf writes them: exact value, rounded half to even, right-aligned.

#include "driver/fixed_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

namespace {

std::string fixed(double value, int decimals, int width) {
    FixedText text;
    text.appendFixed(value, decimals, width);
    return std::string(text.data(), text.size());
}

std::string printed(double value, int decimals, int width) {
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, "%*.*f", width, decimals, value);
    return buffer;
}

}  // namespace

TEST(FixedText, WritesEveryValueAsPrintfDoes) {
    std::vector<double> values = {0.0,
                                  -0.0,
                                  1.0,
                                  -1.0,
                                  0.5,
                                  2.5,
                                  0.0078125,
                                  0.03125,
                                  -0.03125,
                                  1.0e-7,
                                  -4.0e-7,
                                  999.99995,
                                  9.99999951,
                                  350.0,
                                  20.5,
                                  1234.5,
                                  1.0e15,
                                  3.4e38,
                                  1.0e300,
                                  5.0e-324,
                                  std::numeric_limits<double>::max(),
                                  std::numeric_limits<double>::infinity(),
                                  -std::numeric_limits<double>::infinity()};
    std::mt19937_64 random(20261207);
    std::uniform_real_distribution<double> exponent(-12.0, 12.0);
    std::uniform_real_distribution<double> mantissa(-1.0, 1.0);
    for (int i = 0; i < 20000; ++i) {
        // Floats widened to double, as the lists hold them, and doubles of every size.
        const double value = mantissa(random) * std::pow(10.0, exponent(random));
        values.push_back(i % 2 ? value : static_cast<float>(value));
    }
    for (const double value : values) {
        for (const auto& [decimals, width] : {std::pair{6, 0}, {4, 8}, {3, 8}, {1, 8}}) {
            ASSERT_EQ(fixed(value, decimals, width), printed(value, decimals, width))
                << value << " %" << width << "." << decimals << "f";
        }
    }
}

TEST(FixedText, StopsAtItsCapacity) {
    FixedText text;
    for (int i = 0; i < 2000; ++i) text.append("ab");
    EXPECT_EQ(text.size(), FixedText::kCapacity);
    text.appendFixed(1.0, 6);
    EXPECT_EQ(text.size(), FixedText::kCapacity);
}

#include "same_bits.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>

namespace {

std::uint64_t bits(double v) {
    return std::bit_cast<std::uint64_t>(v);
}

std::uint32_t bits(float v) {
    return std::bit_cast<std::uint32_t>(v);
}

void expectSameMatrix(const LsqMatrix& fast, const LsqMatrix& reference, const char* name) {
    for (int i = 0; i < kNmax; ++i) {
        for (int j = 0; j < kNmax; ++j) {
            EXPECT_EQ(bits(fast[i][j]), bits(reference[i][j]))
                << name << "[" << i << "][" << j << "]";
        }
    }
}

}  // namespace

void expectSameBits(const LsqState& fast, const LsqState& reference) {
    for (int k = 0; k < kNmax; ++k) {
        const FitParam& f = fast.params[k];
        const FitParam& r = reference.params[k];
        EXPECT_EQ(bits(f.b), bits(r.b)) << "b of " << r.name;
        EXPECT_EQ(bits(f.deriv), bits(r.deriv)) << "deriv of " << r.name;
        EXPECT_EQ(bits(f.scale), bits(r.scale)) << "scale of " << r.name;
        EXPECT_EQ(bits(f.b_old), bits(r.b_old)) << "b_old of " << r.name;
        EXPECT_EQ(bits(f.db), bits(r.db)) << "db of " << r.name;
        EXPECT_EQ(bits(f.grad), bits(r.grad)) << "grad of " << r.name;
    }
    EXPECT_EQ(fast.nu, reference.nu);
    EXPECT_EQ(fast.iter, reference.iter);
    EXPECT_EQ(bits(fast.lambda), bits(reference.lambda));
    EXPECT_EQ(bits(fast.phi), bits(reference.phi));
    EXPECT_EQ(bits(fast.phi_new), bits(reference.phi_new));
    EXPECT_EQ(bits(fast.gamma), bits(reference.gamma));
    EXPECT_EQ(bits(fast.xl), bits(reference.xl));
    expectSameMatrix(fast.pTp, reference.pTp, "pTp");
    expectSameMatrix(fast.scaled, reference.scaled, "scaled");
    expectSameMatrix(fast.work, reference.work, "work");
    ASSERT_EQ(fast.ndata(), reference.ndata());
    for (int i = 0; i < fast.ndata(); ++i) {
        EXPECT_EQ(bits(fast.data[i].model), bits(reference.data[i].model)) << "model at " << i;
    }
}

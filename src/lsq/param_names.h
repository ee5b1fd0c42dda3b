#pragma once
// The printed names of the parameters and whether the model differentiates each one
// itself. The table names peaks up to the 10th; the vector uses rows 0..31.

#include <array>
#include <cstdint>

#include "lsq/fit_param.h"

struct ParamName {
    const char* name;
    std::uint8_t ad;  // 1 for the parameters the model is linear in, and eta
};

inline constexpr int kParamNameRows = 35;

extern const std::array<ParamName, kParamNameRows> kParamNames;

// Copies name and `ad` of rows 0..31 into the vector, as every fit run does first.
void copyNameTable(ParamVector& params);

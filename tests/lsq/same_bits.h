#pragma once
// Bit-for-bit comparison of everything the engine leaves behind, for checking the fast
// path against the reference path.

#include "lsq/lsq_state.h"

// Expects every parameter field the engine writes, every engine scalar, the three
// matrices and every point's model to be the same bits in `fast` as in `reference`.
void expectSameBits(const LsqState& fast, const LsqState& reference);

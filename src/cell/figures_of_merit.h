#pragma once
// How well a cell indexes the first N observed lines: de Wolff's M_N (P.M. de Wolff,
// J. Appl. Cryst. 1 (1968) 108) and Smith and Snyder's F_N (G.S. Smith & R.L. Snyder,
// J. Appl. Cryst. 12 (1979) 60), both counting the distinct lines the cell's centring allows
// up to the N-th observed line.

#include <vector>

#include "cell/lattice.h"

struct Figures {
    double m = 0.0;          // M_N: Q_N / (2 <|dQ|> N_calc)
    double f = 0.0;          // F_N: N / (N_calc <|d2theta|>)
    double meanDelta = 0.0;  // <|d2theta|>, degrees
    int possible = 0;        // N_calc: distinct calculated lines up to the N-th line
    int indexed = 0;         // lines within the tolerance of a calculated line
    int used = 0;            // N
};

// tth: the first N lines, ascending; zero: the cell's zero shift (subtracted from each line).
Figures figuresOfMerit(const std::vector<double>& tth, double lambda, const Cell& cell, double zero,
                       double tolerance);

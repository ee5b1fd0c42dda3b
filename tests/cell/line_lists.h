#pragma once
// Line lists of known cells, as a diffractometer would give them: the first lines a cell's
// centring allows, lines closer than a pattern can part merged into one, each moved by a
// normal error, all moved by one zero shift, and impurity lines that no cell line explains.

#include <random>
#include <string>
#include <vector>

#include "cell/cell_refinement.h"
#include "cell/index_search.h"
#include "cell/lattice.h"

struct KnownCell {
    std::string name;
    Cell cell;
};

// Cells of every system and centring, with the parameters of real or typical compounds.
const std::vector<KnownCell>& knownCells();

struct LineDraw {
    std::vector<double> tth;  // ascending
    double zero = 0.0;        // the shift added to every cell line
    std::vector<double> impurities;
};

struct DrawSettings {
    double lambda = 1.5405929;
    int lines = 21;       // cell lines before the impurities are added
    double sigma = 0.01;  // degrees, each line's error
    double largestZero = 0.05;
    int impurities = 1;
};

LineDraw drawLines(const Cell& cell, const DrawSettings& settings, std::mt19937& random);

// The drawn lines refined from a solution found on them, as xrdcell refines its best one.
CellRefinement refineSolution(const LineDraw& draw, double lambda, const Solution& solution);

// The lines as a plain two-theta list, one per line, as xrdcell reads it.
std::string lineListText(const std::vector<double>& tth);

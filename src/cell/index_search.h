#pragma once
// Indexing by trial and error on the lowest lines (after P.-E. Werner, L. Eriksson &
// M. Westdahl, J. Appl. Cryst. 18 (1985) 367, TREOR): in each crystal system, sets of the
// lowest lines are taken for sets of low-index hkl, the reciprocal terms of the quadratic
// form solved from them, and a trial that indexes the lowest lines is refined with a zero
// shift on every line it indexes. Solutions are ranked by de Wolff's M_N (rankingFigure),
// given the centring
// whose absences fit the lines best, set in their conventional setting, and listed once per
// lattice. The systems are searched from cubic down to monoclinic; the monoclinic search,
// by far the longest, is left out when a higher system has a convincing solution, unless
// every system is asked for.

#include <chrono>
#include <vector>

#include "cell/figures_of_merit.h"
#include "cell/lattice.h"

struct IndexSettings {
    int lines = 20;      // the first N lines are indexed
    int impurities = 1;  // lines a solution may leave unindexed
    std::vector<CrystalSystem> systems{std::begin(kAllSystems), std::end(kAllSystems)};
    bool everySystem = false;  // search monoclinic after a convincing solution too
    double seconds = 60.0;     // the time limit of the whole search
    double tolerance = 0.05;   // degrees between an indexed line and its calculated one
};

struct Solution {
    Cell cell;
    double zero = 0.0;  // degrees
    Figures figures;
};

struct IndexOutcome {
    std::vector<Solution> solutions;                 // best first
    bool stoppedEarly = false;                       // the time limit ended the search
    CrystalSystem stoppedIn = CrystalSystem::Cubic;  // where it stopped, then
    double seconds = 0.0;                            // how long it took
};

// A solution that indexes all but the allowed impurities is convincing from this M_N on,
// when its cell gives at most kConvincingLines lines per observed one: a wrong cell of many
// lines reaches a high M_N by chance more easily.
inline constexpr double kConvincingM = 20.0;
inline constexpr double kConvincingLines = 2.5;

// tth: ascending two-theta, at least four lines; lambda: the Kα1 wavelength.
IndexOutcome indexLines(const std::vector<double>& tth, double lambda,
                        const IndexSettings& settings);

// What the solutions are ranked by: M_N times the square of the share of the lines indexed,
// so that a cell that leaves a line out to reach a higher M_N (easy with few lines) does not
// pass one that indexes them all.
double rankingFigure(const Solution& solution);

// Whether the solution indexes all but the allowed impurities of the lines used.
bool indexesAll(const Solution& solution, int impurities);

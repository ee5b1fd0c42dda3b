#pragma once
// xrdcell's standard output: a tab-separated table with one header line. Indexing gives one
// row per solution, best first; a refined --cell gives one row with an _se column after each
// refined value, then chi2 and dof.

#include <string>

#include "cell/cell_refinement.h"
#include "cell/index_search.h"

std::string solutionsHeader();
std::string solutionRow(int rank, const Solution& solution);

std::string refinedHeader(const CellRefinement& refined);
std::string refinedRow(const CellRefinement& refined, const Figures& figures);

// A value with its esd in the crystallographers' parentheses: 3.61490(12); the value alone
// with as many decimals as `decimals` when the esd is not finite.
std::string withEsd(double value, double esd, int decimals);

#pragma once
// The refinement as text a person reads (--report FILE): the source and radiation, the cell
// with its esds, the volume, the zero shift and displacement, chi-square and its degrees of
// freedom, the figures of merit, the line table and the lines left unindexed.

#include <optional>
#include <string>

#include "cell/cell_refinement.h"
#include "cell/figures_of_merit.h"

// The report's text.
std::string cellReportText(const std::string& source, const LineSet& set,
                           const CellRefinement& refined, const Figures& figures);

// Replaces the file whole; the message naming the file when it cannot be written.
std::optional<std::string> writeCellReport(const std::string& path, const std::string& text);

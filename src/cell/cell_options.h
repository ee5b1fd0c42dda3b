#pragma once
// The command line of xrdcell.

#include <optional>
#include <string>
#include <vector>

#include "cell/cell_refinement.h"
#include "cell/index_search.h"
#include "cell/lattice.h"
#include "convert/command_line.h"

struct CellOptions {
    IndexSettings index;
    int solutions = 10;        // rows of the solutions table
    std::optional<Cell> cell;  // --cell: refine this one instead of indexing
    RefineSettings refine;     // --zero, --displacement
    std::string report;        // --report FILE
    std::string plot;          // --plot FILE.png
    ImportRequest input;       // --from, --block and the radiation
    std::string source;
};

using ParsedCellLine = ParsedArgs<CellOptions>;

ParsedCellLine parseCellArgs(const std::vector<std::string>& args);

// The text of --help.
const char* cellUsage();

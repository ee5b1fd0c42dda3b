#pragma once
// A cell as the command line gives it: "SYSTEM [CENTRING] a [b c alpha beta gamma]", the
// system by name (cubic, tetragonal, hexagonal, rhombohedral, orthorhombic, monoclinic),
// the centring by its letter (P when left out; R for rhombohedral), then either the six
// parameters or only those the system leaves free (a; a c; a b c; a b c beta).

#include <optional>
#include <string>

#include "cell/lattice.h"

// None, with `error` saying what is wrong, for a text that does not describe a cell.
std::optional<Cell> parseCellText(const std::string& text, std::string& error);

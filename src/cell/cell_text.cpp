#include "cell/cell_text.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <vector>

#include "batch/plan_text.h"

namespace {

bool centringOf(const std::string& word, CrystalSystem system, Centring& centring) {
    for (const Centring candidate : centringsOf(system))
        if (word == centringName(candidate)) {
            centring = candidate;
            return true;
        }
    return false;
}

// The six parameters, where the system's ties must hold for what was given.
bool tiesHold(const Cell& cell) {
    const Cell tied = completed(cell);
    auto same = [](double x, double y) { return std::fabs(x - y) <= 1e-6 * std::max(x, y); };
    return same(tied.a, cell.a) && same(tied.b, cell.b) && same(tied.c, cell.c) &&
           same(tied.alpha, cell.alpha) && same(tied.beta, cell.beta) &&
           same(tied.gamma, cell.gamma);
}

}  // namespace

std::optional<Cell> parseCellText(const std::string& text, std::string& error) {
    const std::string usage = "'" + text + "' is not SYSTEM [CENTRING] a [b c alpha beta gamma]";
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    Cell cell;
    bool rhombohedral = false;
    if (words.empty() || !systemFromName(words[0], cell.system, rhombohedral)) {
        error = usage +
                ": the system is one of cubic, tetragonal, hexagonal, rhombohedral, "
                "orthorhombic, monoclinic";
        return std::nullopt;
    }
    std::size_t next = 1;
    if (rhombohedral) cell.centring = Centring::R;
    if (next < words.size() && !parseNumber(words[next])) {
        if (rhombohedral || !centringOf(words[next], cell.system, cell.centring)) {
            error = usage + ": '" + words[next] + "' is no centring of a " + words[0] + " cell";
            return std::nullopt;
        }
        ++next;
    }
    std::vector<double> values;
    for (; next < words.size(); ++next) {
        const std::optional<double> value = parseNumber(words[next]);
        if (!value || !(*value > 0.0)) {
            error = usage + ": '" + words[next] + "' is not a positive number";
            return std::nullopt;
        }
        values.push_back(*value);
    }
    const int free = freeCount(cell.system);
    if (static_cast<int>(values.size()) == 6) {
        cell.a = values[0], cell.b = values[1], cell.c = values[2];
        cell.alpha = values[3], cell.beta = values[4], cell.gamma = values[5];
        if (!tiesHold(cell)) {
            error = usage + ": the parameters break the ties of a " + words[0] + " cell";
            return std::nullopt;
        }
    } else if (static_cast<int>(values.size()) == free) {
        cell = withFreeValues(cell, values);
    } else {
        error = usage + ": a " + words[0] + " cell takes 6 parameters or " + std::to_string(free) +
                " (" +
                [&] {
                    std::string names;
                    for (const std::string& name : freeNames(cell.system))
                        names += (names.empty() ? "" : " ") + name;
                    return names;
                }() +
                ")";
        return std::nullopt;
    }
    if (cell.system == CrystalSystem::Monoclinic && !(cell.beta > 0.0 && cell.beta < 180.0)) {
        error = usage + ": beta lies between 0 and 180 degrees";
        return std::nullopt;
    }
    return cell;
}

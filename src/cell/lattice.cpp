#include "cell/lattice.h"

#include <cmath>
#include <limits>
#include <numbers>

namespace {

constexpr double kDeg = std::numbers::pi / 180.0;

bool even(int n) {
    return n % 2 == 0;
}

}  // namespace

const char* systemName(CrystalSystem system) {
    switch (system) {
        case CrystalSystem::Cubic:
            return "cubic";
        case CrystalSystem::Tetragonal:
            return "tetragonal";
        case CrystalSystem::Hexagonal:
            return "hexagonal";
        case CrystalSystem::Orthorhombic:
            return "orthorhombic";
        case CrystalSystem::Monoclinic:
            return "monoclinic";
    }
    return "";
}

const char* centringName(Centring centring) {
    switch (centring) {
        case Centring::P:
            return "P";
        case Centring::I:
            return "I";
        case Centring::F:
            return "F";
        case Centring::C:
            return "C";
        case Centring::A:
            return "A";
        case Centring::B:
            return "B";
        case Centring::R:
            return "R";
    }
    return "";
}

bool systemFromName(const std::string& name, CrystalSystem& system, bool& rhombohedral) {
    rhombohedral = name == "rhombohedral";
    if (rhombohedral) {
        system = CrystalSystem::Hexagonal;
        return true;
    }
    for (const CrystalSystem candidate : kAllSystems)
        if (name == systemName(candidate)) {
            system = candidate;
            return true;
        }
    return false;
}

std::vector<Centring> centringsOf(CrystalSystem system) {
    switch (system) {
        case CrystalSystem::Cubic:
            return {Centring::P, Centring::I, Centring::F};
        case CrystalSystem::Tetragonal:
            return {Centring::P, Centring::I};
        case CrystalSystem::Hexagonal:
            return {Centring::P, Centring::R};
        case CrystalSystem::Orthorhombic:
            return {Centring::P, Centring::C, Centring::A, Centring::B, Centring::I, Centring::F};
        case CrystalSystem::Monoclinic:
            return {Centring::P, Centring::C, Centring::A, Centring::I};
    }
    return {Centring::P};
}

bool centringAllows(Centring centring, const Hkl& m) {
    switch (centring) {
        case Centring::P:
            return true;
        case Centring::I:
            return even(m.h + m.k + m.l);
        case Centring::F:
            return even(m.h + m.k) && even(m.k + m.l);
        case Centring::C:
            return even(m.h + m.k);
        case Centring::A:
            return even(m.k + m.l);
        case Centring::B:
            return even(m.h + m.l);
        case Centring::R:
            return (-m.h + m.k + m.l) % 3 == 0;
    }
    return true;
}

Metric reciprocalMetric(const Cell& cell) {
    // The reciprocal cell from the direct one; the general triclinic formulas.
    const double ca = std::cos(cell.alpha * kDeg), cb = std::cos(cell.beta * kDeg),
                 cg = std::cos(cell.gamma * kDeg);
    const double sa = std::sin(cell.alpha * kDeg), sb = std::sin(cell.beta * kDeg),
                 sg = std::sin(cell.gamma * kDeg);
    const double v = cellVolume(cell);
    const double as = cell.b * cell.c * sa / v, bs = cell.a * cell.c * sb / v,
                 cs = cell.a * cell.b * sg / v;
    const double cas = (cb * cg - ca) / (sb * sg), cbs = (ca * cg - cb) / (sa * sg),
                 cgs = (ca * cb - cg) / (sa * sb);
    return {as * as, bs * bs, cs * cs, 2 * as * bs * cgs, 2 * as * cs * cbs, 2 * bs * cs * cas};
}

double qOf(const Metric& m, const Hkl& x) {
    return m.A * x.h * x.h + m.B * x.k * x.k + m.C * x.l * x.l + m.D * x.h * x.k + m.E * x.h * x.l +
           m.F * x.k * x.l;
}

double cellVolume(const Cell& cell) {
    const double ca = std::cos(cell.alpha * kDeg), cb = std::cos(cell.beta * kDeg),
                 cg = std::cos(cell.gamma * kDeg);
    const double root = 1 - ca * ca - cb * cb - cg * cg + 2 * ca * cb * cg;
    return cell.a * cell.b * cell.c * std::sqrt(std::max(root, 0.0));
}

int freeCount(CrystalSystem system) {
    switch (system) {
        case CrystalSystem::Cubic:
            return 1;
        case CrystalSystem::Tetragonal:
        case CrystalSystem::Hexagonal:
            return 2;
        case CrystalSystem::Orthorhombic:
            return 3;
        case CrystalSystem::Monoclinic:
            return 4;
    }
    return 1;
}

std::vector<std::string> freeNames(CrystalSystem system) {
    const std::vector<std::string> all{"a", "b", "c", "beta"};
    switch (system) {
        case CrystalSystem::Cubic:
            return {"a"};
        case CrystalSystem::Tetragonal:
        case CrystalSystem::Hexagonal:
            return {"a", "c"};
        case CrystalSystem::Orthorhombic:
            return {"a", "b", "c"};
        case CrystalSystem::Monoclinic:
            return all;
    }
    return all;
}

std::vector<double> freeValues(const Cell& cell) {
    switch (cell.system) {
        case CrystalSystem::Cubic:
            return {cell.a};
        case CrystalSystem::Tetragonal:
        case CrystalSystem::Hexagonal:
            return {cell.a, cell.c};
        case CrystalSystem::Orthorhombic:
            return {cell.a, cell.b, cell.c};
        case CrystalSystem::Monoclinic:
            return {cell.a, cell.b, cell.c, cell.beta};
    }
    return {};
}

Cell withFreeValues(const Cell& cell, const std::vector<double>& values) {
    Cell next = cell;
    next.a = values[0];
    switch (cell.system) {
        case CrystalSystem::Cubic:
            break;
        case CrystalSystem::Tetragonal:
        case CrystalSystem::Hexagonal:
            next.c = values[1];
            break;
        case CrystalSystem::Orthorhombic:
            next.b = values[1];
            next.c = values[2];
            break;
        case CrystalSystem::Monoclinic:
            next.b = values[1];
            next.c = values[2];
            next.beta = values[3];
            break;
    }
    return completed(next);
}

Cell completed(Cell cell) {
    switch (cell.system) {
        case CrystalSystem::Cubic:
            cell.b = cell.c = cell.a;
            [[fallthrough]];
        case CrystalSystem::Orthorhombic:
            cell.alpha = cell.beta = cell.gamma = 90.0;
            break;
        case CrystalSystem::Tetragonal:
            cell.b = cell.a;
            cell.alpha = cell.beta = cell.gamma = 90.0;
            break;
        case CrystalSystem::Hexagonal:
            cell.b = cell.a;
            cell.alpha = cell.beta = 90.0;
            cell.gamma = 120.0;
            break;
        case CrystalSystem::Monoclinic:
            cell.alpha = cell.gamma = 90.0;
            break;
    }
    return cell;
}

double tthOfD(double d, double lambda) {
    const double s = lambda / (2 * d);
    if (!(s > 0.0 && s < 1.0)) return std::numeric_limits<double>::quiet_NaN();
    return 2 * std::asin(s) / kDeg;
}

double dOfTth(double tth, double lambda) {
    return lambda / (2 * std::sin(tth / 2 * kDeg));
}

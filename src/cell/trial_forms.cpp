#include "cell/trial_forms.h"

#include <algorithm>
#include <cmath>
#include <numbers>

Terms termsOf(CrystalSystem system, const Hkl& m) {
    const double h = m.h, k = m.k, l = m.l;
    switch (system) {
        case CrystalSystem::Cubic:
            return {h * h + k * k + l * l, 0, 0, 0};
        case CrystalSystem::Tetragonal:
            return {h * h + k * k, l * l, 0, 0};
        case CrystalSystem::Hexagonal:
            return {h * h + h * k + k * k, l * l, 0, 0};
        case CrystalSystem::Orthorhombic:
            return {h * h, k * k, l * l, 0};
        case CrystalSystem::Monoclinic:
            return {h * h, k * k, l * l, h * l};
    }
    return {};
}

std::optional<Cell> cellOfTerms(CrystalSystem system, const double* p) {
    const int n = freeCount(system);
    for (int j = 0; j < std::min(n, 3); ++j)
        if (!(p[j] > 0.0)) return std::nullopt;
    Cell cell;
    cell.system = system;
    switch (system) {
        case CrystalSystem::Cubic:
            cell.a = 1 / std::sqrt(p[0]);
            break;
        case CrystalSystem::Tetragonal:
            cell.a = 1 / std::sqrt(p[0]);
            cell.c = 1 / std::sqrt(p[1]);
            break;
        case CrystalSystem::Hexagonal:
            cell.a = std::sqrt(4 / (3 * p[0]));
            cell.c = 1 / std::sqrt(p[1]);
            break;
        case CrystalSystem::Orthorhombic:
            cell.a = 1 / std::sqrt(p[0]);
            cell.b = 1 / std::sqrt(p[1]);
            cell.c = 1 / std::sqrt(p[2]);
            break;
        case CrystalSystem::Monoclinic: {
            const double cosStar = std::fabs(p[3]) / (2 * std::sqrt(p[0] * p[2]));
            if (!(cosStar < 0.9)) return std::nullopt;  // beta beyond 154 degrees: no cell
            const double sinBeta = std::sqrt(1 - cosStar * cosStar);
            cell.a = 1 / (std::sqrt(p[0]) * sinBeta);
            cell.b = 1 / std::sqrt(p[1]);
            cell.c = 1 / (std::sqrt(p[2]) * sinBeta);
            cell.beta = 180.0 - std::acos(cosStar) * 180.0 / std::numbers::pi;
            break;
        }
    }
    return completed(cell);
}

std::vector<Hkl> trialHkls(CrystalSystem system) {
    // Each system's hkl up to its reach, one of each distinct set of terms, by a typical Q.
    const int reach = system == CrystalSystem::Monoclinic ? 2 : 3;
    const int lReach = system == CrystalSystem::Hexagonal ? 6 : reach;
    std::vector<std::pair<double, Hkl>> found;
    for (int h = -reach; h <= reach; ++h)
        for (int k = 0; k <= reach; ++k)
            for (int l = -lReach; l <= lReach; ++l) {
                const Hkl hkl{h, k, l};
                if (h == 0 && k == 0 && l == 0) continue;
                const bool signed_ = system == CrystalSystem::Monoclinic;
                if (!signed_ && (h < 0 || l < 0)) continue;
                if (signed_ && (h < 0 || (h == 0 && l < 0))) continue;
                if (system == CrystalSystem::Monoclinic && std::abs(h) + k + std::abs(l) > 3)
                    continue;
                if (system == CrystalSystem::Orthorhombic && (h > 2 || k > 2 || l > 2)) continue;
                const Terms t = termsOf(system, hkl);
                const bool seen = std::any_of(found.begin(), found.end(), [&](const auto& f) {
                    return termsOf(system, f.second) == t;
                });
                if (!seen) found.push_back({t[0] + t[1] + t[2] + std::fabs(t[3]), hkl});
            }
    std::stable_sort(found.begin(), found.end(),
                     [](const auto& x, const auto& y) { return x.first < y.first; });
    std::vector<Hkl> hkls;
    for (const auto& f : found) hkls.push_back(f.second);
    if (system == CrystalSystem::Cubic) hkls.resize(std::min<std::size_t>(hkls.size(), 16));
    return hkls;
}

int trialLineCount(CrystalSystem system) {
    switch (system) {
        case CrystalSystem::Cubic:
            return 4;
        case CrystalSystem::Tetragonal:
        case CrystalSystem::Hexagonal:
            return 6;
        case CrystalSystem::Orthorhombic:
            return 7;
        case CrystalSystem::Monoclinic:
            return 6;
    }
    return 4;
}

#include "cell/reflections.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

struct Family {
    double q;
    Hkl hkl;
};

// Friedel pairs give one line: the hkl whose first index that is not zero is positive.
bool firstNonZeroPositive(const Hkl& m) {
    if (m.h != 0) return m.h > 0;
    if (m.k != 0) return m.k > 0;
    return m.l > 0;
}

// Among hkl of one line, the one to show: the fewest negative indices, then the smallest.
bool shownBefore(const Hkl& x, const Hkl& y) {
    const int nx = (x.h < 0) + (x.k < 0) + (x.l < 0), ny = (y.h < 0) + (y.k < 0) + (y.l < 0);
    if (nx != ny) return nx < ny;
    if (x.h != y.h) return x.h > y.h;
    if (x.k != y.k) return x.k > y.k;
    return x.l > y.l;
}

// The same for every hkl of one family of the system's holohedry.
std::array<int, 4> familyKey(CrystalSystem system, const Hkl& m) {
    const int h = std::abs(m.h), k = std::abs(m.k), l = std::abs(m.l);
    switch (system) {
        case CrystalSystem::Cubic: {
            std::array<int, 4> key{h, k, l, 0};
            std::sort(key.begin(), key.begin() + 3);
            return key;
        }
        case CrystalSystem::Tetragonal:
            return {std::min(h, k), std::max(h, k), l, 0};
        case CrystalSystem::Hexagonal: {
            std::array<int, 4> key{h, k, std::abs(m.h + m.k), l};
            std::sort(key.begin(), key.begin() + 3);
            return key;
        }
        case CrystalSystem::Orthorhombic:
            return {h, k, l, 0};
        case CrystalSystem::Monoclinic: {
            // (h k l), (-h k -l) and (h -k l) are one family.
            const int sign = m.h != 0 ? (m.h > 0 ? 1 : -1) : (m.l >= 0 ? 1 : -1);
            return {sign * m.h, k, sign * m.l, 0};
        }
    }
    return {m.h, m.k, m.l, 0};
}

}  // namespace

std::vector<CalculatedLine> calculatedLines(const Cell& cell, double qmax, int maxLines) {
    const Metric metric = reciprocalMetric(cell);
    const double q = std::sqrt(std::max(qmax, 0.0)) * (1 + 1e-9);
    // |h| <= a |q|: the index is the projection of the reciprocal vector on the direct axis.
    const int hm = static_cast<int>(cell.a * q), km = static_cast<int>(cell.b * q),
              lm = static_cast<int>(cell.c * q);
    std::vector<Family> families;
    for (int h = -hm; h <= hm; ++h)
        for (int k = -km; k <= km; ++k)
            for (int l = -lm; l <= lm; ++l) {
                const Hkl hkl{h, k, l};
                if (!firstNonZeroPositive(hkl) || !centringAllows(cell.centring, hkl)) continue;
                const double qh = qOf(metric, hkl);
                if (qh <= qmax * (1 + kSameQ)) families.push_back({qh, hkl});
            }
    std::sort(families.begin(), families.end(), [](const Family& x, const Family& y) {
        return x.q < y.q || (x.q == y.q && shownBefore(x.hkl, y.hkl));
    });
    std::vector<CalculatedLine> lines;
    for (const Family& family : families) {
        if (!lines.empty() && family.q - lines.back().q <= kSameQ * family.q) {
            // Symmetry-equivalent families share Q exactly; one of them stands for the line.
            std::vector<Hkl>& hkls = lines.back().hkls;
            const std::array<int, 4> key = familyKey(cell.system, family.hkl);
            const bool equivalent = std::any_of(hkls.begin(), hkls.end(), [&](const Hkl& y) {
                return familyKey(cell.system, y) == key;
            });
            if (!equivalent) hkls.push_back(family.hkl);
            continue;
        }
        if (static_cast<int>(lines.size()) > maxLines) break;
        lines.push_back({family.q, {family.hkl}});
    }
    return lines;
}

std::string hklText(const Hkl& hkl) {
    return std::to_string(hkl.h) + ' ' + std::to_string(hkl.k) + ' ' + std::to_string(hkl.l);
}

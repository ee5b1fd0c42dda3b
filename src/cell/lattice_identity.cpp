#include "cell/lattice_identity.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

using Vec = std::array<double, 3>;

constexpr double kDeg = std::numbers::pi / 180.0;
constexpr int kPrintVectors = 12;
constexpr int kReach = 3;  // multiples of the reduced basis searched for the shortest vectors

double dot(const Vec& x, const Vec& y) {
    return x[0] * y[0] + x[1] * y[1] + x[2] * y[2];
}

Vec combine(double p, const Vec& x, double q, const Vec& y, double r, const Vec& z) {
    return {p * x[0] + q * y[0] + r * z[0], p * x[1] + q * y[1] + r * z[1],
            p * x[2] + q * y[2] + r * z[2]};
}

// The conventional axes in Cartesian coordinates: a along x, b in the xy plane.
std::array<Vec, 3> axes(const Cell& cell) {
    const double ca = std::cos(cell.alpha * kDeg), cb = std::cos(cell.beta * kDeg),
                 cg = std::cos(cell.gamma * kDeg), sg = std::sin(cell.gamma * kDeg);
    const double cy = (ca - cb * cg) / sg;
    const double cz = std::sqrt(std::max(1 - cb * cb - cy * cy, 0.0));
    return {Vec{cell.a, 0, 0}, Vec{cell.b * cg, cell.b * sg, 0},
            Vec{cell.c * cb, cell.c * cy, cell.c * cz}};
}

std::array<Vec, 3> primitiveBasis(const Cell& cell) {
    const auto [a, b, c] = axes(cell);
    constexpr double h = 0.5, t = 1.0 / 3.0;
    switch (cell.centring) {
        case Centring::P:
            return {a, b, c};
        case Centring::I:
            return {a, b, combine(h, a, h, b, h, c)};
        case Centring::F:
            return {combine(0, a, h, b, h, c), combine(h, a, 0, b, h, c),
                    combine(h, a, h, b, 0, c)};
        case Centring::C:
            return {combine(h, a, h, b, 0, c), b, c};
        case Centring::A:
            return {a, combine(0, a, h, b, h, c), c};
        case Centring::B:
            return {combine(h, a, 0, b, h, c), b, c};
        case Centring::R:
            return {combine(2 * t, a, t, b, t, c), combine(-t, a, t, b, t, c),
                    combine(-t, a, -2 * t, b, t, c)};
    }
    return {a, b, c};
}

// Pairwise reduction until no vector shortens another: a basis whose small multiples hold
// the shortest lattice vectors.
void reduce(std::array<Vec, 3>& basis) {
    for (int pass = 0; pass < 100; ++pass) {
        bool changed = false;
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) {
                if (i == j) continue;
                const double n = std::round(dot(basis[i], basis[j]) / dot(basis[i], basis[i]));
                if (n == 0.0) continue;
                basis[j] = combine(1, basis[j], -n, basis[i], 0, basis[i]);
                changed = true;
            }
        if (!changed) return;
    }
}

}  // namespace

LatticePrint latticePrint(const Cell& cell) {
    std::array<Vec, 3> basis = primitiveBasis(cell);
    LatticePrint print;
    const Vec& x = basis[0];
    const Vec& y = basis[1];
    const Vec& z = basis[2];
    print.primitiveVolume =
        std::fabs(x[0] * (y[1] * z[2] - y[2] * z[1]) - x[1] * (y[0] * z[2] - y[2] * z[0]) +
                  x[2] * (y[0] * z[1] - y[1] * z[0]));
    reduce(basis);
    for (int i = -kReach; i <= kReach; ++i)
        for (int j = -kReach; j <= kReach; ++j)
            for (int k = 0; k <= kReach; ++k) {
                // One of each +-pair: the first index not zero is positive.
                if (k == 0 && (j < 0 || (j == 0 && i <= 0))) continue;
                const Vec v = combine(i, basis[0], j, basis[1], k, basis[2]);
                print.shortest.push_back(dot(v, v));
            }
    std::sort(print.shortest.begin(), print.shortest.end());
    print.shortest.resize(kPrintVectors);
    return print;
}

bool sameLattice(const LatticePrint& x, const LatticePrint& y, double tolerance) {
    auto close = [tolerance](double p, double q) {
        return std::fabs(p - q) <= tolerance * std::max(p, q);
    };
    if (!close(x.primitiveVolume, y.primitiveVolume)) return false;
    for (std::size_t i = 0; i < x.shortest.size() && i < y.shortest.size(); ++i)
        if (!close(x.shortest[i], y.shortest[i])) return false;
    return true;
}

Cell conventionalCell(const Cell& cell) {
    Cell out = cell;
    if (cell.system == CrystalSystem::Orthorhombic) {
        // A and B faces become C by a cyclic relabelling of the axes.
        if (cell.centring == Centring::A) {
            out.a = cell.b, out.b = cell.c, out.c = cell.a;
        } else if (cell.centring == Centring::B) {
            out.a = cell.c, out.b = cell.a, out.c = cell.b;
        }
        if (out.centring == Centring::A || out.centring == Centring::B) out.centring = Centring::C;
        if (out.centring == Centring::C) {
            if (out.a > out.b) std::swap(out.a, out.b);
        } else {
            double v[3] = {out.a, out.b, out.c};
            std::sort(v, v + 3);
            out.a = v[0], out.b = v[1], out.c = v[2];
        }
        return out;
    }
    if (cell.system != CrystalSystem::Monoclinic) return out;
    if (cell.centring == Centring::A) {
        // Centred on the b-c face: a and c exchanged put it on the a-b face.
        std::swap(out.a, out.c);
        out.centring = Centring::C;
    } else if (cell.centring == Centring::I) {
        // The body centre is the a-b face centre of the cell on a + c, b, c.
        const double cb = std::cos(cell.beta * kDeg);
        const double along =
            std::sqrt(cell.a * cell.a + cell.c * cell.c + 2 * cell.a * cell.c * cb);
        const double cosBeta = (cell.a * cell.c * cb + cell.c * cell.c) / (along * cell.c);
        out.a = along;
        out.beta = std::acos(-std::fabs(cosBeta)) / kDeg;  // c reversed where beta fell below 90
        out.centring = Centring::C;
    }
    // The a-c plane as a two-dimensional lattice, reduced (Gauss): c shortened by whole
    // multiples of a, and a by multiples of c, even ones when a centred face must stay C.
    const bool centred = out.centring == Centring::C;
    double ax = out.a, az = 0.0;
    double cx = out.c * std::cos(out.beta * kDeg), cz = out.c * std::sin(out.beta * kDeg);
    for (int pass = 0; pass < 100; ++pass) {
        bool changed = false;
        const double nc = std::round((ax * cx + az * cz) / (ax * ax + az * az));
        if (nc != 0.0) cx -= nc * ax, cz -= nc * az, changed = true;
        const double step = centred ? 2.0 : 1.0;
        const double na = step * std::round((ax * cx + az * cz) / (step * (cx * cx + cz * cz)));
        if (na != 0.0) ax -= na * cx, az -= na * cz, changed = true;
        if (!changed) break;
    }
    double la = std::hypot(ax, az), lc = std::hypot(cx, cz);
    // beta from 90 up: reverse one axis.
    const double cosBeta = -std::fabs((ax * cx + az * cz) / (la * lc));
    if (!centred && la > lc) std::swap(la, lc);
    out.a = la;
    out.c = lc;
    out.beta = std::acos(cosBeta) / kDeg;
    return out;
}

#pragma once
// The lattice of a unit cell: its crystal system and centring, its parameters, and the
// reciprocal metric that gives every line's Q = 1/d^2 as a quadratic form in h k l.

#include <string>
#include <vector>

// In the order of preference of the search: the highest symmetry first. The rhombohedral
// lattice is hexagonal with the R centring (hexagonal axes, obverse setting).
enum class CrystalSystem { Cubic, Tetragonal, Hexagonal, Orthorhombic, Monoclinic };
inline constexpr CrystalSystem kAllSystems[] = {
    CrystalSystem::Cubic, CrystalSystem::Tetragonal, CrystalSystem::Hexagonal,
    CrystalSystem::Orthorhombic, CrystalSystem::Monoclinic};

// The centrings of the conventional cells: A and B faces are relabelled as C.
enum class Centring { P, I, F, C, A, B, R };

struct Hkl {
    int h = 0, k = 0, l = 0;
};

// Angles in degrees. The monoclinic cell has b unique and beta from 90 up.
struct Cell {
    CrystalSystem system = CrystalSystem::Cubic;
    Centring centring = Centring::P;
    double a = 0.0, b = 0.0, c = 0.0;
    double alpha = 90.0, beta = 90.0, gamma = 90.0;
};

// Q(hkl) = A h^2 + B k^2 + C l^2 + D hk + E hl + F kl, in 1/Å^2.
struct Metric {
    double A = 0.0, B = 0.0, C = 0.0, D = 0.0, E = 0.0, F = 0.0;
};

const char* systemName(CrystalSystem system);  // "cubic", ...
const char* centringName(Centring centring);   // "P", ...
// The system of a name as systemName gives it (also "rhombohedral", meaning hexagonal R);
// false for any other word.
bool systemFromName(const std::string& name, CrystalSystem& system, bool& rhombohedral);

// The centrings a system's cells can have, P first; the A and B of orthorhombic cells and
// the A and I of monoclinic ones are C in the conventional setting.
std::vector<Centring> centringsOf(CrystalSystem system);

// Whether the centring leaves line hkl present.
bool centringAllows(Centring centring, const Hkl& hkl);

Metric reciprocalMetric(const Cell& cell);
double qOf(const Metric& metric, const Hkl& hkl);
double cellVolume(const Cell& cell);  // Å^3

// The parameters the system leaves free, in the order a, b, c, beta as far as they are free:
// cubic a; tetragonal and hexagonal a, c; orthorhombic a, b, c; monoclinic a, b, c, beta.
int freeCount(CrystalSystem system);
std::vector<double> freeValues(const Cell& cell);
Cell withFreeValues(const Cell& cell, const std::vector<double>& values);
// Their names as the table heads them: "a", "b", "c", "beta".
std::vector<std::string> freeNames(CrystalSystem system);

// The cell with every parameter the system ties set from the free ones (b = a, angles).
Cell completed(Cell cell);

// Two-theta (degrees) of a spacing d at wavelength lambda; NaN when the line cannot occur.
double tthOfD(double d, double lambda);
double dOfTth(double tth, double lambda);

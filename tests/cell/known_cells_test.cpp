// Every known cell of the generator, each system and centring: the true lattice among the
// first three solutions, and the refined parameters close to the truth within their esds.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "cell/cell_refinement.h"
#include "cell/index_search.h"
#include "cell/lattice_identity.h"
#include "cell/line_lists.h"

namespace {

TEST(KnownCells, IndexedAmongTheFirstThreeAndRefinedToTheTruth) {
    const DrawSettings drawing;
    for (const KnownCell& known : knownCells()) {
        SCOPED_TRACE(known.name);
        std::mt19937 random(2024);
        const LineDraw draw = drawLines(known.cell, drawing, random);
        IndexSettings settings;
        settings.systems = {known.cell.system};
        const IndexOutcome outcome = indexLines(draw.tth, drawing.lambda, settings);
        EXPECT_FALSE(outcome.stoppedEarly);
        const LatticePrint truth = latticePrint(known.cell);
        int rank = 0;
        while (rank < 3 && rank < static_cast<int>(outcome.solutions.size()) &&
               !sameLattice(latticePrint(outcome.solutions[rank].cell), truth, 0.003))
            ++rank;
        ASSERT_LT(rank, std::min<int>(3, outcome.solutions.size()));
        const Solution& found = outcome.solutions[rank];
        EXPECT_EQ(found.cell.centring, known.cell.centring);
        EXPECT_TRUE(indexesAll(found, settings.impurities));

        const CellRefinement refined = refineSolution(draw, drawing.lambda, found);
        ASSERT_EQ(refined.problem, "");
        const std::vector<double> got = freeValues(refined.cell), want = freeValues(known.cell);
        for (std::size_t j = 0; j < got.size(); ++j) {
            EXPECT_NEAR(got[j], want[j], 5 * refined.se[j]) << freeNames(known.cell.system)[j];
            EXPECT_NEAR(got[j], want[j], 1e-3 * want[j]);
        }
        EXPECT_NEAR(refined.zero, draw.zero, 5 * refined.zeroSe);
        EXPECT_EQ(refined.unindexed.size(), draw.impurities.size());
        EXPECT_NEAR(refined.volume, cellVolume(known.cell), 5 * refined.volumeSe);
    }
}

// The impurity line falls where only a lattice of more points has a line: the centring's
// absences still decide, the impurity stays unindexed.
TEST(KnownCells, CentringKeptWhenTheImpurityFitsALessCentredLattice) {
    struct Row {
        const char* name;
        Hkl absent;  // a line of the primitive lattice that the centring leaves out
    };
    for (const Row& row : {Row{"orthorhombic I", {1, 1, 1}}, Row{"orthorhombic F", {1, 1, 0}}}) {
        SCOPED_TRACE(row.name);
        const auto known = std::find_if(knownCells().begin(), knownCells().end(),
                                        [&](const KnownCell& k) { return k.name == row.name; });
        ASSERT_NE(known, knownCells().end());
        DrawSettings drawing;
        drawing.impurities = 0;
        std::mt19937 random(2024);
        LineDraw draw = drawLines(known->cell, drawing, random);
        const double q = qOf(reciprocalMetric(known->cell), row.absent);
        draw.tth.push_back(tthOfD(1 / std::sqrt(q), drawing.lambda) + draw.zero);
        std::sort(draw.tth.begin(), draw.tth.end());
        IndexSettings settings;
        settings.systems = {CrystalSystem::Orthorhombic};
        const IndexOutcome outcome = indexLines(draw.tth, drawing.lambda, settings);
        ASSERT_FALSE(outcome.solutions.empty());
        const Solution& best = outcome.solutions.front();
        EXPECT_TRUE(sameLattice(latticePrint(best.cell), latticePrint(known->cell), 0.003));
        EXPECT_EQ(best.figures.indexed, best.figures.used - 1);
    }
}

// A cell described in another setting or a lower system is the same lattice; a supercell is
// not. The conventional setting of a monoclinic I or A cell is C.
TEST(KnownCells, OneLatticeInEverySetting) {
    Cell fcc;
    fcc.centring = Centring::F;
    fcc.a = fcc.b = fcc.c = 4.0;
    Cell bct = fcc;
    bct.system = CrystalSystem::Tetragonal;
    bct.centring = Centring::I;
    bct.a = bct.b = 4.0 / std::sqrt(2.0);
    Cell doubled = fcc;
    doubled.a = doubled.b = doubled.c = 8.0;
    EXPECT_TRUE(sameLattice(latticePrint(fcc), latticePrint(bct), 1e-6));
    EXPECT_FALSE(sameLattice(latticePrint(fcc), latticePrint(doubled), 1e-3));

    Cell body;
    body.system = CrystalSystem::Monoclinic;
    body.centring = Centring::I;
    body.a = 6.2, body.b = 5.6, body.c = 9.4, body.beta = 105.3;
    for (const Centring centring : {Centring::I, Centring::A}) {
        body.centring = centring;
        const Cell conventional = conventionalCell(body);
        EXPECT_EQ(conventional.centring, Centring::C);
        EXPECT_GE(conventional.beta, 90.0);
        EXPECT_TRUE(sameLattice(latticePrint(body), latticePrint(conventional), 1e-9));
    }
    Cell oblique = body;
    oblique.centring = Centring::P;
    oblique.c = 14.0, oblique.beta = 150.0;
    const Cell reduced = conventionalCell(oblique);
    EXPECT_LE(reduced.a, reduced.c);
    EXPECT_GE(reduced.beta, 90.0);
    EXPECT_LE(reduced.beta, 120.0);
    EXPECT_TRUE(sameLattice(latticePrint(oblique), latticePrint(reduced), 1e-9));
}

}  // namespace

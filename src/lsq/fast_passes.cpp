#include "lsq/fast_passes.h"

#include <algorithm>
#include <array>
#include <vector>

#include "lsq/model.h"
#include "lsq/parallel_blocks.h"
#include "lsq/pass_tables.h"
#include "lsq/point_terms.h"
#include "lsq/profile_lanes.h"

namespace {

constexpr int kBlockPoints = 8 * kLanes;  // points a thread takes at a time

// The components every table of the pass gives at the points [first, last).
class BlockComponents {
  public:
    BlockComponents(const PassTables& pass, const std::vector<DataPoint>& data, int first, int last)
        : first_(first), components_(pass.tables.size()) {
        for (int lane0 = first; lane0 < last; lane0 += kLanes) {
            LanePoints x;
            for (int l = 0; l < kLanes; ++l) x[l] = data[std::min(lane0 + l, last - 1)].x;
            for (std::size_t t = 0; t < pass.tables.size(); ++t) {
                LaneComponents lanes;
                profileLanes(pass.tables[t], x, lanes);
                for (int l = 0; l < kLanes && lane0 + l < last; ++l) {
                    components_[t][lane0 - first + l] = lanes[l];
                }
            }
        }
    }

    const ProfileComponents& at(int table, int i) const { return components_[table][i - first_]; }

    // The present peaks' components at point i; given a parameter k, those of the peaks
    // its step reshapes are the reshaped ones.
    PeakComponents peaksAt(const PassTables& pass, int i, int k = -1) const {
        PeakComponents peaks{};
        for (int j = 0; j < pass.peaks; ++j) {
            const int table = k >= 0 && pass.stepped[k][j] >= 0 ? pass.stepped[k][j] : j;
            peaks[j] = at(table, i);
        }
        return peaks;
    }

  private:
    int first_;
    std::vector<std::array<ProfileComponents, kBlockPoints>> components_;
};

// Simpson terms below which a pass is over sooner than a helper thread starts.
constexpr double kTermsWorthAThread = 1e5;

// The threads for a pass: as many as the engine is told, or else one per core, but just
// the calling one for a pass too small to share.
int workersFor(const LsqState& lsq, const PassTables& pass) {
    if (lsq.workers > 0) return lsq.workers;
    double terms = 0.0;
    for (const ProfileTable& table : pass.tables) terms += table.n + 1;
    return terms * lsq.ndata() < kTermsWorthAThread ? 1 : 0;
}

// Runs block(params, first, last) over all points but the last with a copy of the
// vector per block, then the last point on the engine's own vector, so that the vector is
// left as a point-by-point pass leaves it.
template <class Block>
void overPoints(LsqState& lsq, const PassTables& pass, Block&& block) {
    const int n = lsq.ndata();
    if (n == 0) return;
    forEachBlock(n - 1, kBlockPoints, workersFor(lsq, pass), [&](int first, int last) {
        ParamVector params = lsq.params;
        block(params, first, last);
    });
    block(lsq.params, n - 1, n);
}

// A point's share of the normal equations: its model at the current parameters and its
// derivatives.
struct PointDerivatives {
    float m = 0.0f;
    DerivRow deriv{};
};

}  // namespace

double fastChisq(LsqState& lsq) {
    PassTables pass;
    buildPeakTables(pass, lsq);
    const int n = lsq.ndata();
    std::vector<double> terms(n);
    overPoints(lsq, pass, [&](ParamVector& params, int first, int last) {
        const BlockComponents components(pass, lsq.data, first, last);
        for (int i = first; i < last; ++i) {
            DataPoint& point = lsq.data[i];
            point.model = combineModel(params, components.peaksAt(pass, i), pass.peaks, i, n);
            terms[i] = chisqTerm(point, point.model);
        }
    });
    double phi = 0.0;
    for (const double term : terms) phi += term;
    return phi;
}

void fastDerivatives(LsqState& lsq) {
    PassTables pass;
    buildDerivativeTables(pass, lsq);
    const int n = lsq.ndata();
    std::vector<PointDerivatives> points(n);
    overPoints(lsq, pass, [&](ParamVector& params, int first, int last) {
        const BlockComponents components(pass, lsq.data, first, last);
        for (int i = first; i < last; ++i) {
            DataPoint& point = lsq.data[i];
            const float m = combineModel(params, components.peaksAt(pass, i), pass.peaks, i, n);
            point.model = m;
            numericDerivatives(params, m, [&](int k) {
                point.model =
                    combineModel(params, components.peaksAt(pass, i, k), pass.peaks, i, n);
                return point.model;
            });
            points[i] = {m, derivRow(params)};
        }
    });
    for (int i = 0; i < n; ++i) accumulate(lsq, lsq.data[i], points[i].m, points[i].deriv);
}

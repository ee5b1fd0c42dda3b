#include "lsq/fast_passes.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <vector>

#include "lsq/model.h"
#include "lsq/parallel_blocks.h"
#include "lsq/pass_tables.h"
#include "lsq/point_terms.h"
#include "lsq/profile_lanes.h"

namespace {

constexpr int kBlockPoints = 4 * kLanes;  // points a thread takes at a time

// What a peak's profile depends on besides the point; the same bits give the same table.
struct PeakKey {
    std::uint32_t P = 0;
    std::uint32_t h = 0;
    std::uint64_t wor = 0;

    bool operator==(const PeakKey&) const = default;
};

PeakKey keyOf(const ProfileTable& table, double wor) {
    return {std::bit_cast<std::uint32_t>(table.P), std::bit_cast<std::uint32_t>(table.h),
            std::bit_cast<std::uint64_t>(wor)};
}

// Storage one thread's passes keep from pass to pass: the components of every table of
// the pass at every point, table by table, with the present peaks' own tables first. A
// pass leaves the rows of a peak whose shape the next one finds unchanged (the chi-square
// of an accepted step and the derivatives that follow it, say) for that pass to use as
// they are, and reuses the memory of the rest.
struct PassStore {
    std::vector<float> x;                 // the points the rows are for
    std::vector<PeakKey> peakKeys;        // the shape each own table's row was computed for
    std::vector<ProfileComponents> rows;  // table t at point i: rows[t * x.size() + i]
    std::vector<double> chisqTerms;       // per point
    std::vector<float> models;            // per point
    std::vector<DerivRow> derivs;         // per point
};

// Each thread that runs passes has its own; the pass's helper threads write into the
// calling thread's store, each its own points.
thread_local PassStore threadStore;

bool samePoints(const std::vector<float>& x, const std::vector<DataPoint>& data) {
    return x.size() == data.size() &&
           std::equal(x.begin(), x.end(), data.begin(), [](float a, const DataPoint& point) {
               return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(point.x);
           });
}

// Readies the store for a pass over `lsq`'s points with `pass`'s tables and says which
// tables still need their rows computed.
std::vector<bool> prepareRows(PassStore& store, const LsqState& lsq, const PassTables& pass) {
    const int n = lsq.ndata();
    if (!samePoints(store.x, lsq.data)) {
        store.x.resize(n);
        for (int i = 0; i < n; ++i) store.x[i] = lsq.data[i].x;
        store.peakKeys.clear();
    }
    std::vector<bool> needed(pass.tables.size(), true);
    std::vector<PeakKey> keys(pass.ownTables());
    for (int t = 0; t < pass.ownTables(); ++t) {
        keys[t] = keyOf(pass.tables[t], lsq.params[kWor].b);
        needed[t] = !(t < static_cast<int>(store.peakKeys.size()) && store.peakKeys[t] == keys[t]);
    }
    store.peakKeys = std::move(keys);
    store.rows.resize(pass.tables.size() * n);
    return needed;
}

// The rows of the tables `needed` at the points [first, last).
void computeRows(PassStore& store, const PassTables& pass, const std::vector<bool>& needed,
                 const std::vector<DataPoint>& data, int first, int last) {
    const std::size_t n = data.size();
    for (int lane0 = first; lane0 < last; lane0 += kLanes) {
        LanePoints x;
        for (int l = 0; l < kLanes; ++l) x[l] = data[std::min(lane0 + l, last - 1)].x;
        const int count = std::min(kLanes, last - lane0);
        for (std::size_t t = 0; t < pass.tables.size(); ++t) {
            if (!needed[t]) continue;
            LaneComponents lanes;
            profileLanes(pass.tables[t], x, count, lanes);
            for (int l = 0; l < kLanes && lane0 + l < last; ++l)
                store.rows[t * n + lane0 + l] = lanes[l];
        }
    }
}

// The present peaks' components at point i, a doublet's combined as model_point combines
// them; given a parameter k, those of the peaks its step reshapes are the reshaped ones.
PeakComponents peaksAt(const PassTables& pass, const std::vector<ProfileComponents>& rows,
                       std::size_t n, int i, int k = -1) {
    PeakComponents peaks{};
    for (int j = 1; j <= pass.peaks; ++j) {
        const int reshaped = k >= 0 ? pass.stepped[k][j - 1] : -1;
        const std::size_t table = reshaped >= 0 ? reshaped : pass.ownTable(j);
        const ProfileComponents& line = rows[table * n + i];
        peaks[j - 1] = pass.lines == 1
                           ? line
                           : withCompanion(line, rows[(table + 1) * n + i], pass.companionRatio);
    }
    return peaks;
}

// A point's model as a numerical step moves it, found faster than by combineModel: the
// model reads no position, width or W/R but through the profiles, so a step of one of
// those changes only the terms of the peaks it reshapes. The float sum of the peaks before
// the first of them is the base model's, and only the rest is summed again, in order.
class SteppedModels {
  public:
    SteppedModels(const NumericParams& numeric, const PassTables& pass) : pass_(pass) {
        for (int k = 0; k < kNmax; ++k) {
            firstReshaped_[k] = 0;
            for (int j = pass.peaks; j >= 1; --j) {
                if (pass.stepped[k][j - 1] >= 0) firstReshaped_[k] = j;
            }
        }
        if (numeric.count > 0) lastNumeric_ = numeric.index[numeric.count - 1];
    }

    // After the base model at point i of n: keeps its background and partial peak sums.
    void setBase(ParamVector& params, const PeakComponents& own, int i, int n) {
        background_ = background(params, i, n);
        float sum = 0.0f;
        for (int j = 1; j <= pass_.peaks; ++j) {
            sum += peakShare(params[kEta].b, own[j - 1]) * params[peakIntensity(j)].b;
            sumThrough_[j] = sum;
        }
    }

    // The model with parameter k stepped, whose reshaped peaks have the components
    // `stepped`. The last numerical step, and any that changes the model otherwise, takes
    // the whole evaluation, so that the vector is left as it leaves it.
    float model(ParamVector& params, const PeakComponents& stepped, int k, int i, int n) const {
        const int first = firstReshaped_[k];
        if (first == 0 || k == lastNumeric_)
            return combineModel(params, stepped, pass_.peaks, i, n);
        float sum = sumThrough_[first - 1];
        for (int j = first; j <= pass_.peaks; ++j) {
            sum += peakShare(params[kEta].b, stepped[j - 1]) * params[peakIntensity(j)].b;
        }
        return background_ + sum;
    }

  private:
    const PassTables& pass_;
    std::array<int, kNmax> firstReshaped_{};  // peak 1..9; 0 where the step reshapes none
    int lastNumeric_ = -1;
    float background_ = 0.0f;
    std::array<float, kMaxPeaks + 1> sumThrough_{};  // peak sum through peak j
};

// Simpson terms below which a pass is over sooner than a helper thread starts.
constexpr double kTermsWorthAThread = 5e5;

// The threads for a pass: as many as the engine is told, or else one per core, but just
// the calling one for a pass too small to share.
int workersFor(const LsqState& lsq, const PassTables& pass) {
    if (lsq.workers > 0) return lsq.workers;
    double terms = 0.0;
    for (const ProfileTable& table : pass.tables) terms += table.n + 1;
    return terms * lsq.ndata() < kTermsWorthAThread ? 1 : 0;
}

// Computes the rows the pass needs, then runs block(params, first, last) over all points
// but the last with a copy of the vector per block, and the last point on the engine's own
// vector, so that the vector is left as a point-by-point pass leaves it. The block before
// the last point computes its rows too, so that one point does not take lanes of its own.
template <class Block>
void overPoints(PassStore& store, LsqState& lsq, const PassTables& pass, Block&& block) {
    const int n = lsq.ndata();
    if (n == 0) return;
    const std::vector<bool> needed = prepareRows(store, lsq, pass);
    forEachBlock(n - 1, kBlockPoints, workersFor(lsq, pass), [&](int first, int last) {
        computeRows(store, pass, needed, lsq.data, first, last == n - 1 ? n : last);
        ParamVector params = lsq.params;
        block(params, first, last);
    });
    if (n == 1) computeRows(store, pass, needed, lsq.data, 0, 1);
    block(lsq.params, n - 1, n);
}

}  // namespace

double fastChisq(LsqState& lsq) {
    PassTables pass;
    buildPeakTables(pass, lsq);
    PassStore& store = threadStore;
    const int n = lsq.ndata();
    store.chisqTerms.resize(n);
    overPoints(store, lsq, pass, [&](ParamVector& params, int first, int last) {
        for (int i = first; i < last; ++i) {
            DataPoint& point = lsq.data[i];
            point.model = combineModel(params, peaksAt(pass, store.rows, n, i), pass.peaks, i, n);
            store.chisqTerms[i] = chisqTerm(point, point.model);
        }
    });
    double phi = 0.0;
    for (int i = 0; i < n; ++i) phi += store.chisqTerms[i];
    return phi;
}

void fastDerivatives(LsqState& lsq) {
    PassTables pass;
    buildDerivativeTables(pass, lsq);
    PassStore& store = threadStore;
    const int n = lsq.ndata();
    store.models.resize(n);
    store.derivs.resize(n);
    NormalSums sums(lsq.params);
    const NumericParams numeric = numericParams(lsq.params);
    overPoints(store, lsq, pass, [&](ParamVector& params, int first, int last) {
        SteppedModels stepped(numeric, pass);
        for (int i = first; i < last; ++i) {
            DataPoint& point = lsq.data[i];
            const PeakComponents own = peaksAt(pass, store.rows, n, i);
            const float m = combineModel(params, own, pass.peaks, i, n);
            point.model = m;
            stepped.setBase(params, own, i, n);
            numericDerivatives(params, numeric, m, [&](int k) {
                point.model = stepped.model(params, peaksAt(pass, store.rows, n, i, k), k, i, n);
                return point.model;
            });
            store.models[i] = m;
            store.derivs[i] = sums.pack(params);
        }
    });
    for (int i = 0; i < n; ++i) sums.add(lsq.data[i], store.models[i], store.derivs[i]);
    sums.store(lsq);
}

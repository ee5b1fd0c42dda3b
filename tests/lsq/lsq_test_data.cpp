#include "lsq_test_data.h"

#include <algorithm>
#include <cmath>

#include "lsq/model.h"
#include "lsq/param_names.h"

void resetParameters(LsqState& lsq) {
    lsq.params = ParamVector{};
    copyNameTable(lsq.params);
    lsq.params[kEta].b = 0.5;
}

void setPeak(LsqState& lsq, int j, const PeakValues& peak) {
    lsq.params[peakPosition(j)].b = peak.position;
    lsq.params[peakPosition(j)].fit = 1;
    lsq.params[peakIntensity(j)].b = peak.intensity;
    lsq.params[peakIntensity(j)].fit = 1;
    lsq.params[peakFwhm(j)].b = peak.fwhm;
    lsq.params[peakFwhm(j)].fit = lsq.individualFwhm() ? 1 : 0;
}

void setRoi(LsqState& lsq, float tthStart, float tthStep, int n) {
    lsq.data.assign(n, DataPoint{});
    for (int i = 0; i < n; ++i) {
        lsq.data[i].x = tthStart + i * tthStep;
        lsq.data[i].w = 1.0f;
    }
}

void generateObserved(LsqState& lsq) {
    for (int i = 0; i < lsq.ndata(); ++i) {
        const float counts = model_point(lsq, i);
        lsq.data[i].y = counts;
        lsq.data[i].w = 1.0f / std::sqrt(std::max(counts, 1.0f));
    }
}

int countOf(const std::string& text, const std::string& part) {
    int count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

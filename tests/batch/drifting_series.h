#pragma once
// A series of patterns made from the fit model itself: two regions of three peaks each
// (700 points a region) whose peaks drift to higher angles, widen and grow from one
// pattern to the next, on a straight background, written as .xy files.

#include <string>
#include <utility>
#include <vector>

struct TruePeak {
    double position;
    double intensity;
    double fwhm;
};

// A pattern made from the fit model: up to nine peaks on a straight background.
struct ModelPattern {
    double first = 20.0;  // two-theta of the first point
    double step = 0.01;
    int points = 1001;
    double lowBackground = 100.0, highBackground = 100.0;
    double eta = 0.4;
    double wor = 0.06;
    std::vector<TruePeak> peaks;
};

// Each point's two-theta and counts.
std::vector<std::pair<double, float>> modelPoints(const ModelPattern& model);

inline constexpr int kSeriesRegions = 2;
inline constexpr int kPeaksPerRegion = 3;
inline constexpr double kSeriesWor = 0.06;

// How far pattern k of `count` has drifted, in steps: from 0 for the first to 24 for the
// last, whatever the length of the series, so that the peaks stay inside their regions.
double driftSteps(int k, int count);

// The six peaks after `steps` steps of drift, region by region.
std::vector<TruePeak> driftingPeaks(double steps);

// A plan for the series: each region's ends and the first pattern's positions, rounded
// as a person reading them off a plot would.
std::string driftingPlan();

// Writes the pattern after `steps` steps as an .xy file (tth, counts, sigma = sqrt(counts)).
void writeDriftingPattern(const std::string& path, double steps);

// Writes patterns 0..count-1 as DIR/series_NNN.xy and returns their names.
std::vector<std::string> writeDriftingSeries(const std::string& dir, int count);

#pragma once
// Everything the least-squares engine works on: the parameter vector, the ROI data points,
// the settings, the engine scalars and the normal-matrix storage. The fit run fills the
// vector, the data and the settings, calls lsq_fit and reads the refined values back.

#include <array>
#include <ctime>
#include <functional>
#include <optional>
#include <vector>

#include "lsq/fit_param.h"
#include "lsq/kalpha2.h"

using LsqMatrix = std::array<std::array<double, kNmax>, kNmax>;

struct LsqState {
    ParamVector params;
    std::vector<DataPoint> data;  // the ROI points in ROI order
    char fwhmMode = 'n';          // 'f'/'F': one FWHM per peak; anything else: "cfwhm"
    // With a Kα2 companion every present peak is a doublet; without, a single line.
    std::optional<Kalpha2> kalpha2;

    int mesg = 1;    // report verbosity; 0 keeps the setup, iteration and final reports quiet
    int miter = 30;  // iteration limit

    // How the model is evaluated; both ways give the same numbers to the bit. The
    // reference path evaluates every profile point by point as the formulas read; the
    // default works from per-peak tables, re-evaluates only the peak a numerical step
    // moves, and spreads the points over `workers` threads (0: one per core, but none
    // besides the caller's for a pass too small to share).
    bool referencePath = false;
    int workers = 0;

    int nu = 0;            // degrees of freedom: ndata - 1 - refined parameters
    float lambda = 0.01f;  // Marquardt damping
    double phi = 0.0;      // chi-square of the accepted parameters
    double phi_new = 0.0;  // chi-square of the trial parameters
    float gamma = 0.0f;    // degrees between the scaled step and the scaled gradient
    float xl = 0.0f;       // length of the scaled step
    int iter = 0;

    // pTp stays as the last derivatives left it; the final report checks it for
    // singularity. `scaled` is its unit-diagonal form, and every solve attempt damps a
    // fresh copy of it in `work`, which the inversion overwrites.
    LsqMatrix pTp{};
    LsqMatrix scaled{};
    LsqMatrix work{};
    // s^2 pTp^-1 over the parameters free at the solution, set when the fit ends (see
    // covariance.h).
    LsqMatrix covariance{};

    // The reports' time stamp reads the clock here, so that a transcript can be pinned.
    std::function<std::time_t()> clock = [] { return std::time(nullptr); };

    int ndata() const { return static_cast<int>(data.size()); }
    bool individualFwhm() const { return fwhmMode == 'f' || fwhmMode == 'F'; }
};

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "lsq/lsq_fit.h"
#include "lsq_test_data.h"

namespace {

// Reports carry the local time; with TZ=UTC and the clock at 0 it is the epoch.
class FitReports : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* tz = std::getenv("TZ");
        hadTz_ = tz != nullptr;
        if (hadTz_) savedTz_ = tz;
        setenv("TZ", "UTC", 1);
        tzset();
    }
    void TearDown() override {
        if (hadTz_) {
            setenv("TZ", savedTz_.c_str(), 1);
        } else {
            unsetenv("TZ");
        }
        tzset();
    }

  private:
    bool hadTz_ = false;
    std::string savedTz_;
};

// Five points whose best straight background is 10 -> 30 with a misfit of 20, -10, -20,
// -10, 20 that no straight line takes away: observed 30, 5, 0, 15, 50, weight 1.
LsqState misfitLine(double low, double high) {
    LsqState lsq;
    resetParameters(lsq);
    lsq.clock = [] { return std::time_t{0}; };
    setRoi(lsq, 20.0f, 0.1f, 5);
    const float y[] = {30, 5, 0, 15, 50};
    for (int i = 0; i < 5; ++i) lsq.data[i].y = y[i];
    lsq.params[kLowBkgnd].b = low;
    lsq.params[kHighBkgnd].b = high;
    return lsq;
}

}  // namespace

// The ends start 6 off the best line in the direction (+1, -1). The misfit is orthogonal to
// both background shares, so chi-square is 1400 + 2.5 e^2 for an offset e: 1490 at the
// start, over nu = 2 degrees of freedom 745. pTp is [[1.875, 0.625], [0.625, 1.875]],
// both scales sqrt(1.875), the scaled matrix [[1, 1/3], [1/3, 1]]; the gradient
// 1.25 * 6 * (-1, 1) is its eigenvector of eigenvalue 2/3, so the damped step is
// 6 * (2/3) / (2/3 + 0.01) = 5.91133 along it (gamma 0), b = 10.0887 and 29.9113, e =
// 0.0887, chi-square / nu = 700.0098, xl = 5.91133 * sqrt(2 * 1.875) = 11.4472, and from
// the covariance, (pTp^-1)_kk = 1.875 / 3.125 = 0.6, se = sqrt(700.0098 * 0.6) = 20.49 (the
// diagonal alone would say 19.32). With miter = 1 the run stops there by force.
TEST_F(FitReports, GoldenTranscriptOfOneIterationForcedOff) {
    LsqState lsq = misfitLine(16.0, 24.0);
    lsq.params[kLowBkgnd].fit = 1;
    lsq.params[kHighBkgnd].fit = 1;
    lsq.miter = 1;
    StringConsole out;
    EXPECT_EQ(lsq_fit(lsq, out.console), 0);
    const std::string expected =
        "\n\n"
        "\n\n   Thu Jan  1 00:00:00 1970\n"
        "ndata = 5   nmax = 32   nadj = 2   mesg = 1, miter = 1\n"
        "\nParam                  name  fit  ad  initial value\n"
        " 0                    cfwhm  0    0   0.00000e+00\n"
        " 1                      eta  0    1   5.00000e-01\n"
        " 2                      w/r  0    0   0.00000e+00\n"
        " 3                low bkgnd  1    1   1.60000e+01\n"
        " 4               high bkgnd  1    1   2.40000e+01\n"
        " 5          1st pk position  0    0   0.00000e+00\n"
        " 6         1st pk intensity  0    1   0.00000e+00\n"
        " 7              1st pk FWHM  0    0   0.00000e+00\n"
        " 8          2nd pk position  0    0   0.00000e+00\n"
        " 9         2nd pk intensity  0    1   0.00000e+00\n"
        "10              2nd pk FWHM  0    0   0.00000e+00\n"
        "11          3rd pk position  0    0   0.00000e+00\n"
        "12         3rd pk intensity  0    1   0.00000e+00\n"
        "13              3rd pk FWHM  0    0   0.00000e+00\n"
        "14          4th pk position  0    0   0.00000e+00\n"
        "15         4th pk intensity  0    1   0.00000e+00\n"
        "16              4th pk FWHM  0    0   0.00000e+00\n"
        "17          5th pk position  0    0   0.00000e+00\n"
        "18         5th pk intensity  0    1   0.00000e+00\n"
        "19              5th pk FWHM  0    0   0.00000e+00\n"
        "20          6th pk position  0    0   0.00000e+00\n"
        "21         6th pk intensity  0    1   0.00000e+00\n"
        "22              6th pk FWHM  0    0   0.00000e+00\n"
        "23          7th pk position  0    0   0.00000e+00\n"
        "24         7th pk intensity  0    1   0.00000e+00\n"
        "25              7th pk FWHM  0    0   0.00000e+00\n"
        "26          8th pk position  0    0   0.00000e+00\n"
        "27         8th pk intensity  0    1   0.00000e+00\n"
        "28              8th pk FWHM  0    0   0.00000e+00\n"
        "29          9th pk position  0    0   0.00000e+00\n"
        "30         9th pk intensity  0    1   0.00000e+00\n"
        "31              9th pk FWHM  0    0   0.00000e+00\n"
        "Initial chisq =  7.4500e+02\n"
        "!\b"
        "iter = 1, xisq = 700.01, lambda = 1.0e-02, gamma =   0, xl = 11.4472\n"
        " 3            low bkgnd db = -5.91133e+00, b =  1.00887e+01\n"
        " 4           high bkgnd db =  5.91133e+00, b =  2.99113e+01\n"
        "\n\n   Thu Jan  1 00:00:00 1970\n"
        "Force off\n"
        "iter = 2, xisq = 700.01, lambda = 1.0e-03, gamma =   0, xl = 11.4472\n"
        " 0                cfwhm                    b =  0.00000e+00, held constant\n"
        " 1                  eta                    b =  5.00000e-01, held constant\n"
        " 2                  w/r                    b =  0.00000e+00, held constant\n"
        " 3            low bkgnd db = -5.91133e+00, b =  1.00887e+01, se =  2.05e+01\n"
        " 4           high bkgnd db =  5.91133e+00, b =  2.99113e+01, se =  2.05e+01\n"
        " 5      1st pk position                    b =  0.00000e+00, held constant\n"
        " 6     1st pk intensity                    b =  0.00000e+00, held constant\n"
        " 7          1st pk FWHM                    b =  0.00000e+00, held constant\n"
        " 8      2nd pk position                    b =  0.00000e+00, held constant\n"
        " 9     2nd pk intensity                    b =  0.00000e+00, held constant\n"
        "10          2nd pk FWHM                    b =  0.00000e+00, held constant\n"
        "11      3rd pk position                    b =  0.00000e+00, held constant\n"
        "12     3rd pk intensity                    b =  0.00000e+00, held constant\n"
        "13          3rd pk FWHM                    b =  0.00000e+00, held constant\n"
        "14      4th pk position                    b =  0.00000e+00, held constant\n"
        "15     4th pk intensity                    b =  0.00000e+00, held constant\n"
        "16          4th pk FWHM                    b =  0.00000e+00, held constant\n"
        "17      5th pk position                    b =  0.00000e+00, held constant\n"
        "18     5th pk intensity                    b =  0.00000e+00, held constant\n"
        "19          5th pk FWHM                    b =  0.00000e+00, held constant\n"
        "20      6th pk position                    b =  0.00000e+00, held constant\n"
        "21     6th pk intensity                    b =  0.00000e+00, held constant\n"
        "22          6th pk FWHM                    b =  0.00000e+00, held constant\n"
        "23      7th pk position                    b =  0.00000e+00, held constant\n"
        "24     7th pk intensity                    b =  0.00000e+00, held constant\n"
        "25          7th pk FWHM                    b =  0.00000e+00, held constant\n"
        "26      8th pk position                    b =  0.00000e+00, held constant\n"
        "27     8th pk intensity                    b =  0.00000e+00, held constant\n"
        "28          8th pk FWHM                    b =  0.00000e+00, held constant\n"
        "29      9th pk position                    b =  0.00000e+00, held constant\n"
        "30     9th pk intensity                    b =  0.00000e+00, held constant\n"
        "31          9th pk FWHM                    b =  0.00000e+00, held constant\n";
    EXPECT_EQ(out.text(), expected);
}

// Nothing refined: the step is empty, chi-square cannot fall, gamma is 0, and the first
// halving meets the epsilon test. 1400 / (5 - 1) = 350.
TEST_F(FitReports, NothingRefinedEndsByTheGammaEpsilonTest) {
    LsqState lsq = misfitLine(10.0, 30.0);
    StringConsole out;
    EXPECT_EQ(lsq_fit(lsq, out.console), 1);
    const std::string text = out.text();
    EXPECT_NE(text.find("ndata = 5   nmax = 32   nadj = 0   mesg = 1, miter = 30\n"),
              std::string::npos);
    const std::string ending =
        "Initial chisq =  3.5000e+02\n"
        "!\bphi increases, gamma < GAMCR.  Halve correction vecor\n"
        "\n\n   Thu Jan  1 00:00:00 1970\n"
        "Convergence by gamma epsilon test\n"
        "iter = 1, xisq =   350, lambda = 1.0e-02, gamma =   0, xl =   0\n"
        " 0                cfwhm                    b =  0.00000e+00, held constant\n";
    EXPECT_NE(text.find(ending), std::string::npos);
    EXPECT_EQ(countOf(text, "held constant\n"), kNmax);
    EXPECT_EQ(countOf(text, "db ="), 0);
    EXPECT_EQ(lsq.params[kLowBkgnd].b, 10.0);
    EXPECT_EQ(lsq.params[kHighBkgnd].b, 30.0);
}

TEST_F(FitReports, QuietFitPrintsOnlyTheStepMessages) {
    LsqState lsq = misfitLine(10.0, 30.0);
    lsq.mesg = 0;
    StringConsole out;
    lsq_fit(lsq, out.console);
    EXPECT_EQ(out.text(), "!\bphi increases, gamma < GAMCR.  Halve correction vecor\n");
}

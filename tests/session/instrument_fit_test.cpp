// A fit on the peak of a Bruker RAW file lands where an independent fitter, fityk (which
// reads the file through its own copy of xylib), puts it.

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "fit_session.h"
#include "support/import_samples.h"

namespace {

// The centre of a Gaussian that fityk fits to the file between the two angles; NaN when
// cfityk cannot run.
double fitykCentre(const std::string& file, double from, double to) {
    std::ofstream script("centre.fit");
    script << "@0 < " << file << "\nA = (x > " << from << " and x < " << to << ")\n"
           << "guess Gaussian\nfit\nprint %_1.center\n";
    script.close();
    if (std::system("cfityk -q -n centre.fit > centre.out 2>&1") != 0) return std::nan("");
    std::istringstream lines(readFile("centre.out"));
    std::string line, last;
    while (std::getline(lines, line))
        if (!line.empty()) last = line;
    return std::strtod(last.c_str(), nullptr);
}

class InstrumentFit : public FitSession {
  protected:
    void SetUp() override { writeImportSamples(); }
};

}  // namespace

TEST_F(InstrumentFit, APeakOfARawFileLandsWhereFitykPutsIt) {
    if (std::system("command -v cfityk >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "cfityk (Debian fityk) is not installed";
    const double reference = fitykCentre("quartz.raw", 11.5, 12.5);
    ASSERT_TRUE(std::isfinite(reference)) << readFile("centre.out");

    key('B');  // to the peak side
    click(11.51f, 500);
    click(12.49f, 500);
    rightClick(12.0f, 500);  // the fitting mode, 11.51 .. 12.49
    for (const float x : {11.54f, 12.46f, 12.02f}) pick(x);
    key('F');
    click(12.0f, 500);  // accepted
    key('q');
    run("0.0001\npeak.fit\n\n\n\n\n", "quartz.raw");
    ASSERT_EQ(result.status, 0) << result.transcript;
    std::istringstream fitted(readFile("peak.fit"));
    std::string line;
    std::getline(fitted, line);  // the header
    double tth = 0.0;
    ASSERT_TRUE(fitted >> tth) << readFile("peak.fit");
    EXPECT_NEAR(tth, reference, 0.002);
    EXPECT_NEAR(tth, 12.0, 0.002);
}

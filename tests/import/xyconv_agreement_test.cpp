// xrdconvert's .xy output of instrument files against what xylib's own converter, xyconv,
// reads from the same files, to the precision the .xy format writes.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "convert/convert_main.h"
#include "support/import_samples.h"
#include "support/temp_dir.h"

namespace {

struct Point {
    double tth;
    double cts;
};

// The points of the first block of an xyconv output (comment lines start with '#').
std::vector<Point> xyconvPoints(const std::string& text) {
    std::vector<Point> points;
    std::istringstream lines(text);
    std::string line;
    bool inBlock = false;
    while (std::getline(lines, line)) {
        if (line.rfind("### block #1", 0) == 0) break;
        if (line.empty() || line[0] == '#') continue;
        inBlock = true;
        Point p{};
        std::istringstream(line) >> p.tth >> p.cts;
        points.push_back(p);
    }
    return inBlock ? points : std::vector<Point>{};
}

std::vector<Point> xyPoints(const std::string& text) {
    std::vector<Point> points;
    std::istringstream lines(text);
    Point p{};
    double sig = 0.0;
    while (lines >> p.tth >> p.cts >> sig) points.push_back(p);
    return points;
}

bool haveXyconv() {
    return std::system("command -v xyconv >/dev/null 2>&1") == 0;
}

}  // namespace

TEST(XyconvAgreement, XrdconvertWritesThePointsXyconvReads) {
    if (!haveXyconv()) GTEST_SKIP() << "xyconv (Debian libxy-bin) is not installed";
    TempDir dir;
    writeImportSamples(3001);
    for (const std::string name : {"quartz.raw", "quartz.uxd", "quartz.xrdml"}) {
        SCOPED_TRACE(name);
        std::ostringstream out, err;
        ASSERT_EQ(convertMain({"--to", "xy", "--force", name}, out, err, false), 0) << err.str();
        const std::string reference = name + ".txt";
        ASSERT_EQ(std::system(("xyconv -s " + name + " " + reference).c_str()), 0);
        const std::vector<Point> theirs = xyconvPoints(readFile(reference));
        const std::vector<Point> ours = xyPoints(readFile("quartz.xy"));
        ASSERT_EQ(ours.size(), 3001u);
        ASSERT_EQ(theirs.size(), ours.size());
        for (std::size_t i = 0; i < ours.size(); ++i) {
            EXPECT_NEAR(ours[i].tth, theirs[i].tth, 0.0005 + 1e-9) << i;   // "%8.3f"
            EXPECT_EQ(ours[i].cts, std::trunc(theirs[i].cts + 0.5)) << i;  // "%7ld"
        }
    }
}

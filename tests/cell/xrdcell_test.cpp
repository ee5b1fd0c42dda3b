// xrdcell from its command line: the sources it reads, its tables, its files and its
// refusals of bad input, each naming what is wrong.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <sstream>

#include "cell/cell_main.h"
#include "cell/line_lists.h"
#include "support/temp_dir.h"

namespace {

struct CellRun {
    int status;
    std::string out, err;
};

CellRun xrdcell(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = cellMain(args, out, err);
    return {status, out.str(), err.str()};
}

std::string firstLine(const std::string& text) {
    return text.substr(0, text.find('\n'));
}

// Cu, face-centred cubic, its eight lines with Cu Kalpha1.
const char* const kCopper =
    "43.3035\n50.4347\n74.1307\n89.9310\n95.1427\n116.9254\n136.5123\n144.7163\n";

TEST(Xrdcell, BadInputIsRefusedWithWhatIsWrong) {
    TempDir dir;
    writeFile("three.txt", "43.3\n50.4\n74.1\n");
    writeFile("beyond.txt", "43.3\n50.4\n74.1\n185\n");
    writeFile("word.txt", "43.3\n50.4\nfifty\n74.1\n");
    writeFile("copper.txt", kCopper);
    writeFile("mixed.dsp",
              "43.3035 2.08766 100\n50.4347 1.80800 50\n74.1307 1.4 20\n"
              "89.9310 1.09021 20\n");
    const struct {
        std::vector<std::string> args;
        int status;
        std::string message;
    } rows[] = {
        {{"--anode", "Cu", "three.txt"}, 1, "three.txt: 3 usable lines; at least 4 are needed"},
        {{"--anode", "Cu", "beyond.txt"},
         1,
         "beyond.txt:4: two-theta 185 does not lie between 0 and 180 degrees"},
        {{"--anode", "Cu", "word.txt"}, 1, "word.txt:3: 'fifty' is not a two-theta value"},
        {{"copper.txt"}, 1, "copper.txt: no radiation is known for its two-theta values"},
        {{"mixed.dsp"}, 1, "mixed.dsp: its two-theta and d values do not follow one wavelength"},
        {{"--anode", "Cu", "missing.txt"}, 1, "missing.txt: cannot be opened"},
        {{"--cell", "cubical 3.6", "copper.txt"}, 2, "the system is one of cubic"},
        {{"--cell", "cubic 3.6 x", "copper.txt"}, 2, "'x' is not a positive number"},
        {{"--cell", "tetragonal 3.6", "copper.txt"}, 2, "takes 6 parameters or 2 (a c)"},
        {{"--cell", "cubic 3.6 3.7 3.6 90 90 90", "copper.txt"}, 2, "break the ties"},
        {{"--cell", "cubic Q 3.6", "copper.txt"}, 2, "'Q' is no centring of a cubic cell"},
        {{"--zero", "free", "copper.txt"}, 2, "--zero takes fixed or refined, not 'free'"},
        {{"--lines", "3", "copper.txt"}, 2, "--lines takes a whole number from 4"},
        {{"--systems", "triclinic", "copper.txt"}, 2, "--systems takes cubic"},
        {{"copper.txt", "copper.txt"}, 2, "give one SOURCE, not 2"},
        {{}, 2, "no SOURCE to index"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.message);
        const CellRun run = xrdcell(row.args);
        EXPECT_EQ(run.status, row.status);
        EXPECT_NE(run.err.find(row.message), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
    }
}

// Every source names the same cell: a list with --anode, a .dsp with its own wavelength and
// an xrdfit table's ok rows of its first pattern (with tth_se as weights).
TEST(Xrdcell, EverySourceIndexesTheSameCell) {
    TempDir dir;
    writeFile("copper.txt", kCopper);
    std::string dsp, table =
                         "pattern\tregion\tpeak\ttth\ttth_se\tintensity\tintensity_se\tfwhm\t"
                         "fwhm_se\teta\twor\tchi2\titerations\tstatus\td\td_se\tflags\n";
    std::istringstream lines(kCopper);
    for (double tth; lines >> tth;) {
        const double d = 1.5405929 / (2 * std::sin(tth / 2 * 3.14159265358979 / 180));
        char text[600];
        std::snprintf(text, sizeof text, "%9.4f %10.5f %12.1f\n", tth, d, 100.0);
        dsp += text;
        std::snprintf(text, sizeof text,
                      "cu.xy\t1\t1\t%f\t3.0e-03\t1\t1\t0.1\t0.01\t0.5\t0\t1\t5\tok\t%f\t1e-4\t\n"
                      "other.xy\t1\t1\t%f\t3.0e-03\t1\t1\t0.1\t0.01\t0.5\t0\t1\t5\tok\t%f\t1e-4\t\n"
                      "cu.xy\t2\t1\t30.0\tnan\tnan\tnan\tnan\tnan\tnan\tnan\tnan\t0\tdiverged\t"
                      "nan\tnan\t\n",
                      tth, d, tth + 1, d);
        table += text;
    }
    writeFile("copper.dsp", dsp);
    writeFile("copper.tsv", table);
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--anode", "Cu", "copper.txt"},
          {"copper.dsp"},
          {"copper.tsv"}}) {
        SCOPED_TRACE(args.back());
        const CellRun run = xrdcell(args);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(firstLine(run.out),
                  "rank\tsystem\tcentring\ta\tb\tc\talpha\tbeta\tgamma\tvolume\tzero\tM20\tF_N"
                  "\tindexed\tN_calc\tdelta_tth");
        const std::string best = run.out.substr(run.out.find('\n') + 1);
        EXPECT_EQ(best.substr(0, best.find("\t3.61")), "1\tcubic\tF") << best;
        EXPECT_NE(best.find("\t8/8\t"), std::string::npos) << best;
    }
    EXPECT_NE(xrdcell({"copper.tsv"}).err.find("the lines of its first pattern, cu.xy, are used"),
              std::string::npos);
}

// --cell: one row with an _se column after each refined value; the report and picture.
TEST(Xrdcell, GivenCellRefinedWithItsEsdsReportAndPicture) {
    TempDir dir;
    std::mt19937 random(7);
    DrawSettings drawing;
    const KnownCell& zinc = knownCells()[6];
    writeFile("zinc.txt", lineListText(drawLines(zinc.cell, drawing, random).tth));
    const struct {
        std::vector<std::string> options;
        std::string header;
    } rows[] = {
        {{},
         "rank\tsystem\tcentring\ta\ta_se\tb\tc\tc_se\talpha\tbeta\tgamma\tvolume\tvolume_se\tzero"
         "\tzero_se\tM20\tF_N\tindexed\tchi2\tdof"},
        {{"--zero", "fixed", "--displacement"},
         "rank\tsystem\tcentring\ta\ta_se\tb\tc\tc_se\talpha\tbeta\tgamma\tvolume\tvolume_se\tzero"
         "\tdisplacement\tdisplacement_se\tM20\tF_N\tindexed\tchi2\tdof"},
    };
    for (const auto& row : rows) {
        std::vector<std::string> args{"--wavelength", "1.5405929", "--cell", "hexagonal 2.66 4.95",
                                      "--report",     "zinc.rep",  "--plot", "zinc.png",
                                      "zinc.txt"};
        args.insert(args.begin(), row.options.begin(), row.options.end());
        const CellRun run = xrdcell(args);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(firstLine(run.out), row.header);
        EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 2);
        EXPECT_EQ(run.out.substr(firstLine(run.out).size() + 1, 18), "1\thexagonal\tP\t2.66");
        const std::string report = readFile("zinc.rep");
        for (const char* part : {"a = 2.66", "c = 4.94", "volume = ", "degrees of freedom",
                                 "h k l\t2theta_obs", "  0 0 2\t", "unindexed lines: "})
            EXPECT_NE(report.find(part), std::string::npos) << part << '\n' << report;
        EXPECT_TRUE(fileExists("zinc.png"));
    }
    // A cell that indexes too few lines says so and ends with 1.
    const CellRun wrong = xrdcell({"--anode", "Cu", "--cell", "cubic 4.4", "zinc.txt"});
    EXPECT_EQ(wrong.status, 1);
    EXPECT_NE(wrong.err.find("zinc.txt: "), std::string::npos) << wrong.err;
}

}  // namespace

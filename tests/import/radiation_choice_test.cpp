// The radiation a batch program works with: the command line's options, the values of a
// file's statement, the file before the options, --no-ka2, and the line that says which.

#include "import/radiation_choice.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "convert/command_line.h"
#include "loaded_pattern.h"
#include "support/import_samples.h"
#include "support/temp_dir.h"

namespace {

struct Expected {
    double lambda1;
    std::optional<double> lambda2;
    double ratio;
};

void expectRadiation(const std::optional<Radiation>& got, const std::optional<Expected>& want) {
    ASSERT_EQ(got.has_value(), want.has_value());
    if (!want) return;
    EXPECT_DOUBLE_EQ(got->lambda1, want->lambda1);
    ASSERT_EQ(got->lambda2.has_value(), want->lambda2.has_value());
    if (want->lambda2) {
        EXPECT_DOUBLE_EQ(*got->lambda2, *want->lambda2);
    }
    EXPECT_DOUBLE_EQ(got->ratio, want->ratio);
}

struct OptionCase {
    std::vector<std::pair<std::string, std::string>> options;  // value "" for a flag
    std::optional<Expected> given;
    bool noKa2;
    std::string error;  // empty: accepted
};

}  // namespace

TEST(RadiationOptions, AnodesWavelengthsAndNoKa2) {
    const std::vector<OptionCase> cases = {
        {{{"--anode", "Cu"}}, Expected{1.5405929, 1.5444140, 0.5}, false, ""},
        {{{"--anode", "co"}}, Expected{1.7889960, 1.7928350, 0.5}, false, ""},
        {{{"--anode", "FE"}}, Expected{1.9360413, 1.9399730, 0.5}, false, ""},
        {{{"--anode", "Cr"}}, Expected{2.2897260, 2.2936510, 0.5}, false, ""},
        {{{"--anode", "Mo"}}, Expected{0.7093171, 0.7136070, 0.5}, false, ""},
        {{{"--anode", "Ag"}, {"--no-ka2", ""}}, Expected{0.5594218, 0.5638131, 0.5}, true, ""},
        {{{"--anode", "W"}},
         std::nullopt,
         false,
         "unknown anode 'W' for --anode (use Cu, Co, Fe, Cr, Mo, Ag)"},
        {{{"--anode", "Cuu"}},
         std::nullopt,
         false,
         "unknown anode 'Cuu' for --anode (use Cu, Co, "
         "Fe, Cr, Mo, Ag)"},
        {{{"--wavelength", "0.4"}}, Expected{0.4, std::nullopt, 0.5}, false, ""},
        {{{"--wavelength", "1.5406,1.5444"}}, Expected{1.5406, 1.5444, 0.5}, false, ""},
        {{{"--wavelength", "1.5406,1.5444,0.48"}}, Expected{1.5406, 1.5444, 0.48}, false, ""},
        {{{"--wavelength", "1.5406,1.5444,1"}}, Expected{1.5406, 1.5444, 1.0}, false, ""},
        {{{"--no-ka2", ""}}, std::nullopt, true, ""},
        {{{"--no-ka3", ""}}, std::nullopt, false, "unknown option '--no-ka3'"},
        {{{"--wavelength", "abc"}},
         std::nullopt,
         false,
         "--wavelength needs L1[,L2[,RATIO]] in Angstrom, not 'abc'"},
        {{{"--wavelength", "1.5406,"}},
         std::nullopt,
         false,
         "--wavelength needs L1[,L2[,RATIO]] in Angstrom, not '1.5406,'"},
        {{{"--wavelength", "1.5406,1.5444,0.5,1"}},
         std::nullopt,
         false,
         "--wavelength needs L1[,L2[,RATIO]] in Angstrom, not '1.5406,1.5444,0.5,1'"},
        {{{"--wavelength", " 1.5"}},
         std::nullopt,
         false,
         "--wavelength needs L1[,L2[,RATIO]] in Angstrom, not ' 1.5'"},
        {{{"--wavelength", "nan"}},
         std::nullopt,
         false,
         "--wavelength needs L1[,L2[,RATIO]] in Angstrom, not 'nan'"},
        {{{"--wavelength", "0"}},
         std::nullopt,
         false,
         "--wavelength: wavelengths lie from 0.01 to 10 Angstrom and L2 within 5 % above L1, not "
         "'0'"},
        {{{"--wavelength", "-1.54"}},
         std::nullopt,
         false,
         "--wavelength: wavelengths lie from 0.01 to 10 Angstrom and L2 within 5 % above L1, not "
         "'-1.54'"},
        {{{"--wavelength", "15"}},
         std::nullopt,
         false,
         "--wavelength: wavelengths lie from 0.01 to 10 Angstrom and L2 within 5 % above L1, not "
         "'15'"},
        {{{"--wavelength", "1.5444,1.5406"}},
         std::nullopt,
         false,
         "--wavelength: wavelengths lie from 0.01 to 10 Angstrom and L2 within 5 % above L1, not "
         "'1.5444,1.5406'"},
        {{{"--wavelength", "1.5406,1.7"}},
         std::nullopt,
         false,
         "--wavelength: wavelengths lie from 0.01 to 10 Angstrom and L2 within 5 % above L1, not "
         "'1.5406,1.7'"},
        {{{"--wavelength", "1.5406,1.5444,0"}},
         std::nullopt,
         false,
         "--wavelength: the intensity ratio lies above 0 and at most 1, not '1.5406,1.5444,0'"},
        {{{"--wavelength", "1.5406,1.5444,1.5"}},
         std::nullopt,
         false,
         "--wavelength: the intensity ratio lies above 0 and at most 1, not "
         "'1.5406,1.5444,1.5'"},
        {{{"--anode", "Cu"}, {"--wavelength", "1.5"}},
         Expected{1.5405929, 1.5444140, 0.5},
         false,
         "give the radiation once, with --anode or --wavelength"},
    };
    for (const OptionCase& c : cases) {
        RadiationRequest radiation;
        OptionTable table{flagOption("--no-ka2", radiation.noKa2)};
        addRadiationOptions(table, radiation);
        std::vector<std::string> args, operands;
        for (const auto& [name, value] : c.options) {
            args.push_back(name);
            if (!value.empty()) args.push_back(value);
        }
        std::string error;
        const CommandLineWalk walk = walkCommandLine(args, table, operands, error);
        EXPECT_EQ(walk, c.error.empty() ? CommandLineWalk::Run : CommandLineWalk::UsageError);
        EXPECT_EQ(error, c.error);
        EXPECT_TRUE(operands.empty());
        expectRadiation(radiation.given, c.given);
        EXPECT_EQ(radiation.noKa2, c.noKa2);
    }
}

TEST(RadiationOptions, StatementValuesFileBeforeOptionsAndTheLineThatSaysSo) {
    const struct {
        std::string statement;
        std::optional<Expected> stated;
    } statements[] = {
        {"anode Cu, alpha1 1.5406, alpha2 1.54439", Expected{1.5406, 1.54439, 0.5}},
        {"anode Cu, alpha1 1.5406, alpha2 1.54439, ratio 0.52", Expected{1.5406, 1.54439, 0.52}},
        {"alpha1 1.540600 Angstrom, alpha2 1.544390", Expected{1.5406, 1.54439, 0.5}},
        {"alpha1 1.5406, alpha2 1.5406", Expected{1.5406, std::nullopt, 0.5}},  // one line
        {"alpha1 1.5406, alpha2 0.5", Expected{1.5406, std::nullopt, 0.5}},
        {"alpha1 1.5406, alpha2 1.54439, ratio 7", Expected{1.5406, 1.54439, 0.5}},
        {"alpha1 1.5406, alpha2 1.54439, ratio 0.0", Expected{1.5406, std::nullopt, 0.5}},
        {"anode Co, ratio 0", Expected{1.7889960, std::nullopt, 0.5}},
        {"anode Mo", Expected{0.7093171, 0.7136070, 0.5}},
        {"anode Mo, alpha1 junk", Expected{0.7093171, 0.7136070, 0.5}},
        {"wavelength 0.41", Expected{0.41, std::nullopt, 0.5}},
        {"anode Unobtainium", std::nullopt},
        {"alpha1 5000", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& s : statements) {
        SCOPED_TRACE(s.statement);
        const std::optional<Radiation> stated = statedValues(s.statement);
        expectRadiation(stated, s.stated);
        if (stated) {
            EXPECT_EQ(stated->source, "stated by the file");
        }
    }

    const Radiation file{1.5406, 1.54439, 0.5, "stated by the file"};
    std::string error;
    const std::optional<Radiation> monochromatic = parseWavelengths("0.5", error);
    const RadiationRequest mo{anodeRadiation("Mo"), false};
    const struct {
        std::optional<Radiation> stated;
        RadiationRequest request;
        std::string line;
    } choices[] = {
        {file, mo,
         "radiation: alpha1 1.540600 A, alpha2 1.544390 A, ratio 0.5 (stated by the file)"},
        {std::nullopt, mo,
         "radiation: alpha1 0.709317 A, alpha2 0.713607 A, ratio 0.5 (--anode Mo)"},
        {file,
         {std::nullopt, true},
         "radiation: alpha1 1.540600 A, single lines (stated by the file; Kalpha2 left out by "
         "--no-ka2)"},
        {statedValues("alpha1 1.540598, alpha2 1.544426, ratio 0"),
         {},
         "radiation: alpha1 1.540598 A, single lines (stated by the file)"},
        {std::nullopt,
         {monochromatic, true},
         "radiation: alpha1 0.500000 A, single lines (--wavelength)"},
        {std::nullopt,
         {std::nullopt, true},
         "radiation: none known (--anode or --wavelength names it)"},
    };
    for (const auto& c : choices)
        EXPECT_EQ(describeRadiation(chooseRadiation(c.stated, c.request)), c.line);
}

// What the instrument files state reaches the pattern; a text pattern states nothing.
TEST(RadiationOptions, InstrumentFilesCarryTheirRadiation) {
    TempDir dir;
    writeImportSamples();
    writeFile("ratio.uxd",
              "_WL1=1.788996\n_WL2=1.792835\n_WLRATIO=0.48\n_STEPSIZE=0.02\n_START=10\n"
              "_COUNTS\n100 110 120 130\n");
    writeFile("mono.uxd",
              "_WL1=1.540598\n_WL2=1.544426\n_WLRATIO=0.0\n_STEPSIZE=0.02\n_START=10\n"
              "_COUNTS\n100 110 120 130\n");
    const struct {
        const char* name;
        int range;
        std::optional<Expected> radiation;
    } files[] = {
        {"quartz.raw", 1, Expected{1.5406, 1.54439, 0.5}},
        {"quartz.xrdml", 1, Expected{1.5406, 1.54439, 0.5}},
        {"tubes.xrdml", 1, Expected{1.5406, 1.54439, 0.5}},
        {"tubes.xrdml", 2, Expected{1.789, 1.7929, 0.49}},  // each measurement its own tube
        {"quartz.uxd", 1, Expected{1.5406, 1.54439, 0.5}},
        {"ratio.uxd", 1, Expected{1.788996, 1.792835, 0.48}},
        {"mono.uxd", 1, Expected{1.540598, std::nullopt, 0.5}},  // ratio 0: single lines
        {"quartz.csv", 1, std::nullopt},
    };
    for (const auto& f : files) {
        SCOPED_TRACE(std::string(f.name) + " range " + std::to_string(f.range));
        const Loaded loaded = load(f.name, {"", f.range});
        ASSERT_TRUE(loaded.ok) << loaded.transcript;
        expectRadiation(loaded.store->radiation, f.radiation);
    }
}

#include "lsq/param_names.h"

const std::array<ParamName, kParamNameRows> kParamNames = {{
    {"cfwhm", 0},
    {"eta", 1},
    {"w/r", 0},
    {"low bkgnd", 1},
    {"high bkgnd", 1},
    {"1st pk position", 0},
    {"1st pk intensity", 1},
    {"1st pk FWHM", 0},
    {"2nd pk position", 0},
    {"2nd pk intensity", 1},
    {"2nd pk FWHM", 0},
    {"3rd pk position", 0},
    {"3rd pk intensity", 1},
    {"3rd pk FWHM", 0},
    {"4th pk position", 0},
    {"4th pk intensity", 1},
    {"4th pk FWHM", 0},
    {"5th pk position", 0},
    {"5th pk intensity", 1},
    {"5th pk FWHM", 0},
    {"6th pk position", 0},
    {"6th pk intensity", 1},
    {"6th pk FWHM", 0},
    {"7th pk position", 0},
    {"7th pk intensity", 1},
    {"7th pk FWHM", 0},
    {"8th pk position", 0},
    {"8th pk intensity", 1},
    {"8th pk FWHM", 0},
    {"9th pk position", 0},
    {"9th pk intensity", 1},
    {"9th pk FWHM", 0},
    {"10th pk position", 0},
    {"10th pk intensity", 1},
    {"10th pk FWHM", 0},
}};

void copyNameTable(ParamVector& params) {
    for (int k = 0; k < kNmax; ++k) {
        params[k].name = kParamNames[k].name;
        params[k].ad = kParamNames[k].ad;
    }
}

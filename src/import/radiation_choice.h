#pragma once
// Which radiation a batch program works with: what the file states, else what the command
// line gives (--anode, --wavelength), with --no-ka2 leaving the Kα2 line out.

#include <optional>
#include <string>

#include "pattern/radiation.h"

struct RadiationRequest {
    std::optional<Radiation> given;  // --anode or --wavelength
    bool noKa2 = false;              // --no-ka2: single lines whatever the file says
};

// The Kα1 and Kα2 lines of an anode --anode knows (Cr, Fe, Co, Cu, Mo, Ag, in any case),
// intensity ratio 0.5; none for another name.
std::optional<Radiation> anodeRadiation(const std::string& anode);

// The anodes' names for messages: "Cu, Co, Fe, Cr, Mo, Ag".
const char* anodeNames();

// The rule that wavelengths and ratio break ("wavelengths lie from 0.01 to 10 Angstrom and
// L2 within 5 % above L1", "the intensity ratio lies above 0 and at most 1"); none when
// they are a tube's lines.
std::optional<std::string> wavelengthsProblem(const Radiation& radiation);

// "L1[,L2[,RATIO]]" in Å; one wavelength is monochromatic. None, with `error` set, when a
// value is not a number, a wavelength lies outside 0.01 to 10 Å, L2 is not longer than L1
// by less than 5 %, or the ratio lies outside (0, 1].
std::optional<Radiation> parseWavelengths(const std::string& text, std::string& error);

// The values of a file's radiation statement ("anode Cu, alpha1 1.5406, alpha2 1.54439,
// ratio 0.5", as the instrument readers print it): the stated wavelengths, else the anode's
// lines; none when it states neither usably. A ratio of 0 states single lines.
std::optional<Radiation> statedValues(const std::string& statement);

// The file's radiation if it states one, else the request's; --no-ka2 drops Kα2.
std::optional<Radiation> chooseRadiation(const std::optional<Radiation>& stated,
                                         const RadiationRequest& request);

// The one line saying which radiation is used and where it came from, without a line end:
// "radiation: alpha1 1.540593 A, alpha2 1.544414 A, ratio 0.5 (stated by the file)".
std::string describeRadiation(const std::optional<Radiation>& radiation);

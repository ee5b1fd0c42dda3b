#include "import/radiation_choice.h"

#include <array>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <vector>

namespace {

struct AnodeLines {
    const char* name;
    double alpha1;
    double alpha2;
};

// International Tables for Crystallography Vol. C, Table 4.2.2.1 (Å).
constexpr std::array<AnodeLines, 6> kAnodes{{
    {"Cu", 1.5405929, 1.5444140},
    {"Co", 1.7889960, 1.7928350},
    {"Fe", 1.9360413, 1.9399730},
    {"Cr", 2.2897260, 2.2936510},
    {"Mo", 0.7093171, 0.7136070},
    {"Ag", 0.5594218, 0.5638131},
}};

constexpr double kShortest = 0.01;
constexpr double kLongest = 10.0;
constexpr double kWidestDoublet = 1.05;  // a Kα2 line lies within 5 % of its Kα1 line
constexpr double kDefaultRatio = 0.5;

bool sameName(const std::string& a, const char* b) {
    std::size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return i == a.size() && b[i] == '\0';
}

// The whole of `text` as a finite number.
std::optional<double> number(const std::string& text) {
    if (text.empty() || std::isspace(static_cast<unsigned char>(text[0]))) return std::nullopt;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (*end != '\0' || !std::isfinite(value)) return std::nullopt;
    return value;
}

// The leading number of a stated value ("1.5406", "1.5406 Angstrom").
std::optional<double> leadingNumber(const std::string& text) {
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (end == text.c_str() || !std::isfinite(value)) return std::nullopt;
    return value;
}

bool usableWavelength(double lambda) {
    return lambda >= kShortest && lambda <= kLongest;
}

bool usableCompanion(double lambda1, double lambda2) {
    return lambda2 > lambda1 && lambda2 <= lambda1 * kWidestDoublet;
}

std::string formatted(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

}  // namespace

std::optional<Radiation> anodeRadiation(const std::string& anode) {
    for (const AnodeLines& lines : kAnodes)
        if (sameName(anode, lines.name))
            return Radiation{lines.alpha1, lines.alpha2, kDefaultRatio,
                             std::string("--anode ") + lines.name};
    return std::nullopt;
}

const char* anodeNames() {
    return "Cu, Co, Fe, Cr, Mo, Ag";
}

std::optional<std::string> wavelengthsProblem(const Radiation& radiation) {
    if (!usableWavelength(radiation.lambda1) ||
        (radiation.lambda2 && !usableCompanion(radiation.lambda1, *radiation.lambda2)))
        return "wavelengths lie from 0.01 to 10 Angstrom and L2 within 5 % above L1";
    if (!(radiation.ratio > 0.0 && radiation.ratio <= 1.0))
        return "the intensity ratio lies above 0 and at most 1";
    return std::nullopt;
}

std::optional<Radiation> parseWavelengths(const std::string& text, std::string& error) {
    std::vector<std::string> parts;
    std::stringstream fields(text);
    for (std::string part; std::getline(fields, part, ',');) parts.push_back(part);
    if (!text.empty() && text.back() == ',') parts.emplace_back();
    error = "--wavelength needs L1[,L2[,RATIO]] in Angstrom, not '" + text + "'";
    if (parts.empty() || parts.size() > 3) return std::nullopt;
    std::array<std::optional<double>, 3> values;
    for (std::size_t k = 0; k < parts.size(); ++k) {
        values[k] = number(parts[k]);
        if (!values[k]) return std::nullopt;
    }
    Radiation radiation{*values[0], values[1], values[2].value_or(kDefaultRatio), "--wavelength"};
    if (const std::optional<std::string> problem = wavelengthsProblem(radiation)) {
        error = "--wavelength: " + *problem + ", not '" + text + "'";
        return std::nullopt;
    }
    error.clear();
    return radiation;
}

std::optional<Radiation> statedValues(const std::string& statement) {
    std::optional<double> alpha1, alpha2, ratio;
    std::optional<Radiation> anode;
    std::stringstream items(statement);
    for (std::string item; std::getline(items, item, ',');) {
        std::stringstream words(item);
        std::string label, value;
        words >> label;
        std::getline(words >> std::ws, value);
        if (label == "alpha1" || label == "wavelength") alpha1 = leadingNumber(value);
        if (label == "alpha2") alpha2 = leadingNumber(value);
        if (label == "ratio") ratio = leadingNumber(value);
        if (label == "anode") anode = anodeRadiation(value);
    }
    std::optional<Radiation> stated;
    if (alpha1 && usableWavelength(*alpha1)) {
        stated = Radiation{*alpha1, std::nullopt, kDefaultRatio, ""};
        if (alpha2 && usableCompanion(*alpha1, *alpha2)) stated->lambda2 = alpha2;
    } else {
        stated = anode;
    }
    if (!stated) return std::nullopt;
    if (ratio && *ratio == 0.0) stated->lambda2.reset();  // a Kalpha1 monochromator
    if (ratio && *ratio > 0.0 && *ratio <= 1.0) stated->ratio = *ratio;
    stated->source = "stated by the file";
    return stated;
}

std::optional<Radiation> chooseRadiation(const std::optional<Radiation>& stated,
                                         const RadiationRequest& request) {
    std::optional<Radiation> chosen = stated ? stated : request.given;
    if (chosen && chosen->lambda2 && request.noKa2) {
        chosen->lambda2.reset();
        chosen->source += "; Kalpha2 left out by --no-ka2";
    }
    return chosen;
}

std::string describeRadiation(const std::optional<Radiation>& radiation) {
    if (!radiation) return "radiation: none known (--anode or --wavelength names it)";
    std::string line = "radiation: alpha1 " + formatted("%.6f", radiation->lambda1) + " A";
    if (radiation->lambda2)
        line += ", alpha2 " + formatted("%.6f", *radiation->lambda2) + " A, ratio " +
                formatted("%g", radiation->ratio);
    else
        line += ", single lines";
    return line + " (" + radiation->source + ")";
}

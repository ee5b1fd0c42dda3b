#include "cell/line_sources.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <fstream>
#include <numbers>
#include <sstream>
#include <vector>

#include "batch/plan_text.h"
#include "cell/lattice.h"
#include "cell/pattern_lines.h"
#include "import/radiation_choice.h"

namespace {

// Two-theta and d of one source agree on one wavelength to this fraction.
constexpr double kSameWavelength = 1e-3;

std::vector<std::string> fieldsOf(const std::string& line, char separator) {
    std::vector<std::string> fields;
    std::istringstream in(line);
    std::string field;
    if (separator == ' ') {
        while (in >> field) fields.push_back(field);
    } else {
        while (std::getline(in, field, separator)) fields.push_back(field);
    }
    return fields;
}

bool isComment(const std::string& line) {
    const std::size_t first = line.find_first_not_of(" \t\r");
    return first == std::string::npos || line[first] == '#';
}

bool hasExtension(const std::string& name, const std::string& extension) {
    if (name.size() <= extension.size()) return false;
    std::string tail = name.substr(name.size() - extension.size());
    std::transform(tail.begin(), tail.end(), tail.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return tail == extension;
}

// The wavelength that two-theta and d pairs state, when they agree on one.
bool wavelengthOf(const std::vector<double>& tth, const std::vector<double>& d,
                  const std::string& name, LineRead& read) {
    std::vector<double> lambdas;
    for (std::size_t i = 0; i < tth.size(); ++i)
        if (std::isfinite(d[i]) && d[i] > 0.0)
            lambdas.push_back(2 * d[i] * std::sin(tth[i] / 2 * std::numbers::pi / 180.0));
    if (lambdas.empty()) return true;
    std::sort(lambdas.begin(), lambdas.end());
    const double median = lambdas[lambdas.size() / 2];
    if (lambdas.back() - lambdas.front() > kSameWavelength * median) {
        read.error = name + ": its two-theta and d values do not follow one wavelength";
        return false;
    }
    read.set.lambda = median;
    char text[96];
    std::snprintf(text, sizeof text, "radiation: alpha1 %.6f A (from the file's d-spacings)",
                  median);
    read.set.radiation = text;
    return true;
}

// A two-theta a line can have; otherwise the error naming the file and line.
bool usableTth(const std::string& field, const std::string& name, int number, double& tth,
               LineRead& read) {
    const std::optional<double> value = parseNumber(field);
    if (!value) {
        read.error = lineError(name, number, "'" + field + "' is not a two-theta value");
        return false;
    }
    if (!isTwoTheta(*value)) {
        read.error = lineError(name, number,
                               "two-theta " + field + " does not lie between 0 and 180 degrees");
        return false;
    }
    tth = *value;
    return true;
}

// STEM.dsp: "2theta d height" per line.
void readSpacings(std::istream& in, const std::string& name, LineRead& read) {
    std::vector<double> tth, d;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (isComment(line)) continue;
        const std::vector<std::string> fields = fieldsOf(line, ' ');
        double t = 0.0;
        if (!usableTth(fields[0], name, number, t, read)) return;
        const std::optional<double> spacing =
            fields.size() > 1 ? parseNumber(fields[1]) : std::nullopt;
        if (!spacing || !(*spacing > 0.0)) {
            read.error = lineError(name, number, "no d-spacing after the two-theta value");
            return;
        }
        tth.push_back(t);
        d.push_back(*spacing);
    }
    if (!wavelengthOf(tth, d, name, read)) return;
    for (const double t : tth) read.set.lines.push_back({t});
}

// An xrdfit table: the ok rows of its first pattern.
void readTable(std::istream& in, const std::string& header, const std::string& name,
               LineRead& read) {
    const std::vector<std::string> heads = fieldsOf(header, '\t');
    auto column = [&](const char* head) {
        return static_cast<std::size_t>(std::find(heads.begin(), heads.end(), head) -
                                        heads.begin());
    };
    const std::size_t pattern = column("pattern"), tthAt = column("tth"), seAt = column("tth_se"),
                      dAt = column("d"), statusAt = column("status");
    std::vector<double> tth, d;
    std::string first, line;
    int others = 0;
    for (int number = 2; std::getline(in, line); ++number) {
        if (isComment(line)) continue;
        const std::vector<std::string> fields = fieldsOf(line, '\t');
        if (fields.size() <= std::max({tthAt, statusAt, dAt, seAt})) {
            read.error = lineError(name, number, "fewer fields than the header names");
            return;
        }
        if (pattern < fields.size()) {
            if (first.empty()) first = fields[pattern];
            if (fields[pattern] != first) {
                ++others;
                continue;
            }
        }
        if (fields[statusAt] != "ok") continue;
        double t = 0.0;
        if (!usableTth(fields[tthAt], name, number, t, read)) return;
        const std::optional<double> se = parseNumber(fields[seAt]);
        read.set.lines.push_back({t, se && *se > 0.0 ? *se : std::nan("")});
        tth.push_back(t);
        const std::optional<double> spacing = parseNumber(fields[dAt]);
        d.push_back(spacing ? *spacing : std::nan(""));
    }
    if (others > 0) read.note = name + ": the lines of its first pattern, " + first + ", are used";
    wavelengthOf(tth, d, name, read);
}

// One two-theta value per line.
void readList(std::istream& in, const std::string& name, LineRead& read) {
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (isComment(line)) continue;
        double t = 0.0;
        if (!usableTth(fieldsOf(line, ' ')[0], name, number, t, read)) return;
        read.set.lines.push_back({t});
    }
}

// Whether every line that is not blank or a comment holds a single field.
bool isPlainList(std::istream& in) {
    std::string line;
    bool any = false;
    while (std::getline(in, line)) {
        if (isComment(line)) continue;
        if (fieldsOf(line, ' ').size() != 1) return false;
        any = true;
    }
    return any;
}

// The read lines checked: ascending, enough of them, with a wavelength.
void finish(const std::string& name, const ImportRequest& input, LineRead& read) {
    std::vector<ObservedLine>& lines = read.set.lines;
    std::sort(lines.begin(), lines.end(),
              [](const ObservedLine& x, const ObservedLine& y) { return x.tth < y.tth; });
    if (static_cast<int>(lines.size()) < kFewestLines) {
        read.error = name + ": " + std::to_string(lines.size()) + " usable lines; at least " +
                     std::to_string(kFewestLines) + " are needed";
        return;
    }
    if (read.set.lambda) return;
    if (!input.radiation.given) {
        read.error = name +
                     ": no radiation is known for its two-theta values: give --anode or "
                     "--wavelength";
        return;
    }
    read.set.lambda = input.radiation.given->lambda1;
    read.set.radiation = describeRadiation(input.radiation.given);
}

}  // namespace

LineRead readLineSource(const std::string& name, const ImportRequest& input) {
    LineRead read;
    std::ifstream in(name);
    if (!in) {
        read.error = name + ": cannot be opened";
        return read;
    }
    std::string header;
    while (std::getline(in, header) && isComment(header)) {
    }
    const std::vector<std::string> heads = fieldsOf(header, '\t');
    const bool table = std::find(heads.begin(), heads.end(), "tth") != heads.end() &&
                       std::find(heads.begin(), heads.end(), "status") != heads.end();
    if (table) {
        readTable(in, header, name, read);
    } else if (hasExtension(name, ".dsp")) {
        in.seekg(0);
        readSpacings(in, name, read);
    } else if (in.clear(), in.seekg(0), isPlainList(in)) {
        in.clear();
        in.seekg(0);
        readList(in, name, read);
    } else if (!patternLines(name, input, read.set, read.error)) {
        return read;
    }
    if (read.error.empty()) finish(name, input, read);
    return read;
}

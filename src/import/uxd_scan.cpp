#include "import/uxd_scan.h"

#include <xylib/xylib.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <map>
#include <optional>
#include <string_view>
#include <vector>

#include "import/byte_order_mark.h"
#include "import/line_excerpt.h"
#include "import/radiation.h"

namespace {

using Keys = std::map<std::string, std::string, std::less<>>;
const Keys kNoKeys;

std::string_view trimmed(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\r\n\v\f";
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// The leading number of a value ("0.020000", "10 deg"); nothing when it starts with none.
std::optional<double> leadingNumber(std::string_view value) {
    const std::string text(value);
    char* end = nullptr;
    const double number = std::strtod(text.c_str(), &end);
    if (end == text.c_str()) return std::nullopt;
    return number;
}

// The numbers of a data line, separated by blanks or commas; nothing when a word is not one.
std::optional<std::vector<double>> lineNumbers(std::string_view line) {
    if (line.find('\0') != std::string_view::npos) return std::nullopt;
    const std::string text(line);
    const auto isSeparator = [](char c) {
        return c == ',' || c == ' ' || c == '\t' || c == '\v' || c == '\f';
    };
    std::vector<double> values;
    const char* p = text.c_str();
    for (;;) {
        while (isSeparator(*p)) ++p;
        if (*p == '\0') return values;
        char* end = nullptr;
        values.push_back(std::strtod(p, &end));
        if (end == p || (*end != '\0' && !isSeparator(*end))) return std::nullopt;
        p = end;
    }
}

enum class Layout { Intensities, AnglePairs };

struct DataKeyword {
    const char* name;  // and every keyword that begins with it (_COUNTS, _2THETACOUNTSTIME)
    Layout layout;
    bool rate;
};

constexpr std::array<DataKeyword, 4> kDataKeywords{{
    {"_2THETACOUNTS", Layout::AnglePairs, false},
    {"_2THETACPS", Layout::AnglePairs, true},
    {"_COUNT", Layout::Intensities, false},
    {"_CPS", Layout::Intensities, true},
}};

// Peak lists of an evaluation, not a scan: their lines are passed over.
constexpr std::array<std::string_view, 2> kPeakListKeywords{"_D-I", "_2THETA-I"};

const DataKeyword* dataKeyword(std::string_view line) {
    for (const DataKeyword& keyword : kDataKeywords)
        if (line.starts_with(keyword.name)) return &keyword;
    return nullptr;
}

bool isPeakList(std::string_view line) {
    for (const std::string_view keyword : kPeakListKeywords)
        if (line.starts_with(keyword)) return true;
    return false;
}

// A data section: what its keyword says, the settings that hold for it, and its numbers.
struct DataSection {
    std::optional<std::size_t> drive;  // the _DRIVE section it belongs to; none before any
    Layout layout = Layout::Intensities;
    bool rate = false;
    std::optional<double> start, step;  // as stated when the section began
    std::vector<double> values;
};

class UxdReader {
  public:
    explicit UxdReader(int wanted) : wanted_(wanted) {}

    // False after setting the error.
    bool read(std::string_view text) {
        text = withoutByteOrderMark(text);
        for (int number = 1; !text.empty(); ++number) {
            const std::size_t end = text.find('\n');
            const std::string_view line = text.substr(0, end);
            text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
            if (!take(trimmed(line.substr(0, line.find(';'))), number)) return false;
        }
        return true;
    }

    int rangeCount() const { return dataSections_; }
    const std::string& error() const { return error_; }

    // Why the range asked for, which exists, gives no scan: it holds no points, or counts
    // without the step that places them; empty when it gives one.
    std::string rangeProblem(int number) const {
        const DataSection& range = wantedSection_;
        const std::string named = "range " + std::to_string(number);
        if (range.values.empty()) return named + " holds no points";
        if (range.layout == Layout::Intensities && range.values.size() > 1 &&
            (!range.step || *range.step == 0.0))
            return named + " states no step (_STEPSIZE) to place its counts";
        return "";
    }

    // The scan of the range asked for, which exists.
    ImportedScan scan() const {
        const DataSection& range = wantedSection_;
        const Keys& rangeKeys = range.drive ? drives_[*range.drive] : kNoKeys;
        ImportedScan scan;
        if (range.layout == Layout::Intensities) {
            const double start = range.start.value_or(0.0);
            const double step = range.step.value_or(0.0);
            scan.y = range.values;
            for (std::size_t i = 0; i < scan.y.size(); ++i) scan.x.push_back(start + step * i);
        } else {
            for (std::size_t i = 0; i + 1 < range.values.size(); i += 2) {
                scan.x.push_back(range.values[i]);
                scan.y.push_back(range.values[i + 1]);
            }
        }
        scan.step = statedStep(range, scan.x);
        scan.countRate = range.rate;
        if (range.rate) scan.countingTime = stepTime(rangeKeys).value_or(0.0);
        if (scan.countRate && scan.countingTime == 0.0)
            scan.countingTime = stepTime(fileKeys_).value_or(0.0);
        scan.wavelength = radiation(rangeKeys);
        return scan;
    }

  private:
    bool take(std::string_view line, int number) {
        if (line.empty()) return true;
        if (line.front() == '_') return takeKeyword(line, number);
        if (inPeakList_) return true;
        if (!dataOpen_)
            return fail(number, lineExcerpt(line) +
                                    " is neither a _KEY=value line nor in a data section "
                                    "(_COUNTS, _CPS, _2THETACOUNTS, ...)");
        return takeNumbers(line, number);
    }

    bool takeKeyword(std::string_view line, int number) {
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            if (const DataKeyword* keyword = dataKeyword(line)) {
                openData(*keyword, line);
                return true;
            }
            if (isPeakList(line)) {
                inPeakList_ = true;
                dataOpen_ = false;
                return true;
            }
        }
        const std::string_view key = trimmed(line.substr(1, equals - 1));
        const std::string_view value = equals == std::string_view::npos
                                           ? std::string_view{}
                                           : trimmed(line.substr(equals + 1));
        if (key == "DRIVE") {
            drives_.emplace_back();
            dataOpen_ = false;
        }
        if (key == "START") return setNumber(start_, value, "_START", number);
        if (key == "STEPSIZE") return setNumber(step_, value, "_STEPSIZE", number);
        scopeKeys()[std::string(key)] = std::string(value);
        return true;
    }

    // A data keyword begins the next range, with the settings of the last _DRIVE line (two
    // data sections may share one).
    void openData(const DataKeyword& keyword, std::string_view line) {
        layout_ = keyword.layout;
        keyword_ = line;
        dataOpen_ = true;
        inPeakList_ = false;
        if (++dataSections_ != wanted_) return;
        if (!drives_.empty()) wantedSection_.drive = drives_.size() - 1;
        wantedSection_.layout = keyword.layout;
        wantedSection_.rate = keyword.rate;
        wantedSection_.start = start_;
        wantedSection_.step = step_;
    }

    bool takeNumbers(std::string_view line, int number) {
        const std::optional<std::vector<double>> values = lineNumbers(line);
        if (!values) return fail(number, lineExcerpt(line) + " is not a line of numbers");
        if (layout_ == Layout::AnglePairs && values->size() % 2 != 0)
            return fail(number, std::to_string(values->size()) + " values, but the lines of " +
                                    keyword_ + " hold angle-intensity pairs");
        if (dataSections_ == wanted_) {
            std::vector<double>& kept = wantedSection_.values;
            kept.insert(kept.end(), values->begin(), values->end());
        }
        return true;
    }

    bool setNumber(std::optional<double>& setting, std::string_view value, const char* key,
                   int number) {
        setting = leadingNumber(value);
        if (!setting)
            return fail(number, std::string(key) + " is not a number (" + lineExcerpt(value) + ")");
        return true;
    }

    Keys& scopeKeys() { return drives_.empty() ? fileKeys_ : drives_.back(); }

    static std::optional<double> stepTime(const Keys& keys) {
        const auto time = keys.find("STEPTIME");
        if (time == keys.end()) return std::nullopt;
        const std::optional<double> seconds = leadingNumber(time->second);
        return seconds && *seconds != 0.0 ? seconds : std::nullopt;
    }

    // The _STEPSIZE of the range; for angle pairs it takes the direction of the angles.
    static std::optional<double> statedStep(const DataSection& range,
                                            const std::vector<double>& x) {
        if (!range.step || *range.step == 0.0) return std::nullopt;
        if (range.layout == Layout::Intensities || x.size() < 2) return range.step;
        return std::copysign(std::fabs(*range.step), x.back() - x.front());
    }

    std::string radiation(const Keys& rangeKeys) const {
        xylib::MetaData file, range;
        for (const auto& [key, value] : fileKeys_) file[key] = value;
        for (const auto& [key, value] : rangeKeys) range[key] = value;
        return statedRadiation(file, range);
    }

    bool fail(int number, const std::string& why) {
        error_ = "line " + std::to_string(number) + ": " + why;
        return false;
    }

    const int wanted_;
    Keys fileKeys_;
    std::vector<Keys> drives_;  // the keys of each _DRIVE section, in the order of the file
    int dataSections_ = 0;
    DataSection wantedSection_;            // its numbers are kept, no other section's
    Layout layout_ = Layout::Intensities;  // of the open data section
    std::optional<double> start_, step_;
    std::string keyword_;
    bool dataOpen_ = false;
    bool inPeakList_ = false;
    std::string error_;
};

}  // namespace

InstrumentScan readUxdScan(const std::string& bytes, int range) {
    InstrumentScan result;
    result.format = kUxdFormatName;
    UxdReader reader(range);
    if (!reader.read(bytes)) {
        result.error = reader.error();
        return result;
    }
    result.rangeCount = reader.rangeCount();
    if (result.rangeCount == 0)
        result.error = "no data section (_COUNTS, _CPS, _2THETACOUNTS, ...)";
    else if (range < 1 || range > result.rangeCount)
        result.error = noSuchRange(result.rangeCount, range);
    else if (const std::string problem = reader.rangeProblem(range); !problem.empty())
        result.error = problem;
    else
        result.scan = reader.scan();
    return result;
}

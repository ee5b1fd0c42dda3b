#include "import/text_scan.h"

#include <cstdlib>
#include <sstream>
#include <optional>
#include <vector>

#include "pattern/line_reader.h"

namespace {

// A longer line is no line of a pattern file; the reader's pieces tell it.
constexpr int kLineBufferSize = 1024;

bool isComment(const std::string& line) {
    return line.find_first_of("#!;*") == 0;
}

// The values of a line of numbers only, separated by blanks; nothing when a word is not a
// number.
std::optional<std::vector<double>> numbers(const std::string& line) {
    std::vector<double> values;
    const char* p = line.c_str();
    for (;;) {
        while (*p == ' ' || *p == '\t') ++p;
        if (*p == '\0') return values;
        char* end = nullptr;
        values.push_back(std::strtod(p, &end));
        if (end == p || (*end != ' ' && *end != '\t' && *end != '\0')) return std::nullopt;
        p = end;
    }
}

std::string trimmed(const std::string& line) {
    const std::size_t first = line.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return "";
    return line.substr(first, line.find_last_not_of(" \t\r\n") - first + 1);
}

// The first word of a header or comment line, comment marks removed: the axis name.
std::string firstWord(const std::string& line) {
    const std::size_t start = line.find_first_not_of("#!;* \t");
    if (start == std::string::npos) return "";
    std::istringstream words(line.substr(start));
    std::string word;
    words >> word;
    return word;
}

class TextScanReader {
  public:
    explicit TextScanReader(std::FILE* file) : lines_(file, kLineBufferSize) {}

    TextScan read() {
        std::string piece;
        while (lines_.next(piece)) {
            ++lineNumber_;
            if (piece.back() != '\n' && piece.size() == kLineBufferSize - 1) {
                fail("line " + std::to_string(lineNumber_) + " is too long");
                return result_;
            }
            if (!take(trimmed(piece))) return result_;
        }
        if (result_.columns == 0) fail("no data lines");
        if (result_.error.empty()) result_.scan = std::move(scan_);
        return result_;
    }

  private:
    // False after setting the error.
    bool take(const std::string& line) {
        if (inBlockComment_) {
            inBlockComment_ = line.find("*/") == std::string::npos;
            return true;
        }
        if (line.empty() || isComment(line)) {
            if (result_.columns == 0 && !line.empty()) axisLine_ = line;
            return true;
        }
        if (result_.columns == 0 && line.rfind("/*", 0) == 0) {
            inBlockComment_ = line.find("*/", 2) == std::string::npos;
            return true;
        }
        const std::optional<std::vector<double>> values = numbers(line);
        if (!values) {
            if (result_.columns == 0) {
                axisLine_ = line;  // a header
                return true;
            }
            fail("line " + std::to_string(lineNumber_) + " is not a line of numbers");
            return false;
        }
        return addPoint(*values);
    }

    bool addPoint(const std::vector<double>& values) {
        const int count = static_cast<int>(values.size());
        if (result_.columns == 0) {
            if (count != 2 && count != 3) {
                fail("line " + std::to_string(lineNumber_) + " holds " + std::to_string(count) +
                     " values, not 2 or 3");
                return false;
            }
            result_.columns = count;
            if (!axisLine_.empty()) scan_.xName = firstWord(axisLine_);
        } else if (count != result_.columns) {
            fail("line " + std::to_string(lineNumber_) + " holds " + std::to_string(count) +
                 " values, the first data line " + std::to_string(result_.columns));
            return false;
        }
        scan_.x.push_back(values[0]);
        scan_.y.push_back(values[1]);
        if (count == 3) scan_.esd.push_back(values[2]);
        return true;
    }

    void fail(std::string why) {
        result_.error = std::move(why);
        result_.columns = 0;
    }

    LineReader lines_;
    int lineNumber_ = 0;
    bool inBlockComment_ = false;
    std::string axisLine_;
    ImportedScan scan_;
    TextScan result_;
};

}  // namespace

TextScan readTextScan(std::FILE* file) {
    return TextScanReader(file).read();
}

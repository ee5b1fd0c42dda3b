#include "import/text_scan.h"

#include <cctype>
#include <cstdlib>
#include <optional>
#include <vector>

#include "import/byte_order_mark.h"
#include "import/column_header.h"
#include "import/line_excerpt.h"
#include "pattern/line_reader.h"

namespace {

// A longer line is no line of a pattern file; the reader's pieces tell it.
constexpr int kLineBufferSize = 1024;

// The header lines kept before the first data line, the nearest last: one of them may name
// the columns.
constexpr std::size_t kHeaderLinesKept = 16;

bool isComment(const std::string& line) {
    return line.find_first_of("#!;*") == 0;
}

std::string trimmed(const std::string& line) {
    const std::size_t first = line.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return "";
    return line.substr(first, line.find_last_not_of(" \t\r\n") - first + 1);
}

// The number that is the whole of a field, blanks around it allowed.
std::optional<double> wholeNumber(const std::string& field) {
    const std::string text = trimmed(field);
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0') return std::nullopt;
    return value;
}

// The values of a line of numbers separated by blanks; nothing when a word is not a number.
std::optional<std::vector<double>> blankSeparated(const std::string& line) {
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

// The values of a line of numbers separated by commas (and a comma at its end, as some
// spreadsheets write); nothing when a field is not one number, as with decimal commas
// ("20,00 123,5").
std::optional<std::vector<double>> commaSeparated(const std::string& line) {
    std::vector<double> values;
    for (std::size_t first = 0; first <= line.size();) {
        const std::size_t comma = line.find(',', first);
        const std::string field = line.substr(first, comma - first);
        if (comma == std::string::npos && trimmed(field).empty() && !values.empty()) return values;
        const std::optional<double> value = wholeNumber(field);
        if (!value) return std::nullopt;
        values.push_back(*value);
        if (comma == std::string::npos) return values;
        first = comma + 1;
    }
    return values;
}

// The values of a data line, a '#' comment after them left out.
std::optional<std::vector<double>> numbers(const std::string& line) {
    const std::string data = trimmed(line.substr(0, line.find('#')));
    if (data.empty()) return std::nullopt;
    return data.find(',') != std::string::npos ? commaSeparated(data) : blankSeparated(data);
}

// A line that begins with a number, not with a word such as "2theta": meant as data.
bool looksLikeData(const std::string& line) {
    char* end = nullptr;
    std::strtod(line.c_str(), &end);
    return end != line.c_str() && !std::isalpha(static_cast<unsigned char>(*end));
}

std::string numberedLine(int number, const std::string& why) {
    return "line " + std::to_string(number) + " " + why;
}

class TextScanReader {
  public:
    explicit TextScanReader(std::FILE* file) : lines_(file, kLineBufferSize) {}

    TextScan read() {
        std::string piece;
        while (lines_.next(piece)) {
            ++lineNumber_;
            if (piece.back() != '\n' && piece.size() == kLineBufferSize - 1) {
                fail(numberedLine(lineNumber_, "is too long"));
                return result_;
            }
            if (lineNumber_ == 1) piece = std::string(withoutByteOrderMark(piece));
            if (!take(trimmed(piece))) return result_;
        }
        if (result_.columns == 0 && result_.error.empty())
            fail(firstUnread_.empty() ? "no data lines" : firstUnread_);
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
        if (line.empty()) return true;
        if (result_.columns == 0 && line.rfind("/*", 0) == 0) {
            inBlockComment_ = line.find("*/", 2) == std::string::npos;
            return true;
        }
        if (isComment(line)) {
            if (result_.columns == 0) keepHeader(line);
            return true;
        }
        const std::optional<std::vector<double>> values = numbers(line);
        if (values) return addPoint(*values);
        const std::string unread =
            numberedLine(lineNumber_, "is not a line of numbers (" + lineExcerpt(line) + ")");
        if (result_.columns != 0) {
            fail(unread);
            return false;
        }
        // A header, unless no data line follows: then it was the data, in a form not read.
        if (firstUnread_.empty() && looksLikeData(line)) firstUnread_ = unread;
        keepHeader(line);
        return true;
    }

    void keepHeader(const std::string& line) {
        if (headers_.size() == kHeaderLinesKept) headers_.erase(headers_.begin());
        headers_.push_back(line);
    }

    // The nearest header line that names the columns names the x axis.
    void nameAxis() {
        for (auto header = headers_.rbegin(); header != headers_.rend(); ++header) {
            if (const std::optional<std::string> axis =
                    columnHeaderAxis(*header, result_.columns)) {
                scan_.xName = *axis;
                return;
            }
        }
    }

    bool addPoint(const std::vector<double>& values) {
        const int count = static_cast<int>(values.size());
        if (result_.columns == 0) {
            if (count != 2 && count != 3) {
                fail(numberedLine(lineNumber_,
                                  "holds " + std::to_string(count) + " values, not 2 or 3"));
                return false;
            }
            result_.columns = count;
            nameAxis();
        } else if (count != result_.columns) {
            fail(numberedLine(lineNumber_, "holds " + std::to_string(count) +
                                               " values, the first data line " +
                                               std::to_string(result_.columns)));
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
    std::vector<std::string> headers_;
    std::string firstUnread_;
    ImportedScan scan_;
    TextScan result_;
};

}  // namespace

TextScan readTextScan(std::FILE* file) {
    return TextScanReader(file).read();
}

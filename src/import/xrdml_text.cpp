#include "import/xrdml_text.h"

#include <cctype>
#include <cstdlib>

namespace {

void renameAll(std::string& text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

// The text of the first element of this name, up to the next tag; "" when there is none.
std::string elementText(const std::string& xml, const std::string& name) {
    const std::size_t open = xml.find("<" + name);
    if (open == std::string::npos) return "";
    const std::size_t start = xml.find('>', open);
    if (start == std::string::npos) return "";
    const std::size_t end = xml.find('<', start);
    if (end == std::string::npos) return "";
    return xml.substr(start + 1, end - start - 1);
}

// Where the first element of this name at or after `from` opens; "<scan" begins other names
// too (<scanAxisCenter>), and "<xrdMeasurement" begins <xrdMeasurements>.
std::size_t openingTag(const std::string& xml, const std::string& name, std::size_t from) {
    const std::string tag = "<" + name;
    for (std::size_t open = xml.find(tag, from); open != std::string::npos;
         open = xml.find(tag, open + 1)) {
        const char after = open + tag.size() < xml.size() ? xml[open + tag.size()] : '\0';
        if (after == '>' || std::isspace(static_cast<unsigned char>(after))) return open;
    }
    return std::string::npos;
}

// Where the range-th <scan> element opens (counted from 1); npos when there is none.
std::size_t scanOpening(const std::string& xml, int range) {
    if (range < 1) return std::string::npos;
    std::size_t open = openingTag(xml, "scan", 0);
    for (int n = 1; n < range && open != std::string::npos; ++n)
        open = openingTag(xml, "scan", open + 1);
    return open;
}

// The text of the element that opens at `open`, up to its end tag (to the end of the text
// when that is missing).
std::string elementFrom(const std::string& xml, const std::string& name, std::size_t open) {
    const std::size_t close = xml.find("</" + name + ">", open);
    return xml.substr(open, close == std::string::npos ? std::string::npos : close - open);
}

// The text of the range-th <scan> element, from its tag to its end; "" when there is none.
std::string scanText(const std::string& xml, int range) {
    const std::size_t open = scanOpening(xml, range);
    return open == std::string::npos ? "" : elementFrom(xml, "scan", open);
}

// The <xrdMeasurement> element that holds the range-th scan: each measurement states its
// own radiation. The whole text when the scan lies in none.
std::string measurementText(const std::string& xml, int range) {
    const std::size_t scan = scanOpening(xml, range);
    std::size_t holding = std::string::npos;
    for (std::size_t open = openingTag(xml, "xrdMeasurement", 0); open < scan;
         open = openingTag(xml, "xrdMeasurement", open + 1))
        holding = open;
    return holding == std::string::npos ? xml : elementFrom(xml, "xrdMeasurement", holding);
}

void add(std::string& line, const char* label, const std::string& value) {
    if (value.empty() || value.size() > 20) return;
    if (!line.empty()) line += ", ";
    line += std::string(label) + " " + value;
}

}  // namespace

bool hasXrdmlCounts(const std::string& xml) {
    return xml.find("<intensities") != std::string::npos ||
           xml.find("<counts") != std::string::npos;
}

std::string withIntensities(const std::string& xml) {
    if (xml.find("<intensities") != std::string::npos) return xml;
    std::string renamed = xml;
    renameAll(renamed, "<counts>", "<intensities>");
    renameAll(renamed, "<counts ", "<intensities ");
    renameAll(renamed, "</counts>", "</intensities>");
    return renamed;
}

bool xrdmlGivesRate(const std::string& xml, int range) {
    const std::string scan = scanText(xml, range);
    std::size_t open = scan.find("<intensities");
    if (open == std::string::npos) open = scan.find("<counts");
    if (open == std::string::npos) return false;
    const std::string tag = scan.substr(open, scan.find('>', open) - open);
    return tag.find("unit=\"cps\"") != std::string::npos;
}

double xrdmlCountingTime(const std::string& xml, int range) {
    const std::string text = elementText(scanText(xml, range), "commonCountingTime");
    char* end = nullptr;
    const double seconds = std::strtod(text.c_str(), &end);
    return end != text.c_str() ? seconds : 0.0;
}

std::string xrdmlRadiation(const std::string& xml, int range) {
    const std::string measurement = measurementText(xml, range);
    std::string line;
    add(line, "anode", elementText(measurement, "anodeMaterial"));
    add(line, "alpha1", elementText(measurement, "kAlpha1"));
    add(line, "alpha2", elementText(measurement, "kAlpha2"));
    add(line, "ratio", elementText(measurement, "ratioKAlpha2KAlpha1"));
    return line;
}

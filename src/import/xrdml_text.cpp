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

// Where the first <scan> element at or after `from` opens; "<scan" begins other names too
// (<scanAxisCenter>).
std::size_t scanTag(const std::string& xml, std::size_t from) {
    constexpr std::size_t kName = 5;  // "<scan"
    for (std::size_t open = xml.find("<scan", from); open != std::string::npos;
         open = xml.find("<scan", open + 1)) {
        const char after = open + kName < xml.size() ? xml[open + kName] : '\0';
        if (after == '>' || std::isspace(static_cast<unsigned char>(after))) return open;
    }
    return std::string::npos;
}

// The text of the range-th <scan> element, from its tag to its end; "" when there is none.
std::string scanText(const std::string& xml, int range) {
    if (range < 1) return "";
    std::size_t open = scanTag(xml, 0);
    for (int n = 1; n < range && open != std::string::npos; ++n) open = scanTag(xml, open + 1);
    if (open == std::string::npos) return "";
    const std::size_t close = xml.find("</scan>", open);
    return xml.substr(open, close == std::string::npos ? std::string::npos : close - open);
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

std::string xrdmlRadiation(const std::string& xml) {
    std::string line;
    add(line, "anode", elementText(xml, "anodeMaterial"));
    add(line, "alpha1", elementText(xml, "kAlpha1"));
    add(line, "alpha2", elementText(xml, "kAlpha2"));
    add(line, "ratio", elementText(xml, "ratioKAlpha2KAlpha1"));
    return line;
}

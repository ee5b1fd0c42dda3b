#include "import/xrdml_text.h"

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

bool xrdmlGivesRate(const std::string& xml) {
    std::size_t open = xml.find("<intensities");
    if (open == std::string::npos) open = xml.find("<counts");
    if (open == std::string::npos) return false;
    const std::string tag = xml.substr(open, xml.find('>', open) - open);
    return tag.find("unit=\"cps\"") != std::string::npos;
}

double xrdmlCountingTime(const std::string& xml) {
    const std::string text = elementText(xml, "commonCountingTime");
    char* end = nullptr;
    const double seconds = std::strtod(text.c_str(), &end);
    return end != text.c_str() ? seconds : 0.0;
}

std::string xrdmlRadiation(const std::string& xml) {
    std::string line;
    add(line, "anode", elementText(xml, "anodeMaterial"));
    add(line, "alpha1", elementText(xml, "kAlpha1"));
    add(line, "alpha2", elementText(xml, "kAlpha2"));
    return line;
}

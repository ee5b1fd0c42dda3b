#include "support/reader_samples.h"

#include <algorithm>
#include <cstdio>

namespace {

double sampleTth(int i) {
    return 10.0 + 0.02 * i;
}

std::string format(const char* fmt, double a, double b = 0.0, double c = 0.0) {
    char text[128];
    std::snprintf(text, sizeof text, fmt, a, b, c);
    return text;
}

// One line per group of `perLine` points, lines joined by line ends with none after the last.
template <typename Field>
std::string groupedLines(int points, int perLine, Field field) {
    std::string text;
    for (int i = 0; i < points; ++i) {
        if (i > 0 && i % perLine == 0) text += '\n';
        text += field(i);
    }
    return text;
}

}  // namespace

float sampleCts(int i) {
    return 100.0f + static_cast<float>(i);
}
float sampleSig(int i) {
    return 1.0f + static_cast<float>(i % 100) / 2.0f;
}

std::string xySample(int points) {
    std::string text;
    for (int i = 0; i < points; ++i)
        text += format("%.3f %.1f %.1f\n", sampleTth(i), sampleCts(i), sampleSig(i));
    return text;
}

std::string wyrSample(int points) {
    return format("%8.3f%8.3f%8.3f\n", sampleTth(0), 0.02, sampleTth(points - 1)) +
           groupedLines(points, 8, [](int i) { return format("%7.0f", sampleCts(i)); });
}

std::string datSample(int points) {
    std::string text = format("%8.3f %8.3f %8.3f\n", sampleTth(0), 0.02, sampleTth(points - 2));
    for (int first = 0; first < points; first += 10) {
        if (first > 0) text += '\n';
        const int last = std::min(first + 10, points);
        for (int i = first; i < last; ++i) text += format("%8.1f", sampleCts(i));
        text += '\n';
        for (int i = first; i < last; ++i) text += format("%8.2f", sampleSig(i));
    }
    return text;
}

std::string gdaBankLine(int points, int records) {
    char text[128];
    std::snprintf(text, sizeof text, "BANK  1 %8d%8d CONST %10.2f%10.2f 0 0 ESD%21s\n", points,
                  records, sampleTth(0) * 100.0, 2.0, "");
    return text;
}

std::string gdaSample(int points) {
    char title[128];
    std::snprintf(title, sizeof title, "%-80s\n", "Test pattern");
    return title + gdaBankLine(points, (points + 4) / 5) + groupedLines(points, 5, [](int i) {
               return format("%8.1f%8.1f", sampleCts(i), sampleSig(i));
           });
}

#include <cstdio>
#include <string>

#include "console/console.h"
#include "pattern/data_line_layout.h"
#include "pattern/line_conversion.h"
#include "pattern/line_reader.h"
#include "pattern/pattern_checks.h"
#include "pattern/readers.h"

namespace {

// The BANK line of a constant-step bank with ESDs; angles in centidegrees.
struct BankLine {
    long channels = 0;
    long records = 0;
    double start = 0.0;
    double step = 0.0;
};

bool convertBankLine(const std::string& line, BankLine& bank) {
    const int converted = std::sscanf(line.c_str(), "BANK 1 %ld %ld CONST %lf %lf 0 0 ESD",
                                      &bank.channels, &bank.records, &bank.start, &bank.step);
    return converted == 4 && isPatternValue(bank.start) && isPatternValue(bank.step);
}

// Echoes the title line unchanged. The title is free text and may be longer than the line
// buffer: it is taken whole, so that the BANK line is always the second line of the file.
void echoTitle(LineReader& lines, Console& console) {
    std::string piece;
    bool ended = true;
    while (lines.next(piece)) {
        console.print("%s", piece.c_str());
        ended = piece.back() == '\n';
        if (ended) return;
    }
    if (!ended) console.print("\n");
}

}  // namespace

bool readGda(std::FILE* file, Console& console, PatternStore& store) {
    LineReader lines(file, kDataLineBufferSize);
    echoTitle(lines, console);

    std::string line;
    BankLine bank;
    if (!lines.next(line) || !convertBankLine(line, bank)) {
        console.print("Error in second line of *.gda file...\n");
        return false;
    }
    if (bank.records > MAXBUF) {
        console.print("Too many data points!!! Change the MAXBUF\n");
        return false;
    }
    store.tthmin = bank.start / 100.0;
    store.tthstep = bank.step / 100.0;

    DataLineLayout layout(5, "Error in *.gda file...\n", console);
    LineValues values;
    while (lines.next(line)) {
        const int count = convertValues(line, kTenFieldsOf8, values);
        if (count < 2) {
            layout.reportLineError();
            return false;
        }
        const int points = count / 2;  // an unpaired last value is not a point
        const int first = layout.place(points);
        if (first < 0) return false;
        for (int j = 0; j < points; ++j) {
            store.cts[first + j] = values[2 * j];
            store.sig[first + j] = values[2 * j + 1];
        }
        computeTth(store, first, first + points - 1);
    }
    store.ilast = layout.ilast();

    if (bank.channels != store.ilast + 1) console.print("Please, check *.gda file...\n");
    if (!hasEnoughPoints(console, store.ilast)) return false;
    reportPointsRead(console, store.ilast);
    store.tthmax = store.ilast * store.tthstep + store.tthmin;
    return true;
}

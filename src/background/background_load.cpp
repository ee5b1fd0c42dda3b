#include "background/background_load.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "background/merge_point.h"
#include "console/console.h"
#include "pattern/data_file_name.h"
#include "pattern/line_reader.h"
#include "pattern/typed_line.h"

namespace {

enum class PointFileKind { Fbg, Gbg, Unknown };

constexpr int kLineBufferSize = 50;

// The kind is named by the first letter after the first '.' of the file's base name.
PointFileKind kindOf(const std::string& name, std::size_t extensionPos) {
    if (extensionPos >= name.size()) return PointFileKind::Unknown;
    switch (name[extensionPos]) {
        case 'f':
        case 'F':
            return PointFileKind::Fbg;
        case 'g':
        case 'G':
            return PointFileKind::Gbg;
        default:
            return PointFileKind::Unknown;
    }
}

// FBG lines are "tth cts 0.0", GBG lines "I tth cts 0.0"; the last column is not used.
bool parsePoint(const std::string& line, PointFileKind kind, float& x, float& y) {
    long ignored = 0;
    bool parsed = false;
    if (kind == PointFileKind::Fbg) {
        parsed = std::sscanf(line.c_str(), "%f %f %ld", &x, &y, &ignored) >= 2;
    } else {
        char letter = 0;
        parsed = std::sscanf(line.c_str(), "%c %f %f %ld", &letter, &x, &y, &ignored) >= 3;
    }
    return parsed && std::isfinite(x) && std::isfinite(y);
}

void readPoints(Console& console, std::FILE* file, PointFileKind kind, PointList& list,
                double tthstep) {
    LineReader reader(file, kLineBufferSize);
    std::string line;
    while (reader.next(line)) {
        float x = 0.0f, y = 0.0f;
        if (!parsePoint(line, kind, x, y)) {
            if (!line.empty() && line.back() == '\n') line.pop_back();
            console.print("Skipping a line that holds no two numbers: \"%s\"\n", line.c_str());
            continue;
        }
        console.print("%f, %f\n", x, y);
        mergeLoadedPoint(console, list, x, y, 2.0 * tthstep);
    }
}

}  // namespace

LoadResult loadBackgroundPoints(Console& console, PointList& list, const PatternStore& pattern,
                                ViewState& view) {
    std::string name;
    std::FILE* file = nullptr;
    switch (openTypedFile(console, "FBG/GBG file name(blank to cancel)...? ", name, file)) {
        case TypedFile::Cancelled:
            return LoadResult::Cancelled;
        case TypedFile::Refused:
            return LoadResult::Done;
        case TypedFile::Opened:
            break;
    }
    const std::size_t extensionPos = DataFileName{name}.extensionPos();
    if (extensionPos != std::string::npos) view.flag = ViewFlag::KeepShown;
    const PointFileKind kind = kindOf(name, extensionPos);
    if (kind == PointFileKind::Unknown) {
        console.print("The file ext. doesn't match what I expected.\n");
        std::fclose(file);
        return LoadResult::Done;
    }
    console.print("%s file is opened, and read...\n", name.c_str());
    readPoints(console, file, kind, list, pattern.tthstep);
    std::fclose(file);
    view.key = 'n';
    view.flag = ViewFlag::KeepShown;
    return LoadResult::Done;
}

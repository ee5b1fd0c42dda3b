#include "background/background_load.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "background/merge_point.h"
#include "console/console.h"
#include "pattern/data_file_name.h"
#include "pattern/line_reader.h"
#include "pattern/typed_line.h"
#include "points/background_files.h"

namespace {

constexpr int kLineBufferSize = 50;

void readPoints(Console& console, std::FILE* file, PointFileKind kind, PointList& list,
                double tthstep) {
    LineReader reader(file, kLineBufferSize);
    std::string line;
    while (reader.next(line)) {
        float x = 0.0f, y = 0.0f;
        if (!parsePointLine(line, kind, x, y)) {
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
    const std::size_t extensionPos = DataFileName{name, 0, "", true}.extensionPos();
    if (extensionPos != std::string::npos) view.flag = ViewFlag::KeepShown;
    const PointFileKind kind = pointFileKind(name, extensionPos);
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

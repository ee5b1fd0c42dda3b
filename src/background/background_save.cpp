#include "background/background_save.h"

#include <cstdio>
#include <string>

#include "console/console.h"
#include "pattern/safe_file.h"

namespace {

// Writes one file of points, each line by the given format; false, with an existing file
// left as it was, when it cannot be created or written completely.
bool writePoints(const std::string& name, const PointList& list, const char* lineFormat) {
    SafeFile file = SafeFile::replacing(name);
    if (!file.file()) return false;
    for (int i = 0; i <= list.last; ++i)
        std::fprintf(file.file(), lineFormat, list.x[i], list.y[i]);
    return file.commit();
}

bool saveBoth(Console& console, const PointList& list, const DataFileName& dataFile) {
    const std::string fbgName = dataFile.withExtension("fbg");
    console.print("FullProf backgroud file saving... Filename : %s\n", fbgName.c_str());
    if (!writePoints(fbgName, list, "%f\t%f\t0.0\n")) return false;
    const std::string gbgName = dataFile.withExtension("gbg");
    console.print("GSAS backgroud file saving... Filename : %s\n", gbgName.c_str());
    return writePoints(gbgName, list, "I\t%f\t%f\t0.0\n");
}

}  // namespace

SaveResult saveBackgroundPoints(Console& console, const PointList& list, DataFileName& dataFile) {
    if (list.last < 0) return SaveResult::NothingToSave;
    const bool saved = saveBoth(console, list, dataFile);
    dataFile.restoreExtension();
    if (saved) return SaveResult::Saved;
    console.print("Error!!! - F.P. Background output file opening\n");
    return SaveResult::Failed;
}

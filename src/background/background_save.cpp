#include "background/background_save.h"

#include <cstdio>
#include <string>

#include "console/console.h"
#include "points/background_files.h"

namespace {

// Each file in turn: the FullProf file is in place before the GSAS file is begun.
bool saveBoth(Console& console, const PointList& list, const DataFileName& dataFile) {
    const std::string fbgName = dataFile.withExtension("fbg");
    console.print("FullProf backgroud file saving... Filename : %s\n", fbgName.c_str());
    if (!writePointFile(fbgName, list, PointFileKind::Fbg).commit()) return false;
    const std::string gbgName = dataFile.withExtension("gbg");
    console.print("GSAS backgroud file saving... Filename : %s\n", gbgName.c_str());
    return writePointFile(gbgName, list, PointFileKind::Gbg).commit();
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

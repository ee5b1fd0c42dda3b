#include "background/background_save.h"

#include <cstdio>
#include <string>

#include "console/console.h"
#include "pattern/safe_file.h"

namespace {

const char* const kFbgLine = "%f\t%f\t0.0\n";
const char* const kGbgLine = "I\t%f\t%f\t0.0\n";

// One file of points, each line by the given format, written but not yet committed.
SafeFile writePoints(const std::string& name, const PointList& list, const char* lineFormat) {
    SafeFile file = SafeFile::replacing(name);
    if (file.file())
        for (int i = 0; i <= list.last; ++i)
            std::fprintf(file.file(), lineFormat, list.x[i], list.y[i]);
    return file;
}

// Each file in turn: the FullProf file is in place before the GSAS file is begun.
bool saveBoth(Console& console, const PointList& list, const DataFileName& dataFile) {
    const std::string fbgName = dataFile.withExtension("fbg");
    console.print("FullProf backgroud file saving... Filename : %s\n", fbgName.c_str());
    if (!writePoints(fbgName, list, kFbgLine).commit()) return false;
    const std::string gbgName = dataFile.withExtension("gbg");
    console.print("GSAS backgroud file saving... Filename : %s\n", gbgName.c_str());
    return writePoints(gbgName, list, kGbgLine).commit();
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

std::optional<std::string> writeBackgroundFiles(const PointList& list,
                                                const DataFileName& dataFile) {
    SafeFile fbg = writePoints(dataFile.withExtension("fbg"), list, kFbgLine);
    SafeFile gbg = writePoints(dataFile.withExtension("gbg"), list, kGbgLine);
    if (SafeFile::commitTogether(fbg, gbg)) return std::nullopt;
    return fbg.failure().empty() ? gbg.failure() : fbg.failure();
}

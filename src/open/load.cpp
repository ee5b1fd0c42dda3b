#include "open/load.h"

#include <cstdio>

#include "console/console.h"
#include "import/instrument_formats.h"
#include "open/format_recognition.h"
#include "pattern/bin_points.h"
#include "pattern/pattern_file_open.h"
#include "pattern/readers.h"

namespace {

const char* const kPrompt =
    "Input processed filename within 200 characters with EXTENSION.\nEnter blank to terminate.\n";
const char* const kCannotSee =
    "Eh?, I can not see that file... Try again! or Just hit <enter> to terminate!\n";

// A name that does not fit the 200-character name buffer is refused like one that cannot be
// opened, and so is one with a NUL inside, which would open a different file than it names.
// A name that is no regular file (a directory, a FIFO, a device) is refused, saying what it
// is. nullptr after the message.
std::FILE* openDataFile(const std::string& name, Console& console) {
    if (name.size() < kNameBufferSize && name.find('\0') == std::string::npos) {
        const PatternFileOpening opening = openPatternFile(name);
        if (opening.file) return opening.file;
        if (!opening.refusal.empty())
            console.print("%s: %s\n", name.c_str(), opening.refusal.c_str());
    }
    console.print("%s", kCannotSee);
    return nullptr;
}

// Reads names until one opens. An empty answer, or the end of the console input, ends the
// run: nullptr after "Bye.".
std::FILE* askUntilOpened(Console& console, std::string& name) {
    for (;;) {
        if (!console.readLine(name)) name.clear();
        if (name.empty()) {
            console.print("Bye.\n");
            return nullptr;
        }
        if (std::FILE* file = openDataFile(name, console)) return file;
    }
}

}  // namespace

bool holdsRange(int range, Console& console) {
    if (range <= 1) return true;
    console.print("This file holds 1 range: there is no range %d.\n", range);
    return false;
}

bool readDataFile(std::FILE* file, const ImportRequest& options, Console& console,
                  PatternStore& store, DataFileName& loaded) {
    if (loaded.format == 'v') {
        ImportRequest request = options;
        if (request.format.empty())
            request.format =
                instrumentFormatForExtension(loaded.name.substr(loaded.extensionPos()));
        return readInstrumentFile(file, request, console, store);
    }
    if (!holdsRange(options.range, console)) return false;
    if (loaded.format == 'x') {
        const XyReading reading = readXyOrText(file, options.bin, console, store);
        if (reading == XyReading::AsText) loaded.format = 't';
        return reading != XyReading::Failed;
    }
    const ProcessedReader reader = processedReader(loaded.format);
    if (!reader) {
        console.print("Extension is not understandable...\n");
        return false;
    }
    // These formats hold at most a store's worth of points: they are binned once read.
    if (!reader(file, console, store)) return false;
    return options.bin <= 1 || binPattern(store, options.bin, console);
}

namespace {

// One load attempt on an opened file, which is closed on return. The arrays are filled with
// the unset value first, so nothing an earlier failed attempt read survives past the pattern
// finally loaded. The name and format code are set only when the pattern loaded. A name
// typed for xrdpick keeps the historical rule of its extension where that finds a format.
bool loadFile(std::FILE* file, const std::string& name, bool typed, const ImportRequest& options,
              Console& console, PatternStore& store, DataFileName& dataFile) {
    DataFileName loaded{name};
    const char byName = typed ? recogniseTypedFormat(loaded) : recogniseFormat(loaded);
    loaded.format = options.format.empty() ? byName : 'v';
    store.fillUnset();
    store.ilast = -1;
    store.radiation.reset();

    bool ok = false;
    if (loaded.format == 's') {
        loaded.name = loaded.withExtension("super");
        ok = readSuper(file, console, store);  // the merge closes its own files
    } else {
        ok = readDataFile(file, options, console, store, loaded);
        std::fclose(file);
    }
    if (!ok) return false;
    if (loaded.format == 'v' || loaded.format == 't') {
        const std::size_t pos = loaded.extensionPos();
        loaded.ownExtension = pos == std::string::npos ? "" : loaded.name.substr(pos);
    }
    dataFile = loaded;
    return true;
}

}  // namespace

ProcessedReader processedReader(char format) {
    switch (format) {
        case 'x':
            return readXy;
        case 'w':
            return readWyr;
        case 'd':
            return readDat;
        case 'g':
            return readGda;
        default:
            return nullptr;
    }
}

bool loadPatternFile(const std::string& name, const ImportRequest& options, Console& console,
                     PatternStore& store, DataFileName& dataFile) {
    std::FILE* file = openDataFile(name, console);
    if (!file) return false;
    return loadFile(file, name, false, options, console, store, dataFile);
}

bool loadPattern(const std::vector<std::string>& args, Console& console, PatternStore& store,
                 DataFileName& dataFile, const std::string& from) {
    std::string name;
    std::FILE* file = nullptr;
    ImportRequest options;
    if (args.empty()) {
        console.print("%s", kPrompt);
    } else {
        // The command-line name gets one attempt only; afterwards the console is asked.
        name = args[0];
        file = openDataFile(name, console);
        if (file) options.format = from;
    }
    for (;;) {
        if (!file) file = askUntilOpened(console, name);
        if (!file) return false;
        if (loadFile(file, name, true, options, console, store, dataFile)) return true;
        file = nullptr;
        options.format.clear();  // --from names the command-line file's format only
        console.print("%s", kPrompt);
    }
}

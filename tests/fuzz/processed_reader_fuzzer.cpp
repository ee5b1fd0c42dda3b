// Fuzzes one processed-format reader, chosen when the target is built (XRDPICK_FUZZ_FORMAT:
// 'x', 'w', 'd' or 'g'). The input is the data file. The reader runs alone on an unset store,
// then the load step runs on the same file with a store full of garbage, and when that
// attempt fails, the good file typed at the prompt must load as if nothing had come before.
// An .xy file that its reader refuses may load as a text pattern instead.

#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "good_pattern.h"
#include "open/load.h"
#include "pattern/data_file_name.h"
#include "pattern/readers.h"
#include "store_promises.h"

namespace {

constexpr char kFormat = XRDPICK_FUZZ_FORMAT;

// Two stores for the whole process: allocating them afresh for every input costs more than
// the reading.
PatternStore& directStore() {
    static PatternStore store;
    return store;
}

PatternStore& loadedStore() {
    static PatternStore store;
    return store;
}

const std::string& fuzzFileName() {
    static const std::string name = std::string("fuzz.") + formatExtension(kFormat);
    return name;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    enterScratchDirectory();
    prepareGoodPattern();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string content(reinterpret_cast<const char*>(data), size);

    PatternStore& direct = directStore();
    resetStore(direct);
    bool directRead = false;
    {
        MemoryFile file(content);
        ScriptedConsole quiet("");
        directRead = processedReader(kFormat)(file.get(), quiet.console, direct);
        if (directRead) requireLoadedPattern(direct, kFormat == 'w');
    }

    writeScratchFile(fuzzFileName(), content);
    PatternStore& loaded = loadedStore();
    fillGarbage(loaded);
    DataFileName name;
    ScriptedConsole user(std::string(kGoodName) + "\n");
    require(loadPattern({fuzzFileName()}, user.console, loaded, name),
            "the load step ends with a pattern when a good file is named");
    if (name.name == kGoodName) {
        requireSameStore(loaded, goodStore(), "a failed attempt leaves nothing behind");
    } else if (name.format == 't') {
        // An .xy file the .xy reader refuses may still be a text pattern (a header, two
        // columns), which its own reader reads.
        require(kFormat == 'x' && !directRead, "only a refused .xy file is a text pattern");
        requireLoadedPattern(loaded, false);
    } else {
        requireSameStore(loaded, direct, "the load step reads a file as its reader does");
    }
    return 0;
}

// Fuzzes the raw scan merge through the load step. The input holds, cut by kSectionMark, the
// console lines (key pauses and further file names, as a user types them) and up to four scan
// files, written as scan.001 (the file named on the command line) to scan.004. After the
// console lines, good.xy is typed: when the merge fails, that file must load as if nothing
// had come before.

#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "good_pattern.h"
#include "open/load.h"
#include "pattern/data_file_name.h"
#include "store_promises.h"

namespace {

constexpr std::size_t kScanFiles = 4;

PatternStore& loadedStore() {
    static PatternStore store;
    return store;
}

std::string scanName(std::size_t number) {
    return "scan.00" + std::to_string(number);
}

// The user's lines, then the good file's name on a line of its own.
std::string consoleInput(const std::string& typed) {
    const bool lineOpen = !typed.empty() && typed.back() != '\n';
    return typed + (lineOpen ? "\n" : "") + kGoodName + "\n";
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    enterScratchDirectory();
    prepareGoodPattern();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> parts = splitSections(data, size, kScanFiles + 1);
    for (std::size_t number = 1; number <= kScanFiles; ++number)
        writeScratchFile(scanName(number), parts[number]);

    PatternStore& store = loadedStore();
    fillGarbage(store);
    DataFileName name;
    ScriptedConsole user(consoleInput(parts[0]));
    if (!loadPattern({scanName(1)}, user.console, store, name)) return 0;  // "Bye." typed
    if (name.name == kGoodName) {
        requireSameStore(store, goodStore(), "a failed merge leaves nothing behind");
    } else {
        require(name.format == 's' && name.name == "scan.super", "a merge is named .super");
        requireLoadedPattern(store, false);
    }
    return 0;
}

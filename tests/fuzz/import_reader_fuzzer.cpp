// Fuzzes the readers of instrument files (through xylib) and text patterns. The first byte
// of the input chooses the format and the bin; the rest is the file. Whatever the bytes, a
// read either fails with a message or leaves a pattern that keeps the store's promises, and
// a failed read leaves the store as it found it.

#include <array>
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "import/import_readers.h"
#include "import/instrument_formats.h"
#include "store_promises.h"

namespace {

// The formats of instrument_formats.h, then the two text readers.
constexpr std::array<const char*, 14> kFormats{
    kGuessRaw, "bruker_raw", "philips_rd", "uxd",        "xrdml", "philips_udf", "cpi",
    "dbws",    "pdcif",      "csv",        "rigaku_dat", "riet7", "text",        "xy"};

PatternStore& fuzzStore() {
    static PatternStore store;
    return store;
}

PatternStore& unsetStore() {
    static PatternStore store;
    return store;
}

bool readAs(const std::string& format, int bin, std::FILE* file, Console& console,
            PatternStore& store) {
    if (format == "text") return readTextPattern(file, bin, console, store);
    if (format == "xy") return readXyOrText(file, bin, console, store) != XyReading::Failed;
    return readInstrumentFile(file, ImportRequest{format, 1, bin}, console, store);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string format = kFormats[data[0] % kFormats.size()];
    const int bin = 1 + (data[0] >> 4) % 3;
    PatternStore& store = fuzzStore();
    resetStore(store);
    MemoryFile file(std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
    ScriptedConsole quiet("");
    if (readAs(format, bin, file.get(), quiet.console, store)) {
        requireLoadedPattern(store, false);
    } else if (format != "xy") {  // the .xy reader's own failures may leave what they read
        requireSameStore(store, unsetStore(), "a failed import leaves the store untouched");
    }
    return 0;
}

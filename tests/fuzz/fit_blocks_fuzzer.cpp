// Fuzzes the reading of an xrdpick *.fit results file as a plan (xrdfit --from-fit): the
// input is the file.

#include <cstdint>
#include <sstream>
#include <string>

#include "batch/fit_file_plan.h"
#include "plan_promises.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string name = "quartz.fit";
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    requirePlanRead(readFitBlocks(in, name), name);
    return 0;
}

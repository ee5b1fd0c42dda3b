// Fuzzes the reading of xrdfit plan files (--plan): the input is the file.

#include <cstdint>
#include <sstream>
#include <string>

#include "batch/plan_file.h"
#include "plan_promises.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string name = "series.plan";
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    requirePlanRead(readPlan(in, name), name);
    return 0;
}

#include "batch/series_messages.h"

#include <sched.h>

#include <algorithm>
#include <thread>

std::vector<std::string> outcomeMessages(const PatternOutcome& outcome, SaidSoFar& said) {
    std::vector<std::string> messages;
    const auto sayOnce = [&](const std::string& note, std::string& saidBefore) {
        if (note.empty() || note == saidBefore) return;
        saidBefore = note;
        messages.push_back(outcome.name + ": " + note);
    };
    sayOnce(outcome.radiation, said.radiation);
    if (!outcome.unfitted.empty()) messages.push_back(outcome.name + ": " + outcome.unfitted);
    sayOnce(outcome.worNote, said.wor);
    return messages;
}

std::string regionMessage(const PatternOutcome& outcome, int regionNumber, const RegionFit& fit) {
    return outcome.name + ": region " + std::to_string(regionNumber) + ": " + fit.note;
}

std::string failedCount(int failed, int fits) {
    return std::to_string(failed) + " of " + std::to_string(fits) + " fits failed";
}

int availableCores() {
    cpu_set_t cores;
    if (sched_getaffinity(0, sizeof cores, &cores) == 0) return std::max(1, CPU_COUNT(&cores));
    return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

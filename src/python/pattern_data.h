#pragma once
// A pattern's data sized to its points. A PatternStore always holds its full capacity
// (19001 points, 224 KiB), so a Pattern keeps this instead and builds a store only while a
// call needs one: a thousand Patterns of 100 points take about a megabyte, not 218 MiB.

#include <memory>
#include <optional>
#include <vector>

#include "pattern/pattern_store.h"

struct PatternData {
    std::vector<float> tth, cts, sig;
    double tthmin = 0.0;
    double tthstep = 0.0;
    double tthmax = 0.0;
    std::optional<Radiation> radiation;

    static PatternData of(const PatternStore& store);

    // Fills a store as the readers leave it: the points, the unset value beyond them, the grid
    // and the radiation.
    void fill(PatternStore& store) const;
    std::unique_ptr<PatternStore> store() const;

    int size() const { return static_cast<int>(tth.size()); }
};

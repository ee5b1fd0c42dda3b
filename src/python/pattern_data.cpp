#include "python/pattern_data.h"

#include <algorithm>

PatternData PatternData::of(const PatternStore& store) {
    const int n = store.ilast + 1;
    return {{store.tth.begin(), store.tth.begin() + n},
            {store.cts.begin(), store.cts.begin() + n},
            {store.sig.begin(), store.sig.begin() + n},
            store.tthmin,
            store.tthstep,
            store.tthmax,
            store.radiation};
}

void PatternData::fill(PatternStore& store) const {
    store.fillUnset();
    std::copy(tth.begin(), tth.end(), store.tth.begin());
    std::copy(cts.begin(), cts.end(), store.cts.begin());
    std::copy(sig.begin(), sig.end(), store.sig.begin());
    store.ilast = size() - 1;
    store.tthmin = tthmin;
    store.tthstep = tthstep;
    store.tthmax = tthmax;
    store.radiation = radiation;
}

std::unique_ptr<PatternStore> PatternData::store() const {
    auto store = std::make_unique<PatternStore>();
    fill(*store);
    return store;
}

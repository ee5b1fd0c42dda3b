#pragma once
// The page of the fitting result evaluation: the observed pattern with the calculated curve
// and the difference over the region, the background ends, and each peak's marks with its
// position, FWHM and intensity.

#include "fit/fit_result.h"
#include "pattern/pattern_store.h"
#include "view/graphics.h"
#include "view/view_state.h"

struct FitScene {
    const PatternStore& pattern;
    int lastPatternIndex;  // the observed curve runs from point 0 to here
    int firstIndex;        // pattern index of the first region point
    const FitResult& result;
};

// Draws the page in the window, which reads back the bounds the device settled on.
void drawEvaluationPage(Graphics& gfx, PlotWindow& win, const FitScene& scene);

// The same fit as a picture for a file, where no one clicks: the title names what was
// fitted, the statistics stand inside the box, and a legend names each curve and mark in its
// own colour.
void drawFitPicture(Graphics& gfx, PlotWindow& win, const FitScene& scene, const char* title);

#pragma once
// Where a world position of the plot lies on the screen. giza's screen window is an
// 800 x 600 pixel drawing surface inside a 20-pixel margin, and cpgenv's standard viewport
// (the box) spans 0.08 to 0.92 of the surface in both directions; the world window fills
// the box, with y growing upwards. The window tests click at these pixels, and the band
// probe test proves the mapping against the positions the cursor hands back.

#include "window/x_input.h"

struct WorldWindow {
    float xmin = 0.0f, xmax = 1.0f, ymin = 0.0f, ymax = 1.0f;
};

struct WorldPoint {
    double x = 0.0, y = 0.0;
};

struct ScreenPoint {
    int x = 0, y = 0;
};

class PlotGeometry {
  public:
    PlotGeometry(const ScreenRect& window, const WorldWindow& world)
        : window_(window), world_(world) {}

    // The screen pixel nearest to a world position.
    ScreenPoint toScreen(WorldPoint point) const;
    // The world position of a screen pixel, as the cursor reports it.
    WorldPoint toWorld(ScreenPoint pixel) const;
    // World units per pixel, in x and y.
    WorldPoint pixelSize() const;

  private:
    double boxLeft() const;  // window pixels of the box edges
    double boxRight() const;
    double boxTop() const;
    double boxBottom() const;

    ScreenRect window_;
    WorldWindow world_;
};

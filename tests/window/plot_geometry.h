#pragma once
// Where a world position of the plot lies on the screen. The box (cpgenv's standard
// viewport) depends on the fonts giza finds, so it is never assumed: it is measured from a
// picture of the window, where the frame is drawn, and the band probe test proves the
// measurement against the viewport the program itself reports. The world window fills the
// box, with y growing upwards.

#include <optional>

#include "window/screenshot.h"
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

// The centre lines of the frame's four edges, in pixels of the window picture (a pixel's
// left or upper edge at its index, so the centre of pixel 3 lies at 3.5).
struct PlotBox {
    double left = 0.0, right = 0.0, top = 0.0, bottom = 0.0;
};

// The frame in a picture of the window: the outermost lines that cross most of it.
std::optional<PlotBox> measureFrame(const Image& window);

class PlotGeometry {
  public:
    PlotGeometry(const ScreenRect& window, const PlotBox& box, const WorldWindow& world)
        : window_(window), box_(box), world_(world) {}

    // The screen pixel nearest to a world position.
    ScreenPoint toScreen(WorldPoint point) const;
    // The world position of a screen pixel, as the cursor reports it.
    WorldPoint toWorld(ScreenPoint pixel) const;
    // World units per pixel, in x and y.
    WorldPoint pixelSize() const;
    // The same box with another world window in it, as after a zoom.
    PlotGeometry withWorld(const WorldWindow& world) const { return {window_, box_, world}; }

    const PlotBox& box() const { return box_; }
    const WorldWindow& world() const { return world_; }

  private:
    ScreenRect window_;
    PlotBox box_;
    WorldWindow world_;
};

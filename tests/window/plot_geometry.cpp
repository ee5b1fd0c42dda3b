#include "window/plot_geometry.h"

#include <cmath>

namespace {

constexpr double kMargin = 20.0;
constexpr double kViewportLow = 0.08;
constexpr double kViewportHigh = 0.92;

}  // namespace

// The drawing surface follows the window size, less the margin on each side.
double PlotGeometry::boxLeft() const {
    return kMargin + kViewportLow * (window_.width - 2 * kMargin);
}
double PlotGeometry::boxRight() const {
    return kMargin + kViewportHigh * (window_.width - 2 * kMargin);
}
double PlotGeometry::boxTop() const {
    return kMargin + (1.0 - kViewportHigh) * (window_.height - 2 * kMargin);
}
double PlotGeometry::boxBottom() const {
    return kMargin + (1.0 - kViewportLow) * (window_.height - 2 * kMargin);
}

ScreenPoint PlotGeometry::toScreen(WorldPoint point) const {
    const double fx = (point.x - world_.xmin) / (world_.xmax - world_.xmin);
    const double fy = (point.y - world_.ymin) / (world_.ymax - world_.ymin);
    const double x = boxLeft() + fx * (boxRight() - boxLeft());
    const double y = boxBottom() - fy * (boxBottom() - boxTop());
    return {window_.x + static_cast<int>(std::lround(x)),
            window_.y + static_cast<int>(std::lround(y))};
}

WorldPoint PlotGeometry::toWorld(ScreenPoint pixel) const {
    const double fx = (pixel.x - window_.x - boxLeft()) / (boxRight() - boxLeft());
    const double fy = (boxBottom() - (pixel.y - window_.y)) / (boxBottom() - boxTop());
    return {world_.xmin + fx * (world_.xmax - world_.xmin),
            world_.ymin + fy * (world_.ymax - world_.ymin)};
}

WorldPoint PlotGeometry::pixelSize() const {
    return {(world_.xmax - world_.xmin) / (boxRight() - boxLeft()),
            (world_.ymax - world_.ymin) / (boxBottom() - boxTop())};
}

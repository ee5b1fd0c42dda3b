#include "window/plot_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

// How far a pixel lies from the background colour, 0 to 255.
int strength(const Rgb& pixel, const Rgb& background) {
    return std::max({std::abs(pixel.r - background.r), std::abs(pixel.g - background.g),
                     std::abs(pixel.b - background.b)});
}

constexpr int kLit = 100;  // a pixel that an antialiased line covers at least in part

// The indices of the lines (rows or columns) of which more than half the pixels are lit.
std::vector<int> longLines(int count, int length, const std::function<int(int, int)>& at) {
    std::vector<int> found;
    for (int line = 0; line < count; ++line) {
        int lit = 0;
        for (int i = 0; i < length; ++i) lit += at(line, i) > kLit;
        if (2 * lit > length) found.push_back(line);
    }
    return found;
}

// The centre of an antialiased edge near line `near`: for each position along it (from
// `from` to `to`), the strength-weighted mean across lines near-1 .. near+1; the median
// of these, so that tick marks and a crossing curve do not pull it.
double edgeCentre(int near, int from, int to, const std::function<int(int, int)>& at) {
    std::vector<double> centres;
    for (int i = from; i < to; ++i) {
        double sum = 0.0, weighted = 0.0;
        for (int line = near - 1; line <= near + 1; ++line) {
            const int s = at(line, i);
            sum += s;
            weighted += s * (line + 0.5);
        }
        if (sum > 0.0) centres.push_back(weighted / sum);
    }
    if (centres.empty()) return near + 0.5;
    std::nth_element(centres.begin(), centres.begin() + centres.size() / 2, centres.end());
    return centres[centres.size() / 2];
}

}  // namespace

std::optional<PlotBox> measureFrame(const Image& window) {
    const Rgb background = window.at(0, 0);  // the window's margin
    const auto rowAt = [&](int row, int x) {
        return row < 0 || row >= window.height ? 0 : strength(window.at(x, row), background);
    };
    const auto columnAt = [&](int column, int y) {
        return column < 0 || column >= window.width ? 0
                                                    : strength(window.at(column, y), background);
    };
    const std::vector<int> rows = longLines(window.height, window.width, rowAt);
    const std::vector<int> columns = longLines(window.width, window.height, columnAt);
    if (rows.size() < 2 || columns.size() < 2) return std::nullopt;
    const int top = rows.front(), bottom = rows.back();
    const int left = columns.front(), right = columns.back();
    // Along each edge, keep clear of the corners.
    const int inset = 10;
    return PlotBox{edgeCentre(left, top + inset, bottom - inset, columnAt),
                   edgeCentre(right, top + inset, bottom - inset, columnAt),
                   edgeCentre(top, left + inset, right - inset, rowAt),
                   edgeCentre(bottom, left + inset, right - inset, rowAt)};
}

// A pixel's position is that of its upper-left corner, as the cursor reports it.
ScreenPoint PlotGeometry::toScreen(WorldPoint point) const {
    const double fx = (point.x - world_.xmin) / (world_.xmax - world_.xmin);
    const double fy = (point.y - world_.ymin) / (world_.ymax - world_.ymin);
    const double x = box_.left + fx * (box_.right - box_.left);
    const double y = box_.bottom - fy * (box_.bottom - box_.top);
    return {window_.x + static_cast<int>(std::lround(x)),
            window_.y + static_cast<int>(std::lround(y))};
}

WorldPoint PlotGeometry::toWorld(ScreenPoint pixel) const {
    const double fx = (pixel.x - window_.x - box_.left) / (box_.right - box_.left);
    const double fy = (box_.bottom - (pixel.y - window_.y)) / (box_.bottom - box_.top);
    return {world_.xmin + fx * (world_.xmax - world_.xmin),
            world_.ymin + fy * (world_.ymax - world_.ymin)};
}

WorldPoint PlotGeometry::pixelSize() const {
    return {(world_.xmax - world_.xmin) / (box_.right - box_.left),
            (world_.ymax - world_.ymin) / (box_.bottom - box_.top)};
}

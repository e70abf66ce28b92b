#include "ScreenPixels.h"

#include <algorithm>
#include <cmath>

namespace tinsora {

namespace {

// A logical point of a scaled screen is a device position divided by the
// scale; the small allowance lets it land on that device pixel again.
constexpr double kAllowance = 1e-6;

int DeviceOffset(double logicalOffset, double scale, int pixels) {
    const double device = std::floor(logicalOffset * scale + kAllowance);
    return static_cast<int>(std::clamp(device, 0.0, static_cast<double>(std::max(pixels - 1, 0))));
}

std::optional<int> WholePointOn(int origin, double scale, int pixel) {
    const double centre = (pixel + 0.5) / scale;
    std::optional<int> best;
    for (const double q : {std::floor(centre), std::ceil(centre)}) {
        if (std::floor(q * scale + kAllowance) != pixel)
            continue;
        if (!best || std::fabs(q - centre) < std::fabs(*best - origin - centre))
            best = origin + static_cast<int>(q);
    }
    return best;
}

} // namespace

std::optional<ScreenPixel> PixelAtPoint(const std::vector<ScreenArea>& screens, double x,
                                        double y) {
    if (!std::isfinite(x) || !std::isfinite(y))
        return std::nullopt;
    for (std::size_t k = 0; k < screens.size(); ++k) {
        const ScreenArea& s = screens[k];
        if (x < s.x || y < s.y || x >= s.x + s.width || y >= s.y + s.height)
            continue;
        if (s.pixelWidth <= 0 || s.pixelHeight <= 0)
            continue;
        return ScreenPixel{k, DeviceOffset(x - s.x, s.scale, s.pixelWidth),
                           DeviceOffset(y - s.y, s.scale, s.pixelHeight)};
    }
    return std::nullopt;
}

std::optional<LogicalPoint> PointOnPixel(const ScreenArea& screen, int x, int y) {
    const auto px = WholePointOn(screen.x, screen.scale, x);
    const auto py = WholePointOn(screen.y, screen.scale, y);
    if (!px || !py)
        return std::nullopt;
    return LogicalPoint{*px, *py};
}

ScreenPixel MovePixel(const ScreenArea& screen, ScreenPixel pixel, int dx, int dy) {
    pixel.x = std::clamp(pixel.x + dx, 0, std::max(screen.pixelWidth - 1, 0));
    pixel.y = std::clamp(pixel.y + dy, 0, std::max(screen.pixelHeight - 1, 0));
    return pixel;
}

std::optional<ScreenPixel> MagnifierCell(const ScreenArea& screen, const ScreenPixel& centre,
                                         int column, int row) {
    if (column < 0 || row < 0 || column >= kMagnifierCells || row >= kMagnifierCells)
        return std::nullopt;
    const int x = centre.x + column - kMagnifierRadius;
    const int y = centre.y + row - kMagnifierRadius;
    if (x < 0 || y < 0 || x >= screen.pixelWidth || y >= screen.pixelHeight)
        return std::nullopt;
    return ScreenPixel{centre.screen, x, y};
}

} // namespace tinsora

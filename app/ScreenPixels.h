#pragma once

#include <cstddef>
#include <optional>
#include <vector>

namespace tinsora {

/// One screen of the desktop as the eyedropper sees it: its place in logical
/// (device-independent) pixels, the size of its picture in device pixels and
/// the scale between the two (device pixels per logical pixel).
struct ScreenArea {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int pixelWidth = 0;
    int pixelHeight = 0;
    double scale = 1.0;
};

/// A device pixel of one screen: the screen's index and the pixel's place in its picture.
struct ScreenPixel {
    std::size_t screen = 0;
    int x = 0;
    int y = 0;

    friend bool operator==(const ScreenPixel&, const ScreenPixel&) = default;
};

/// A point of the desktop in whole logical pixels.
struct LogicalPoint {
    int x = 0;
    int y = 0;

    friend bool operator==(const LogicalPoint&, const LogicalPoint&) = default;
};

/// The device pixel under a logical desktop point, on the first screen that holds it; nothing
/// when the point lies on no screen.
std::optional<ScreenPixel> PixelAtPoint(const std::vector<ScreenArea>& screens, double x, double y);

/// The whole logical point nearest the pixel's centre that lies on the pixel, where the pointer
/// can be put to stand on it; nothing when no whole point does (a scale above 1).
std::optional<LogicalPoint> PointOnPixel(const ScreenArea& screen, int x, int y);

/// A pixel moved by dx, dy device pixels and kept inside its screen's picture.
ScreenPixel MovePixel(const ScreenArea& screen, ScreenPixel pixel, int dx, int dy);

/// The magnifier shows kMagnifierCells x kMagnifierCells pixels around its centre pixel.
inline constexpr int kMagnifierRadius = 5;
inline constexpr int kMagnifierCells = 2 * kMagnifierRadius + 1;

/// The pixel a magnifier cell shows (column and row 0..kMagnifierCells - 1, the centre pixel
/// at kMagnifierRadius), or nothing where the cell lies beyond the edge of the screen's picture.
std::optional<ScreenPixel> MagnifierCell(const ScreenArea& screen, const ScreenPixel& centre,
                                         int column, int row);

} // namespace tinsora

#pragma once

#include "color/User.h"
#include "gradient/Gradation.h"

#include <cstddef>
#include <cstdint>

namespace tinsora {

inline constexpr int kBaseMapWidth = 201;
inline constexpr int kBaseMapHeight = 30;
inline constexpr int kStripWidth = 239;
inline constexpr int kStripHeight = 15;
inline constexpr int kSquareSize = 71;

/// A colour as one pixel of a 32-bit RGB image: 0xFFRRGGBB.
constexpr std::uint32_t PixelRGB32(const ColorRGB& c) {
    return 0xFF000000u | ((static_cast<std::uint32_t>(c.Red) & 0xFFu) << 16) |
           ((static_cast<std::uint32_t>(c.Green) & 0xFFu) << 8) |
           (static_cast<std::uint32_t>(c.Blue) & 0xFFu);
}

/// The base colour map at (x, y): white at the top through the column's hue at row 15 toward
/// black; y = kBaseMapHeight (dragged below) gives black, columns from 198 on carry red.
/// Negative coordinates count as 0.
ColorRGB BaseMapColor(int x, int y);

/// The strip colour of column x for lastGradColor + 1 colours (lastGradColor is held to
/// 1..3); columns right of the last whole segment carry the last colour in use.
ColorRGB StripColor(int x, int lastGradColor, const GradientColors& colors);

/// The four-corner square at (x, y), each held to 0..kSquareSize - 1: the top and bottom
/// edges blended horizontally, then the column blended from top to bottom.
ColorRGB SquareColor(int x, int y, const GradientColors& colors);

/// Paints the kBaseMapWidth x kBaseMapHeight map into pixels, rows stride pixels apart.
void DrawBaseColorMap(std::uint32_t* pixels, std::ptrdiff_t stride);

/// Paints the kStripWidth x kStripHeight strip into pixels, rows stride pixels apart.
void DrawColorStrip(std::uint32_t* pixels, std::ptrdiff_t stride, int lastGradColor,
                    const GradientColors& colors);

/// Paints the kSquareSize x kSquareSize square into pixels, rows stride pixels apart.
void DrawCornerGradient(std::uint32_t* pixels, std::ptrdiff_t stride, const GradientColors& colors);

} // namespace tinsora

#pragma once

#include "color/User.h"
#include "html/OutputSink.h"
#include "html/OutputStyle.h"

#include <array>
#include <string>
#include <string_view>

namespace tinsora {

/// The five roles of the BODY tag, in the order of its attributes and of the preview lines.
enum class BodyRole { Bgcolor = 0, Text, Link, Vlink, Alink };

inline constexpr int kBodyRoleCount = 5;

/// One colour per role, indexed by BodyRole.
using BodyColors = std::array<ColorRGB, kBodyRoleCount>;

/// White background, black text and links: the colours at start.
inline constexpr BodyColors kInitialBodyColors{ColorRGB{255, 255, 255}, ColorRGB{0, 0, 0},
                                               ColorRGB{0, 0, 0}, ColorRGB{0, 0, 0},
                                               ColorRGB{0, 0, 0}};

/// The preview bitmap's size in pixels.
inline constexpr int kBodyPreviewWidth = 145;
inline constexpr int kBodyPreviewHeight = 153;

/// One line of the preview: its text and the top left corner where it is written.
struct BodyPreviewLine {
    std::string_view text;
    int x;
    int y;
};

/// The preview lines by role; the texts are also the captions of the role labels.
inline constexpr std::array<BodyPreviewLine, kBodyRoleCount> kBodyPreviewLines{{
    {"背景色(bgcolor)", 12, 14},
    {"テキスト(text)", 12, 42},
    {"リンク(link)", 12, 70},
    {"既読リンク(vlink)", 12, 98},
    {"選択リンク(alink)", 12, 126},
}};

/// The colour of a role.
inline ColorRGB& BodyColor(BodyColors& colors, BodyRole role) {
    return colors[static_cast<std::size_t>(role)];
}
inline const ColorRGB& BodyColor(const BodyColors& colors, BodyRole role) {
    return colors[static_cast<std::size_t>(role)];
}

/// The tag <BODY BgColor="#RRGGBB" Text="#..." Link="#..." Vlink="#..." Alink="#..."> as one line.
std::string MakeBodyTag(const BodyColors& colors);

/// The colours of the BODY tag and the form of the output; the line mode plays no part.
struct BodyTagOptions : OutputOptions {
    BodyColors colors = kInitialBodyColors;
};

/// Writes the BODY tag in the chosen style into sink: in the classic style the tag alone,
/// without a line end; in the HTML5 + CSS style a style sheet for the head and a plain
/// <body> start tag, each line followed by the line end.
void WriteBodyTag(const BodyTagOptions& options, OutputSink& sink);

} // namespace tinsora

#pragma once

#include "color/User.h"

namespace tinsora {

/// The blend ratio of a track bar position: the single-precision number nearest
/// to position / 10; positions outside 0..10 are taken as the nearer end.
float BlendRatio(int position);

/// c1 * (1 - t) + c2 * t per channel in double precision with t = BlendRatio(position),
/// truncated toward zero.
ColorRGB BlendColors(PackedColor c1, PackedColor c2, int position);

} // namespace tinsora

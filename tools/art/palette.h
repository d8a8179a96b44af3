// Colours shared by several pictures. None of them is the key red.
#pragma once

#include "raster.h"

namespace art {

constexpr Rgb INK = RGB(28, 22, 18);  // outlines
constexpr Rgb WOOD = RGB(150, 98, 52);
constexpr Rgb WOOD_LIGHT = RGB(196, 140, 80);
constexpr Rgb WOOD_DARK = RGB(92, 56, 28);
constexpr Rgb IRON = RGB(86, 88, 94);
constexpr Rgb IRON_DARK = RGB(48, 50, 56);
constexpr Rgb STEEL = RGB(150, 154, 160);
constexpr Rgb STEEL_LIGHT = RGB(205, 208, 212);
constexpr Rgb TYRE = RGB(40, 38, 38);
constexpr Rgb SKIN = RGB(236, 184, 140);
constexpr Rgb WHITE = RGB(250, 250, 246);

}  // namespace art

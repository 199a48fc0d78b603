#include "grid/colour.h"

namespace korvex {

bool isSystemColour(Colour c) {
  return (c & 0xFF000000u) == 0x80000000u;
}

Rgb toRgb(Colour c) {
  if (isSystemColour(c)) {
    switch (c) {
      case colours::ScrollBar:
        return {200, 200, 200};
      case colours::ActiveCaption:
        return {153, 180, 209};
      case colours::InactiveCaption:
        return {191, 205, 219};
      case colours::ActiveBorder:
        return {180, 180, 180};
      case colours::AppWorkspace:
        return {171, 171, 171};
      case colours::Highlight:
        return {0, 120, 215};
      case colours::ButtonText:
        return {0, 0, 0};
      case colours::Light3D:
        return {227, 227, 227};
      case colours::GradientActiveCaption:
        return {185, 209, 234};
      default:
        return {240, 240, 240};
    }
  }
  return {static_cast<std::uint8_t>(c & 0xFF), static_cast<std::uint8_t>((c >> 8) & 0xFF),
          static_cast<std::uint8_t>((c >> 16) & 0xFF)};
}

}  // namespace korvex

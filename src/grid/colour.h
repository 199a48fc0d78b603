#pragma once

#include <cstdint>

namespace korvex {

// Colours travel as the 0x00BBGGRR values the grids were designed with. Values with the
// top bit set name a system colour by its role; they are resolved to RGB only at display.
using Colour = std::uint32_t;

struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

namespace colours {
inline constexpr Colour Green = 0x0000FF00;       // RGB 0,255,0
inline constexpr Colour Red = 0x000000FF;         // RGB 255,0,0
inline constexpr Colour Blue = 0x00FF0000;        // RGB 0,0,255
inline constexpr Colour Yellow = 0x0000FFFF;      // RGB 255,255,0
inline constexpr Colour LightGreen = 0x0080FF80;  // RGB 128,255,128
inline constexpr Colour Navy = 0x00800000;        // RGB 0,0,128
inline constexpr Colour Maroon = 0x00000080;      // RGB 128,0,0
inline constexpr Colour Purple = 0x00800080;      // RGB 128,0,128
inline constexpr Colour Black = 0x00000000;
inline constexpr Colour Silver = 0x00C0C0C0;
inline constexpr Colour MoneyGreen = 0x00C0DCC0;
inline constexpr Colour Orange = 0x0044A8FF;       // RGB 255,168,68
inline constexpr Colour DeepOrange = 0x004080FF;   // RGB 255,128,64
inline constexpr Colour LightYellow = 0x0080FFFF;  // RGB 255,255,128
inline constexpr Colour GreyGreen = 0x00AED0C1;    // RGB 193,208,174
inline constexpr Colour LightAqua = 0x00FFFF80;    // RGB 128,255,255
inline constexpr Colour PaleGrey = 0x00E9E5E4;     // RGB 228,229,233
inline constexpr Colour Peach = 0x00BBD1FF;        // RGB 255,209,187
inline constexpr Colour Rose = 0x008000FF;         // RGB 255,0,128
inline constexpr Colour Lavender = 0x00C08080;     // RGB 128,128,192
inline constexpr Colour MidGrey = 0x00A0A0A0;      // RGB 160,160,160
inline constexpr Colour SteelBlue = 0x00D78D4A;    // RGB 74,141,215
inline constexpr Colour SlateBlue = 0x00CD5A6A;    // RGB 106,90,205
inline constexpr Colour DuskBlue = 0x00805A3D;     // RGB 61,90,128
inline constexpr Colour DimGrey = 0x00606060;      // RGB 96,96,96
inline constexpr Colour AlarmRed = 0x000000C0;     // RGB 192,0,0

// System colours, by role.
inline constexpr Colour ScrollBar = 0x80000000;
inline constexpr Colour ActiveCaption = 0x80000002;
inline constexpr Colour InactiveCaption = 0x80000003;
inline constexpr Colour ActiveBorder = 0x8000000A;
inline constexpr Colour AppWorkspace = 0x8000000C;
inline constexpr Colour Highlight = 0x8000000D;
inline constexpr Colour ButtonText = 0x80000012;
inline constexpr Colour Light3D = 0x80000016;
inline constexpr Colour GradientActiveCaption = 0x8000001B;
}  // namespace colours

bool isSystemColour(Colour c);
// Plain colours unpack directly; system colours use the classic Windows defaults.
Rgb toRgb(Colour c);

}  // namespace korvex

#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvex {

struct Image {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;  // width * height * 4 bytes, row by row
};

// A card picture: what it shows and where that came from.
struct Picture {
  std::string source = "placeholder";  // "placeholder" or the file it was loaded from
  Image image;                         // empty while the placeholder shows
};

// The card shows 48 x 50 pixels; a picture is decoded at no less than this, where it has it.
inline constexpr int kCardWidth = 48;
inline constexpr int kCardHeight = 50;

// Why a picture shows the placeholder, in the user's words.
inline constexpr std::string_view kPictureTooLarge = "picture too large";
inline constexpr std::string_view kNotAPicture = "not a picture";
inline constexpr std::string_view kNoPictureFile = "picture file not readable";

// Decodes PNG or JPEG by content, whatever the name says; nullopt for anything else, with
// the reason in `whyNot` when given. A picture that declares more than 4096 pixels a side
// or 16 megapixels is refused before any pixel is decoded: a few hundred kilobytes on the
// wire can declare gigabytes of pixels. A JPEG decodes at the smallest of libjpeg's
// scales that still covers the card, so a photograph costs a fraction of its size.
std::optional<Image> decodePicture(std::string_view bytes, std::string* whyNot = nullptr);
std::optional<Image> loadPictureFile(const std::filesystem::path& file,
                                     std::string* whyNot = nullptr);

}  // namespace korvex

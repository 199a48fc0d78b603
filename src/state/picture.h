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

// Decodes PNG or JPEG by content, whatever the name says; nullopt for anything else.
std::optional<Image> decodePicture(std::string_view bytes);
std::optional<Image> loadPictureFile(const std::filesystem::path& file);

}  // namespace korvex

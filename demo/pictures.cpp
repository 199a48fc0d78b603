#include "pictures.h"

#include <png.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <vector>

#include "demo/jpeg_writer.h"
#include "random.h"

namespace korvex::demo {
namespace {

constexpr int kWidth = 48;  // the size of the client's picture boxes
constexpr int kHeight = 50;

struct Rgb {
  double r, g, b;
  Rgb scaled(double f) const { return {r * f, g * f, b * f}; }
  Rgb mixed(const Rgb& other, double t) const {
    return {r + (other.r - r) * t, g + (other.g - g) * t, b + (other.b - b) * t};
  }
};

struct Image {
  std::vector<std::uint8_t> rgb = std::vector<std::uint8_t>(kWidth * kHeight * 3);
};

// Paints each pixel from `colourAt`, averaged over 4x4 samples for smooth edges.
Image paint(const std::function<Rgb(double x, double y)>& colourAt) {
  Image image;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      Rgb sum{0, 0, 0};
      for (int sy = 0; sy < 4; ++sy) {
        for (int sx = 0; sx < 4; ++sx) {
          Rgb c = colourAt(x + (sx + 0.5) / 4.0, y + (sy + 0.5) / 4.0);
          sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
        }
      }
      std::uint8_t* pixel = &image.rgb[(y * kWidth + x) * 3];
      pixel[0] = static_cast<std::uint8_t>(std::clamp(sum.r / 16.0, 0.0, 255.0));
      pixel[1] = static_cast<std::uint8_t>(std::clamp(sum.g / 16.0, 0.0, 255.0));
      pixel[2] = static_cast<std::uint8_t>(std::clamp(sum.b / 16.0, 0.0, 255.0));
    }
  }
  return image;
}

double distance(double x, double y, double cx, double cy) {
  return std::hypot(x - cx, y - cy);
}

// A head-and-shoulders outline on a background whose hue comes from the player's id.
Image avatar(int playerId) {
  Random random(seedFor(std::to_string(playerId), 0xA7A));
  double hue = random.unit() * 6.0;
  double f = hue - std::floor(hue);
  int sector = static_cast<int>(hue);
  double hi = 225;
  double lo = 150;
  double up = lo + (hi - lo) * f;
  double down = hi - (hi - lo) * f;
  const Rgb kSectors[] = {{hi, up, lo},   {down, hi, lo}, {lo, hi, up},
                          {lo, down, hi}, {up, lo, hi},   {hi, lo, down}};
  Rgb background = kSectors[sector % 6];
  Rgb figure = background.scaled(0.42);
  return paint([&](double x, double y) {
    bool head = distance(x, y, 24, 19) < 9.5;
    double sx = (x - 24) / 19.0;
    double sy = (y - 50) / 17.0;
    bool shoulders = sx * sx + sy * sy < 1.0;
    return head || shoulders ? figure : background.mixed({255, 255, 255}, y / kHeight * 0.25);
  });
}

// A tennis ball on a dark square.
Image logoImage() {
  const Rgb kDark{28, 36, 48};
  const Rgb kFelt{206, 228, 64};
  const Rgb kSeam{250, 250, 240};
  const double cx = 24, cy = 25, radius = 17;
  return paint([&](double x, double y) {
    double d = distance(x, y, cx, cy);
    if (d > radius) return kDark;
    bool seam = std::abs(distance(x, y, cx - 21, cy) - 14.5) < 1.2 ||
                std::abs(distance(x, y, cx + 21, cy) - 14.5) < 1.2;
    // Light from the upper left.
    double shade = 1.0 - 0.25 * std::clamp((x - cx + y - cy) / (2 * radius) + 0.3, 0.0, 1.0);
    return (seam ? kSeam : kFelt).scaled(shade);
  });
}

std::string encodePng(const Image& image) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (png == nullptr || info == nullptr) throw std::runtime_error("libpng cannot start");
  std::string bytes;
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    throw std::runtime_error("PNG encoding failed");
  }
  png_set_write_fn(
      png, &bytes,
      [](png_structp p, png_bytep data, png_size_t length) {
        static_cast<std::string*>(png_get_io_ptr(p))->append(reinterpret_cast<char*>(data), length);
      },
      nullptr);
  png_set_IHDR(png, info, kWidth, kHeight, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < kHeight; ++y) {
    png_write_row(png, const_cast<png_bytep>(&image.rgb[y * kWidth * 3]));
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return bytes;
}

std::string encodeJpeg(const Image& image) {
  return writeJpeg(kWidth, kHeight, JpegInk::Rgb, 90,
                   [&](int y) { return &image.rgb[static_cast<std::size_t>(y) * kWidth * 3]; });
}

}  // namespace

std::optional<Picture> PictureStore::playerPicture(std::string_view id) {
  int number = 0;
  auto [end, error] = std::from_chars(id.data(), id.data() + id.size(), number);
  if (error != std::errc() || end != id.data() + id.size()) return std::nullopt;
  const Player* player = world_.findPlayer(number);
  if (player == nullptr) return std::nullopt;

  std::lock_guard lock(mutex_);
  auto cached = players_.find(number);
  if (cached != players_.end()) return cached->second;
  // Every tenth player has no picture; of the rest, half were uploaded as JPEG files and
  // kept their upload's bytes under the ".png" name.
  auto index = player - world_.players().data();
  std::optional<Picture> picture;
  if (index % 10 != 9) {
    Image image = avatar(number);
    picture = Picture{index % 2 == 0 ? encodePng(image) : encodeJpeg(image), "image/png"};
  }
  players_.emplace(number, picture);
  return picture;
}

Picture PictureStore::logo() {
  std::lock_guard lock(mutex_);
  if (!logo_) logo_ = Picture{encodeJpeg(logoImage()), "image/jpeg"};
  return *logo_;
}

}  // namespace korvex::demo

#include "state/picture.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>
#include <string>

#include "support/picture_samples.h"
#include "support/temp_dir.h"

namespace korvex {
namespace {

using test::jpegBytes;
using test::JpegInk;
using test::pngBytes;

::testing::AssertionResult isSolid(const std::optional<Image>& image, int width, int height,
                                   Rgb colour, int tolerance) {
  if (!image) return ::testing::AssertionFailure() << "not decoded";
  if (image->width != width || image->height != height)
    return ::testing::AssertionFailure() << image->width << "x" << image->height;
  if (image->rgba.size() != static_cast<size_t>(width * height * 4))
    return ::testing::AssertionFailure() << "rgba holds " << image->rgba.size() << " bytes";
  const int want[4] = {colour.r, colour.g, colour.b, 255};
  for (size_t i = 0; i < image->rgba.size(); ++i) {
    if (std::abs(image->rgba[i] - want[i % 4]) > tolerance)
      return ::testing::AssertionFailure() << "byte " << i << " is " << int{image->rgba[i]};
  }
  return ::testing::AssertionSuccess();
}

void putBigEndian(std::string& bytes, size_t at, unsigned value, int width) {
  for (int i = 0; i < width; ++i)
    bytes[at + i] = static_cast<char>((value >> (8 * (width - 1 - i))) & 0xFF);
}

TEST(DecodePicture, PngAndEveryJpegKindBecomeRgba) {
  EXPECT_TRUE(isSolid(decodePicture(pngBytes(5, 3, {10, 200, 30})), 5, 3, {10, 200, 30}, 0));
  EXPECT_TRUE(isSolid(decodePicture(jpegBytes(16, 8, {200, 40, 40})), 16, 8, {200, 40, 40}, 6));
  EXPECT_TRUE(isSolid(decodePicture(jpegBytes(9, 9, {128, 0, 0}, JpegInk::Grey)), 9, 9,
                      {128, 128, 128}, 2));
  // libjpeg marks CMYK files as Adobe's, whose inks are stored inverted: full "ink" in the
  // first and third channel with full "black" reads as magenta.
  EXPECT_TRUE(isSolid(decodePicture(jpegBytes(8, 8, {255, 0, 255}, JpegInk::Cmyk)), 8, 8,
                      {255, 0, 255}, 6));
}

TEST(DecodePicture, RefusesWhatIsNotAWholePicture) {
  const std::string png = pngBytes(40, 40, {1, 2, 3});
  const std::string jpeg = jpegBytes(40, 40, {1, 2, 3});
  for (const std::string& bytes :
       {std::string(), std::string("GIF89a\x01\x00\x01\x00"), std::string("<html>404</html>"),
        png.substr(0, 8), png.substr(0, png.size() / 2), png.substr(0, png.size() - 13),
        jpeg.substr(0, 2), jpeg.substr(0, jpeg.size() / 2), jpeg.substr(0, jpeg.size() - 2)}) {
    std::string whyNot;
    EXPECT_FALSE(decodePicture(bytes, &whyNot)) << bytes.size() << " bytes";
    EXPECT_EQ(whyNot, "not a picture") << bytes.size() << " bytes";
  }
}

TEST(DecodePicture, RefusesMoreThan4096ASideOr16MegapixelsAsTooLarge) {
  std::string whyNot;
  EXPECT_TRUE(decodePicture(pngBytes(4096, 1, {0, 0, 0})));
  for (const std::string& large :
       {pngBytes(4097, 1, {0, 0, 0}), pngBytes(1, 4097, {0, 0, 0}), pngBytes(4000, 4001, {0, 0, 0}),
        jpegBytes(4000, 4001, {0, 0, 0})}) {
    whyNot.clear();
    EXPECT_FALSE(decodePicture(large, &whyNot));
    EXPECT_EQ(whyNot, "picture too large");
  }
  EXPECT_TRUE(decodePicture(jpegBytes(4000, 4000, {0, 0, 0}))) << "16 megapixels exactly";

  // Headers that claim 100000 x 100000 pixels over a few bytes of data.
  std::string png = pngBytes(1, 1, {0, 0, 0});
  putBigEndian(png, 16, 100000, 4);  // IHDR width
  putBigEndian(png, 20, 100000, 4);  // IHDR height
  const auto crc = crc32(0, reinterpret_cast<const Bytef*>(png.data() + 12), 17);
  putBigEndian(png, 29, static_cast<unsigned>(crc), 4);
  EXPECT_FALSE(decodePicture(png, &whyNot));
  EXPECT_EQ(whyNot, "picture too large");

  std::string jpeg = jpegBytes(8, 8, {0, 0, 0});
  const size_t frame = jpeg.find("\xFF\xC0");
  ASSERT_NE(frame, std::string::npos);
  putBigEndian(jpeg, frame + 5, 60000, 2);  // height
  putBigEndian(jpeg, frame + 7, 60000, 2);  // width
  whyNot.clear();
  EXPECT_FALSE(decodePicture(jpeg, &whyNot));
  EXPECT_EQ(whyNot, "picture too large");
}

// Pictures of 8192 x 8192 pixels that are small files: decoded whole, each held a
// quarter of a gigabyte of pixels.
TEST(LoadPictureFile, BombsShowThePlaceholderAndAReasonWhileACardPictureStillLoads) {
  test::TempDir dir;
  test::writeFile(dir / "1.jpg", jpegBytes(8192, 8192, {90, 120, 200}));
  test::writeFile(dir / "2.jpg", pngBytes(8192, 8192, {90, 120, 200}));
  test::writeFile(dir / "3.jpg", jpegBytes(480, 500, {90, 120, 200}));
  for (const char* bomb : {"1.jpg", "2.jpg"}) {
    std::string whyNot;
    EXPECT_FALSE(loadPictureFile(dir / bomb, &whyNot)) << bomb;
    EXPECT_EQ(whyNot, "picture too large") << bomb;
  }
  std::string whyNot;
  EXPECT_TRUE(isSolid(loadPictureFile(dir / "3.jpg", &whyNot), 60, 63, {90, 120, 200}, 6));
  EXPECT_EQ(whyNot, "");
}

TEST(DecodePicture, AJpegDecodesAtTheSmallestEighthThatStillCoversTheCard) {
  // 100 x 100 at 4/8 is 50 x 50; at 3/8 it would be 38 x 38.
  EXPECT_TRUE(isSolid(decodePicture(jpegBytes(100, 100, {200, 40, 40})), 50, 50, {200, 40, 40}, 6));
  // A wide strip: its height decides, 60 at 7/8 is 53 (6/8 would be 45).
  EXPECT_TRUE(isSolid(decodePicture(jpegBytes(800, 60, {200, 40, 40})), 700, 53, {200, 40, 40}, 6));
  // Smaller than the card: never enlarged.
  EXPECT_TRUE(isSolid(decodePicture(jpegBytes(40, 30, {200, 40, 40})), 40, 30, {200, 40, 40}, 6));
  // PNG keeps its size.
  EXPECT_TRUE(
      isSolid(decodePicture(pngBytes(400, 500, {200, 40, 40})), 400, 500, {200, 40, 40}, 0));
}

TEST(LoadPictureFile, ReadsByContentWhateverTheName) {
  test::TempDir dir;
  test::writeFile(dir / "1.jpg", pngBytes(4, 2, {9, 8, 7}));
  EXPECT_TRUE(isSolid(loadPictureFile(dir / "1.jpg"), 4, 2, {9, 8, 7}, 0));
  std::string whyNot;
  EXPECT_FALSE(loadPictureFile(dir / "missing.jpg", &whyNot));
  EXPECT_EQ(whyNot, "picture file not readable");
  EXPECT_FALSE(loadPictureFile(dir.path()));
}

}  // namespace
}  // namespace korvex

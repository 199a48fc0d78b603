#include "state/picture.h"

#include <jpeglib.h>
#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE declared first
#include <cstring>
#include <fstream>
#include <system_error>

namespace korvex {

namespace {

// A hostile header could otherwise make us allocate gigabytes before the data runs out.
constexpr unsigned kMaxSide = 4096;
constexpr std::uint64_t kMaxPixels = 16'000'000;
constexpr std::uintmax_t kMaxFileBytes = std::uintmax_t{64} << 20;
// Text, profiles and unknown chunks are never shown; a flood of them, or one that
// inflates to gigabytes, must not cost more than this.
constexpr png_uint_32 kMaxPngChunks = 128;
constexpr png_alloc_size_t kMaxPngChunkBytes = png_alloc_size_t{1} << 20;
constexpr unsigned char kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

enum class Size { Empty, Acceptable, TooLarge };

Size judgeSize(std::uint64_t width, std::uint64_t height) {
  if (width == 0 || height == 0) return Size::Empty;
  if (width > kMaxSide || height > kMaxSide || width * height > kMaxPixels) return Size::TooLarge;
  return Size::Acceptable;
}

bool isPng(std::string_view bytes) {
  return bytes.size() >= sizeof kPngSignature &&
         std::memcmp(bytes.data(), kPngSignature, sizeof kPngSignature) == 0;
}

bool isJpeg(std::string_view bytes) {
  return bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
         static_cast<unsigned char>(bytes[1]) == 0xD8;
}

void refuse(std::string* whyNot, std::string_view reason) {
  if (whyNot != nullptr) *whyNot = reason;
}

std::uint32_t bigEndian32(std::string_view bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i)
    value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

// The size an IHDR declares, read before libpng sees it, so that a refusal says why;
// libpng's own limits stand behind it.
Size declaredPngSize(std::string_view bytes) {
  constexpr std::size_t kIhdrEnd = 24;  // signature, length, type, width, height
  if (bytes.size() < kIhdrEnd || bytes.substr(12, 4) != "IHDR") return Size::Acceptable;
  return judgeSize(bigEndian32(bytes, 16), bigEndian32(bytes, 20));
}

// libpng reads from the bytes in memory through this.
struct PngSource {
  std::string_view bytes;
  std::size_t at = 0;
};

void readPngBytes(png_structp png, png_bytep out, png_size_t length) {
  auto* source = static_cast<PngSource*>(png_get_io_ptr(png));
  if (source->bytes.size() - source->at < length) png_error(png, "truncated");
  std::memcpy(out, source->bytes.data() + source->at, length);
  source->at += length;
}

// Warnings are about ancillary chunks we do not use.
void ignorePngWarning(png_structp, png_const_charp) {}

struct PngDecoder {
  png_structp png = nullptr;
  png_infop info = nullptr;
  PngDecoder() {
    png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, ignorePngWarning);
    if (png != nullptr) info = png_create_info_struct(png);
  }
  ~PngDecoder() { png_destroy_read_struct(&png, &info, nullptr); }
  PngDecoder(const PngDecoder&) = delete;
  PngDecoder& operator=(const PngDecoder&) = delete;
};

// As with the JPEG decoder below, the frame that calls setjmp owns nothing with a
// destructor; `rows` and `out` live in the caller.
bool runPngDecoder(PngDecoder& decoder, PngSource& source, std::vector<png_bytep>& rows,
                   Image& out) {
  png_structp png = decoder.png;
  png_infop info = decoder.info;
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_read_fn(png, &source, readPngBytes);
  png_set_user_limits(png, kMaxSide, kMaxSide);
  png_set_chunk_cache_max(png, kMaxPngChunks);
  png_set_chunk_malloc_max(png, kMaxPngChunkBytes);
  png_read_info(png, info);
  const png_uint_32 width = png_get_image_width(png, info);
  const png_uint_32 height = png_get_image_height(png, info);
  if (judgeSize(width, height) != Size::Acceptable) return false;

  // Whatever the file's own format, 8 bits of red, green, blue and alpha.
  png_set_expand(png);
  png_set_scale_16(png);
  png_set_gray_to_rgb(png);
  png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  if (png_get_rowbytes(png, info) != std::size_t{width} * 4) return false;

  out.width = static_cast<int>(width);
  out.height = static_cast<int>(height);
  out.rgba.resize(std::size_t{width} * height * 4);
  rows.resize(height);
  for (png_uint_32 y = 0; y < height; ++y) rows[y] = out.rgba.data() + std::size_t{width} * 4 * y;
  png_read_image(png, rows.data());
  png_read_end(png, nullptr);
  return true;
}

std::optional<Image> decodePng(std::string_view bytes, std::string* whyNot) {
  if (declaredPngSize(bytes) == Size::TooLarge) {
    refuse(whyNot, kPictureTooLarge);
    return std::nullopt;
  }
  PngDecoder decoder;
  PngSource source{bytes};
  std::vector<png_bytep> rows;
  Image image;
  if (decoder.info == nullptr || !runPngDecoder(decoder, source, rows, image)) {
    refuse(whyNot, kNotAPicture);
    return std::nullopt;
  }
  return image;
}

// libjpeg's default reaction to bad data is exit(); ours jumps back to the decoder.
struct JpegErrors {
  jpeg_error_mgr manager;  // first, so libjpeg's pointer to it leads back to the whole
  std::jmp_buf jump;
};

[[noreturn]] void jpegFail(j_common_ptr info) {
  std::longjmp(reinterpret_cast<JpegErrors*>(info->err)->jump, 1);
}

// Level -1 is corrupt data, a truncated file included, which libjpeg would otherwise paper
// over with grey; a picture that is not wholly there is no picture. Trace levels are noise.
void jpegMessage(j_common_ptr info, int level) {
  if (level < 0) jpegFail(info);
}

struct JpegDecoder {
  jpeg_decompress_struct info{};  // zeroed, so destroying it is safe before creation
  JpegErrors errors{};
  JpegDecoder() {
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = jpegFail;
    errors.manager.emit_message = jpegMessage;
  }
  ~JpegDecoder() { jpeg_destroy_decompress(&info); }
  JpegDecoder(const JpegDecoder&) = delete;
  JpegDecoder& operator=(const JpegDecoder&) = delete;
};

// libjpeg has no CMYK to RGB conversion; Adobe's files store the inks inverted.
void cmykToRgba(std::vector<std::uint8_t>& pixels, bool inverted) {
  for (size_t i = 0; i + 3 < pixels.size(); i += 4) {
    int k = pixels[i + 3];
    if (!inverted) k = 255 - k;
    for (size_t c = 0; c < 3; ++c) {
      const int ink = inverted ? pixels[i + c] : 255 - pixels[i + c];
      pixels[i + c] = static_cast<std::uint8_t>(ink * k / 255);
    }
    pixels[i + 3] = 255;
  }
}

// The smallest of libjpeg's scales (eighths) whose output still covers the card, or the
// whole picture where it is smaller than the card.
void scaleToCoverTheCard(jpeg_decompress_struct& info) {
  const JDIMENSION needWidth = std::min<JDIMENSION>(kCardWidth, info.image_width);
  const JDIMENSION needHeight = std::min<JDIMENSION>(kCardHeight, info.image_height);
  info.scale_denom = 8;
  for (info.scale_num = 1; info.scale_num < 8; ++info.scale_num) {
    jpeg_calc_output_dimensions(&info);
    if (info.output_width >= needWidth && info.output_height >= needHeight) return;
  }
}

enum class JpegOutcome { Decoded, TooLarge, Broken };

// longjmp leaves this frame without unwinding it, so it owns no object with a destructor;
// everything it fills lives in the caller.
JpegOutcome runJpegDecoder(JpegDecoder& decoder, std::string_view bytes, Image& out) {
  jpeg_decompress_struct& info = decoder.info;
  if (setjmp(decoder.errors.jump)) return JpegOutcome::Broken;
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()),
               static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&info, TRUE);
  switch (judgeSize(info.image_width, info.image_height)) {
    case Size::Empty:
      return JpegOutcome::Broken;
    case Size::TooLarge:
      return JpegOutcome::TooLarge;
    case Size::Acceptable:
      break;
  }
  const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_RGBA;
  scaleToCoverTheCard(info);
  jpeg_start_decompress(&info);
  if (info.output_components != 4) return JpegOutcome::Broken;
  out.width = static_cast<int>(info.output_width);
  out.height = static_cast<int>(info.output_height);
  const size_t stride = size_t{info.output_width} * 4;
  out.rgba.resize(stride * info.output_height);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = out.rgba.data() + stride * info.output_scanline;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  if (cmyk) cmykToRgba(out.rgba, info.saw_Adobe_marker);
  return JpegOutcome::Decoded;
}

std::optional<Image> decodeJpeg(std::string_view bytes, std::string* whyNot) {
  JpegDecoder decoder;
  Image image;
  switch (runJpegDecoder(decoder, bytes, image)) {
    case JpegOutcome::Decoded:
      return image;
    case JpegOutcome::TooLarge:
      refuse(whyNot, kPictureTooLarge);
      return std::nullopt;
    case JpegOutcome::Broken:
      break;
  }
  refuse(whyNot, kNotAPicture);
  return std::nullopt;
}

}  // namespace

std::optional<Image> decodePicture(std::string_view bytes, std::string* whyNot) {
  if (isPng(bytes)) return decodePng(bytes, whyNot);
  if (isJpeg(bytes)) return decodeJpeg(bytes, whyNot);
  refuse(whyNot, kNotAPicture);
  return std::nullopt;
}

std::optional<Image> loadPictureFile(const std::filesystem::path& file, std::string* whyNot) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(file, error);
  if (error) {
    refuse(whyNot, kNoPictureFile);
    return std::nullopt;
  }
  if (size > kMaxFileBytes) {
    refuse(whyNot, kPictureTooLarge);
    return std::nullopt;
  }
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    refuse(whyNot, kNoPictureFile);
    return std::nullopt;
  }
  std::string bytes(static_cast<size_t>(size), '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(size));
  bytes.resize(static_cast<size_t>(in.gcount()));
  return decodePicture(bytes, whyNot);
}

}  // namespace korvex

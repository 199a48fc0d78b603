#include "state/picture.h"

#include <jpeglib.h>
#include <png.h>

#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE declared first
#include <cstring>
#include <fstream>
#include <system_error>

namespace korvex {

namespace {

// A hostile header could otherwise make us allocate gigabytes before the data runs out.
constexpr unsigned kMaxSide = 8192;
constexpr std::uintmax_t kMaxFileBytes = std::uintmax_t{64} << 20;
constexpr unsigned char kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

bool acceptableSize(unsigned width, unsigned height) {
  return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide;
}

bool isPng(std::string_view bytes) {
  return bytes.size() >= sizeof kPngSignature &&
         std::memcmp(bytes.data(), kPngSignature, sizeof kPngSignature) == 0;
}

bool isJpeg(std::string_view bytes) {
  return bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
         static_cast<unsigned char>(bytes[1]) == 0xD8;
}

std::optional<Image> decodePng(std::string_view bytes) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&png, bytes.data(), bytes.size())) {
    png_image_free(&png);
    return std::nullopt;
  }
  if (!acceptableSize(png.width, png.height)) {
    png_image_free(&png);
    return std::nullopt;
  }
  png.format = PNG_FORMAT_RGBA;
  Image image{.width = static_cast<int>(png.width), .height = static_cast<int>(png.height)};
  image.rgba.resize(PNG_IMAGE_SIZE(png));
  const bool read = png_image_finish_read(&png, nullptr, image.rgba.data(), 0, nullptr) != 0;
  png_image_free(&png);
  if (!read) return std::nullopt;
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

// longjmp leaves this frame without unwinding it, so it owns no object with a destructor;
// everything it fills lives in the caller.
bool runJpegDecoder(JpegDecoder& decoder, std::string_view bytes, Image& out) {
  jpeg_decompress_struct& info = decoder.info;
  if (setjmp(decoder.errors.jump)) return false;
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()),
               static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&info, TRUE);
  if (!acceptableSize(info.image_width, info.image_height)) return false;
  const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_RGBA;
  jpeg_start_decompress(&info);
  if (info.output_components != 4) return false;
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
  return true;
}

std::optional<Image> decodeJpeg(std::string_view bytes) {
  JpegDecoder decoder;
  Image image;
  if (!runJpegDecoder(decoder, bytes, image)) return std::nullopt;
  return image;
}

}  // namespace

std::optional<Image> decodePicture(std::string_view bytes) {
  if (isPng(bytes)) return decodePng(bytes);
  if (isJpeg(bytes)) return decodeJpeg(bytes);
  return std::nullopt;
}

std::optional<Image> loadPictureFile(const std::filesystem::path& file) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(file, error);
  if (error || size > kMaxFileBytes) return std::nullopt;
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes(static_cast<size_t>(size), '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(size));
  bytes.resize(static_cast<size_t>(in.gcount()));
  return decodePicture(bytes);
}

}  // namespace korvex

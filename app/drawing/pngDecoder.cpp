#include "pngDecoder.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include "sfmlSeam.h"

namespace {

constexpr std::size_t kSignatureBytes = 8;
constexpr std::size_t kRgbaBytes = 4;
constexpr png_uint_32 kOpaque = 0xff;
constexpr std::size_t kReasonLength = 160;

const char* const kUnableToOpen = "Unable to open file";
const char* const kNotPng = "Not a PNG file";
const char* const kEndOfFile = "Unexpected end of file";
const char* const kOutOfMemory = "Out of memory";

// The decoder's report, kept as plain characters: the decoder leaves by a
// long jump, which must cross nothing that has a destructor.
struct decodeFailure {
  char reason[kReasonLength] = "";
};

bool readSource(std::FILE* source, unsigned char* out, std::size_t length) {
  return std::fread(out, 1, length, source) == length;
}

void fail(decodeFailure& failure, const char* reason) {
  std::snprintf(failure.reason, sizeof failure.reason, "%s", reason);
}

void readForDecoder(png_structp png, png_bytep out, std::size_t length) {
  if (!readSource(static_cast<std::FILE*>(png_get_io_ptr(png)), out, length)) png_error(png, kEndOfFile);
}

[[noreturn]] void onDecoderError(png_structp png, png_const_charp message) {
  fail(*static_cast<decodeFailure*>(png_get_error_ptr(png)), message);
  png_longjmp(png, 1);
}

// Warnings are about ancillary data that the decoder has dropped; the image
// itself is sound, and the program has nothing to tell the user about it.
void onDecoderWarning(png_structp, png_const_charp) {}

// The ancillary chunks that can be large or compressed and that nothing
// here uses: text, colour profiles, suggested palettes and Exif data. They
// are passed over unread, as chunks of unknown types are.
const png_byte kSkippedChunks[] = "tEXt\0zTXt\0iTXt\0iCCP\0sPLT\0eXIf";
constexpr int kSkippedChunkCount = 6;

// The image size is checked by withinLimits, once the header is read and
// before any pixel memory is asked for.
void applyLimits(png_structp png) {
  png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, 0);
  png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, kSkippedChunks, kSkippedChunkCount);
  png_set_chunk_malloc_max(png, kLargestChunkBytes);
  png_set_chunk_cache_max(png, kMostCachedChunks);
}

// Every colour type and bit depth to 8-bit RGBA, as the graphics library's
// loader gives them: palettes and transparent colours to alpha, grey to
// RGB, samples of 1, 2 or 4 bits scaled to 8, 16-bit samples cut to their
// high byte, no gamma correction; interlaced images are put together.
void askForRgba(png_structp png) {
  png_set_expand(png);
  png_set_strip_16(png);
  png_set_gray_to_rgb(png);
  png_set_filler(png, kOpaque, PNG_FILLER_AFTER);
  png_set_interlace_handling(png);
}

// The header's size, checked here rather than by the decoder's user limits,
// whose report only says that the header is invalid.
bool withinLimits(png_structp png, png_infop info, decodeFailure& failure) {
  const png_uint_32 width = png_get_image_width(png, info);
  const png_uint_32 height = png_get_image_height(png, info);
  if (width <= kLargestImageSide && height <= kLargestImageSide) return true;
  std::snprintf(failure.reason, sizeof failure.reason, "Image of %ux%u pixels, larger than the %ux%u accepted",
                unsigned(width), unsigned(height), kLargestImageSide, kLargestImageSide);
  return false;
}

// The pixels, malloc'd so that a failed allocation is an answer, not an
// exception crossing the decoder.
struct pixelBuffer {
  unsigned char* pixels = nullptr;
  png_bytep* rows = nullptr;
  ~pixelBuffer() {
    std::free(rows);
    std::free(pixels);
  }
};

bool allocate(pixelBuffer& buffer, png_uint_32 width, png_uint_32 height) {
  const std::size_t rowBytes = std::size_t(width) * kRgbaBytes;
  buffer.pixels = static_cast<unsigned char*>(std::malloc(rowBytes * height));
  buffer.rows = static_cast<png_bytep*>(std::malloc(sizeof(png_bytep) * height));
  if (buffer.pixels == nullptr || buffer.rows == nullptr) return false;
  for (png_uint_32 y = 0; y < height; ++y) buffer.rows[y] = buffer.pixels + rowBytes * y;
  return true;
}

// Runs the decoder over the source, whose signature has been read already.
// Only plain data lives between the jump's target and the decoder's frames.
bool decodeRgba(std::FILE* source, pixelBuffer& buffer, png_uint_32& width, png_uint_32& height,
                decodeFailure& failure) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &failure, onDecoderError, onDecoderWarning);
  if (png == nullptr) {
    fail(failure, kOutOfMemory);
    return false;
  }
  png_infop info = png_create_info_struct(png);
  volatile bool decoded = false;
  if (info != nullptr && setjmp(png_jmpbuf(png)) == 0) {
    applyLimits(png);
    png_set_read_fn(png, source, readForDecoder);
    png_set_sig_bytes(png, kSignatureBytes);
    png_read_info(png, info);
    if (withinLimits(png, info, failure)) {
      askForRgba(png);
      png_read_update_info(png, info);
      width = png_get_image_width(png, info);
      height = png_get_image_height(png, info);
      if (!allocate(buffer, width, height)) png_error(png, kOutOfMemory);
      png_read_image(png, buffer.rows);
      png_read_end(png, nullptr);
      decoded = true;
    }
  } else if (info == nullptr) {
    fail(failure, kOutOfMemory);
  }
  png_destroy_read_struct(&png, &info, nullptr);
  return decoded;
}

}  // namespace

bool decodePngStream(std::FILE* source, sf::Image& image, std::string& reason) {
  unsigned char signature[kSignatureBytes];
  if (!readSource(source, signature, kSignatureBytes) || png_sig_cmp(signature, 0, kSignatureBytes) != 0) {
    reason = kNotPng;
    return false;
  }
  pixelBuffer buffer;
  png_uint_32 width = 0;
  png_uint_32 height = 0;
  decodeFailure failure;
  if (!decodeRgba(source, buffer, width, height, failure)) {
    reason = failure.reason;
    return false;
  }
  setImagePixels(image, width, height, buffer.pixels);
  return true;
}

bool decodePngFile(const std::string& path, sf::Image& image, std::string& reason) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    reason = kUnableToOpen;
    return false;
  }
  const bool decoded = decodePngStream(file, image, reason);
  std::fclose(file);
  return decoded;
}

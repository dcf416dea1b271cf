// Decoding of the program's PNG images with a decoder meant for untrusted
// files, within fixed limits, into the graphics library's image.
#ifndef ZELQUOR_PNG_DECODER_H
#define ZELQUOR_PNG_DECODER_H

#include <SFML/Graphics/Image.hpp>

#include <cstddef>
#include <cstdio>
#include <string>

// The largest image accepted, from the size in its header and before any
// pixel is decoded: 4096 by 4096 pixels, 64 MiB once in 8-bit RGBA, about
// 19 times the board image (942 by 962), the largest the program ships.
constexpr unsigned kLargestImageSide = 4096;
// The other ancillary chunks that are read (text, colour profiles and
// unknown ones are skipped) are kept small and few; the pixel data is
// streamed and not bound by these.
constexpr std::size_t kLargestChunkBytes = 1 << 20;
constexpr unsigned kMostCachedChunks = 128;

// Decodes the PNG file into 8-bit RGBA pixels, as the graphics library's own
// loader would, and fills the image. On failure leaves the image as it was
// and says why in reason: "Unable to open file" when the file cannot be
// read, the decoder's report otherwise.
bool decodePngFile(const std::string& path, sf::Image& image, std::string& reason);

// The same for a PNG read from an open stream, from where the stream stands.
bool decodePngStream(std::FILE* source, sf::Image& image, std::string& reason);

#endif

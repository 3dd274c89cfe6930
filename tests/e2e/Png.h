#pragma once
// The driver's screenshot format: a 24-bit PNG whose deflate stream holds stored
// (uncompressed) blocks, so that it needs no compression library.
#include <string>
#include <vector>

namespace e2e {

// The PNG file of a `width` x `height` image; `rgb` holds its rows top-down, three bytes a pixel.
std::string EncodePng(int width, int height, const std::vector<unsigned char>& rgb);

}  // namespace e2e

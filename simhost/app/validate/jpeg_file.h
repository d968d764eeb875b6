// Small JPEG pictures for generated libraries.
#pragma once

#include <cstdint>
#include <string>

namespace simhost_app {

// The bytes of a JPEG of one colour; empty when the encoder fails.
std::string EncodeJpeg(int width, int height, uint8_t red, uint8_t green, uint8_t blue);

}  // namespace simhost_app

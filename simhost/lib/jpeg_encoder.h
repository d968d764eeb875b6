// JPEG pictures of one colour, for the libraries that the simhost tools and
// the tests generate.
#pragma once

#include <cstdint>
#include <string>

namespace simhost {

// The bytes of a width x height JPEG; empty when the encoder fails.
std::string EncodeSolidJpeg(int width, int height, uint8_t red, uint8_t green, uint8_t blue,
                            int quality = 90);

}  // namespace simhost

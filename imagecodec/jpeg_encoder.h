// JPEG pictures: of one colour, for the libraries that the tools and the
// tests generate, and of any pixels, for thumbnails and saved window pictures.
#pragma once

#include <cstdint>
#include <string>

namespace imagecodec {

// The bytes of a width x height JPEG; empty when the encoder fails.
std::string EncodeSolidJpeg(int width, int height, uint8_t red, uint8_t green, uint8_t blue,
                            int quality = 90);
// rgb holds width x height pixels, 3 bytes each, row by row. Empty when
// libjpeg refuses (e.g. a side beyond 65500); the process goes on.
std::string EncodeRgbJpeg(int width, int height, const uint8_t* rgb, int quality = 90);

}  // namespace imagecodec

// The stand-in host's code names the encoder by the place it grew up in.
namespace simhost {
using imagecodec::EncodeRgbJpeg;
using imagecodec::EncodeSolidJpeg;
}  // namespace simhost

// Saves pixels as an 8-bit RGB PNG or JPEG file.
#pragma once

#include <cstdint>
#include <string>

namespace simhost {

// rgb holds width x height pixels, 3 bytes each, row by row. Writes beside
// the target first and renames, so a failed write never leaves a broken
// file where a good one was. error receives the reason on failure.
bool WritePng(int32_t width, int32_t height, const uint8_t* rgb, const std::string& path,
              std::string* error);

}  // namespace simhost

namespace simhost {

// Writes PNG for a ".png" suffix and JPEG for ".jpg" or ".jpeg" (any case),
// the same careful way. Another suffix, or a folder that does not exist, is
// refused with the reason in error; no folder is created.
bool WritePicture(int32_t width, int32_t height, const uint8_t* rgb, const std::string& path,
                  std::string* error);

}  // namespace simhost

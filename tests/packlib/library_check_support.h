// Temporary libraries for the library check's tests, one fault of each kind.
#pragma once

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "temp_folder.h"

namespace lumidrome_test {

// Writes, into root, a library that holds every kind of fault the check
// reports, beside tiles that are fine:
//   01_Good             Sunset_Beach_01 (.hdr), Dusk.blue (base Dusk), Cave (.exr)
//   02_Faults           No_Hdri, No_Small (no _SM), No_Background, No_Previews,
//                       Both (.hdr and .exr); photo.JPG, photo.jpeg, photo.png
//                       and Ghost_md.jpg never become tiles
//   03_No_Hdris         one tile, no HDRIs folder
//   04_No_Thumbnails    no Thumbnails folder
//   05_No_Background    one tile, no Background folder
//   notes.txt, .DS_Store   plain files among the packs
void WriteFaultyLibrary(const std::filesystem::path& root);

// The kinds of all findings whose path is `path`, in report order.
std::string KindsAt(const nlohmann::json& report, const std::string& path);
// The tile of the report whose pack folder and file are these; null if none.
const nlohmann::json* FindTile(const nlohmann::json& report, const std::string& pack,
                               const std::string& file);

}  // namespace lumidrome_test

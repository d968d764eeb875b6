// Reading and writing the file formats of the demo library: JPEG previews,
// the PNG icon, and Radiance RGBE (.hdr) environment images.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

#include "raster.h"

namespace demo {

// All writers return false when the file cannot be written; all readers
// return false on missing or malformed files (`image` may then hold partial data).
bool WriteJpeg(const std::filesystem::path& file, const ByteImage& rgb, int quality);
bool ReadJpeg(const std::filesystem::path& file, ByteImage& rgb);
bool WritePng(const std::filesystem::path& file, const ByteImage& rgba);
bool ReadPng(const std::filesystem::path& file, ByteImage& rgba);

// One pixel as shared-exponent RGBE. Negative, non-finite and tiny values
// become black; values beyond the format's range are clamped to its largest.
std::array<std::uint8_t, 4> EncodeRgbe(Rgb color);
Rgb DecodeRgbe(const std::uint8_t* rgbe);

// A whole .hdr file: header, then flat (not run-length encoded) scanlines.
std::string EncodeRadiance(const FloatImage& image);
bool ParseRadiance(const std::string& bytes, FloatImage& image);
bool WriteRadiance(const std::filesystem::path& file, const FloatImage& image);
bool ReadRadiance(const std::filesystem::path& file, FloatImage& image);

bool ReadFileBytes(const std::filesystem::path& file, std::string& bytes);
bool WriteFileBytes(const std::filesystem::path& file, const void* data, size_t size);

}  // namespace demo

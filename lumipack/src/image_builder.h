// One source HDRI into its pack files: thumbnails at three sizes, the
// original, a small HDRI of the same format and a background picture.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "pack_files.h"
#include "tone_map.h"

namespace lumipack {

enum class ExposureMode { kImage, kPack };

struct BuildSettings {
  double exposure_ev = 0.0;  // added to the automatic exposure
  ExposureMode exposure_mode = ExposureMode::kImage;
  ToneCurve curve = ToneCurve::kFilmic;
  std::string layer;  // the OpenEXR layer to read; empty: the clear choice
  int threads = 1;    // for this one image
  int background_width = 2048;
  int small_hdri_width = 1024;
  // With ExposureMode::kPack: the pack's light, shared by every picture.
  LightMeasure pack_light;
};

struct ImageReport {
  int width = 0;
  int height = 0;
  std::string format;  // "hdr" or "exr"
  double ev = 0;       // the exposure used for the previews, in EV
  std::vector<std::string> warnings;
};

// The extension of the source's format (".hdr" or ".exr"); throws when the
// file cannot be read or is of no known format.
std::string SourceExtension(const std::string& source);

// How the source's preview is lit, for an exposure shared by a pack.
LightMeasure MeasureSource(const std::string& source, const BuildSettings& settings);

// Reads the source once, a block of rows at a time, and writes every output
// through a temporary file; the thumbnail comes last, so a tile appears only
// when its files are there. Throws std::exception saying what went wrong.
ImageReport BuildImage(const std::string& source, const PackOutputs& outputs,
                       const BuildSettings& settings,
                       const std::function<void(double)>& progress = {});

}  // namespace lumipack

#include "image_builder.h"

#include <algorithm>
#include <cmath>
#include <future>
#include <memory>

#include "area_reduce.h"
#include "exr_format.h"
#include "float_image.h"
#include "radiance_format.h"

namespace lumipack {

namespace {

// The longest side the working picture keeps; previews need no more.
constexpr int kWorkingHeightLimit = 4096;
constexpr size_t kBlockFloats = size_t{1} << 22;

struct Size {
  int width = 1, height = 1;
};

Size Proportional(int width, int height, int max_width) {
  Size size;
  size.width = std::max(1, std::min(max_width, width));
  size.height = std::max(1, static_cast<int>(std::lround(double(height) * size.width / width)));
  if (size.height > kWorkingHeightLimit) {
    size.height = kWorkingHeightLimit;
    size.width = std::max(1, static_cast<int>(std::lround(double(width) * size.height / height)));
  }
  return size;
}

// Streams the whole source through an area reducer; with more than one
// thread the next block is read while this one is reduced.
FloatImage ReduceSource(ScanlineSource& source, Size size, int threads,
                        const std::function<void(double)>& progress) {
  int width = source.Width(), height = source.Height();
  AreaReducer reducer(width, height, Area{0, 0, double(width), double(height)}, size.width,
                      size.height);
  int block = static_cast<int>(std::clamp<size_t>(kBlockFloats / (size_t(width) * 3), 1, 64));
  std::vector<float> current(size_t(block) * width * 3), next(current.size());
  int row = 0;
  for (int got = source.ReadRows(block, current.data()); got > 0;) {
    std::future<int> pending;
    if (threads > 1) {
      pending = std::async(std::launch::async, [&] { return source.ReadRows(block, next.data()); });
    }
    reducer.AddRows(row, got, current.data(), std::max(1, threads - 1));
    row += got;
    got = threads > 1 ? pending.get() : source.ReadRows(block, next.data());
    current.swap(next);
    if (progress) progress(double(row) / height);
  }
  if (row != height) throw std::runtime_error("the picture ends early");
  return reducer.TakeResult();
}

void WriteSmallHdri(const FloatImage& working, const ScanlineSource& source, int max_width,
                    const std::string& path) {
  Size size = Proportional(working.width, working.height, max_width);
  FloatImage small = Resample(working, Area{0, 0, double(working.width), double(working.height)},
                              size.width, size.height);
  std::string temporary = TemporaryNameFor(path);
  try {
    if (source.Format() == SourceFormat::kOpenExr) {
      WriteExr(small, TraitsOf(source), temporary);
    } else {
      WriteRadiance(small, temporary);
    }
  } catch (...) {
    std::remove(temporary.c_str());
    throw;
  }
  Commit(temporary, path);
}

void WriteJpeg(const FloatImage& image, float scale, ToneCurve curve, const std::string& path) {
  WriteFileAtomically(path, EncodeJpeg(ToneMap(image, scale, curve), image.width, image.height));
}

void WriteThumbnail(const FloatImage& background, int width, float scale, ToneCurve curve,
                    const std::string& path) {
  Area whole{0, 0, double(background.width), double(background.height)};
  WriteJpeg(Resample(background, whole, width, width / 2), scale, curve, path);
}

}  // namespace

std::string SourceExtension(const std::string& source) {
  SourceFormat format = SniffFormat(source);
  if (format == SourceFormat::kUnknown) {
    throw std::runtime_error("unknown format: neither a Radiance HDR nor an OpenEXR file");
  }
  return FormatExtension(format);
}

namespace {

// The source reduced to the background's size: its centred 2:1 part.
FloatImage WorkingAndBackground(ScanlineSource& source, const BuildSettings& settings,
                                const std::function<void(double)>& progress, FloatImage* working) {
  Size working_size = Proportional(source.Width(), source.Height(), settings.background_width);
  *working = ReduceSource(source, working_size, settings.threads, progress);
  Area preview = CentredTwoToOne(working->width, working->height);
  int background_width = std::max(2, static_cast<int>(std::floor(preview.width + 1e-6)));
  return Resample(*working, preview, background_width, background_width / 2);
}

}  // namespace

LightMeasure MeasureSource(const std::string& source_path, const BuildSettings& settings) {
  std::unique_ptr<ScanlineSource> source = OpenSource(source_path, settings.layer);
  FloatImage working;
  return MeasureLight(WorkingAndBackground(*source, settings, {}, &working));
}

ImageReport BuildImage(const std::string& source_path, const PackOutputs& outputs,
                       const BuildSettings& settings, const std::function<void(double)>& progress) {
  std::unique_ptr<ScanlineSource> source = OpenSource(source_path, settings.layer);
  ImageReport report;
  report.width = source->Width();
  report.height = source->Height();
  report.format = FormatExtension(source->Format()) + 1;
  if (std::abs(report.width - 2 * report.height) > 1) {
    report.warnings.push_back("not 2:1 (" + std::to_string(report.width) + " x " +
                              std::to_string(report.height) +
                              "): the previews show its centred 2:1 part");
  }
  FloatImage working;
  FloatImage background = WorkingAndBackground(*source, settings, progress, &working);
  LightMeasure light = settings.exposure_mode == ExposureMode::kPack ? settings.pack_light
                                                                     : MeasureLight(background);
  float scale = ExposureFor(light) * static_cast<float>(std::exp2(settings.exposure_ev));
  report.ev = std::log2(scale);

  PlaceOriginal(source_path, outputs.hdri);
  WriteSmallHdri(working, *source, settings.small_hdri_width, outputs.small_hdri);
  WriteJpeg(background, scale, settings.curve, outputs.background);
  WriteThumbnail(background, 160, scale, settings.curve, outputs.small);
  WriteThumbnail(background, 240, scale, settings.curve, outputs.medium);
  WriteThumbnail(background, 400, scale, settings.curve, outputs.thumbnail);
  return report;
}

}  // namespace lumipack

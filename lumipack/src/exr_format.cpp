#include "exr_format.h"

#include <Imath/half.h>
#include <ImfChannelList.h>
#include <ImfFrameBuffer.h>
#include <ImfHeader.h>
#include <ImfInputFile.h>
#include <ImfOutputFile.h>
#include <ImfRgbaFile.h>
#include <ImfThreading.h>
#include <openexr.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <stdexcept>
#include <vector>

namespace lumipack {

namespace {

enum class ChannelKind { kRgb, kGrey, kLumaChroma };

struct ChannelChoice {
  ChannelKind kind = ChannelKind::kRgb;
  std::string prefix;  // "" or "layer."
};

bool HasRgb(const Imf::ChannelList& list, const std::string& prefix) {
  for (const char* name : {"R", "G", "B"}) {
    if (list.findChannel(prefix + name) == nullptr) return false;
  }
  return true;
}

std::string Listed(const std::set<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
  return text;
}

std::set<std::string> LayersWithRgb(const Imf::ChannelList& list) {
  std::set<std::string> layers, with_rgb;
  list.layers(layers);
  for (const std::string& layer : layers) {
    if (HasRgb(list, layer + ".")) with_rgb.insert(layer);
  }
  return with_rgb;
}

// What the file holds, for a refusal that lets the user choose.
std::string Contents(const Imf::ChannelList& list) {
  std::set<std::string> layers, channels;
  list.layers(layers);
  for (auto it = list.begin(); it != list.end(); ++it) channels.insert(it.name());
  if (channels.empty()) return "it has no channels";
  if (layers.empty()) return "its channels are " + Listed(channels);
  return "its layers are " + Listed(layers) + " (channels " + Listed(channels) + ")";
}

ChannelChoice ChooseLayer(const Imf::ChannelList& list, const std::string& layer) {
  if (HasRgb(list, layer + ".")) return ChannelChoice{ChannelKind::kRgb, layer + "."};
  throw std::runtime_error("no layer \"" + layer + "\" with R, G and B channels: " +
                           Contents(list) + "; pick one with --layer NAME");
}

// Top-level R, G, B; luminance with or without chroma; exactly one layer
// with R, G, B; else a refusal listing what there is, never a guess.
ChannelChoice ChooseChannels(const Imf::ChannelList& list, const std::string& layer) {
  if (!layer.empty()) return ChooseLayer(list, layer);
  if (HasRgb(list, "")) return ChannelChoice{};
  if (list.findChannel("Y") != nullptr) {
    bool chroma = list.findChannel("RY") != nullptr && list.findChannel("BY") != nullptr;
    return ChannelChoice{chroma ? ChannelKind::kLumaChroma : ChannelKind::kGrey, ""};
  }
  std::set<std::string> layers = LayersWithRgb(list);
  if (layers.size() == 1) return ChannelChoice{ChannelKind::kRgb, *layers.begin() + "."};
  if (layers.size() > 1) {
    throw std::runtime_error("more than one colour layer: " + Contents(list) +
                             "; pick one with --layer NAME");
  }
  throw std::runtime_error("no colour channels (R, G and B, or Y): " + Contents(list));
}

// OpenEXR addresses a frame buffer by the position pixel (0, 0) would have,
// which lies outside the buffer for most data windows; the address is
// computed as an integer, where going past the buffer is well defined.
char* Shifted(void* base, ptrdiff_t bytes) {
  return reinterpret_cast<char*>(reinterpret_cast<uintptr_t>(base) + static_cast<uintptr_t>(bytes));
}

// OpenEXR's C++ reader allocates whatever size a header attribute claims,
// so a damaged file of a few bytes could ask for gigabytes. The library's
// stricter C reader parses the header first, with every allocation limited
// by the file's size.
thread_local size_t allocation_limit = 0;

extern "C" void* LimitedAllocation(size_t bytes) {
  return bytes <= allocation_limit ? std::malloc(bytes) : nullptr;
}

extern "C" void QuietErrors(exr_const_context_t, exr_result_t, const char*) {}

const std::string& CheckedHeader(const std::string& path) {
  std::error_code error;
  uintmax_t size = std::filesystem::file_size(path, error);
  if (error) throw std::runtime_error("cannot read: " + error.message());
  // Room for the reader's own tables beside what the file can describe.
  allocation_limit = static_cast<size_t>(std::min<uintmax_t>(size, uintmax_t{1} << 40)) + (1 << 20);
  exr_context_initializer_t settings = EXR_DEFAULT_CONTEXT_INITIALIZER;
  settings.alloc_fn = LimitedAllocation;
  settings.error_handler_fn = QuietErrors;
  settings.flags = EXR_CONTEXT_FLAG_SILENT_HEADER_PARSE;
  exr_context_t context = nullptr;
  exr_result_t result = exr_start_read(&context, path.c_str(), &settings);
  exr_finish(&context);
  if (result != EXR_ERR_SUCCESS) {
    throw std::runtime_error(std::string("the header is damaged (") +
                             exr_get_default_error_message(result) + ")");
  }
  return path;
}

}  // namespace

class ExrSource : public ScanlineSource {
 public:
  ExrSource(const std::string& path, const std::string& layer)
      : file_(CheckedHeader(path).c_str(), Imf::globalThreadCount()) {
    const Imath::Box2i window = file_.header().dataWindow();
    long width = long{window.max.x} - window.min.x + 1;
    long height = long{window.max.y} - window.min.y + 1;
    if (width < 1 || height < 1 || width > kMaxSourceSide || height > kMaxSourceSide) {
      throw std::runtime_error("implausible size " + std::to_string(width) + " x " +
                               std::to_string(height));
    }
    width_ = static_cast<int>(width);
    height_ = static_cast<int>(height);
    left_ = window.min.x;
    next_row_ = top_ = window.min.y;
    choice_ = ChooseChannels(file_.header().channels(), layer);
    // The library's own reader turns luminance and chroma into RGB.
    if (choice_.kind == ChannelKind::kLumaChroma) {
      rgba_file_ = std::make_unique<Imf::RgbaInputFile>(path.c_str(), Imf::globalThreadCount());
    }
    const Imf::Channel* first = file_.header().channels().findChannel(
        choice_.prefix + (choice_.kind == ChannelKind::kRgb ? "R" : "Y"));
    traits_.half = first == nullptr || first->type == Imf::HALF;
    traits_.compression = file_.header().compression();
  }
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  SourceFormat Format() const override { return SourceFormat::kOpenExr; }
  ExrTraits Traits() const { return traits_; }

  int ReadRows(int max_rows, float* rgb) override {
    int rows = std::min(max_rows, top_ + height_ - next_row_);
    if (rows <= 0) return 0;
    if (rgba_file_ != nullptr) {
      ReadLumaChroma(rows, rgb);
    } else {
      ReadChannels(rows, rgb);
    }
    next_row_ += rows;
    return rows;
  }

 private:
  void ReadChannels(int rows, float* rgb) {
    Imf::FrameBuffer frame;
    size_t x_stride = 3 * sizeof(float), y_stride = x_stride * width_;
    char* origin =
        Shifted(rgb, -(static_cast<ptrdiff_t>(left_) * static_cast<ptrdiff_t>(x_stride) +
                       static_cast<ptrdiff_t>(next_row_) * static_cast<ptrdiff_t>(y_stride)));
    bool grey = choice_.kind == ChannelKind::kGrey;
    const char* names[3] = {"R", "G", "B"};
    for (int c = 0; c < (grey ? 1 : 3); ++c) {
      frame.insert(
          choice_.prefix + (grey ? "Y" : names[c]),
          Imf::Slice(Imf::FLOAT, origin + c * sizeof(float), x_stride, y_stride, 1, 1, 0.0));
    }
    file_.setFrameBuffer(frame);
    file_.readPixels(next_row_, next_row_ + rows - 1);
    if (grey) SpreadGrey(rgb, static_cast<size_t>(rows) * width_);
  }

  void ReadLumaChroma(int rows, float* rgb) {
    size_t pixels = static_cast<size_t>(rows) * width_;
    rgba_.resize(pixels);
    ptrdiff_t first_pixel = left_ + static_cast<ptrdiff_t>(next_row_) * width_;
    Imf::Rgba* origin = reinterpret_cast<Imf::Rgba*>(
        Shifted(rgba_.data(), -first_pixel * static_cast<ptrdiff_t>(sizeof(Imf::Rgba))));
    rgba_file_->setFrameBuffer(origin, 1, static_cast<size_t>(width_));
    rgba_file_->readPixels(next_row_, next_row_ + rows - 1);
    for (size_t i = 0; i < pixels; ++i) {
      rgb[i * 3] = rgba_[i].r;
      rgb[i * 3 + 1] = rgba_[i].g;
      rgb[i * 3 + 2] = rgba_[i].b;
    }
  }

  static void SpreadGrey(float* rgb, size_t pixels) {
    for (size_t i = 0; i < pixels; ++i) rgb[i * 3 + 1] = rgb[i * 3 + 2] = rgb[i * 3];
  }

  Imf::InputFile file_;
  std::unique_ptr<Imf::RgbaInputFile> rgba_file_;
  std::vector<Imf::Rgba> rgba_;
  int width_ = 0;
  int height_ = 0;
  int left_ = 0;
  int top_ = 0;
  int next_row_ = 0;
  ChannelChoice choice_;
  ExrTraits traits_;
};

std::unique_ptr<ScanlineSource> OpenExr(const std::string& path, const std::string& layer) {
  return std::make_unique<ExrSource>(path, layer);
}

ExrTraits TraitsOf(const ScanlineSource& source) {
  const ExrSource* exr = dynamic_cast<const ExrSource*>(&source);
  return exr != nullptr ? exr->Traits() : ExrTraits{};
}

void SetExrThreads(int threads) { Imf::setGlobalThreadCount(threads > 1 ? threads : 0); }

// OpenEXR converts pixel types when reading but not when writing, so half
// channels are written from half values.
void WriteExr(const FloatImage& image, const ExrTraits& traits, const std::string& path) {
  Imf::Header header(image.width, image.height);
  header.compression() = static_cast<Imf::Compression>(traits.compression);
  Imf::PixelType type = traits.half ? Imf::HALF : Imf::FLOAT;
  const char* names[3] = {"R", "G", "B"};
  for (const char* name : names) header.channels().insert(name, Imf::Channel(type));
  std::vector<half> halves(traits.half ? image.rgb.size() : 0);
  for (size_t i = 0; i < halves.size(); ++i) halves[i] = half(std::min(image.rgb[i], 65504.0f));
  size_t size = traits.half ? sizeof(half) : sizeof(float);
  char* base = traits.half ? reinterpret_cast<char*>(halves.data())
                           : const_cast<char*>(reinterpret_cast<const char*>(image.rgb.data()));
  Imf::FrameBuffer frame;
  for (int c = 0; c < 3; ++c) {
    frame.insert(names[c], Imf::Slice(type, base + c * size, 3 * size, 3 * size * image.width));
  }
  Imf::OutputFile file(path.c_str(), header, Imf::globalThreadCount());
  file.setFrameBuffer(frame);
  file.writePixels(image.height);
}

}  // namespace lumipack

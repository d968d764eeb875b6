#include "exr_format.h"

#include <Imath/half.h>
#include <ImfChannelList.h>
#include <ImfFrameBuffer.h>
#include <ImfHeader.h>
#include <ImfInputFile.h>
#include <ImfOutputFile.h>
#include <ImfThreading.h>

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace lumipack {

class ExrSource : public ScanlineSource {
 public:
  explicit ExrSource(const std::string& path) : file_(path.c_str(), Imf::globalThreadCount()) {
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
    ChooseChannels();
  }
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  SourceFormat Format() const override { return SourceFormat::kOpenExr; }
  ExrTraits Traits() const { return traits_; }

  int ReadRows(int max_rows, float* rgb) override {
    int rows = std::min(max_rows, top_ + height_ - next_row_);
    if (rows <= 0) return 0;
    Imf::FrameBuffer frame;
    size_t x_stride = 3 * sizeof(float), y_stride = x_stride * width_;
    char* origin = reinterpret_cast<char*>(rgb) - static_cast<ptrdiff_t>(left_) * x_stride -
                   static_cast<ptrdiff_t>(next_row_) * y_stride;
    for (int c = 0; c < 3; ++c) {
      if (!grey_ || c == 0) {
        frame.insert(channels_[c], Imf::Slice(Imf::FLOAT, origin + c * sizeof(float), x_stride,
                                              y_stride, 1, 1, 0.0));
      }
    }
    file_.setFrameBuffer(frame);
    file_.readPixels(next_row_, next_row_ + rows - 1);
    next_row_ += rows;
    if (grey_) SpreadGrey(rgb, static_cast<size_t>(rows) * width_);
    return rows;
  }

 private:
  // R, G, B; else Y (or the only channel) as grey.
  void ChooseChannels() {
    const Imf::ChannelList& list = file_.header().channels();
    const Imf::Channel* red = list.findChannel("R");
    if (red != nullptr || list.findChannel("G") != nullptr || list.findChannel("B") != nullptr) {
      channels_ = {"R", "G", "B"};
    } else if (list.findChannel("Y") != nullptr) {
      channels_ = {"Y", "Y", "Y"};
      grey_ = true;
    } else if (list.begin() != list.end()) {
      channels_ = {list.begin().name(), "", ""};
      grey_ = true;
    } else {
      throw std::runtime_error("no colour channels (R, G, B or Y)");
    }
    const Imf::Channel* first = list.findChannel(channels_[0]);
    traits_.half = first == nullptr || first->type == Imf::HALF;
    traits_.compression = file_.header().compression();
  }

  static void SpreadGrey(float* rgb, size_t pixels) {
    for (size_t i = 0; i < pixels; ++i) rgb[i * 3 + 1] = rgb[i * 3 + 2] = rgb[i * 3];
  }

  Imf::InputFile file_;
  int width_ = 0;
  int height_ = 0;
  int left_ = 0;
  int top_ = 0;
  int next_row_ = 0;
  bool grey_ = false;
  std::vector<std::string> channels_;
  ExrTraits traits_;
};

std::unique_ptr<ScanlineSource> OpenExr(const std::string& path) {
  return std::make_unique<ExrSource>(path);
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

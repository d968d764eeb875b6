// Every pixel of an OpenEXR file decoded with the OpenEXR library, in bands
// of rows so that a large picture takes little memory; builds without the
// library check headers only.
#include "hdri_file.h"

#ifdef PACKLIB_HAS_OPENEXR
#include <ImfChannelList.h>
#include <ImfFrameBuffer.h>
#include <ImfHeader.h>
#include <ImfInputFile.h>

#include <algorithm>
#include <exception>
#endif

namespace packlib {

#ifdef PACKLIB_HAS_OPENEXR

namespace {

constexpr int kBandRows = 32;

void DecodeBands(Imf::InputFile* file) {
  const Imath::Box2i window = file->header().dataWindow();
  const size_t width = static_cast<size_t>(int64_t{window.max.x} - window.min.x + 1);
  const Imf::ChannelList& channels = file->header().channels();
  size_t channel_count = 0;
  for (auto channel = channels.begin(); channel != channels.end(); ++channel) ++channel_count;
  std::vector<float> band(width * kBandRows * std::max<size_t>(channel_count, 1));
  for (int top = window.min.y; top <= window.max.y; top += kBandRows) {
    Imf::FrameBuffer frame;
    size_t index = 0;
    for (auto channel = channels.begin(); channel != channels.end(); ++channel, ++index) {
      const Imf::Channel& format = channel.channel();
      frame.insert(channel.name(),
                   Imf::Slice::Make(Imf::FLOAT, band.data() + index * width * kBandRows,
                                    Imath::V2i(window.min.x, top), static_cast<int64_t>(width),
                                    kBandRows, sizeof(float), sizeof(float) * width,
                                    format.xSampling, format.ySampling));
    }
    file->setFrameBuffer(frame);
    file->readPixels(top, std::min(top + kBandRows - 1, window.max.y));
  }
}

}  // namespace

bool DecodesExrFully() { return true; }

void DecodeExr(const std::string& path) {
  try {
    Imf::InputFile file(path.c_str(), 1);
    DecodeBands(&file);
  } catch (const std::exception& error) {
    Undecodable(std::string("OpenEXR: ") + error.what());
  }
}

#else

bool DecodesExrFully() { return false; }

void DecodeExr(const std::string& /*path*/) {}

#endif

}  // namespace packlib

// Area-average resampling: every output pixel is the mean of the source area
// it covers, so a bright sun spreads into its neighbours without the ringing
// of a windowed-sinc filter. Rows stream in; only the output is held.
#pragma once

#include <vector>

#include "float_image.h"

namespace lumipack {

// A source rectangle, in source pixels (fractions allowed).
struct Area {
  double x = 0, y = 0, width = 0, height = 0;
};

class AreaReducer {
 public:
  AreaReducer(int source_width, int source_height, const Area& area, int width, int height);
  // Source rows first_row .. first_row + count - 1, width * 3 floats each, in
  // order from top to bottom. `threads` split the work by output columns.
  void AddRows(int first_row, int count, const float* rgb, int threads = 1);
  const FloatImage& Result() const { return out_; }
  FloatImage TakeResult() { return std::move(out_); }

 private:
  struct Tap {
    int source;
    int target;
    float weight;
  };
  static std::vector<Tap> Taps(double start, double length, int source_size, int target_size);
  void AddColumns(int first_row, const float* rgb, size_t row_begin, size_t row_end, int tap_begin,
                  int tap_end);

  int source_width_;
  std::vector<Tap> columns_;  // by target column
  std::vector<Tap> rows_;     // by source row
  size_t next_row_tap_ = 0;
  FloatImage out_;
};

// The whole picture, or its area, resampled to width x height.
FloatImage Resample(const FloatImage& image, const Area& area, int width, int height);

// The centred 2:1 part of a width x height picture (all of it when it is 2:1).
Area CentredTwoToOne(double width, double height);

}  // namespace lumipack

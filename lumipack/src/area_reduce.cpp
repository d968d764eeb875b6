#include "area_reduce.h"

#include <algorithm>
#include <cmath>
#include <thread>

namespace lumipack {

AreaReducer::AreaReducer(int source_width, int source_height, const Area& area, int width,
                         int height)
    : source_width_(source_width),
      columns_(Taps(area.x, area.width, source_width, width)),
      rows_(Taps(area.y, area.height, source_height, height)),
      out_(width, height) {
  std::stable_sort(rows_.begin(), rows_.end(),
                   [](const Tap& a, const Tap& b) { return a.source < b.source; });
}

// Each target pixel covers [start + j * step, start + (j + 1) * step) of the
// source; each source pixel it overlaps weighs by the overlap.
std::vector<AreaReducer::Tap> AreaReducer::Taps(double start, double length, int source_size,
                                                int target_size) {
  std::vector<Tap> taps;
  double step = length / target_size;
  for (int j = 0; j < target_size; ++j) {
    double from = start + j * step, to = from + step;
    int first = std::max(0, static_cast<int>(std::floor(from)));
    int last = std::min(source_size - 1, static_cast<int>(std::ceil(to)) - 1);
    for (int x = first; x <= last; ++x) {
      double overlap = std::min<double>(to, x + 1) - std::max<double>(from, x);
      if (overlap > 0) taps.push_back(Tap{x, j, static_cast<float>(overlap / step)});
    }
  }
  return taps;
}

void AreaReducer::AddRows(int first_row, int count, const float* rgb, int threads) {
  size_t begin = next_row_tap_;
  while (begin < rows_.size() && rows_[begin].source < first_row) ++begin;
  size_t end = begin;
  while (end < rows_.size() && rows_[end].source < first_row + count) ++end;
  next_row_tap_ = end;
  if (begin == end) return;
  // Workers own whole output columns, so they never write the same pixel.
  int parts = std::max(1, std::min(threads, out_.width / 64));
  std::vector<std::thread> workers;
  int tap_begin = 0;
  for (int part = 0; part < parts; ++part) {
    int target_end = out_.width * (part + 1) / parts;
    int tap_end = tap_begin;
    while (tap_end < static_cast<int>(columns_.size()) && columns_[tap_end].target < target_end) {
      ++tap_end;
    }
    auto work = [=] { AddColumns(first_row, rgb, begin, end, tap_begin, tap_end); };
    if (part + 1 == parts) {
      work();
    } else {
      workers.emplace_back(work);
    }
    tap_begin = tap_end;
  }
  for (std::thread& worker : workers) worker.join();
}

// Each source row is reduced across once, then added to the output rows it
// covers.
void AreaReducer::AddColumns(int first_row, const float* rgb, size_t row_begin, size_t row_end,
                             int tap_begin, int tap_end) {
  if (tap_begin == tap_end) return;
  int first_target = columns_[tap_begin].target;
  int targets = columns_[tap_end - 1].target - first_target + 1;
  std::vector<float> line(static_cast<size_t>(targets) * 3);
  for (size_t r = row_begin; r < row_end;) {
    int source = rows_[r].source;
    const float* in = rgb + static_cast<size_t>(source - first_row) * source_width_ * 3;
    std::fill(line.begin(), line.end(), 0.0f);
    for (int c = tap_begin; c < tap_end; ++c) {
      const Tap& column = columns_[c];
      const float* pixel = in + static_cast<size_t>(column.source) * 3;
      float* target = &line[static_cast<size_t>(column.target - first_target) * 3];
      target[0] += column.weight * pixel[0];
      target[1] += column.weight * pixel[1];
      target[2] += column.weight * pixel[2];
    }
    for (; r < row_end && rows_[r].source == source; ++r) {
      float* out = out_.Row(rows_[r].target) + static_cast<size_t>(first_target) * 3;
      float weight = rows_[r].weight;
      for (size_t i = 0; i < line.size(); ++i) out[i] += weight * line[i];
    }
  }
}

FloatImage Resample(const FloatImage& image, const Area& area, int width, int height) {
  AreaReducer reducer(image.width, image.height, area, width, height);
  reducer.AddRows(0, image.height, image.rgb.data());
  return reducer.TakeResult();
}

Area CentredTwoToOne(double width, double height) {
  if (width > 2 * height) return Area{(width - 2 * height) / 2, 0, 2 * height, height};
  return Area{0, (height - width / 2) / 2, width, width / 2};
}

}  // namespace lumipack

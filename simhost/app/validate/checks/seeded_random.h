// Numbers drawn from the random engine's raw output by our own rule, so that
// a seed gives the same validation steps with every standard library:
// std::mt19937's output is fixed by the standard, but the distributions'
// are not.
#pragma once

#include <cstdint>
#include <random>

namespace simhost_app {

// A number in [low, high], without modulo bias: raw draws above the largest
// multiple of the range's size are drawn again.
inline int32_t SeededInt(std::mt19937& engine, int32_t low, int32_t high) {
  if (high <= low) return low;
  const uint64_t span = static_cast<uint64_t>(int64_t{high} - int64_t{low}) + 1;
  const uint64_t raw_count = uint64_t{1} << 32;
  const uint64_t limit = raw_count - raw_count % span;
  uint64_t raw;
  do {
    raw = static_cast<uint64_t>(engine());
  } while (raw >= limit);
  return static_cast<int32_t>(int64_t{low} + static_cast<int64_t>(raw % span));
}

}  // namespace simhost_app

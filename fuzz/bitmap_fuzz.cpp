// The JPEG/PNG loader on arbitrary bytes: it must never crash, and must stay
// fast and small whatever size a file's header claims.
#include <cstddef>
#include <cstdint>

#include "bitmap.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  simhost::Bitmap bitmap;
  if (bitmap.LoadBytes(data, size) == simhost::image_result::kOk) {
    // A loaded picture is whole: every pixel the size promises is there.
    const size_t expected = static_cast<size_t>(bitmap.Width()) * bitmap.Height() * 3;
    if (bitmap.Pixels().size() != expected) __builtin_trap();
    simhost::Bitmap half;
    if (half.InitSize(bitmap.Width() / 2 + 1, bitmap.Height() / 2 + 1) ==
        simhost::image_result::kOk) {
      bitmap.ScaleInto(&half, 256);
    }
  }
  return 0;
}

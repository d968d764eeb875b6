// The host's file codes: FILEERROR, FILEOPEN, FILEDIALOG, BYTEORDER, FILESEEK.
#pragma once

#include <cstdint>

namespace simhost {

namespace file_error {
constexpr int32_t kNone = 0;
constexpr int32_t kOpen = -1;
constexpr int32_t kClose = -2;
constexpr int32_t kRead = -3;
constexpr int32_t kWrite = -4;
constexpr int32_t kSeek = -5;
constexpr int32_t kInvalid = -6;
constexpr int32_t kOutOfMemory = -7;
constexpr int32_t kWrongValue = -100;
constexpr int32_t kFileEnd = -104;
constexpr int32_t kUnknownValue = -105;
}  // namespace file_error

namespace file_open {
constexpr int32_t kAppend = 0;
constexpr int32_t kRead = 1;
constexpr int32_t kWrite = 2;
constexpr int32_t kReadWrite = 3;
constexpr int32_t kReadNoCache = 4;
constexpr int32_t kSharedRead = 5;
constexpr int32_t kSharedWrite = 6;
}  // namespace file_open

namespace file_dialog {
constexpr int32_t kNone = 0;
constexpr int32_t kAny = 1;
constexpr int32_t kIgnoreOpen = 2;
}  // namespace file_dialog

namespace byte_order {
constexpr int32_t kBigEndian = 1;
constexpr int32_t kLittleEndian = 2;
}  // namespace byte_order

namespace file_seek {
constexpr int32_t kStart = 0;
constexpr int32_t kRelative = 2;
}  // namespace file_seek

}  // namespace simhost

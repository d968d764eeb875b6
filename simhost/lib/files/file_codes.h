// The host's file codes under short names: FILEERROR, FILEOPEN, FILEDIALOG,
// BYTEORDER, FILESEEK.
#pragma once

#include <cstdint>

#include "c4d_abi_ids.h"

namespace simhost {

namespace file_error {
constexpr int32_t kNone = C4D_FILEERROR_NONE;
constexpr int32_t kOpen = C4D_FILEERROR_OPEN;
constexpr int32_t kClose = C4D_FILEERROR_CLOSE;
constexpr int32_t kRead = C4D_FILEERROR_READ;
constexpr int32_t kWrite = C4D_FILEERROR_WRITE;
constexpr int32_t kSeek = C4D_FILEERROR_SEEK;
constexpr int32_t kInvalid = C4D_FILEERROR_INVALID;
constexpr int32_t kOutOfMemory = C4D_FILEERROR_OUTOFMEMORY;
constexpr int32_t kWrongValue = C4D_FILEERROR_WRONG_VALUE;
constexpr int32_t kFileEnd = C4D_FILEERROR_FILE_END;
constexpr int32_t kUnknownValue = C4D_FILEERROR_UNKNOWN_VALUE;
}  // namespace file_error

namespace file_open {
constexpr int32_t kAppend = C4D_FILEOPEN_APPEND;
constexpr int32_t kRead = C4D_FILEOPEN_READ;
constexpr int32_t kWrite = C4D_FILEOPEN_WRITE;
constexpr int32_t kReadWrite = C4D_FILEOPEN_READWRITE;
constexpr int32_t kReadNoCache = C4D_FILEOPEN_READ_NOCACHE;
constexpr int32_t kSharedRead = C4D_FILEOPEN_SHAREDREAD;
constexpr int32_t kSharedWrite = C4D_FILEOPEN_SHAREDWRITE;
}  // namespace file_open

namespace file_dialog {
constexpr int32_t kNone = C4D_FILEDIALOG_NONE;
constexpr int32_t kAny = C4D_FILEDIALOG_ANY;
constexpr int32_t kIgnoreOpen = C4D_FILEDIALOG_IGNOREOPEN;
}  // namespace file_dialog

namespace byte_order {
constexpr int32_t kBigEndian = C4D_BYTEORDER_MOTOROLA;
constexpr int32_t kLittleEndian = C4D_BYTEORDER_INTEL;
}  // namespace byte_order

namespace file_seek {
constexpr int32_t kStart = C4D_FILESEEK_START;
constexpr int32_t kRelative = C4D_FILESEEK_RELATIVE;
}  // namespace file_seek

}  // namespace simhost

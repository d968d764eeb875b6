#include "basefile.h"

#include <cerrno>
#include <cstring>

#include "platform/platform.h"

namespace simhost {

namespace {

// fopen mode, readable, writable for a host open mode; null when unknown.
const char* StdioMode(int32_t mode, bool exists, bool* can_read, bool* can_write) {
  *can_read = false;
  *can_write = false;
  switch (mode) {
    case file_open::kRead:
    case file_open::kReadNoCache:
    case file_open::kSharedRead:
      *can_read = true;
      return "rb";
    case file_open::kWrite:
    case file_open::kSharedWrite:
      *can_write = true;
      return "wb";
    case file_open::kAppend:
      *can_write = true;
      return "ab";
    case file_open::kReadWrite:
      *can_read = *can_write = true;
      return exists ? "r+b" : "w+b";
    default:
      return nullptr;
  }
}

}  // namespace

BaseFile::~BaseFile() { Close(); }

bool BaseFile::Open(const std::string& path, int32_t mode, int32_t order, std::string* reason) {
  Close();
  error_ = file_error::kNone;
  SetOrder(order);
  const platform::FileInfo info = platform::Stat(path);
  const char* stdio_mode = StdioMode(mode, info.exists, &can_read_, &can_write_);
  if (stdio_mode == nullptr) {
    *reason = "unsupported open mode " + std::to_string(mode);
  } else if (path.empty()) {
    *reason = "empty file name";
  } else if (info.is_folder) {
    *reason = "is a directory";
  } else {
    file_ = platform::OpenFile(path, stdio_mode);
    if (file_ == nullptr) *reason = std::strerror(errno);
  }
  if (file_ == nullptr) error_ = file_error::kOpen;
  return file_ != nullptr;
}

bool BaseFile::Close() {
  if (file_ == nullptr) return false;
  const bool closed = std::fclose(file_) == 0;
  file_ = nullptr;
  if (!closed && error_ == file_error::kNone) error_ = file_error::kClose;
  return closed && error_ == file_error::kNone;
}

void BaseFile::SetOrder(int32_t order) {
  order_ = order == byte_order::kLittleEndian ? byte_order::kLittleEndian : byte_order::kBigEndian;
}

bool BaseFile::Usable(bool for_writing) {
  if (error_ != file_error::kNone) return false;
  if (file_ == nullptr || (for_writing ? !can_write_ : !can_read_)) {
    error_ = for_writing ? file_error::kWrite : file_error::kRead;
    return false;
  }
  return true;
}

bool BaseFile::WriteBytes(const void* data, int64_t length) {
  if (!Usable(true)) return false;
  if (length < 0 || (data == nullptr && length > 0)) {
    error_ = file_error::kWrite;
    return false;
  }
  if (length > 0 &&
      std::fwrite(data, 1, static_cast<size_t>(length), file_) != static_cast<size_t>(length)) {
    error_ = file_error::kWrite;
    return false;
  }
  return true;
}

int64_t BaseFile::ReadBytes(void* data, int64_t length, bool just_try) {
  if (!Usable(false)) return 0;
  if (length < 0 || (data == nullptr && length > 0)) {
    error_ = file_error::kRead;
    return 0;
  }
  const size_t got = length > 0 ? std::fread(data, 1, static_cast<size_t>(length), file_) : 0;
  if (static_cast<int64_t>(got) < length && !just_try) error_ = file_error::kRead;
  return static_cast<int64_t>(got);
}

bool BaseFile::WriteInt32(int32_t value) {
  const uint32_t bits = static_cast<uint32_t>(value);
  uint8_t bytes[4];
  for (int i = 0; i < 4; ++i) {
    const int shift = order_ == byte_order::kLittleEndian ? 8 * i : 8 * (3 - i);
    bytes[i] = static_cast<uint8_t>(bits >> shift);
  }
  return WriteBytes(bytes, 4);
}

bool BaseFile::ReadInt32(int32_t* value) {
  uint8_t bytes[4];
  if (value == nullptr || ReadBytes(bytes, 4, false) != 4) return false;
  uint32_t bits = 0;
  for (int i = 0; i < 4; ++i) {
    const int shift = order_ == byte_order::kLittleEndian ? 8 * i : 8 * (3 - i);
    bits |= static_cast<uint32_t>(bytes[i]) << shift;
  }
  *value = static_cast<int32_t>(bits);
  return true;
}

bool BaseFile::Seek(int64_t position, int32_t mode) {
  if (error_ != file_error::kNone || file_ == nullptr) return false;
  const int64_t base = mode == file_seek::kRelative ? Position() : 0;
  const bool known = mode == file_seek::kStart || mode == file_seek::kRelative;
  if (!known || base + position < 0 ||
      std::fseek(file_, static_cast<long>(base + position), SEEK_SET) != 0) {
    error_ = file_error::kSeek;
    return false;
  }
  return true;
}

int64_t BaseFile::Position() const {
  return file_ != nullptr ? static_cast<int64_t>(std::ftell(file_)) : 0;
}

int64_t BaseFile::Length() const {
  if (file_ == nullptr) return 0;
  return platform::OpenFileLength(file_);
}

}  // namespace simhost

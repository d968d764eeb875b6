// Plain binary files with 32-bit integers in a chosen byte order.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "file_codes.h"
#include "handles.h"

namespace simhost {

class BaseFile : public TrackedHandle<c4d_file> {
 public:
  BaseFile() = default;
  ~BaseFile();
  BaseFile(const BaseFile&) = delete;
  BaseFile& operator=(const BaseFile&) = delete;

  // mode: a file_open value; order: byte_order::kBigEndian or kLittleEndian
  // (anything else means big-endian). Mac file type and creator do not
  // apply on this system and are not taken.
  bool Open(const std::string& path, int32_t mode, int32_t order, std::string* reason);
  bool Close();
  bool IsOpen() const { return file_ != nullptr; }
  bool WriteBytes(const void* data, int64_t length);
  // Reads up to length bytes and returns how many came. A short read sets
  // the error unless just_try.
  int64_t ReadBytes(void* data, int64_t length, bool just_try);
  bool WriteInt32(int32_t value);
  bool ReadInt32(int32_t* value);
  bool Seek(int64_t position, int32_t mode);
  int64_t Position() const;
  int64_t Length() const;
  int32_t Error() const { return error_; }
  // FILEDIALOG mode given at open: whether the host shows its error dialog.
  void SetErrorDialog(int32_t mode) { error_dialog_ = mode; }
  int32_t ErrorDialog() const { return error_dialog_; }
  void SetError(int32_t error) { error_ = error; }
  void SetOrder(int32_t order);
  int32_t Order() const { return order_; }

 private:
  // Operations stop at the first error, as the host's files do.
  bool Usable(bool for_writing);

  FILE* file_ = nullptr;
  bool can_read_ = false;
  bool can_write_ = false;
  int32_t order_ = byte_order::kBigEndian;
  int32_t error_ = file_error::kNone;
  int32_t error_dialog_ = 0;
};

inline BaseFile* ToBaseFile(c4d_file* handle) { return FromHandle<BaseFile>(handle); }
inline const BaseFile* ToBaseFile(const c4d_file* handle) { return FromHandle<BaseFile>(handle); }

}  // namespace simhost

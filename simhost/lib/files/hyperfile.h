// The host's container files: a header with a magic, the caller's
// identification, the format version and the payload length, then typed
// values one after another. Readers check everything before trusting it;
// writers build the file beside the target and rename it over the target
// only when closed without error.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "file_codes.h"
#include "handles.h"
#include "values/value.h"

namespace simhost {

class HyperFile : public TrackedHandle<c4d_hyperfile> {
 public:
  static constexpr int32_t kFormatVersion = 1;
  static constexpr size_t kHeaderSize = 24;
  // Larger files are refused at open rather than read into memory.
  static constexpr int64_t kMaxFileSize = int64_t{64} * 1024 * 1024;
  // Containers nested deeper than this are refused.
  static constexpr int kMaxDepth = 64;

  HyperFile() = default;
  // An unfinished write is discarded; the target stays as it was.
  ~HyperFile();
  HyperFile(const HyperFile&) = delete;
  HyperFile& operator=(const HyperFile&) = delete;

  // mode: file_open::kRead or kWrite. On failure reason says why.
  bool Open(int32_t ident, const std::string& path, int32_t mode, std::string* reason);
  bool Close(std::string* reason);
  bool IsOpen() const { return mode_ != Mode::kClosed; }
  bool Write(const Value& value);
  // Fails, and sets the error, when the next value is of another kind,
  // missing, cut short or malformed.
  bool Read(int32_t expected_type, Value* out);
  int32_t Error() const { return error_; }
  // FILEDIALOG mode given at open: whether the host shows its error dialog.
  void SetErrorDialog(int32_t mode) { error_dialog_ = mode; }
  int32_t ErrorDialog() const { return error_dialog_; }
  void SetError(int32_t error) { error_ = error; }
  int32_t FileVersion() const { return version_; }
  // Keeps the value last handed to the module, whose text it points into.
  const Value& KeepRead(Value value) {
    last_read_ = std::move(value);
    return last_read_;
  }

 private:
  enum class Mode { kClosed, kRead, kWrite };
  bool OpenRead(int32_t ident, const std::string& path, std::string* reason);
  bool OpenWrite(const std::string& path, std::string* reason);
  bool Finish(std::string* reason);
  void Discard();

  Mode mode_ = Mode::kClosed;
  std::string path_;
  std::string temp_path_;
  std::FILE* temp_file_ = nullptr;
  int32_t ident_ = 0;
  int32_t error_ = file_error::kNone;
  int32_t error_dialog_ = 0;
  int32_t version_ = 0;
  std::vector<uint8_t> bytes_;  // reading: the payload; writing: values so far
  size_t cursor_ = 0;
  Value last_read_;
};

inline HyperFile* ToHyperFile(c4d_hyperfile* handle) { return FromHandle<HyperFile>(handle); }
inline const HyperFile* ToHyperFile(const c4d_hyperfile* handle) {
  return FromHandle<HyperFile>(handle);
}

}  // namespace simhost

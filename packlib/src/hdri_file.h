// An HDRI file read by offset, for the header checks: every failure is an
// HdriFailure that carries what the user is told.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "packlib/hdri_check.h"

namespace packlib {

struct HdriFailure : std::runtime_error {
  HdriFailure(HdriFault fault_kind, const std::string& reason)
      : std::runtime_error(reason), fault(fault_kind) {}
  HdriFault fault;
};

// Throws an HdriFailure of kind kUndecodable.
[[noreturn]] void Undecodable(const std::string& reason);

class HdriFile {
 public:
  // Throws kUnreadable or kEmpty.
  explicit HdriFile(const std::string& path);
  ~HdriFile();
  HdriFile(const HdriFile&) = delete;
  HdriFile& operator=(const HdriFile&) = delete;

  const std::string& Path() const { return path_; }
  int64_t Size() const { return size_; }
  // Up to count bytes from offset: fewer where the file ends.
  std::vector<uint8_t> ReadAt(int64_t offset, size_t count);
  // Exactly count bytes from offset; throws kUndecodable naming what where
  // the file ends first.
  std::vector<uint8_t> ReadExactly(int64_t offset, size_t count, const char* what);

 private:
  std::string path_;
  std::FILE* file_ = nullptr;
  int64_t size_ = 0;
};

// Bytes one after another from an offset, buffered.
class HdriStream {
 public:
  HdriStream(HdriFile* file, int64_t offset) : file_(file), offset_(offset) {}
  // False when the file ends first.
  bool Take(uint8_t* out, size_t count);
  bool Skip(int64_t count);
  int64_t Offset() const { return offset_; }

 private:
  HdriFile* file_;
  int64_t offset_;
  int64_t buffer_start_ = 0;
  std::vector<uint8_t> buffer_;
};

// The byte counts the file needs, in words: "needs 1200 bytes, has 800".
std::string ShortBy(int64_t needed, int64_t has);

// Radiance: "#?RADIANCE" or "#?RGBE" first.
bool LooksLikeRadiance(const std::vector<uint8_t>& head);
void CheckRadiance(HdriFile* file, bool deep);
// OpenEXR: its four magic bytes first.
bool LooksLikeExr(const std::vector<uint8_t>& head);
void CheckExrHeader(HdriFile* file);
// Decodes every pixel with the OpenEXR library; throws kUndecodable.
void DecodeExr(const std::string& path);

}  // namespace packlib

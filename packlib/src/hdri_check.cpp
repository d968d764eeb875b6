#include "packlib/hdri_check.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "hdri_file.h"
#include "platform/platform.h"

namespace packlib {

namespace platform = lumidrome::platform;

namespace {

// Headers take a few hundred bytes; rows are read in pieces of this size.
constexpr size_t kStreamBuffer = 64 * 1024;

}  // namespace

void Undecodable(const std::string& reason) { throw HdriFailure(HdriFault::kUndecodable, reason); }

HdriFile::HdriFile(const std::string& path) : path_(path) {
  if (platform::Stat(path).is_folder) throw HdriFailure(HdriFault::kUnreadable, "a folder");
  file_ = platform::OpenFile(path, "rb");
  if (file_ == nullptr) throw HdriFailure(HdriFault::kUnreadable, std::strerror(errno));
  size_ = platform::OpenFileLength(file_);
  if (size_ == 0) {
    std::fclose(file_);
    throw HdriFailure(HdriFault::kEmpty, "the file is empty");
  }
}

HdriFile::~HdriFile() { std::fclose(file_); }

std::vector<uint8_t> HdriFile::ReadAt(int64_t offset, size_t count) {
  std::vector<uint8_t> bytes;
  if (offset < 0 || offset >= size_) return bytes;
  if (!platform::SeekFile(file_, offset)) {
    throw HdriFailure(HdriFault::kUnreadable, "cannot move to byte " + std::to_string(offset));
  }
  bytes.resize(static_cast<size_t>(std::min<int64_t>(static_cast<int64_t>(count), size_ - offset)));
  size_t got = std::fread(bytes.data(), 1, bytes.size(), file_);
  if (got != bytes.size() && std::ferror(file_)) {
    throw HdriFailure(HdriFault::kUnreadable, std::strerror(errno));
  }
  bytes.resize(got);
  return bytes;
}

std::vector<uint8_t> HdriFile::ReadExactly(int64_t offset, size_t count, const char* what) {
  std::vector<uint8_t> bytes = ReadAt(offset, count);
  if (bytes.size() == count) return bytes;
  Undecodable(std::string("the file ends inside ") + what + " (" +
              ShortBy(offset + static_cast<int64_t>(count), size_) + ")");
}

bool HdriStream::Take(uint8_t* out, size_t count) {
  while (count > 0) {
    int64_t at = offset_ - buffer_start_;
    if (at < 0 || at >= static_cast<int64_t>(buffer_.size())) {
      buffer_start_ = offset_;
      buffer_ = file_->ReadAt(offset_, kStreamBuffer);
      if (buffer_.empty()) return false;
      at = 0;
    }
    size_t n = std::min(count, buffer_.size() - static_cast<size_t>(at));
    std::memcpy(out, buffer_.data() + at, n);
    offset_ += static_cast<int64_t>(n);
    out += n;
    count -= n;
  }
  return true;
}

bool HdriStream::Skip(int64_t count) {
  if (count < 0 || offset_ + count > file_->Size()) return false;
  offset_ += count;
  return true;
}

std::string ShortBy(int64_t needed, int64_t has) {
  return "needs at least " + std::to_string(needed) + " bytes, has " + std::to_string(has);
}

HdriVerdict CheckHdri(const std::string& path, bool deep) {
  try {
    HdriFile file(path);
    std::vector<uint8_t> head = file.ReadAt(0, 16);
    if (LooksLikeRadiance(head)) {
      CheckRadiance(&file, deep);
    } else if (LooksLikeExr(head)) {
      CheckExrHeader(&file);
      if (deep && DecodesExrFully()) DecodeExr(path);
    } else {
      Undecodable("neither a Radiance nor an OpenEXR file");
    }
  } catch (const HdriFailure& failure) {
    return HdriVerdict{failure.fault, failure.what()};
  }
  return HdriVerdict{};
}

}  // namespace packlib

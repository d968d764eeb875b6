#include "hyperfile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/platform.h"
#include "values/container.h"

namespace simhost {

namespace {

constexpr uint8_t kMagic[8] = {'H', 'F', 'I', 'L', 0x0D, 0x0A, 0x1A, 0x0A};

// ------------------------------------------------------------ encoding

void PutU32(uint32_t value, std::vector<uint8_t>* out) {
  for (int i = 0; i < 4; ++i) out->push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void PutU64(uint64_t value, std::vector<uint8_t>* out) {
  for (int i = 0; i < 8; ++i) out->push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void PutI32(int32_t value, std::vector<uint8_t>* out) { PutU32(static_cast<uint32_t>(value), out); }

void PutText(const std::string& text, std::vector<uint8_t>* out) {
  PutU32(static_cast<uint32_t>(text.size()), out);
  out->insert(out->end(), text.begin(), text.end());
}

bool Encode(const Value& value, int depth, std::vector<uint8_t>* out) {
  if (depth > HyperFile::kMaxDepth) return false;
  PutI32(value.Type(), out);
  switch (value.Type()) {
    case C4D_VALUE_NIL:
      return true;
    case C4D_VALUE_INT32:
      PutI32(value.GetInt32(), out);
      return true;
    case C4D_VALUE_FLOAT: {
      uint64_t bits;
      const double number = value.GetFloat();
      std::memcpy(&bits, &number, sizeof bits);
      PutU64(bits, out);
      return true;
    }
    case C4D_VALUE_INT64:
      PutU64(static_cast<uint64_t>(value.GetInt64()), out);
      return true;
    case C4D_VALUE_STRING:
    case C4D_VALUE_FILENAME:
      if (value.Text().size() > UINT32_MAX) return false;
      PutText(value.Text(), out);
      return true;
    case C4D_VALUE_CONTAINER: {
      const Container& container = *value.GetContainer();
      PutI32(container.Id(), out);
      PutU32(static_cast<uint32_t>(container.Count()), out);
      for (const auto& [key, entry] : container.Entries()) {
        PutI32(key, out);
        if (!Encode(entry, depth + 1, out)) return false;
      }
      return true;
    }
    default:
      return false;  // links name elements of a running scene; a file cannot keep them
  }
}

// ------------------------------------------------------------ decoding

class Reader {
 public:
  Reader(const std::vector<uint8_t>& bytes, size_t position) : bytes_(bytes), pos_(position) {}
  size_t Position() const { return pos_; }
  size_t Remaining() const { return bytes_.size() - pos_; }

  bool U32(uint32_t* value) {
    if (Remaining() < 4) return false;
    *value = 0;
    for (int i = 0; i < 4; ++i) *value |= static_cast<uint32_t>(bytes_[pos_++]) << (8 * i);
    return true;
  }
  bool U64(uint64_t* value) {
    if (Remaining() < 8) return false;
    *value = 0;
    for (int i = 0; i < 8; ++i) *value |= static_cast<uint64_t>(bytes_[pos_++]) << (8 * i);
    return true;
  }
  bool I32(int32_t* value) {
    uint32_t bits;
    if (!U32(&bits)) return false;
    *value = static_cast<int32_t>(bits);
    return true;
  }
  // The length is checked against what is left before anything is allocated.
  bool Text(std::string* text) {
    uint32_t length;
    if (!U32(&length) || length > Remaining()) return false;
    text->assign(reinterpret_cast<const char*>(&bytes_[pos_]), length);
    pos_ += length;
    return true;
  }

 private:
  const std::vector<uint8_t>& bytes_;
  size_t pos_;
};

int32_t Decode(Reader* in, int depth, Value* out);

int32_t DecodeContainer(Reader* in, int depth, Value* out) {
  int32_t id;
  uint32_t count;
  if (!in->I32(&id) || !in->U32(&count)) return file_error::kFileEnd;
  // Each entry takes at least eight bytes: a count beyond that is corrupt.
  if (count > in->Remaining() / 8) return file_error::kFileEnd;
  Container container(id);
  for (uint32_t i = 0; i < count; ++i) {
    int32_t key;
    Value entry;
    if (!in->I32(&key)) return file_error::kFileEnd;
    const int32_t error = Decode(in, depth + 1, &entry);
    if (error != file_error::kNone) return error;
    container.Set(key, std::move(entry));
  }
  *out = Value::OfContainer(container);
  return file_error::kNone;
}

int32_t Decode(Reader* in, int depth, Value* out) {
  if (depth > HyperFile::kMaxDepth) return file_error::kUnknownValue;
  int32_t type;
  if (!in->I32(&type)) return file_error::kFileEnd;
  int32_t i32;
  uint64_t u64;
  std::string text;
  switch (type) {
    case C4D_VALUE_NIL:
      *out = Value();
      return file_error::kNone;
    case C4D_VALUE_INT32:
      if (!in->I32(&i32)) return file_error::kFileEnd;
      *out = Value::Int32(i32);
      return file_error::kNone;
    case C4D_VALUE_FLOAT: {
      if (!in->U64(&u64)) return file_error::kFileEnd;
      double number;
      std::memcpy(&number, &u64, sizeof number);
      *out = Value::Float(number);
      return file_error::kNone;
    }
    case C4D_VALUE_INT64:
      if (!in->U64(&u64)) return file_error::kFileEnd;
      *out = Value::Int64(static_cast<int64_t>(u64));
      return file_error::kNone;
    case C4D_VALUE_STRING:
    case C4D_VALUE_FILENAME:
      if (!in->Text(&text)) return file_error::kFileEnd;
      *out = type == C4D_VALUE_STRING ? Value::String(text) : Value::Filename(text);
      return file_error::kNone;
    case C4D_VALUE_CONTAINER:
      return DecodeContainer(in, depth, out);
    default:
      return file_error::kUnknownValue;
  }
}

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>* bytes, std::string* reason) {
  std::FILE* file = platform::OpenFile(path, "rb");
  if (file == nullptr) {
    *reason = std::strerror(errno);
    return false;
  }
  const int64_t length = platform::OpenFileLength(file);
  bool ok = platform::Stat(path).is_regular;
  if (!ok) *reason = "not a regular file";
  if (ok && length > HyperFile::kMaxFileSize) {
    *reason = "file too large";
    ok = false;
  }
  if (ok) {
    bytes->resize(static_cast<size_t>(length));
    ok = std::fread(bytes->data(), 1, bytes->size(), file) == bytes->size();
    if (!ok) *reason = "read failed";
  }
  std::fclose(file);
  return ok;
}

}  // namespace

HyperFile::~HyperFile() { Discard(); }

bool HyperFile::Open(int32_t ident, const std::string& path, int32_t mode, std::string* reason) {
  if (IsOpen()) {
    *reason = "already open";
    error_ = file_error::kOpen;
    return false;
  }
  error_ = file_error::kNone;
  version_ = 0;
  bytes_.clear();
  cursor_ = 0;
  bool ok = false;
  if (path.empty()) {
    *reason = "empty file name";
  } else if (mode == file_open::kRead) {
    ok = OpenRead(ident, path, reason);
  } else if (mode == file_open::kWrite) {
    ident_ = ident;
    ok = OpenWrite(path, reason);
  } else {
    *reason = "unsupported open mode " + std::to_string(mode);
  }
  if (!ok) {
    error_ = file_error::kOpen;
    bytes_.clear();
  }
  return ok;
}

bool HyperFile::OpenRead(int32_t ident, const std::string& path, std::string* reason) {
  std::vector<uint8_t> file;
  if (!ReadWholeFile(path, &file, reason)) return false;
  if (file.size() < kHeaderSize || std::memcmp(file.data(), kMagic, sizeof kMagic) != 0) {
    *reason = "not a container file";
    return false;
  }
  Reader header(file, sizeof kMagic);
  uint32_t version;
  int32_t stored_ident;
  uint64_t length;
  header.U32(&version);
  header.I32(&stored_ident);
  header.U64(&length);
  if (stored_ident != ident) {
    *reason =
        "identification " + std::to_string(stored_ident) + ", expected " + std::to_string(ident);
    return false;
  }
  if (version == 0 || version > static_cast<uint32_t>(kFormatVersion)) {
    *reason = "unknown format version " + std::to_string(version);
    return false;
  }
  if (length != file.size() - kHeaderSize) {
    *reason = "file length does not match its header (cut short or damaged)";
    return false;
  }
  bytes_.assign(file.begin() + kHeaderSize, file.end());
  version_ = static_cast<int32_t>(version);
  path_ = path;
  mode_ = Mode::kRead;
  return true;
}

bool HyperFile::OpenWrite(const std::string& path, std::string* reason) {
  if (platform::Stat(path).is_folder) {
    *reason = "is a directory";
    return false;
  }
  temp_file_ = platform::CreateFileBeside(path, &temp_path_, reason);
  if (temp_file_ == nullptr) return false;
  path_ = path;
  version_ = kFormatVersion;
  mode_ = Mode::kWrite;
  return true;
}

bool HyperFile::Write(const Value& value) {
  if (mode_ != Mode::kWrite || error_ != file_error::kNone) {
    if (error_ == file_error::kNone) error_ = file_error::kWrite;
    return false;
  }
  const size_t before = bytes_.size();
  if (!Encode(value, 0, &bytes_)) {
    bytes_.resize(before);
    error_ = file_error::kWrongValue;
    return false;
  }
  return true;
}

bool HyperFile::Read(int32_t expected_type, Value* out) {
  if (mode_ != Mode::kRead || error_ != file_error::kNone) {
    if (error_ == file_error::kNone) error_ = file_error::kRead;
    return false;
  }
  Reader in(bytes_, cursor_);
  int32_t type;
  if (!in.I32(&type)) {
    error_ = file_error::kFileEnd;
    return false;
  }
  if (type != expected_type) {
    error_ = file_error::kWrongValue;
    return false;
  }
  Reader value_in(bytes_, cursor_);
  Value value;
  const int32_t error = Decode(&value_in, 0, &value);
  if (error != file_error::kNone) {
    error_ = error;
    return false;
  }
  cursor_ = value_in.Position();
  *out = std::move(value);
  return true;
}

bool HyperFile::Close(std::string* reason) {
  if (mode_ == Mode::kClosed) {
    *reason = "not open";
    return false;
  }
  if (mode_ == Mode::kRead) {
    mode_ = Mode::kClosed;
    bytes_.clear();
    return error_ == file_error::kNone;
  }
  const bool ok = error_ == file_error::kNone && Finish(reason);
  if (!ok && reason->empty())
    *reason = "an earlier write failed (error " + std::to_string(error_) + ")";
  Discard();
  if (!ok && error_ == file_error::kNone) error_ = file_error::kClose;
  return ok;
}

bool HyperFile::Finish(std::string* reason) {
  std::vector<uint8_t> file(kMagic, kMagic + sizeof kMagic);
  PutU32(static_cast<uint32_t>(kFormatVersion), &file);
  PutI32(ident_, &file);
  PutU64(bytes_.size(), &file);
  file.insert(file.end(), bytes_.begin(), bytes_.end());
  const bool written = std::fwrite(file.data(), 1, file.size(), temp_file_) == file.size() &&
                       platform::FlushToDisk(temp_file_);
  const bool closed = std::fclose(temp_file_) == 0;
  temp_file_ = nullptr;
  if (!written || !closed) {
    *reason = std::strerror(errno);
    return false;
  }
  if (!platform::MoveIntoPlace(temp_path_, path_, reason)) return false;
  temp_path_.clear();
  return true;
}

void HyperFile::Discard() {
  if (temp_file_ != nullptr) std::fclose(temp_file_);
  temp_file_ = nullptr;
  if (!temp_path_.empty()) platform::RemoveFile(temp_path_);
  temp_path_.clear();
  bytes_.clear();
  mode_ = Mode::kClosed;
}

}  // namespace simhost

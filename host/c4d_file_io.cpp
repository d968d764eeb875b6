// BrowseFiles, HyperFile and BaseFile: handles to the host's file objects.
#include <string>

#include "c4d_basecontainer.h"
#include "c4d_file.h"
#include "c4d_host_private.h"

namespace {

c4d_dir* DirOf(BrowseFiles* browse) { return reinterpret_cast<c4d_dir*>(browse); }
c4d_hyperfile* HyperOf(const HyperFile* file) {
  return reinterpret_cast<c4d_hyperfile*>(const_cast<HyperFile*>(file));
}
c4d_file* FileOf(const BaseFile* file) {
  return reinterpret_cast<c4d_file*>(const_cast<BaseFile*>(file));
}

#ifdef C4D_API_R14
const STRINGENCODING kFileTextEncoding = STRINGENCODING_8BIT;
#else
const STRINGENCODING kFileTextEncoding = STRINGENCODING_UTF8;
#endif

Bool WriteValue(HyperFile* file, const GeData& data) {
  const c4d_function_table* table = c4dhost::Table();
  if (table == nullptr) return false;
  c4dhost::HostValue value(data);
  return table->file->hf_write(HyperOf(file), value.Get()) != 0;
}

// Reads one value of the expected kind; false leaves *data unchanged.
Bool ReadValue(HyperFile* file, int32_t expected, GeData* data) {
  const c4d_function_table* table = c4dhost::Table();
  if (table == nullptr) return false;
  c4d_value value{};
  if (!table->file->hf_read(HyperOf(file), expected, &value) || value.type != expected) {
    return false;
  }
  *data = c4dhost::DataFromValue(value);
  return true;
}

}  // namespace

// -------------------------------------------------------------- BrowseFiles

BrowseFiles* BrowseFiles::Alloc() {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr ? reinterpret_cast<BrowseFiles*>(table->file->dir_alloc()) : nullptr;
}

void BrowseFiles::Free(BrowseFiles*& bf) {
  const c4d_function_table* table = c4dhost::Table();
  if (bf != nullptr && table != nullptr) table->file->dir_free(DirOf(bf));
  bf = nullptr;
}

// A path holding a NUL names no folder: the browse then yields nothing, as
// for the empty path.
void BrowseFiles::Init(const Filename& directory, maxon::Int32 flags) {
  const c4d_function_table* table = c4dhost::Table();
  std::string path = c4dhost::HoldsNul(directory) ? std::string() : c4dhost::Utf8(directory);
  if (table != nullptr) table->file->dir_init(DirOf(this), path.c_str(), flags);
}

Bool BrowseFiles::GetNext() {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr && table->file->dir_next(DirOf(this));
}

Filename BrowseFiles::GetFilename() {
  const c4d_function_table* table = c4dhost::Table();
  c4dhost::TextReceiver receiver;
  if (table != nullptr) {
    table->file->dir_name(DirOf(this), &c4dhost::TextReceiver::Sink, receiver.Context());
  }
  return receiver.GetFilename();
}

Bool BrowseFiles::IsDir() {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr && table->file->dir_is_dir(DirOf(this));
}

Bool BrowseFiles::IsHidden() {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr && table->file->dir_is_hidden(DirOf(this));
}

// Bundles are folders shown as files on macOS only.
Bool BrowseFiles::IsBundle() { return false; }

Bool BrowseFiles::IsReadOnly() {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr && table->file->dir_is_read_only(DirOf(this));
}

maxon::Int64 BrowseFiles::GetSize() {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr ? table->file->dir_size(DirOf(this)) : 0;
}

// ---------------------------------------------------------------- HyperFile

HyperFile* HyperFile::Alloc() {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr ? reinterpret_cast<HyperFile*>(table->file->hf_alloc()) : nullptr;
}

void HyperFile::Free(HyperFile*& fl) {
  const c4d_function_table* table = c4dhost::Table();
  if (fl != nullptr && table != nullptr) table->file->hf_free(HyperOf(fl));
  fl = nullptr;
}

Bool HyperFile::Open(maxon::Int32 ident, const Filename& filename, FILEOPEN mode,
                     FILEDIALOG error_dialog) {
  const c4d_function_table* table = c4dhost::Table();
  if (table == nullptr || c4dhost::HoldsNul(filename)) return false;
  return table->file->hf_open(HyperOf(this), ident, c4dhost::Utf8(filename).c_str(), mode,
                              error_dialog) != 0;
}

Bool HyperFile::Close() {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr && table->file->hf_close(HyperOf(this));
}

Bool HyperFile::WriteBool(Bool v) { return WriteValue(this, GeData(v ? 1 : 0)); }

Bool HyperFile::ReadBool(Bool* v) {
  GeData data;
  if (v == nullptr || !ReadValue(this, C4D_VALUE_INT32, &data)) return false;
  *v = data.GetBool();
  return true;
}

#ifdef C4D_API_R14

Bool HyperFile::WriteLong(LONG v) { return WriteValue(this, GeData(v)); }

Bool HyperFile::ReadLong(LONG* v) {
  GeData data;
  if (v == nullptr || !ReadValue(this, C4D_VALUE_INT32, &data)) return false;
  *v = data.GetLong();
  return true;
}

Bool HyperFile::WriteLLong(LLONG v) { return WriteValue(this, GeData(v, LLONGVALUE)); }

Bool HyperFile::ReadLLong(LLONG* v) {
  GeData data;
  if (v == nullptr || !ReadValue(this, C4D_VALUE_INT64, &data)) return false;
  *v = data.GetLLong();
  return true;
}

Bool HyperFile::WriteReal(Real v) { return WriteValue(this, GeData(v)); }

Bool HyperFile::ReadReal(Real* v) {
  GeData data;
  if (v == nullptr || !ReadValue(this, C4D_VALUE_FLOAT, &data)) return false;
  *v = data.GetReal();
  return true;
}

#else

Bool HyperFile::WriteInt32(Int32 v) { return WriteValue(this, GeData(v)); }

Bool HyperFile::ReadInt32(Int32* v) {
  GeData data;
  if (v == nullptr || !ReadValue(this, C4D_VALUE_INT32, &data)) return false;
  *v = data.GetInt32();
  return true;
}

Bool HyperFile::WriteInt64(Int64 v) { return WriteValue(this, GeData(v, LLONGVALUE)); }

Bool HyperFile::ReadInt64(Int64* v) {
  GeData data;
  if (v == nullptr || !ReadValue(this, C4D_VALUE_INT64, &data)) return false;
  *v = data.GetInt64();
  return true;
}

Bool HyperFile::WriteFloat(Float v) { return WriteValue(this, GeData(v)); }

Bool HyperFile::ReadFloat(Float* v) {
  GeData data;
  if (v == nullptr || !ReadValue(this, C4D_VALUE_FLOAT, &data)) return false;
  *v = data.GetFloat();
  return true;
}

#endif

Bool HyperFile::WriteString(const String& v) { return WriteValue(this, GeData(v)); }

Bool HyperFile::ReadString(String* v) {
  GeData data;
  if (v == nullptr || !ReadValue(this, C4D_VALUE_STRING, &data)) return false;
  *v = data.GetString();
  return true;
}

Bool HyperFile::WriteFilename(const Filename& v) { return WriteValue(this, GeData(v)); }

Bool HyperFile::ReadFilename(Filename* v) {
  GeData data;
  if (v == nullptr || !ReadValue(this, C4D_VALUE_FILENAME, &data)) return false;
  *v = data.GetFilename();
  return true;
}

Bool HyperFile::WriteContainer(const BaseContainer& v) { return WriteValue(this, GeData(v)); }

Bool HyperFile::ReadContainer(BaseContainer* v, Bool flush) {
  GeData data;
  if (v == nullptr || !ReadValue(this, C4D_VALUE_CONTAINER, &data)) return false;
  if (flush) {
    *v = *data.GetContainer();
  } else {
    v->MergeContainer(*data.GetContainer());
  }
  return true;
}

FILEERROR HyperFile::GetError() const {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr ? static_cast<FILEERROR>(table->file->hf_get_error(HyperOf(this)))
                          : FILEERROR_INVALID;
}

void HyperFile::SetError(FILEERROR err) {
  const c4d_function_table* table = c4dhost::Table();
  if (table != nullptr) table->file->hf_set_error(HyperOf(this), err);
}

maxon::Int32 HyperFile::GetFileVersion() const {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr ? table->file->hf_get_file_version(HyperOf(this)) : 0;
}

// ----------------------------------------------------------------- BaseFile

BaseFile* BaseFile::Alloc() {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr ? reinterpret_cast<BaseFile*>(table->file->bf_alloc()) : nullptr;
}

void BaseFile::Free(BaseFile*& fl) {
  const c4d_function_table* table = c4dhost::Table();
  if (fl != nullptr && table != nullptr) table->file->bf_free(FileOf(fl));
  fl = nullptr;
}

Bool BaseFile::Open(const Filename& name, FILEOPEN mode, FILEDIALOG error_dialog, BYTEORDER order,
                    maxon::Int32 type, maxon::Int32 creator) {
  const c4d_function_table* table = c4dhost::Table();
  if (table == nullptr || c4dhost::HoldsNul(name)) return false;
  return table->file->bf_open(FileOf(this), c4dhost::Utf8(name).c_str(), mode, error_dialog, order,
                              type, creator) != 0;
}

Bool BaseFile::Close() {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr && table->file->bf_close(FileOf(this));
}

Bool BaseFile::WriteString(const String& v) {
  maxon::Int32 length = v.GetCStringLen(kFileTextEncoding);
  maxon::Char* buffer = NewMemClear(maxon::Char, static_cast<maxon::Int>(length) + 1);
  if (buffer == nullptr) {
    SetError(FILEERROR_OUTOFMEMORY);
    return false;
  }
  v.GetCString(buffer, length + 1, kFileTextEncoding);
  const c4d_function_table* table = c4dhost::Table();
  Bool ok = table != nullptr && table->file->bf_write_int32(FileOf(this), length + 1);
  if (ok) ok = WriteBytes(buffer, static_cast<maxon::Int>(length) + 1);
  DeleteMem(buffer);
  return ok;
}

// A length that the rest of the file cannot hold is a read error, so a
// corrupt length never leads to a large allocation.
Bool BaseFile::ReadString(String* v) {
  const c4d_function_table* table = c4dhost::Table();
  int32_t length = 0;
  if (v == nullptr || table == nullptr || !table->file->bf_read_int32(FileOf(this), &length)) {
    return false;
  }
  maxon::Int64 remaining = GetLength() - GetPosition();
  if (length <= 0 || length > remaining) {
    SetError(FILEERROR_READ);
    return false;
  }
  std::string bytes(static_cast<size_t>(length), '\0');
  if (ReadBytes(&bytes[0], length) != length) return false;
  v->SetCString(bytes.c_str(), -1, kFileTextEncoding);
  return true;
}

#ifdef C4D_API_R14
Bool BaseFile::WriteLong(LONG v) {
#else
Bool BaseFile::WriteInt32(Int32 v) {
#endif
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr && table->file->bf_write_int32(FileOf(this), v);
}

#ifdef C4D_API_R14
Bool BaseFile::ReadLong(LONG* v) {
#else
Bool BaseFile::ReadInt32(Int32* v) {
#endif
  const c4d_function_table* table = c4dhost::Table();
  return v != nullptr && table != nullptr && table->file->bf_read_int32(FileOf(this), v);
}

Bool BaseFile::WriteBytes(const void* data, maxon::Int len) {
  const c4d_function_table* table = c4dhost::Table();
  if (table == nullptr || len < 0 || (data == nullptr && len > 0)) return false;
  return table->file->bf_write_bytes(FileOf(this), data, len) != 0;
}

maxon::Int BaseFile::ReadBytes(void* data, maxon::Int len, Bool just_try_it) {
  const c4d_function_table* table = c4dhost::Table();
  if (table == nullptr || data == nullptr || len <= 0) return 0;
  return table->file->bf_read_bytes(FileOf(this), data, len, just_try_it ? 1 : 0);
}

Bool BaseFile::Seek(maxon::Int64 pos, FILESEEK mode) {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr && table->file->bf_seek(FileOf(this), pos, mode);
}

maxon::Int64 BaseFile::GetPosition() {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr ? table->file->bf_get_position(FileOf(this)) : 0;
}

maxon::Int64 BaseFile::GetLength() {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr ? table->file->bf_get_length(FileOf(this)) : 0;
}

FILEERROR BaseFile::GetError() const {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr ? static_cast<FILEERROR>(table->file->bf_get_error(FileOf(this)))
                          : FILEERROR_INVALID;
}

void BaseFile::SetError(FILEERROR error) {
  const c4d_function_table* table = c4dhost::Table();
  if (table != nullptr) table->file->bf_set_error(FileOf(this), error);
}

void BaseFile::SetOrder(BYTEORDER order) {
  const c4d_function_table* table = c4dhost::Table();
  if (table != nullptr) table->file->bf_set_order(FileOf(this), order);
}

// The file area of the function table: file-system questions, selections,
// directory iteration, container files and binary files.
#include "api.h"
#include "files/basefile.h"
#include "files/directory.h"
#include "files/hyperfile.h"
#include "host.h"
#include "text/text_util.h"

namespace simhost {

namespace {

std::string OpenModeName(int32_t mode) {
  switch (mode) {
    case file_open::kRead:
    case file_open::kReadNoCache:
    case file_open::kSharedRead:
      return "reading";
    case file_open::kReadWrite:
      return "reading and writing";
    default:
      return "writing";
  }
}

// The host's own error dialog, recorded instead of shown.
void ShowFileError(const std::string& text) {
  if (Host* host = Host::Current()) host->Record(event_kind::kErrorDialog, text);
}

void ReportOpenFailure(int32_t dialog, const std::string& path, int32_t mode,
                       const std::string& reason) {
  if (dialog != file_dialog::kAny) return;
  ShowFileError("Cannot open file " + QuoteText(path) + " for " + OpenModeName(mode) + ": " +
                reason);
}

// After a read or write: the dialog for the first error, if the file asks
// for one.
void ReportIfFailed(int32_t error_before, int32_t error_after, int32_t dialog,
                    const char* operation) {
  if (error_before != file_error::kNone || error_after == file_error::kNone) return;
  if (dialog == file_dialog::kNone) return;
  ShowFileError(std::string("File error while ") + operation + " (error " +
                std::to_string(error_after) + ")");
}

// ---------------------------------------------------------------- general

c4d_bool Exists(const char* path, c4d_bool is_directory) {
  return PathExists(FromCText(path), is_directory != 0);
}

c4d_bool CreateDirectory(const char* path) { return CreateFolder(FromCText(path)); }

c4d_bool Kill(const char* path, int32_t flags) { return KillPath(FromCText(path), flags); }

c4d_bool Select(int32_t /*type*/, int32_t /*mode*/, const char* title, const char* /*force_suffix*/,
                c4d_text_sink sink, void* ctx) {
  Host* host = Host::Current();
  if (host == nullptr) return 0;
  std::optional<std::string> answer = host->AnswerSelection(FromCText(title));
  if (!answer) return 0;
  SendText(sink, ctx, *answer);
  return 1;
}

// ------------------------------------------------------------- directories

c4d_dir* DirAlloc() { return new DirIterator(); }

void DirFree(c4d_dir* handle) {
  if (handle == nullptr) return;
  DirIterator* dir = ToDirIterator(handle);
  if (dir == nullptr) {
    WarnCurrent("file.dir_free of a stale iterator");
    return;
  }
  delete dir;
}

void DirInit(c4d_dir* handle, const char* path, int32_t flags) {
  DirIterator* dir = ToDirIterator(handle);
  if (dir == nullptr) return;
  Host* host = Host::Current();
  if (host == nullptr) return dir->Init(FromCText(path), flags);
  dir->Init(FromCText(path), flags, host->EffectiveDirOrder(), &host->Random());
}

c4d_bool DirNext(c4d_dir* handle) {
  DirIterator* dir = ToDirIterator(handle);
  return dir != nullptr && dir->Next();
}

void DirName(c4d_dir* handle, c4d_text_sink sink, void* ctx) {
  DirIterator* dir = ToDirIterator(handle);
  SendText(sink, ctx, dir != nullptr ? dir->Name() : std::string());
}

c4d_bool DirIsDir(c4d_dir* handle) {
  DirIterator* dir = ToDirIterator(handle);
  return dir != nullptr && dir->IsDir();
}

c4d_bool DirIsHidden(c4d_dir* handle) {
  DirIterator* dir = ToDirIterator(handle);
  return dir != nullptr && dir->IsHidden();
}

c4d_bool DirIsReadOnly(c4d_dir* handle) {
  DirIterator* dir = ToDirIterator(handle);
  return dir != nullptr && dir->IsReadOnly();
}

int64_t DirSize(c4d_dir* handle) {
  DirIterator* dir = ToDirIterator(handle);
  return dir != nullptr ? dir->Size() : 0;
}

// ---------------------------------------------------------- container files

c4d_hyperfile* HfAlloc() { return new HyperFile(); }

void HfFree(c4d_hyperfile* handle) {
  if (handle == nullptr) return;
  HyperFile* file = ToHyperFile(handle);
  if (file == nullptr) {
    WarnCurrent("file.hf_free of a stale container file");
    return;
  }
  delete file;
}

c4d_bool HfOpen(c4d_hyperfile* handle, int32_t ident, const char* path, int32_t mode,
                int32_t error_dialog) {
  HyperFile* file = ToHyperFile(handle);
  if (file == nullptr) return 0;
  file->SetErrorDialog(error_dialog);
  std::string reason;
  if (file->Open(ident, FromCText(path), mode, &reason)) return 1;
  ReportOpenFailure(error_dialog, FromCText(path), mode, reason);
  return 0;
}

c4d_bool HfClose(c4d_hyperfile* handle) {
  HyperFile* file = ToHyperFile(handle);
  if (file == nullptr) return 0;
  const int32_t before = file->Error();
  std::string reason;
  const bool closed = file->Close(&reason);
  ReportIfFailed(before, file->Error(), file->ErrorDialog(), "closing");
  return closed;
}

c4d_bool HfWrite(c4d_hyperfile* handle, const c4d_value* value) {
  HyperFile* file = ToHyperFile(handle);
  if (file == nullptr) return 0;
  const int32_t before = file->Error();
  Value copy;
  bool written = false;
  if (value != nullptr && Value::FromC(*value, &copy)) {
    written = file->Write(copy);
  } else if (before == file_error::kNone) {
    file->SetError(file_error::kWrongValue);
  }
  ReportIfFailed(before, file->Error(), file->ErrorDialog(), "writing");
  return written;
}

c4d_bool HfRead(c4d_hyperfile* handle, int32_t expected_type, c4d_value* out) {
  HyperFile* file = ToHyperFile(handle);
  if (out != nullptr) *out = NilCValue();
  if (file == nullptr) return 0;
  const int32_t before = file->Error();
  Value value;
  const bool read = file->Read(expected_type, &value);
  ReportIfFailed(before, file->Error(), file->ErrorDialog(), "reading");
  if (read && out != nullptr) file->KeepRead(std::move(value)).ToC(out);
  return read;
}

int32_t HfGetError(const c4d_hyperfile* handle) {
  const HyperFile* file = ToHyperFile(handle);
  return file != nullptr ? file->Error() : file_error::kInvalid;
}

void HfSetError(c4d_hyperfile* handle, int32_t error) {
  if (HyperFile* file = ToHyperFile(handle)) file->SetError(error);
}

int32_t HfGetFileVersion(const c4d_hyperfile* handle) {
  const HyperFile* file = ToHyperFile(handle);
  return file != nullptr ? file->FileVersion() : 0;
}

// ------------------------------------------------------------- binary files

c4d_file* BfAlloc() { return new BaseFile(); }

void BfFree(c4d_file* handle) {
  if (handle == nullptr) return;
  BaseFile* file = ToBaseFile(handle);
  if (file == nullptr) {
    WarnCurrent("file.bf_free of a stale file");
    return;
  }
  delete file;
}

c4d_bool BfOpen(c4d_file* handle, const char* path, int32_t mode, int32_t error_dialog,
                int32_t order, int32_t /*type*/, int32_t /*creator*/) {
  BaseFile* file = ToBaseFile(handle);
  if (file == nullptr) return 0;
  file->SetErrorDialog(error_dialog);
  std::string reason;
  if (file->Open(FromCText(path), mode, order, &reason)) return 1;
  ReportOpenFailure(error_dialog, FromCText(path), mode, reason);
  return 0;
}

c4d_bool BfClose(c4d_file* handle) {
  BaseFile* file = ToBaseFile(handle);
  if (file == nullptr) return 0;
  const int32_t before = file->Error();
  const bool closed = file->Close();
  ReportIfFailed(before, file->Error(), file->ErrorDialog(), "closing");
  return closed;
}

c4d_bool BfWriteBytes(c4d_file* handle, const void* data, int64_t length) {
  BaseFile* file = ToBaseFile(handle);
  if (file == nullptr) return 0;
  const int32_t before = file->Error();
  const bool written = file->WriteBytes(data, length);
  ReportIfFailed(before, file->Error(), file->ErrorDialog(), "writing");
  return written;
}

int64_t BfReadBytes(c4d_file* handle, void* data, int64_t length, c4d_bool just_try) {
  BaseFile* file = ToBaseFile(handle);
  if (file == nullptr) return 0;
  const int32_t before = file->Error();
  const int64_t got = file->ReadBytes(data, length, just_try != 0);
  ReportIfFailed(before, file->Error(), file->ErrorDialog(), "reading");
  return got;
}

c4d_bool BfWriteInt32(c4d_file* handle, int32_t value) {
  BaseFile* file = ToBaseFile(handle);
  if (file == nullptr) return 0;
  const int32_t before = file->Error();
  const bool written = file->WriteInt32(value);
  ReportIfFailed(before, file->Error(), file->ErrorDialog(), "writing");
  return written;
}

c4d_bool BfReadInt32(c4d_file* handle, int32_t* value) {
  BaseFile* file = ToBaseFile(handle);
  if (file == nullptr) return 0;
  const int32_t before = file->Error();
  const bool read = file->ReadInt32(value);
  ReportIfFailed(before, file->Error(), file->ErrorDialog(), "reading");
  return read;
}

c4d_bool BfSeek(c4d_file* handle, int64_t position, int32_t mode) {
  BaseFile* file = ToBaseFile(handle);
  return file != nullptr && file->Seek(position, mode);
}

int64_t BfGetPosition(c4d_file* handle) {
  BaseFile* file = ToBaseFile(handle);
  return file != nullptr ? file->Position() : 0;
}

int64_t BfGetLength(c4d_file* handle) {
  BaseFile* file = ToBaseFile(handle);
  return file != nullptr ? file->Length() : 0;
}

int32_t BfGetError(const c4d_file* handle) {
  const BaseFile* file = ToBaseFile(handle);
  return file != nullptr ? file->Error() : file_error::kInvalid;
}

void BfSetError(c4d_file* handle, int32_t error) {
  if (BaseFile* file = ToBaseFile(handle)) file->SetError(error);
}

void BfSetOrder(c4d_file* handle, int32_t order) {
  if (BaseFile* file = ToBaseFile(handle)) file->SetOrder(order);
}

}  // namespace

void FillFileApi(c4d_file_api* api) {
  api->exists = Exists;
  api->create_directory = CreateDirectory;
  api->kill = Kill;
  api->select = Select;
  api->dir_alloc = DirAlloc;
  api->dir_free = DirFree;
  api->dir_init = DirInit;
  api->dir_next = DirNext;
  api->dir_name = DirName;
  api->dir_is_dir = DirIsDir;
  api->dir_is_hidden = DirIsHidden;
  api->dir_is_read_only = DirIsReadOnly;
  api->dir_size = DirSize;
  api->hf_alloc = HfAlloc;
  api->hf_free = HfFree;
  api->hf_open = HfOpen;
  api->hf_close = HfClose;
  api->hf_write = HfWrite;
  api->hf_read = HfRead;
  api->hf_get_error = HfGetError;
  api->hf_set_error = HfSetError;
  api->hf_get_file_version = HfGetFileVersion;
  api->bf_alloc = BfAlloc;
  api->bf_free = BfFree;
  api->bf_open = BfOpen;
  api->bf_close = BfClose;
  api->bf_write_bytes = BfWriteBytes;
  api->bf_read_bytes = BfReadBytes;
  api->bf_write_int32 = BfWriteInt32;
  api->bf_read_int32 = BfReadInt32;
  api->bf_seek = BfSeek;
  api->bf_get_position = BfGetPosition;
  api->bf_get_length = BfGetLength;
  api->bf_get_error = BfGetError;
  api->bf_set_error = BfSetError;
  api->bf_set_order = BfSetOrder;
}

}  // namespace simhost

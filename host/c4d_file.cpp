// Filename, in the path style of the target system, and the host's file
// folders.
#include "c4d_file.h"

#include "c4d_file_path.h"
#include "c4d_host_private.h"

namespace {

using c4dhost::kNativePathStyle;

const maxon::Int32 kMaxClearableSuffix = 7;

// The suffix dot lies before any trailing separators, so positions in a
// path and in its trimmed form agree.
maxon::Int32 SuffixLength(const String& path, maxon::Int32 dot) {
  return c4dhost::TrimmedLength(path, kNativePathStyle) - dot - 1;
}

Filename PathFromSink(void (*request)(c4d_text_sink, void*)) {
  c4dhost::TextReceiver receiver;
  if (request != nullptr) request(&c4dhost::TextReceiver::Sink, receiver.Context());
  return receiver.GetFilename();
}

}  // namespace

const Filename& Filename::operator=(const Filename& fname) {
  path_ = fname.path_;
  return *this;
}

const Filename operator+(const Filename& fname1, const Filename& fname2) {
  return Filename(c4dhost::JoinPaths(fname1.path_, fname2.path_, kNativePathStyle));
}

const Filename& Filename::operator+=(const Filename& fname) {
  *this = *this + fname;
  return *this;
}

Bool Filename::operator==(const Filename& fname) const {
  return c4dhost::SamePath(path_, fname.path_, kNativePathStyle);
}

const Filename Filename::GetDirectory() const {
  return Filename(c4dhost::PathDirectory(path_, kNativePathStyle));
}

void Filename::SetDirectory(const Filename& str) { *this = str + GetFile(); }

const Filename Filename::GetFile() const {
  return Filename(c4dhost::PathFile(path_, kNativePathStyle));
}

void Filename::SetFile(const Filename& str) { *this = GetDirectory() + str; }

String Filename::GetSuffix() const {
  maxon::Int32 dot = c4dhost::PathSuffixDot(path_, kNativePathStyle);
  return dot < 0 ? String() : path_.SubStr(dot + 1, SuffixLength(path_, dot));
}

void Filename::SetSuffix(const String& str) {
  if (!GetFile().Content()) return;
  ClearSuffix();
  if (str.Content()) path_ = c4dhost::TrimmedPath(path_, kNativePathStyle) + "." + str;
}

void Filename::ClearSuffix() {
  maxon::Int32 dot = c4dhost::PathSuffixDot(path_, kNativePathStyle);
  if (dot >= 0 && SuffixLength(path_, dot) <= kMaxClearableSuffix) path_ = path_.Left(dot);
}

void Filename::ClearSuffixComplete() {
  maxon::Int32 dot = c4dhost::PathSuffixDot(path_, kNativePathStyle);
  if (dot >= 0) path_ = path_.Left(dot);
}

Bool Filename::CheckSuffix(const String& str) const { return GetSuffix().LexCompare(str) == 0; }

Bool Filename::FileSelect(FILESELECTTYPE type, FILESELECT flags, const String& title,
                          const String& force_suffix) {
  const c4d_function_table* table = c4dhost::Table();
  if (table == nullptr) return false;
  c4dhost::TextReceiver receiver;
  if (!table->file->select(type, flags, c4dhost::Utf8(title).c_str(),
                           c4dhost::Utf8(force_suffix).c_str(), &c4dhost::TextReceiver::Sink,
                           receiver.Context())) {
    return false;
  }
  *this = receiver.GetFilename();
  return true;
}

Bool Filename::IsBrowserUrl() const { return path_.FindFirst(String("://"), nullptr); }

Bool GeFExist(const Filename& name, Bool isdir) {
  const c4d_function_table* table = c4dhost::Table();
  if (table == nullptr || !name.Content() || c4dhost::HoldsNul(name)) return false;
  return table->file->exists(c4dhost::Utf8(name).c_str(), isdir ? 1 : 0) != 0;
}

Bool GeFCreateDir(const Filename& name) {
  const c4d_function_table* table = c4dhost::Table();
  if (table == nullptr || !name.Content() || c4dhost::HoldsNul(name)) return false;
  return table->file->create_directory(c4dhost::Utf8(name).c_str()) != 0;
}

Bool GeFKill(const Filename& name, maxon::Int32 flags) {
  const c4d_function_table* table = c4dhost::Table();
  if (table == nullptr || !name.Content() || c4dhost::HoldsNul(name)) return false;
  return table->file->kill(c4dhost::Utf8(name).c_str(), flags) != 0;
}

const Filename GeGetStartupPath() {
  const c4d_function_table* table = c4dhost::Table();
  return PathFromSink(table != nullptr ? table->general->get_startup_path : nullptr);
}

const Filename GeGetStartupWritePath() {
  const c4d_function_table* table = c4dhost::Table();
  return PathFromSink(table != nullptr ? table->general->get_startup_write_path : nullptr);
}

const Filename GeGetC4DPath(maxon::Int32 whichpath) {
  const c4d_function_table* table = c4dhost::Table();
  c4dhost::TextReceiver receiver;
  if (table != nullptr) {
    table->general->get_c4d_path(whichpath, &c4dhost::TextReceiver::Sink, receiver.Context());
  }
  return receiver.GetFilename();
}

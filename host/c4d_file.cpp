// Filename path arithmetic (POSIX paths) and the host's file folders.
#include "c4d_file.h"

#include "c4d_host_private.h"

namespace {

const maxon::Int32 kMaxClearableSuffix = 7;

// The path without trailing slashes; "/" (or only slashes) stays "/".
String Trimmed(const String& path) {
  maxon::Int32 length = path.GetLength();
  while (length > 1 && path[length - 1] == U'/') --length;
  return path.Left(length);
}

// Position of the last "/" in path, -1 when there is none.
maxon::Int32 LastSlash(const String& path) {
  maxon::Int32 position = -1;
  path.FindLast(String("/"), &position);
  return position;
}

String WithoutLeadingSlashes(const String& path) {
  maxon::Int32 start = 0;
  while (start < path.GetLength() && path[start] == U'/') ++start;
  return path.SubStr(start, path.GetLength() - start);
}

// Position of the suffix dot within the last part of a trimmed path, -1 when
// the last part has none.
maxon::Int32 SuffixDot(const String& trimmed) {
  maxon::Int32 slash = LastSlash(trimmed);
  maxon::Int32 dot = -1;
  if (!trimmed.FindLast(String("."), &dot) || dot < slash) return -1;
  return dot;
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
  if (!fname1.Content()) return fname2;
  if (!fname2.Content()) return fname1;
  const String& parent = fname1.path_;
  String child = WithoutLeadingSlashes(fname2.path_);
  if (parent[parent.GetLength() - 1] == U'/') return Filename(parent + child);
  return Filename(parent + "/" + child);
}

const Filename& Filename::operator+=(const Filename& fname) {
  *this = *this + fname;
  return *this;
}

Bool Filename::operator==(const Filename& fname) const {
  return Trimmed(path_) == Trimmed(fname.path_);
}

// The root and a single relative part have no directory: walking up from
// any path therefore ends with the empty Filename.
const Filename Filename::GetDirectory() const {
  String trimmed = Trimmed(path_);
  maxon::Int32 slash = LastSlash(trimmed);
  if (trimmed == "/" || slash < 0) return Filename();
  if (slash == 0) return Filename("/");
  return Filename(Trimmed(trimmed.Left(slash)));
}

void Filename::SetDirectory(const Filename& str) { *this = str + GetFile(); }

const Filename Filename::GetFile() const {
  String trimmed = Trimmed(path_);
  if (trimmed == "/") return Filename();
  maxon::Int32 slash = LastSlash(trimmed);
  return Filename(trimmed.SubStr(slash + 1, trimmed.GetLength() - slash - 1));
}

void Filename::SetFile(const Filename& str) { *this = GetDirectory() + str; }

String Filename::GetSuffix() const {
  String trimmed = Trimmed(path_);
  maxon::Int32 dot = SuffixDot(trimmed);
  return dot < 0 ? String() : trimmed.SubStr(dot + 1, trimmed.GetLength() - dot - 1);
}

void Filename::SetSuffix(const String& str) {
  if (!GetFile().Content()) return;
  ClearSuffix();
  if (str.Content()) path_ = Trimmed(path_) + "." + str;
}

void Filename::ClearSuffix() {
  if (GetSuffix().GetLength() <= kMaxClearableSuffix) ClearSuffixComplete();
}

void Filename::ClearSuffixComplete() {
  String trimmed = Trimmed(path_);
  maxon::Int32 dot = SuffixDot(trimmed);
  if (dot >= 0) path_ = trimmed.Left(dot);
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

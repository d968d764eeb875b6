// Path arithmetic behind Filename, for POSIX and Windows paths.
#include "c4d_file_path.h"

namespace c4dhost {

namespace {

using maxon::Int32;
// One character: UTF-32 in R17 builds, UTF-16 in R14 builds.
typedef maxon::UInt32 PathChar;

bool IsSeparator(PathChar c, PathStyle style) {
  return c == U'/' || (style == PathStyle::kWindows && c == U'\\');
}

bool IsAsciiLetter(PathChar c) { return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z'); }

PathChar AsciiLower(PathChar c) { return (c >= U'A' && c <= U'Z') ? c + (U'a' - U'A') : c; }

// Position of the first separator at or after start, or the length.
Int32 NextSeparator(const String& path, Int32 start, PathStyle style) {
  Int32 length = path.GetLength();
  while (start < length && !IsSeparator(path[start], style)) ++start;
  return start;
}

// Position of the last separator before end, -1 when there is none.
Int32 LastSeparator(const String& path, Int32 end, PathStyle style) {
  for (Int32 position = end - 1; position >= 0; --position) {
    if (IsSeparator(path[position], style)) return position;
  }
  return -1;
}

// "\\server\share": the root ends before the separator after the share.
Int32 NetworkRootLength(const String& path) {
  Int32 server = NextSeparator(path, 2, PathStyle::kWindows);
  if (server >= path.GetLength()) return path.GetLength();
  return NextSeparator(path, server + 1, PathStyle::kWindows);
}

Int32 WindowsRootLength(const String& path) {
  Int32 length = path.GetLength();
  if (length >= 2 && IsAsciiLetter(path[0]) && path[1] == U':') {
    return length >= 3 && IsSeparator(path[2], PathStyle::kWindows) ? 3 : 2;
  }
  if (length >= 2 && IsSeparator(path[0], PathStyle::kWindows) &&
      IsSeparator(path[1], PathStyle::kWindows)) {
    return NetworkRootLength(path);
  }
  return length >= 1 && IsSeparator(path[0], PathStyle::kWindows) ? 1 : 0;
}

String WithoutLeadingSeparators(const String& path, PathStyle style) {
  Int32 start = 0;
  while (start < path.GetLength() && IsSeparator(path[start], style)) ++start;
  return path.SubStr(start, path.GetLength() - start);
}

}  // namespace

Int32 PathRootLength(const String& path, PathStyle style) {
  if (style == PathStyle::kWindows) return WindowsRootLength(path);
  return path.GetLength() >= 1 && path[0] == U'/' ? 1 : 0;
}

Int32 TrimmedLength(const String& path, PathStyle style) {
  Int32 keep = PathRootLength(path, style);
  if (keep < 1) keep = 1;
  Int32 length = path.GetLength();
  while (length > keep && IsSeparator(path[length - 1], style)) --length;
  return length;
}

String TrimmedPath(const String& path, PathStyle style) {
  return path.Left(TrimmedLength(path, style));
}

String JoinPaths(const String& parent, const String& child, PathStyle style) {
  if (!parent.Content()) return child;
  if (!child.Content()) return parent;
  String tail = WithoutLeadingSeparators(child, style);
  if (IsSeparator(parent[parent.GetLength() - 1], style)) return parent + tail;
  return parent + (style == PathStyle::kWindows ? "\\" : "/") + tail;
}

String PathDirectory(const String& path, PathStyle style) {
  String trimmed = TrimmedPath(path, style);
  Int32 root = PathRootLength(trimmed, style);
  if (trimmed.GetLength() <= root) return String();
  Int32 separator = LastSeparator(trimmed, trimmed.GetLength(), style);
  if (separator < root) return trimmed.Left(root);
  return TrimmedPath(trimmed.Left(separator), style);
}

String PathFile(const String& path, PathStyle style) {
  Int32 length = TrimmedLength(path, style);
  Int32 root = PathRootLength(path, style);
  if (length <= root) return String();
  Int32 start = LastSeparator(path, length, style) + 1;
  if (start < root) start = root;
  return path.SubStr(start, length - start);
}

Int32 PathSuffixDot(const String& path, PathStyle style) {
  Int32 length = TrimmedLength(path, style);
  Int32 start = LastSeparator(path, length, style) + 1;
  Int32 root = PathRootLength(path, style);
  if (start < root) start = root;
  for (Int32 position = length - 1; position >= start; --position) {
    if (path[position] == U'.') return position;
  }
  return -1;
}

bool SamePath(const String& a, const String& b, PathStyle style) {
  String left = TrimmedPath(a, style);
  String right = TrimmedPath(b, style);
  if (style == PathStyle::kPosix) return left == right;
  if (left.GetLength() != right.GetLength()) return false;
  for (Int32 position = 0; position < left.GetLength(); ++position) {
    PathChar l = left[position];
    PathChar r = right[position];
    if (IsSeparator(l, style) && IsSeparator(r, style)) continue;
    if (AsciiLower(l) != AsciiLower(r)) return false;
  }
  return true;
}

}  // namespace c4dhost

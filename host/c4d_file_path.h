// Path arithmetic behind Filename, for POSIX and for Windows paths. Filename
// uses the style of the system the module is built for; both styles are
// available everywhere so that either can be tested on any machine.
//
// POSIX: "/" separates parts; "/" is the root.
// Windows: "\" and "/" both separate parts; roots are "C:\", "C:" (relative
// to that drive's folder), "\" (the current drive's root) and
// "\\server\share" (a network share; "\\?\C:" reads as one too). Joining
// uses "\". Comparisons ignore ASCII case and which separator is used.
#ifndef C4D_FILE_PATH_H__
#define C4D_FILE_PATH_H__

#include "c4d_string.h"

namespace c4dhost {

enum class PathStyle { kPosix, kWindows };

#if defined(_WIN32)
const PathStyle kNativePathStyle = PathStyle::kWindows;
#else
const PathStyle kNativePathStyle = PathStyle::kPosix;
#endif

// Length of the root at the start of path (0 for a relative path).
maxon::Int32 PathRootLength(const String& path, PathStyle style);

// The path without trailing separators, never cut into its root, and its
// length (paths are measured for every tile of a grid; this one copies
// nothing). The trimmed path has the same root as the path.
String TrimmedPath(const String& path, PathStyle style);
maxon::Int32 TrimmedLength(const String& path, PathStyle style);

// parent and child joined by one separator; an empty side yields the other.
String JoinPaths(const String& parent, const String& child, PathStyle style);

// The folder holding the last part; empty for a root or a single relative
// part, so that walking up from any path ends with an empty path.
String PathDirectory(const String& path, PathStyle style);

// The last part; empty for a root.
String PathFile(const String& path, PathStyle style);

// Position of the suffix dot in TrimmedPath(path), -1 when the last part
// has none.
maxon::Int32 PathSuffixDot(const String& path, PathStyle style);

// Whether both name the same path, trailing separators aside.
bool SamePath(const String& a, const String& b, PathStyle style);

}  // namespace c4dhost

#endif  // C4D_FILE_PATH_H__

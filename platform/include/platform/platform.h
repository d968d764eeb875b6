// What the stand-in host and the pack tools need of the operating system,
// behind one small interface: loading a module, listing folders, files by
// UTF-8 path, atomic replacement, temporary folders and the user's folders.
// One implementation per system (platform_posix.cpp, platform_windows.cpp),
// chosen by the build.
// Every path is UTF-8; on Windows it is converted to the wide-character APIs
// at this boundary, never handed to the narrow ones (which take the ANSI code
// page).
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

namespace lumidrome::platform {

#ifdef _WIN32
// UTF-8 text as the wide-character Windows APIs take it, and back.
std::wstring WideFromUtf8(const std::string& text);
std::string Utf8FromWide(const std::wstring& wide);
#endif

// A std::filesystem path from a UTF-8 path and back: the narrow constructor
// and string() use the ANSI code page on Windows.
inline std::filesystem::path PathFromUtf8(const std::string& path) {
  return std::filesystem::u8path(path);
}
inline std::string Utf8FromPath(const std::filesystem::path& path) { return path.u8string(); }

// The path made absolute against the current folder and normalized; the
// path itself when that fails.
inline std::string AbsolutePath(const std::string& path) {
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(PathFromUtf8(path), error);
  return error ? path : Utf8FromPath(absolute.lexically_normal());
}

// The characters that separate a path's parts, and the one this system
// writes.
#ifdef _WIN32
inline constexpr char kPathSeparators[] = "/\\";
inline constexpr char kPreferredSeparator = '\\';
#else
inline constexpr char kPathSeparators[] = "/";
inline constexpr char kPreferredSeparator = '/';
#endif

inline bool IsSeparator(char c) {
  for (const char* separator = kPathSeparators; *separator != '\0'; ++separator) {
    if (c == *separator) return true;
  }
  return false;
}

// folder and name with this system's separator between them, unless folder
// ends in one already.
inline std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  if (IsSeparator(folder.back())) return folder + name;
  return folder + kPreferredSeparator + name;
}

// ---------------------------------------------------------------- modules

// The file-name suffix of a plug-in module here: ".so", ".cdl64" (".cdl" for
// 32-bit Windows).
const char* ModuleSuffix();
// Loads a module and resolves its symbols at once; null, with error set, on
// failure.
void* LoadModule(const std::string& path, std::string* error);
void* FindSymbol(void* module, const char* name);
void UnloadModule(void* module);

// ---------------------------------------------------------------- files

struct FileInfo {
  bool exists = false;
  bool is_folder = false;
  bool is_regular = false;  // a plain file (after following links, for Stat)
  bool read_only = false;   // this process may not write it
  int64_t size = 0;
};

// Follows symbolic links.
FileInfo Stat(const std::string& path);
// Describes a symbolic link itself (is_regular false for it).
FileInfo LinkStat(const std::string& path);
// The names in a folder, without "." and "..", in the order the system
// lists them; empty when it cannot be read (then error is set when given).
std::vector<std::string> ListFolder(const std::string& folder, std::string* error = nullptr);
// fopen with a UTF-8 path; mode as for fopen ("rb", "wb", "r+b", ...). The
// file is not inherited by child processes.
std::FILE* OpenFile(const std::string& path, const char* mode);
// Closes the file when it goes.
struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;
// The length of an open file, what is written so far included; 0 when
// unknown.
int64_t OpenFileLength(std::FILE* file);
// Moves an open file's position to offset bytes from its start, files
// beyond 2 GB included; false when that fails.
bool SeekFile(std::FILE* file, int64_t offset);
// A stream reading size bytes of data (size > 0), which must outlive it;
// null on failure. On Windows, whose C library cannot read memory as a
// stream, a temporary file that goes away when closed.
std::FILE* OpenMemory(const uint8_t* data, size_t size);
// One folder; true when made.
bool MakeFolder(const std::string& path);
// A file or a symbolic link (never a folder's contents).
bool RemoveFile(const std::string& path);
// An empty folder.
bool RemoveFolder(const std::string& path);

// A regular file (is_directory false) or a folder (true) at path.
inline bool PathExists(const std::string& path, bool is_directory) {
  const FileInfo info = Stat(path);
  return is_directory ? info.is_folder : info.is_regular;
}
// The last error of this system as text, for messages.
std::string LastErrorText();

// ---------------------------------------------------------------- replacing

// A new, empty file beside path (same folder) for writing what will replace
// path, made with the permissions path has (a new file's defaults when it
// does not exist); its name goes to temp_path. Null, with reason set, on
// failure.
std::FILE* CreateFileBeside(const std::string& path, std::string* temp_path, std::string* reason);
// Flushes the stream and the system's buffers to the disk.
bool FlushToDisk(std::FILE* file);
// Puts from in the place of to in one step (to may exist): readers see the
// old or the new file, never a part.
bool MoveIntoPlace(const std::string& from, const std::string& to, std::string* reason);

// ---------------------------------------------------------------- folders

// The system's folder for temporary files.
std::string TempFolder();
// Makes a new, uniquely named folder below parent (TempFolder() when empty)
// whose name starts with prefix; empty, with reason set, on failure.
std::string MakeUniqueFolder(const std::string& parent, const std::string& prefix,
                             std::string* reason);
// The user's home folder (HOME; on Windows the profile folder), empty when
// unknown.
std::string HomeFolder();
// Where programs keep the user's settings (~/.config; on Windows the
// roaming application data folder), empty when unknown.
std::string AppDataFolder();

// The folder that holds this program's executable.
std::string ProgramFolder();

// ---------------------------------------------------------------- console

// Whether standard input is an interactive terminal.
bool StandardInputIsTerminal();
// The program's arguments as UTF-8. On Windows argv holds the ANSI code
// page's bytes, so they are read again from the wide command line.
std::vector<std::string> ProgramArguments(int argc, char** argv);
// Makes the standard streams pass bytes unchanged (on Windows: no carriage
// return added before each line feed; a console shows UTF-8).
void PrepareStandardStreams();

}  // namespace lumidrome::platform

// The stand-in host's code names the layer by the place it grew up in.
namespace simhost {
namespace platform = ::lumidrome::platform;
}  // namespace simhost

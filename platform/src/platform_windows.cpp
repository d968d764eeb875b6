#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// clang-format off: these need windows.h first
#include <io.h>
#include <shlobj.h>
// clang-format on

#include <fcntl.h>

#include <atomic>
#include <chrono>
#include <random>

#include "platform/platform.h"

namespace lumidrome::platform {

std::wstring WideFromUtf8(const std::string& text) {
  if (text.empty()) return std::wstring();
  const int length =
      ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                        length);
  return wide;
}

std::string Utf8FromWide(const std::wstring& wide) {
  if (wide.empty()) return std::string();
  const int length = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                           nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<size_t>(length), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), length,
                        nullptr, nullptr);
  return text;
}

namespace {

std::string ErrorText(DWORD code) {
  wchar_t* message = nullptr;
  const DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&message), 0, nullptr);
  std::string text = length > 0 ? Utf8FromWide(std::wstring(message, length)) : std::string();
  if (message != nullptr) ::LocalFree(message);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == '.')) {
    text.pop_back();
  }
  return text.empty() ? "error " + std::to_string(code) : text;
}

FileInfo InfoOf(const WIN32_FILE_ATTRIBUTE_DATA& data) {
  FileInfo info;
  info.exists = true;
  info.is_folder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  info.is_regular = !info.is_folder && (data.dwFileAttributes & FILE_ATTRIBUTE_DEVICE) == 0;
  info.read_only = (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
  if (info.is_regular) {
    info.size =
        static_cast<int64_t>((static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
  }
  return info;
}

// A name no other caller of this process or another is likely to pick.
std::wstring UniqueSuffix() {
  static std::atomic<unsigned> counter{0};
  static std::mt19937 random(static_cast<unsigned>(
      std::chrono::steady_clock::now().time_since_epoch().count() ^ ::GetCurrentProcessId()));
  const unsigned value = random() ^ (counter++ * 2654435761u);
  wchar_t text[16];
  for (int i = 0; i < 8; ++i)
    text[i] = L"abcdefghijklmnopqrstuvwxyz012345"[(value >> (4 * i)) & 31];
  text[8] = L'\0';
  return text;
}

std::string KnownFolder(REFKNOWNFOLDERID id) {
  wchar_t* path = nullptr;
  std::string folder;
  if (::SHGetKnownFolderPath(id, 0, nullptr, &path) == S_OK) folder = Utf8FromWide(path);
  ::CoTaskMemFree(path);
  return folder;
}

std::string Environment(const wchar_t* name) {
  const wchar_t* value = ::_wgetenv(name);
  return value != nullptr ? Utf8FromWide(value) : std::string();
}

}  // namespace

const char* ModuleSuffix() { return sizeof(void*) == 8 ? ".cdl64" : ".cdl"; }

void* LoadModule(const std::string& path, std::string* error) {
  // The module's own folder first for the libraries it brings along.
  HMODULE module =
      ::LoadLibraryExW(WideFromUtf8(path).c_str(), nullptr,
                       LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
  if (module == nullptr) *error = ErrorText(::GetLastError());
  return reinterpret_cast<void*>(module);
}

void* FindSymbol(void* module, const char* name) {
  return reinterpret_cast<void*>(::GetProcAddress(static_cast<HMODULE>(module), name));
}

void UnloadModule(void* module) { ::FreeLibrary(static_cast<HMODULE>(module)); }

FileInfo Stat(const std::string& path) {
  // Follows links: a reparse point is asked about through an opened handle.
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (path.empty() ||
      !::GetFileAttributesExW(WideFromUtf8(path).c_str(), GetFileExInfoStandard, &data)) {
    return FileInfo();
  }
  if ((data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) return InfoOf(data);
  HANDLE handle = ::CreateFileW(WideFromUtf8(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return FileInfo();
  BY_HANDLE_FILE_INFORMATION target;
  const bool known = ::GetFileInformationByHandle(handle, &target) != 0;
  ::CloseHandle(handle);
  if (!known) return FileInfo();
  data.dwFileAttributes = target.dwFileAttributes;
  data.nFileSizeHigh = target.nFileSizeHigh;
  data.nFileSizeLow = target.nFileSizeLow;
  return InfoOf(data);
}

FileInfo LinkStat(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (path.empty() ||
      !::GetFileAttributesExW(WideFromUtf8(path).c_str(), GetFileExInfoStandard, &data)) {
    return FileInfo();
  }
  FileInfo info = InfoOf(data);
  if ((data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) info.is_regular = false;
  return info;
}

std::vector<std::string> ListFolder(const std::string& folder, std::string* error) {
  std::vector<std::string> names;
  if (folder.empty()) {
    if (error != nullptr) *error = "empty folder name";
    return names;
  }
  std::wstring pattern = WideFromUtf8(folder);
  if (pattern.back() != L'\\' && pattern.back() != L'/') pattern += L'\\';
  pattern += L'*';
  WIN32_FIND_DATAW entry;
  HANDLE find = ::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch,
                                   nullptr, 0);
  if (find == INVALID_HANDLE_VALUE) {
    if (error != nullptr) *error = ErrorText(::GetLastError());
    return names;
  }
  do {
    const std::wstring name = entry.cFileName;
    if (name != L"." && name != L"..") names.push_back(Utf8FromWide(name));
  } while (::FindNextFileW(find, &entry));
  ::FindClose(find);
  return names;
}

std::FILE* OpenFile(const std::string& path, const char* mode) {
  const std::wstring wide_mode = WideFromUtf8(std::string(mode) + "N");  // not inherited
  return ::_wfopen(WideFromUtf8(path).c_str(), wide_mode.c_str());
}

int64_t OpenFileLength(std::FILE* file) {
  std::fflush(file);
  const int64_t length = ::_filelengthi64(::_fileno(file));
  return length < 0 ? 0 : length;
}

bool SeekFile(std::FILE* file, int64_t offset) { return ::_fseeki64(file, offset, SEEK_SET) == 0; }

std::FILE* OpenMemory(const uint8_t* data, size_t size) {
  const std::wstring base = WideFromUtf8(TempFolder()) + L"\\simhost-memory-";
  for (int attempt = 0; attempt < 100; ++attempt) {
    HANDLE handle =
        ::CreateFileW((base + UniqueSuffix()).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                      CREATE_NEW, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
      if (::GetLastError() == ERROR_FILE_EXISTS) continue;
      return nullptr;
    }
    const int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDWR | _O_BINARY);
    std::FILE* file = fd >= 0 ? ::_fdopen(fd, "w+b") : nullptr;
    if (file == nullptr) {
      fd >= 0 ? ::_close(fd) : ::CloseHandle(handle);
      return nullptr;
    }
    if (std::fwrite(data, 1, size, file) != size || std::fseek(file, 0, SEEK_SET) != 0) {
      std::fclose(file);
      return nullptr;
    }
    return file;
  }
  return nullptr;
}

bool MakeFolder(const std::string& path) {
  return !path.empty() && ::CreateDirectoryW(WideFromUtf8(path).c_str(), nullptr) != 0;
}

bool RemoveFile(const std::string& path) { return ::DeleteFileW(WideFromUtf8(path).c_str()) != 0; }

bool RemoveFolder(const std::string& path) {
  return ::RemoveDirectoryW(WideFromUtf8(path).c_str()) != 0;
}

std::string LastErrorText() { return ErrorText(::GetLastError()); }

std::FILE* CreateFileBeside(const std::string& path, std::string* temp_path, std::string* reason) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::wstring name = WideFromUtf8(path) + L"." + UniqueSuffix();
    HANDLE handle = ::CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
      if (::GetLastError() == ERROR_FILE_EXISTS) continue;
      *reason = ErrorText(::GetLastError());
      return nullptr;
    }
    const int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_WRONLY | _O_BINARY);
    std::FILE* file = fd >= 0 ? ::_fdopen(fd, "wb") : nullptr;
    if (file == nullptr) {
      fd >= 0 ? ::_close(fd) : ::CloseHandle(handle);
      ::DeleteFileW(name.c_str());
      *reason = "cannot open the new file " + Utf8FromWide(name);
      return nullptr;
    }
    *temp_path = Utf8FromWide(name);
    return file;
  }
  *reason = "no free name for a new file beside it";
  return nullptr;
}

bool FlushToDisk(std::FILE* file) {
  return std::fflush(file) == 0 && ::_commit(::_fileno(file)) == 0;
}

bool MoveIntoPlace(const std::string& from, const std::string& to, std::string* reason) {
  const std::wstring source = WideFromUtf8(from);
  const std::wstring target = WideFromUtf8(to);
  // ReplaceFileW keeps the old file's attributes and security; it needs one.
  if (::GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES &&
      ::ReplaceFileW(target.c_str(), source.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                     nullptr, nullptr)) {
    return true;
  }
  if (::MoveFileExW(source.c_str(), target.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  *reason = ErrorText(::GetLastError());
  return false;
}

std::string TempFolder() {
  wchar_t path[MAX_PATH + 2];
  const DWORD length = ::GetTempPathW(MAX_PATH + 2, path);
  std::string folder = length > 0 ? Utf8FromWide(std::wstring(path, length)) : std::string("C:\\");
  if (folder.size() > 3 && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
  return folder;
}

std::string MakeUniqueFolder(const std::string& parent, const std::string& prefix,
                             std::string* reason) {
  std::string below = parent.empty() ? TempFolder() : parent;
  if (below.back() != '\\' && below.back() != '/') below += '\\';
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string folder = below + prefix + Utf8FromWide(UniqueSuffix());
    if (::CreateDirectoryW(WideFromUtf8(folder).c_str(), nullptr)) return folder;
    if (::GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
  *reason = ErrorText(::GetLastError());
  return "";
}

std::string HomeFolder() {
  const std::string profile = KnownFolder(FOLDERID_Profile);
  return !profile.empty() ? profile : Environment(L"USERPROFILE");
}

std::string AppDataFolder() {
  const std::string roaming = KnownFolder(FOLDERID_RoamingAppData);
  return !roaming.empty() ? roaming : Environment(L"APPDATA");
}

std::string ProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return "";
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  return Utf8FromPath(std::filesystem::path(path).parent_path());
}

bool StandardInputIsTerminal() {
  DWORD mode;
  return ::GetConsoleMode(::GetStdHandle(STD_INPUT_HANDLE), &mode) != 0;
}

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  int count = 0;
  wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (wide == nullptr) return std::vector<std::string>(argv, argv + argc);
  std::vector<std::string> arguments;
  for (int i = 0; i < count; ++i) arguments.push_back(Utf8FromWide(wide[i]));
  ::LocalFree(wide);
  return arguments;
}

void PrepareStandardStreams() {
  ::_setmode(::_fileno(stdin), _O_BINARY);
  ::_setmode(::_fileno(stdout), _O_BINARY);
  ::_setmode(::_fileno(stderr), _O_BINARY);
  ::SetConsoleOutputCP(CP_UTF8);
}

}  // namespace lumidrome::platform

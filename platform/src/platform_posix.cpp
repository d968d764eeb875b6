#include <dirent.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/platform.h"

namespace lumidrome::platform {

namespace {

FileInfo InfoOf(const struct stat& info, const std::string& path) {
  FileInfo result;
  result.exists = true;
  result.is_folder = S_ISDIR(info.st_mode);
  result.is_regular = S_ISREG(info.st_mode);
  result.read_only = ::access(path.c_str(), W_OK) != 0;
  result.size = result.is_regular ? static_cast<int64_t>(info.st_size) : 0;
  return result;
}

mode_t NewFileMode(const std::string& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) == 0) return info.st_mode & 07777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

const char* ModuleSuffix() { return ".so"; }

void* LoadModule(const std::string& path, std::string* error) {
  void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (module == nullptr) {
    const char* reason = ::dlerror();
    *error = reason != nullptr ? reason : "unknown";
  }
  return module;
}

void* FindSymbol(void* module, const char* name) { return ::dlsym(module, name); }

void UnloadModule(void* module) { ::dlclose(module); }

FileInfo Stat(const std::string& path) {
  struct stat info;
  if (path.empty() || ::stat(path.c_str(), &info) != 0) return FileInfo();
  return InfoOf(info, path);
}

FileInfo LinkStat(const std::string& path) {
  struct stat info;
  if (path.empty() || ::lstat(path.c_str(), &info) != 0) return FileInfo();
  return InfoOf(info, path);
}

std::vector<std::string> ListFolder(const std::string& folder, std::string* error) {
  std::vector<std::string> names;
  DIR* dir = folder.empty() ? nullptr : ::opendir(folder.c_str());
  if (dir == nullptr) {
    if (error != nullptr) *error = folder.empty() ? "empty folder name" : std::strerror(errno);
    return names;
  }
  while (const dirent* entry = ::readdir(dir)) {
    if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
    names.emplace_back(entry->d_name);
  }
  ::closedir(dir);
  return names;
}

std::FILE* OpenFile(const std::string& path, const char* mode) {
  const std::string closing = std::string(mode) + "e";  // O_CLOEXEC
  return std::fopen(path.c_str(), closing.c_str());
}

int64_t OpenFileLength(std::FILE* file) {
  std::fflush(file);
  struct stat info;
  return ::fstat(::fileno(file), &info) == 0 ? static_cast<int64_t>(info.st_size) : 0;
}

bool SeekFile(std::FILE* file, int64_t offset) {
  return ::fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0;
}

std::FILE* OpenMemory(const uint8_t* data, size_t size) {
  return ::fmemopen(const_cast<uint8_t*>(data), size, "rb");
}

bool MakeFolder(const std::string& path) { return ::mkdir(path.c_str(), 0777) == 0; }

bool RemoveFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

bool RemoveFolder(const std::string& path) { return ::rmdir(path.c_str()) == 0; }

std::string LastErrorText() { return std::strerror(errno); }

std::FILE* CreateFileBeside(const std::string& path, std::string* temp_path, std::string* reason) {
  std::string pattern = path + ".XXXXXX";
  const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
  std::FILE* file = nullptr;
  if (fd >= 0 && ::fchmod(fd, NewFileMode(path)) == 0) file = ::fdopen(fd, "wb");
  if (file == nullptr) {
    *reason = std::strerror(errno);
    if (fd >= 0) {
      ::close(fd);
      ::unlink(pattern.c_str());
    }
    return nullptr;
  }
  *temp_path = pattern;
  return file;
}

bool FlushToDisk(std::FILE* file) { return std::fflush(file) == 0 && ::fsync(::fileno(file)) == 0; }

bool MoveIntoPlace(const std::string& from, const std::string& to, std::string* reason) {
  if (::rename(from.c_str(), to.c_str()) == 0) return true;
  *reason = std::strerror(errno);
  return false;
}

std::string TempFolder() {
  const char* folder = std::getenv("TMPDIR");
  return folder != nullptr && folder[0] != '\0' ? folder : "/tmp";
}

std::string MakeUniqueFolder(const std::string& parent, const std::string& prefix,
                             std::string* reason) {
  const std::string below = parent.empty() ? TempFolder() : parent;
  std::string pattern = below + (below.back() == '/' ? "" : "/") + prefix + "XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) {
    *reason = std::strerror(errno);
    return "";
  }
  return pattern;
}

std::string HomeFolder() {
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] != '\0') return home;
  const passwd* user = ::getpwuid(::getuid());
  return user != nullptr && user->pw_dir != nullptr ? user->pw_dir : "";
}

std::string AppDataFolder() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config != nullptr && config[0] != '\0') return config;
  const std::string home = HomeFolder();
  return home.empty() ? "" : home + "/.config";
}

std::string ProgramFolder() {
  std::error_code ignored;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ignored);
  return program.parent_path().string();
}

bool StandardInputIsTerminal() { return ::isatty(STDIN_FILENO) == 1; }

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  return std::vector<std::string>(argv, argv + argc);
}

void PrepareStandardStreams() {}

}  // namespace lumidrome::platform

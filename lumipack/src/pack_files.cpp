#include "pack_files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <vector>

namespace lumipack {

namespace fs = std::filesystem;

namespace {

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::string Join(const std::string& folder, const std::string& name) {
  return (fs::path(folder) / name).string();
}

std::runtime_error FileError(const std::string& what, const std::string& path) {
  return std::runtime_error("cannot " + what + " " + path + ": " + std::strerror(errno));
}

}  // namespace

std::string SafeBaseName(const std::string& file_name, std::string* problem) {
  std::string name = file_name.substr(0, file_name.rfind('.'));
  for (char& c : name) {
    unsigned char byte = static_cast<unsigned char>(c);
    if (c == ' ' || c == '.' || byte < 0x20 || c == '\\' || c == '/' || c == ':') c = '_';
  }
  if (name.empty()) {
    *problem = "the name gives an empty base name; rename the file";
    return "";
  }
  // The browser takes such thumbnails for the _md/_sm previews, never tiles,
  // and "_SM" names meet the small variants of other images.
  for (const char* suffix : {"_md", "_sm", "_SM"}) {
    if (EndsWith(name, suffix)) {
      *problem = std::string("a base name ending in \"") + suffix +
                 "\" is reserved for the pack's smaller variants; rename the file";
      return "";
    }
  }
  return name;
}

std::string CollisionKey(const std::string& base_name) {
  std::string key = base_name;
  for (char& c : key) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return key;
}

PackOutputs OutputsFor(const std::string& pack, const std::string& base_name,
                       const std::string& extension) {
  PackOutputs outputs;
  std::string thumbnails = Join(pack, "Thumbnails"), hdris = Join(pack, "HDRIs");
  outputs.thumbnail = Join(thumbnails, base_name + ".jpg");
  outputs.medium = Join(thumbnails, base_name + "_md.jpg");
  outputs.small = Join(thumbnails, base_name + "_sm.jpg");
  outputs.hdri = Join(hdris, base_name + extension);
  outputs.small_hdri = Join(hdris, base_name + "_SM" + extension);
  outputs.background = Join(Join(pack, "Background"), base_name + ".jpg");
  return outputs;
}

void MakePackFolders(const std::string& pack) {
  for (const char* sub : {"Thumbnails", "HDRIs", "Background"}) {
    std::error_code error;
    fs::create_directories(Join(pack, sub), error);
    if (error)
      throw std::runtime_error("cannot create " + Join(pack, sub) + ": " + error.message());
  }
}

std::string TemporaryNameFor(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  fs::path target(path);
  // A leading dot and no ".jpg" end: the browser never makes a tile of it.
  std::string name = "." + target.filename().string() + ".lumipack-" + std::to_string(getpid()) +
                     "-" + std::to_string(counter++) + ".tmp";
  return (target.parent_path() / name).string();
}

void Commit(const std::string& temporary, const std::string& path) {
  if (std::rename(temporary.c_str(), path.c_str()) != 0) {
    std::runtime_error error = FileError("write", path);
    std::remove(temporary.c_str());
    throw error;
  }
}

void WriteFileAtomically(const std::string& path, const std::string& bytes) {
  std::string temporary = TemporaryNameFor(path);
  std::FILE* file = std::fopen(temporary.c_str(), "wb");
  if (file == nullptr) throw FileError("write", path);
  bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  written = std::fflush(file) == 0 && written;
  if (std::fclose(file) != 0 || !written) {
    std::runtime_error error = FileError("write", path);
    std::remove(temporary.c_str());
    throw error;
  }
  Commit(temporary, path);
}

void PlaceOriginal(const std::string& source, const std::string& path) {
  struct stat from {
  }, to{};
  if (::stat(source.c_str(), &from) == 0 && ::stat(path.c_str(), &to) == 0 &&
      from.st_dev == to.st_dev && from.st_ino == to.st_ino) {
    return;  // already this very file
  }
  std::string temporary = TemporaryNameFor(path);
  if (::link(source.c_str(), temporary.c_str()) != 0) {
    std::error_code error;
    fs::copy_file(source, temporary, fs::copy_options::overwrite_existing, error);
    if (error) {
      std::remove(temporary.c_str());
      throw std::runtime_error("cannot copy to " + path + ": " + error.message());
    }
  }
  Commit(temporary, path);
}

namespace {

std::string WithoutEnd(const std::string& name, const std::string& end) {
  return EndsWith(name, end) ? name.substr(0, name.size() - end.size()) : "";
}

// The base name a file of the pack's folder belongs to; empty for none.
std::string BaseNameOfPackFile(const std::string& folder, const std::string& name) {
  if (name.empty() || name[0] == '.') return "";
  if (folder == "HDRIs") {
    std::string stem = fs::path(name).stem().string();
    std::string small = WithoutEnd(stem, "_SM");
    return small.empty() ? stem : small;
  }
  if (folder == ".lumipack") return WithoutEnd(name, ".record");
  std::string stem = WithoutEnd(name, ".jpg");
  for (const char* suffix : {"_md", "_sm"}) {
    if (!WithoutEnd(stem, suffix).empty()) return WithoutEnd(stem, suffix);
  }
  return stem;
}

}  // namespace

std::map<std::string, HeldName> ExistingPackNames(const std::string& pack) {
  std::map<std::string, HeldName> names;
  for (const char* folder : {"Thumbnails", "HDRIs", "Background", ".lumipack"}) {
    std::error_code error;
    for (fs::directory_iterator it(fs::path(pack) / folder, error), end; !error && it != end;
         it.increment(error)) {
      std::string name = it->path().filename().string();
      std::string base = BaseNameOfPackFile(folder, name);
      if (!base.empty()) {
        names.emplace(CollisionKey(base), HeldName{base, (fs::path(folder) / name).string()});
      }
    }
  }
  return names;
}

void RemoveTemporaries(const std::string& pack) {
  std::string mine = ".lumipack-" + std::to_string(getpid()) + "-";
  for (const char* folder : {"Thumbnails", "HDRIs", "Background", ".lumipack"}) {
    std::error_code error;
    std::vector<fs::path> found;
    for (fs::directory_iterator it(fs::path(pack) / folder, error), end; !error && it != end;
         it.increment(error)) {
      std::string name = it->path().filename().string();
      if (name.find(mine) != std::string::npos && EndsWith(name, ".tmp")) found.push_back(*it);
    }
    for (const fs::path& path : found) fs::remove(path, error);
  }
}

bool UpToDate(const std::string& source, const PackOutputs& outputs) {
  std::error_code error;
  fs::file_time_type source_time = fs::last_write_time(source, error);
  if (error) return false;
  for (const std::string* output : {&outputs.thumbnail, &outputs.medium, &outputs.small,
                                    &outputs.hdri, &outputs.small_hdri, &outputs.background}) {
    fs::file_time_type time = fs::last_write_time(*output, error);
    if (error || time < source_time) return false;
  }
  return true;
}

}  // namespace lumipack

#include "source_list.h"

#include <algorithm>
#include <filesystem>
#include <map>

#include "pack_files.h"

namespace lumipack {

namespace fs = std::filesystem;

namespace {

bool IsHdriName(const fs::path& path) {
  std::string extension = path.extension().string();
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension == ".hdr" || extension == ".exr";
}

SourceFile Named(const fs::path& path) {
  SourceFile file;
  file.path = path.string();
  file.base_name = SafeBaseName(path.filename().string(), &file.problem);
  return file;
}

void AddFolder(const fs::path& folder, std::vector<SourceFile>* files) {
  std::error_code error;
  fs::directory_iterator entries(folder, error);
  if (error) {
    files->push_back(SourceFile{folder.string(), "", "cannot list the folder: " + error.message()});
    return;
  }
  for (const fs::directory_entry& entry : entries) {
    if (!entry.is_directory(error) && IsHdriName(entry.path()))
      files->push_back(Named(entry.path()));
  }
}

}  // namespace

std::vector<SourceFile> GatherSources(const std::vector<std::string>& arguments) {
  std::vector<SourceFile> files;
  for (const std::string& argument : arguments) {
    std::error_code error;
    fs::file_status status = fs::status(argument, error);
    if (fs::is_directory(status)) {
      AddFolder(argument, &files);
    } else if (fs::exists(status)) {
      files.push_back(Named(argument));
    } else {
      files.push_back(SourceFile{argument, "", "no such file or folder"});
    }
  }
  std::sort(files.begin(), files.end(),
            [](const SourceFile& a, const SourceFile& b) { return a.path < b.path; });
  files.erase(
      std::unique(files.begin(), files.end(),
                  [](const SourceFile& a, const SourceFile& b) { return a.path == b.path; }),
      files.end());
  return files;
}

void MarkCollisions(std::vector<SourceFile>* sources) {
  std::map<std::string, std::string> first;
  for (SourceFile& source : *sources) {
    if (!source.problem.empty()) continue;
    auto inserted = first.emplace(CollisionKey(source.base_name), source.path);
    if (inserted.second) continue;
    source.problem = "its pack name \"" + source.base_name + "\" is taken by " +
                     inserted.first->second + "; rename one of them";
  }
}

void MarkCaseClashes(const std::map<std::string, HeldName>& held,
                     std::vector<SourceFile>* sources) {
  for (SourceFile& source : *sources) {
    if (!source.problem.empty()) continue;
    auto found = held.find(CollisionKey(source.base_name));
    if (found == held.end() || found->second.base_name == source.base_name) continue;
    source.problem = "its pack name \"" + source.base_name + "\" differs only in case from \"" +
                     found->second.base_name + "\", which the pack holds (" + found->second.file +
                     "), and some file systems take them for one; rename the file or remove \"" +
                     found->second.base_name + "\" from the pack";
  }
}

}  // namespace lumipack

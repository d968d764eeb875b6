// Names and files of a pack: safe base names, the pack's folders, and
// writes that never leave a half-written file behind.
#pragma once

#include <map>
#include <string>

namespace lumipack {

// The base name the browser will use for a source file: its name without
// the extension, blanks and dots as "_" (the browser cuts names at the
// first dot and shows "_" as blanks, so the tile reads as the file's name).
// Empty with *problem set when no usable name can be made.
std::string SafeBaseName(const std::string& file_name, std::string* problem);

// The key two names collide under on a file system that ignores case.
std::string CollisionKey(const std::string& base_name);

// Where one image's outputs go in the pack folder.
struct PackOutputs {
  std::string thumbnail, medium, small;  // Thumbnails/<name>.jpg, _md, _sm
  std::string hdri, small_hdri;          // HDRIs/<name><ext>, <name>_SM<ext>
  std::string background;                // Background/<name>.jpg
};
PackOutputs OutputsFor(const std::string& pack, const std::string& base_name,
                       const std::string& extension);

// Creates the pack folder and its three sub-folders; throws naming the folder.
void MakePackFolders(const std::string& pack);

// Writes bytes to path through a temporary file in the same folder and a
// rename; throws naming the file.
void WriteFileAtomically(const std::string& path, const std::string& bytes);
// A temporary name beside path for writers that take a file name.
std::string TemporaryNameFor(const std::string& path);
// Renames a finished temporary file over path; throws naming the file.
void Commit(const std::string& temporary, const std::string& path);

// Puts the original at path: a hard link when the file system allows it,
// else a copy; the source is never changed. Throws naming the file.
void PlaceOriginal(const std::string& source, const std::string& path);

// The base names the pack already holds, by their collision key, each with
// the file it was seen in (relative to the pack).
struct HeldName {
  std::string base_name;
  std::string file;
};
std::map<std::string, HeldName> ExistingPackNames(const std::string& pack);

// Removes this process's temporary files left in the pack's folders.
void RemoveTemporaries(const std::string& pack);

// True when every output exists and none is older than the source.
bool UpToDate(const std::string& source, const PackOutputs& outputs);

}  // namespace lumipack

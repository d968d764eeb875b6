// The source files of one build: gathered from the command line's files and
// folders, named safely, and their name collisions found.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace lumipack {

struct SourceFile {
  std::string path;
  std::string base_name;  // safe; empty when problem says why not
  std::string problem;
};

// Folders give their ".hdr" and ".exr" files (any case), not their
// sub-folders; named files are taken whatever their extension. Sorted by
// path; a source that does not exist gets a problem.
std::vector<SourceFile> GatherSources(const std::vector<std::string>& arguments);

// Gives every source whose base name meets an earlier one's (ignoring case)
// a problem naming the other.
void MarkCollisions(std::vector<SourceFile>* sources);

// Gives every source whose base name differs only in case from one the pack
// already holds (held: by collision key) a problem naming both.
struct HeldName;
void MarkCaseClashes(const std::map<std::string, HeldName>& held, std::vector<SourceFile>* sources);

}  // namespace lumipack

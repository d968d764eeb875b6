// What a pack's outputs of one source were built from: kept in the pack's
// hidden ".lumipack" folder, which neither the browser nor the library check
// looks into, so that a source is rebuilt whenever its content, the options
// that shape its outputs or lumipack itself changed, whatever its file time.
#pragma once

#include <string>

namespace lumipack {

struct BuildRecord {
  std::string version;  // lumipack's
  unsigned long long size = 0;
  long long time = 0;   // the source's modification time, in the file clock's ticks
  std::string hash;     // of the source's bytes
  std::string options;  // those that shape the outputs, as text
  bool operator==(const BuildRecord& other) const;
};

// lumipack's version, from the build.
std::string LumipackVersion();

// The record of the source as it is now, its hash left empty; throws
// naming what failed when the file cannot be read.
BuildRecord RecordOfSource(const std::string& source, const std::string& options);
// The hash of a file's bytes, for BuildRecord::hash; throws when unreadable.
std::string ContentHashOf(const std::string& path);
// All but the hash agree: only then can the content be the one built.
bool SameButHash(const BuildRecord& a, const BuildRecord& b);

std::string RecordPathFor(const std::string& pack, const std::string& base_name);
// False when there is no readable record.
bool ReadRecord(const std::string& path, BuildRecord* record);
// Creates the record's folder as needed; throws naming the file.
void WriteRecord(const std::string& path, const BuildRecord& record);

}  // namespace lumipack

#include "validate/checks/module_exports.h"

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace simhost_app {

namespace {

constexpr std::streamoff kLargestModule = std::streamoff{1} << 30;

// The module's bytes. Every read is checked against the file's size and
// decoded as little-endian, whatever the machine reading it: the file may be
// anything, and a Linux host reads Windows modules too.
class FileBytes {
 public:
  explicit FileBytes(std::string bytes) : bytes_(std::move(bytes)) {}
  uint64_t size() const { return bytes_.size(); }
  bool Has(uint64_t offset, uint64_t count) const {
    return offset <= bytes_.size() && bytes_.size() - offset >= count;
  }
  bool Read(uint64_t offset, int width, uint64_t* value) const {
    if (!Has(offset, static_cast<uint64_t>(width))) return false;
    *value = 0;
    for (int i = width - 1; i >= 0; --i) {
      *value = (*value << 8) | static_cast<unsigned char>(bytes_[offset + static_cast<size_t>(i)]);
    }
    return true;
  }
  // A zero-terminated name starting at `offset` and ending before `limit`.
  bool Name(uint64_t offset, uint64_t limit, std::string* name) const {
    limit = std::min<uint64_t>(limit, bytes_.size());
    if (offset >= limit) return false;
    const char* first = bytes_.data() + offset;
    const void* end = std::memchr(first, '\0', limit - offset);
    if (end == nullptr) return false;
    name->assign(first, static_cast<const char*>(end));
    return true;
  }
  char At(size_t offset) const { return offset < bytes_.size() ? bytes_[offset] : '\0'; }

 private:
  std::string bytes_;
};

bool Fail(std::string* error, const char* why) {
  *error = why;
  return false;
}

// ELF: the defined global and weak entries of the dynamic symbol table.
namespace elf {

constexpr uint64_t kSharedObject = 3;
constexpr uint64_t kDynamicSymbols = 11;
enum Binding : unsigned { kGlobal = 1, kWeak = 2, kUnique = 10 };
enum Visibility : unsigned { kDefault = 0, kProtected = 3 };

// Where the fields lie in the 32-bit and 64-bit layouts.
struct Layout {
  int address;  // width of addresses and sizes
  uint64_t type, section_table, section_entry_size, section_count;
  uint64_t section_size, section_type, section_offset, section_bytes, section_link, section_entry;
  uint64_t symbol_name, symbol_info, symbol_other, symbol_section;
};

constexpr Layout kElf32{4, 16, 0x20, 0x2E, 0x30, 40, 4, 16, 20, 24, 36, 0, 12, 13, 14};
constexpr Layout kElf64{8, 16, 0x28, 0x3A, 0x3C, 64, 4, 24, 32, 40, 56, 0, 4, 5, 6};

struct Section {
  uint64_t type = 0, offset = 0, size = 0, link = 0, entry_size = 0;
};

bool ReadSection(const FileBytes& file, const Layout& layout, uint64_t at, Section* section) {
  const int width = layout.address;
  return file.Read(at + layout.section_type, 4, &section->type) &&
         file.Read(at + layout.section_offset, width, &section->offset) &&
         file.Read(at + layout.section_bytes, width, &section->size) &&
         file.Read(at + layout.section_link, 4, &section->link) &&
         file.Read(at + layout.section_entry, width, &section->entry_size);
}

bool FindDynamicSymbols(const FileBytes& file, const Layout& layout, Section* symbols,
                        Section* strings, std::string* error) {
  uint64_t type = 0, table = 0, entry_size = 0, count = 0;
  if (!file.Read(layout.type, 2, &type) ||
      !file.Read(layout.section_table, layout.address, &table) ||
      !file.Read(layout.section_entry_size, 2, &entry_size) ||
      !file.Read(layout.section_count, 2, &count)) {
    return Fail(error, "file too short for an ELF header");
  }
  if (type != kSharedObject) return Fail(error, "not an ELF shared object");
  if (entry_size != layout.section_size) return Fail(error, "unexpected ELF section header size");
  for (uint64_t i = 0; i < count; ++i) {
    if (!ReadSection(file, layout, table + i * entry_size, symbols)) {
      return Fail(error, "ELF section headers run past the end of the file");
    }
    if (symbols->type != kDynamicSymbols) continue;
    if (symbols->link >= count ||
        !ReadSection(file, layout, table + symbols->link * entry_size, strings)) {
      return Fail(error, "the dynamic symbol table names no string table");
    }
    return true;
  }
  return Fail(error, "no dynamic symbol table");
}

bool IsExport(uint64_t info, uint64_t other, uint64_t section) {
  const uint64_t binding = info >> 4;
  const uint64_t visibility = other & 3;
  const bool global = binding == kGlobal || binding == kWeak || binding == kUnique;
  const bool seen = visibility == kDefault || visibility == kProtected;
  return global && seen && section != 0;
}

bool ReadExports(const FileBytes& file, const Layout& layout, std::vector<std::string>* names,
                 std::string* error) {
  Section symbols, strings;
  if (!FindDynamicSymbols(file, layout, &symbols, &strings, error)) return false;
  const uint64_t count = symbols.entry_size == 0 ? 0 : symbols.size / symbols.entry_size;
  for (uint64_t i = 1; i < count; ++i) {
    const uint64_t at = symbols.offset + i * symbols.entry_size;
    uint64_t name = 0, info = 0, other = 0, section = 0;
    if (!file.Read(at + layout.symbol_name, 4, &name) ||
        !file.Read(at + layout.symbol_info, 1, &info) ||
        !file.Read(at + layout.symbol_other, 1, &other) ||
        !file.Read(at + layout.symbol_section, 2, &section)) {
      return Fail(error, "the dynamic symbol table runs past the end of the file");
    }
    if (!IsExport(info, other, section)) continue;
    std::string text;
    if (strings.offset > file.size() || name >= strings.size ||
        !file.Name(strings.offset + name, strings.offset + strings.size, &text)) {
      return Fail(error, "a dynamic symbol's name lies outside its string table");
    }
    names->push_back(text);
  }
  return true;
}

bool Read(const FileBytes& file, std::vector<std::string>* names, std::string* error) {
  if (file.At(5) != 1) return Fail(error, "not a little-endian ELF file");
  if (file.At(4) == 2) return ReadExports(file, kElf64, names, error);
  if (file.At(4) == 1) return ReadExports(file, kElf32, names, error);
  return Fail(error, "unknown ELF class");
}

}  // namespace elf

// PE (Windows .cdl/.cdl64 and .dll): the export directory's named entries,
// and entries exported by ordinal alone as "ordinal N".
namespace pe {

constexpr uint64_t kPe32 = 0x10b;
constexpr uint64_t kPe32Plus = 0x20b;
constexpr uint64_t kSectionHeaderSize = 40;

struct Section {
  uint64_t address = 0, raw_size = 0, raw_offset = 0;
};

class Image {
 public:
  explicit Image(const FileBytes& file) : file_(file) {}
  bool Open(std::string* error);
  // The file offset of a relative virtual address with `count` bytes after it.
  bool Offset(uint64_t rva, uint64_t count, uint64_t* offset) const;
  bool Read(uint64_t rva, int width, uint64_t* value) const {
    uint64_t offset = 0;
    return Offset(rva, static_cast<uint64_t>(width), &offset) && file_.Read(offset, width, value);
  }
  bool Name(uint64_t rva, std::string* name) const;
  uint64_t export_rva() const { return export_rva_; }
  const FileBytes& file() const { return file_; }

 private:
  const FileBytes& file_;
  std::vector<Section> sections_;
  uint64_t export_rva_ = 0;
};

bool Image::Open(std::string* error) {
  uint64_t header = 0, signature = 0, section_count = 0, optional_size = 0, magic = 0;
  if (!file_.Read(0x3C, 4, &header)) return Fail(error, "file too short for a PE header");
  if (!file_.Read(header, 4, &signature) || signature != 0x4550) {
    return Fail(error, "an MZ file without a PE header");
  }
  const uint64_t coff = header + 4;
  const uint64_t optional = coff + 20;
  if (!file_.Read(coff + 2, 2, &section_count) || !file_.Read(coff + 16, 2, &optional_size) ||
      !file_.Read(optional, 2, &magic)) {
    return Fail(error, "file too short for a PE header");
  }
  if (magic != kPe32 && magic != kPe32Plus) return Fail(error, "unknown PE optional header");
  // The directory count and the directories follow the fields that differ
  // in width between PE32 and PE32+.
  const uint64_t count_at = optional + (magic == kPe32 ? 92 : 108);
  uint64_t directory_count = 0, export_size = 0;
  if (optional_size < count_at + 4 - optional || !file_.Read(count_at, 4, &directory_count)) {
    return Fail(error, "PE optional header too short");
  }
  if (directory_count > 0 &&
      (optional_size < count_at + 12 - optional || !file_.Read(count_at + 4, 4, &export_rva_) ||
       !file_.Read(count_at + 8, 4, &export_size))) {
    return Fail(error, "PE optional header too short");
  }
  if (export_size == 0) export_rva_ = 0;
  const uint64_t table = optional + optional_size;
  if (!file_.Has(table, section_count * kSectionHeaderSize)) {
    return Fail(error, "PE section table runs past the end of the file");
  }
  for (uint64_t i = 0; i < section_count; ++i) {
    const uint64_t at = table + i * kSectionHeaderSize;
    Section section;
    file_.Read(at + 12, 4, &section.address);
    file_.Read(at + 16, 4, &section.raw_size);
    file_.Read(at + 20, 4, &section.raw_offset);
    sections_.push_back(section);
  }
  return true;
}

bool Image::Offset(uint64_t rva, uint64_t count, uint64_t* offset) const {
  for (const Section& section : sections_) {
    if (rva < section.address || rva - section.address >= section.raw_size) continue;
    const uint64_t inside = rva - section.address;
    if (section.raw_size - inside < count) return false;
    *offset = section.raw_offset + inside;
    return file_.Has(*offset, count);
  }
  return false;
}

bool Image::Name(uint64_t rva, std::string* name) const {
  uint64_t offset = 0;
  if (!Offset(rva, 1, &offset)) return false;
  for (const Section& section : sections_) {
    if (rva < section.address || rva - section.address >= section.raw_size) continue;
    return file_.Name(offset, section.raw_offset + section.raw_size, name);
  }
  return false;
}

struct ExportDirectory {
  uint64_t base = 0, function_count = 0, name_count = 0, functions = 0, names = 0, ordinals = 0;
};

bool ReadDirectory(const Image& image, ExportDirectory* directory, std::string* error) {
  if (!image.Read(image.export_rva() + 16, 4, &directory->base) ||
      !image.Read(image.export_rva() + 20, 4, &directory->function_count) ||
      !image.Read(image.export_rva() + 24, 4, &directory->name_count) ||
      !image.Read(image.export_rva() + 28, 4, &directory->functions) ||
      !image.Read(image.export_rva() + 32, 4, &directory->names) ||
      !image.Read(image.export_rva() + 36, 4, &directory->ordinals)) {
    return Fail(error, "the PE export directory lies outside the file's sections");
  }
  // Each entry takes at least four bytes of the file: larger counts are damage.
  if (directory->function_count > image.file().size() / 4 ||
      directory->name_count > image.file().size() / 4) {
    return Fail(error, "the PE export directory counts more entries than the file holds");
  }
  return true;
}

bool ReadExports(const FileBytes& file, std::vector<std::string>* names, std::string* error) {
  Image image(file);
  if (!image.Open(error)) return false;
  if (image.export_rva() == 0) return true;  // exports nothing
  ExportDirectory directory;
  if (!ReadDirectory(image, &directory, error)) return false;
  std::vector<bool> named(directory.function_count, false);
  for (uint64_t i = 0; i < directory.name_count; ++i) {
    uint64_t name_rva = 0, index = 0;
    std::string name;
    if (!image.Read(directory.names + 4 * i, 4, &name_rva) ||
        !image.Read(directory.ordinals + 2 * i, 2, &index) || !image.Name(name_rva, &name)) {
      return Fail(error, "a PE export's name lies outside the file's sections");
    }
    if (index < named.size()) named[index] = true;
    names->push_back(name);
  }
  for (uint64_t i = 0; i < directory.function_count; ++i) {
    uint64_t address = 0;
    if (!image.Read(directory.functions + 4 * i, 4, &address)) {
      return Fail(error, "the PE export address table lies outside the file's sections");
    }
    // Unused slots hold zero.
    if (!named[i] && address != 0) {
      names->push_back("ordinal " + std::to_string(directory.base + i));
    }
  }
  return true;
}

}  // namespace pe

bool ReadFile(const std::string& path, std::string* bytes, std::string* error) {
  std::ifstream in(std::filesystem::u8path(path), std::ios::binary);
  if (!in) return Fail(error, "cannot open the module file");
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  if (size < 0 || size > kLargestModule) return Fail(error, "module file of unusable size");
  in.seekg(0);
  bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

}  // namespace

bool ReadExportedSymbols(const std::string& path, std::vector<std::string>* names,
                         std::string* error) {
  std::string bytes;
  if (!ReadFile(path, &bytes, error)) return false;
  const bool elf = bytes.compare(0, 4,
                                 "\x7f"
                                 "ELF") == 0;
  const bool pe = bytes.compare(0, 2, "MZ") == 0;
  const FileBytes file(std::move(bytes));
  if (elf) return elf::Read(file, names, error);
  if (pe) return pe::ReadExports(file, names, error);
  return Fail(error, "neither an ELF nor a PE module file");
}

}  // namespace simhost_app

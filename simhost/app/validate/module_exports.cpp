#include "validate/module_exports.h"

#include <elf.h>

#include <cstring>
#include <fstream>
#include <iterator>

namespace simhost_app {

namespace {

constexpr std::streamoff kLargestModule = std::streamoff{1} << 30;

struct Elf32 {
  using Header = Elf32_Ehdr;
  using Section = Elf32_Shdr;
  using Symbol = Elf32_Sym;
  static unsigned char Bind(unsigned char info) { return ELF32_ST_BIND(info); }
  static unsigned char Visibility(unsigned char other) { return ELF32_ST_VISIBILITY(other); }
};

struct Elf64 {
  using Header = Elf64_Ehdr;
  using Section = Elf64_Shdr;
  using Symbol = Elf64_Sym;
  static unsigned char Bind(unsigned char info) { return ELF64_ST_BIND(info); }
  static unsigned char Visibility(unsigned char other) { return ELF64_ST_VISIBILITY(other); }
};

// Every read is checked against the file's size: the file may be anything.
class FileBytes {
 public:
  explicit FileBytes(std::string bytes) : bytes_(std::move(bytes)) {}
  template <typename T>
  bool Read(uint64_t offset, T* value) const {
    if (offset > bytes_.size() || bytes_.size() - offset < sizeof(T)) return false;
    std::memcpy(value, bytes_.data() + offset, sizeof(T));
    return true;
  }
  // A zero-terminated name inside [start, start + size).
  bool Name(uint64_t start, uint64_t size, uint64_t index, std::string* name) const {
    if (index >= size || start > bytes_.size() || size > bytes_.size() - start) return false;
    const char* first = bytes_.data() + start + index;
    const void* end = std::memchr(first, '\0', size - index);
    if (end == nullptr) return false;
    name->assign(first, static_cast<const char*>(end));
    return true;
  }

 private:
  std::string bytes_;
};

bool IsExport(unsigned char bind, unsigned char visibility, uint16_t section) {
  const bool global = bind == STB_GLOBAL || bind == STB_WEAK || bind == STB_GNU_UNIQUE;
  const bool seen = visibility == STV_DEFAULT || visibility == STV_PROTECTED;
  return global && seen && section != SHN_UNDEF;
}

template <typename Elf>
bool FindDynamicSymbols(const FileBytes& file, typename Elf::Section* symbols,
                        typename Elf::Section* strings, std::string* error) {
  typename Elf::Header header;
  if (!file.Read(0, &header)) return (*error = "file too short for an ELF header", false);
  if (header.e_type != ET_DYN) return (*error = "not an ELF shared object", false);
  if (header.e_shentsize != sizeof(typename Elf::Section)) {
    return (*error = "unexpected ELF section header size", false);
  }
  for (uint64_t i = 0; i < header.e_shnum; ++i) {
    typename Elf::Section section;
    if (!file.Read(header.e_shoff + i * sizeof section, &section)) {
      return (*error = "ELF section headers run past the end of the file", false);
    }
    if (section.sh_type != SHT_DYNSYM) continue;
    *symbols = section;
    const uint64_t link = section.sh_link;
    if (link >= header.e_shnum || !file.Read(header.e_shoff + link * sizeof section, strings)) {
      return (*error = "the dynamic symbol table names no string table", false);
    }
    return true;
  }
  return (*error = "no dynamic symbol table", false);
}

template <typename Elf>
bool ReadSymbols(const FileBytes& file, std::vector<std::string>* names, std::string* error) {
  typename Elf::Section symbols;
  typename Elf::Section strings;
  if (!FindDynamicSymbols<Elf>(file, &symbols, &strings, error)) return false;
  const uint64_t count = symbols.sh_entsize == 0 ? 0 : symbols.sh_size / symbols.sh_entsize;
  for (uint64_t i = 1; i < count; ++i) {
    typename Elf::Symbol symbol;
    if (!file.Read(symbols.sh_offset + i * symbols.sh_entsize, &symbol)) {
      return (*error = "the dynamic symbol table runs past the end of the file", false);
    }
    if (!IsExport(Elf::Bind(symbol.st_info), Elf::Visibility(symbol.st_other), symbol.st_shndx)) {
      continue;
    }
    std::string name;
    if (!file.Name(strings.sh_offset, strings.sh_size, symbol.st_name, &name)) {
      return (*error = "a dynamic symbol's name lies outside its string table", false);
    }
    names->push_back(name);
  }
  return true;
}

bool ReadFile(const std::string& path, std::string* bytes, std::string* error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return (*error = "cannot open the module file", false);
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  if (size < 0 || size > kLargestModule) return (*error = "module file of unusable size", false);
  in.seekg(0);
  bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

}  // namespace

bool ReadExportedSymbols(const std::string& path, std::vector<std::string>* names,
                         std::string* error) {
  std::string bytes;
  if (!ReadFile(path, &bytes, error)) return false;
  if (bytes.size() < EI_NIDENT || std::memcmp(bytes.data(), ELFMAG, SELFMAG) != 0) {
    return (*error = "not an ELF file", false);
  }
  if (bytes[EI_DATA] != ELFDATA2LSB) return (*error = "not a little-endian ELF file", false);
  const char elf_class = bytes[EI_CLASS];
  const FileBytes file(std::move(bytes));
  if (elf_class == ELFCLASS64) return ReadSymbols<Elf64>(file, names, error);
  if (elf_class == ELFCLASS32) return ReadSymbols<Elf32>(file, names, error);
  return (*error = "unknown ELF class", false);
}

}  // namespace simhost_app

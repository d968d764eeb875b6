// Reading a module's exports from its file, also when the file is damaged,
// for Linux and Windows modules alike.
#include "validate/checks/module_exports.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "modules/plugin_module.h"
#include "temp_folder.h"

namespace simhost_app {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void Put(std::string* bytes, size_t at, uint64_t value, int width) {
  if (bytes->size() < at + static_cast<size_t>(width))
    bytes->resize(at + static_cast<size_t>(width));
  for (int i = 0; i < width; ++i)
    (*bytes)[at + static_cast<size_t>(i)] = static_cast<char>(value >> (8 * i));
}

// A PE module as a linker lays it out: one section at RVA 0x1000, file
// offset 0x200, holding the export directory, its three tables and the
// names; `unnamed` more functions are exported by ordinal alone.
constexpr size_t kSection = 0x200;
constexpr uint32_t kRva = 0x1000;

std::string MakePe(bool plus, const Names& names, uint32_t unnamed = 0) {
  std::string pe(kSection, '\0');
  pe[0] = 'M', pe[1] = 'Z';
  Put(&pe, 0x3C, 0x40, 4);
  Put(&pe, 0x40, 0x4550, 4);
  Put(&pe, 0x44, plus ? 0x8664 : 0x14c, 2);  // machine
  Put(&pe, 0x46, 1, 2);                      // one section
  const size_t optional = 0x58;
  const size_t directories = optional + (plus ? 112 : 96);
  Put(&pe, 0x54, directories + 16 * 8 - optional, 2);
  Put(&pe, optional, plus ? 0x20b : 0x10b, 2);
  Put(&pe, directories - 4, 16, 4);
  const size_t header = directories + 16 * 8;
  const uint32_t functions = static_cast<uint32_t>(names.size()) + unnamed;
  const uint32_t function_table = kRva + 40, name_table = function_table + 4 * functions,
                 ordinal_table = name_table + 4 * static_cast<uint32_t>(names.size());
  std::string data(40, '\0');
  Put(&data, 16, 1, 4);  // ordinal base
  Put(&data, 20, functions, 4);
  Put(&data, 24, names.size(), 4);
  Put(&data, 28, function_table, 4);
  Put(&data, 32, name_table, 4);
  Put(&data, 36, ordinal_table, 4);
  uint32_t text = ordinal_table + 2 * static_cast<uint32_t>(names.size());
  for (uint32_t i = 0; i < functions; ++i) Put(&data, function_table - kRva + 4 * i, 0x2000 + i, 4);
  for (size_t i = 0; i < names.size(); ++i) {
    Put(&data, name_table - kRva + 4 * i, text, 4);
    Put(&data, ordinal_table - kRva + 2 * i, i, 2);
    data.resize(text - kRva);
    data += names[i] + '\0';
    text += static_cast<uint32_t>(names[i].size() + 1);
  }
  Put(&pe, directories, kRva, 4);  // the export directory
  Put(&pe, directories + 4, data.size(), 4);
  Put(&pe, header + 8, data.size(), 4);  // the section: virtual size and address,
  Put(&pe, header + 12, kRva, 4);        // raw size and offset
  Put(&pe, header + 16, data.size(), 4);
  Put(&pe, header + 20, kSection, 4);
  return pe + data;
}

class ModuleExports : public ::testing::Test {
 protected:
  // The names read from a file holding these bytes; error set when refused.
  bool Read(const std::string& bytes, Names* names) {
    const fs::path file = folder_.path() / "module.cdl64";
    WriteBytes(file, bytes);
    names->clear();
    error_.clear();
    return ReadExportedSymbols(file.string(), names, &error_);
  }
  lumidrome_test::TempFolder folder_{"exports-test"};
  std::string error_;
};

std::string ModuleFile(const std::string& folder) {
  std::string error;
  const std::string file = simhost::FindModuleFile(folder, &error);
  EXPECT_FALSE(file.empty()) << error;
  return file;
}

TEST_F(ModuleExports, RealModulesExportOnlyTheEntryAndBrokenOneMore) {
  for (const char* folder : {LUMIDROME_R17_FOLDER, LUMIDROME_R14_FOLDER}) {
    Names names;
    ASSERT_TRUE(ReadExportedSymbols(ModuleFile(folder), &names, &error_)) << error_;
    EXPECT_EQ(names, Names{"c4d_main"});
  }
  Names names;
  ASSERT_TRUE(ReadExportedSymbols(
      ModuleFile(std::string(BROKEN_MODULES_DIR) + "/extra_export/Lumidrome"), &names, &error_))
      << error_;
  EXPECT_EQ(names.size(), 2u);
}

// The cross-built Windows modules read on this system, when
// LUMIDROME_WINDOWS_MODULES names their files (separated by ';'), e.g.
// build-win64/plugins/R17/Lumidrome/Lumidrome.cdl64.
TEST_F(ModuleExports, CrossBuiltWindowsModulesExportOnlyTheEntry) {
  const char* list = std::getenv("LUMIDROME_WINDOWS_MODULES");
  if (list == nullptr || *list == '\0') GTEST_SKIP() << "LUMIDROME_WINDOWS_MODULES is not set";
  std::istringstream files(list);
  for (std::string file; std::getline(files, file, ';');) {
    Names names;
    ASSERT_TRUE(ReadExportedSymbols(file, &names, &error_)) << file << ": " << error_;
    EXPECT_EQ(names, Names{"c4d_main"}) << file;
  }
}

TEST_F(ModuleExports, PeModulesOfBothWidthsListNamedAndOrdinalExports) {
  for (bool plus : {true, false}) {
    Names names;
    ASSERT_TRUE(Read(MakePe(plus, {"c4d_main"}), &names)) << error_;
    EXPECT_EQ(names, Names{"c4d_main"});
    ASSERT_TRUE(Read(MakePe(plus, {"c4d_main", "helper"}, 1), &names)) << error_;
    EXPECT_EQ(names, (Names{"c4d_main", "helper", "ordinal 3"}));
  }
  // No export directory at all: nothing exported, which the check then reports.
  std::string bare = MakePe(true, {"c4d_main"});
  Put(&bare, 0x58 + 112, 0, 8);
  Names names{"stale"};
  ASSERT_TRUE(Read(bare, &names)) << error_;
  EXPECT_TRUE(names.empty());
}

TEST_F(ModuleExports, DamagedPeModulesAreRefusedWithAReason) {
  const std::string good = MakePe(true, {"c4d_main", "helper"}, 1);
  Names names;
  std::string huge_count = good;  // more functions than the file could hold
  Put(&huge_count, kSection + 20, 0xFFFFFFFF, 4);
  EXPECT_FALSE(Read(huge_count, &names));
  EXPECT_EQ(error_, "the PE export directory counts more entries than the file holds");
  std::string stray_name = good;  // a name's RVA outside every section
  Put(&stray_name, kSection + 40 + 12, 0x7000, 4);
  EXPECT_FALSE(Read(stray_name, &names));
  EXPECT_EQ(error_, "a PE export's name lies outside the file's sections");
  std::string unterminated = good;  // the last name runs to the section's end
  unterminated.pop_back();
  EXPECT_FALSE(Read(unterminated, &names));
  std::string no_pe = good;
  Put(&no_pe, 0x3C, 0x7FFFFFF0, 4);
  EXPECT_FALSE(Read(no_pe, &names));
  EXPECT_EQ(error_, "an MZ file without a PE header");
  // Cut anywhere: a refusal or a shorter list, never a read past the end.
  for (size_t length = 0; length < good.size(); ++length) {
    if (Read(good.substr(0, length), &names)) {
      EXPECT_LE(names.size(), 3u) << length;
    }
  }
}

TEST_F(ModuleExports, DamagedFilesOfAnyKindAreRefusedWithoutHarm) {
  Names names;
  EXPECT_FALSE(Read("not a module", &names));
  EXPECT_EQ(error_, "neither an ELF nor a PE module file");
  EXPECT_FALSE(ReadExportedSymbols((folder_.path() / "missing.so").string(), &names, &error_));
  EXPECT_EQ(error_, "cannot open the module file");
  const std::string elf = ReadBytes(ModuleFile(LUMIDROME_R17_FOLDER));
  EXPECT_FALSE(Read(elf.substr(0, 100), &names));
  // Damage anywhere in the file: every answer is a clean yes or no.
  std::mt19937 random(5);
  for (const std::string& module :
       {elf, MakePe(true, {"c4d_main", "x"}, 2), MakePe(false, {"y"})}) {
    for (int round = 0; round < 60; ++round) {
      std::string damaged = module;
      for (int i = 0; i < 16; ++i) {
        const size_t at = round % 2 ? random() % 64 : random() % damaged.size();
        damaged[at] = static_cast<char>(random());
      }
      if (round % 3 == 0) damaged.resize(random() % damaged.size());
      Read(damaged, &names);
    }
  }
}

}  // namespace
}  // namespace simhost_app

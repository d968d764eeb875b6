// Reading a module's exports from its file, also when the file is damaged.
#include "validate/module_exports.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace simhost_app {
namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

TEST(ModuleExports, RealModulesExportOnlyTheEntryAndBrokenOneMore) {
  for (const char* folder : {LUMIDROME_R17_FOLDER, LUMIDROME_R14_FOLDER}) {
    std::vector<std::string> names;
    std::string error;
    ASSERT_TRUE(ReadExportedSymbols(std::string(folder) + "/Lumidrome.so", &names, &error))
        << error;
    EXPECT_EQ(names, std::vector<std::string>{"c4d_main"});
  }
  std::vector<std::string> names;
  std::string error;
  ASSERT_TRUE(ReadExportedSymbols(
      std::string(BROKEN_MODULES_DIR) + "/extra_export/Lumidrome/Lumidrome.so", &names, &error))
      << error;
  EXPECT_EQ(names.size(), 2u);
}

TEST(ModuleExports, DamagedFilesAreRefusedWithoutHarm) {
  const fs::path root = fs::temp_directory_path() / ("exports-test-" + std::to_string(getpid()));
  fs::create_directories(root);
  const std::string module = ReadBytes(std::string(LUMIDROME_R17_FOLDER) + "/Lumidrome.so");
  std::vector<std::string> names;
  std::string error;
  WriteBytes(root / "text.so", "not a module");
  EXPECT_FALSE(ReadExportedSymbols((root / "text.so").string(), &names, &error));
  EXPECT_EQ(error, "not an ELF file");
  WriteBytes(root / "short.so", module.substr(0, 100));
  EXPECT_FALSE(ReadExportedSymbols((root / "short.so").string(), &names, &error));
  EXPECT_FALSE(ReadExportedSymbols((root / "missing.so").string(), &names, &error));
  // Damage anywhere in the file: every answer is a clean yes or no.
  std::mt19937 random(5);
  for (int round = 0; round < 60; ++round) {
    std::string damaged = module;
    for (int i = 0; i < 16; ++i) {
      const size_t at = round % 2 ? random() % 64 : random() % damaged.size();
      damaged[at] = static_cast<char>(random());
    }
    if (round % 3 == 0) damaged.resize(random() % damaged.size());
    WriteBytes(root / "damaged.so", damaged);
    names.clear();
    ReadExportedSymbols((root / "damaged.so").string(), &names, &error);
  }
  fs::remove_all(root);
}

}  // namespace
}  // namespace simhost_app

#include "session_test_support.h"

#include <png.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "session/session.h"

namespace session_test {

std::string RunScript(lumidrome_test::PluginFixture& fixture, const std::string& script,
                      int* failures) {
  std::ostringstream out;
  simhost_app::Session session(fixture.host(), fixture.plugin_folder().string(), out);
  if (session.Start()) {
    std::istringstream in(script);
    session.RunScript(in);
  }
  if (failures) *failures = session.Failures();
  return out.str();
}

std::filesystem::path TempFile(const lumidrome_test::PluginFixture& fixture,
                               const std::string& name) {
  return fixture.user_folder().parent_path() / name;
}

void WriteText(const std::filesystem::path& file, const std::string& text) {
  std::ofstream(file, std::ios::binary) << text;
}

ProgramRun RunProgram(const lumidrome_test::PluginFixture& fixture, const std::string& arguments,
                      const std::string& input) {
  const std::filesystem::path input_file = TempFile(fixture, "stdin.txt");
  WriteText(input_file, input);
  return lumidrome_test::RunCommand(
      "cd " + lumidrome_test::ShellQuoted(fixture.user_folder().parent_path().string()) + " && " +
      lumidrome_test::ProgramCommand(SIMHOST_PROGRAM) + " session " + arguments + " < " +
      lumidrome_test::ShellQuoted(input_file.string()) + " 2>&1");
}

Rgb Png::At(int x, int y) const {
  const size_t at =
      (static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 3;
  return {rgb[at], rgb[at + 1], rgb[at + 2]};
}

Png ReadPng(const std::filesystem::path& file) {
  Png png;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, file.c_str())) return png;
  image.format = PNG_FORMAT_RGB;
  std::vector<uint8_t> pixels(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
    png_image_free(&image);
    return png;
  }
  png.width = static_cast<int>(image.width);
  png.height = static_cast<int>(image.height);
  png.rgb = std::move(pixels);
  return png;
}

bool Near(Rgb a, Rgb b, int tolerance) {
  return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
         std::abs(a.b - b.b) <= tolerance;
}

}  // namespace session_test

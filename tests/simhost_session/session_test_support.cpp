#include "session_test_support.h"

#include <png.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>

#include "platform/platform.h"
#include "session/session.h"
#include "text/text_util.h"

namespace session_test {

std::string RunScript(lumidrome_test::PluginFixture& fixture, const std::string& script,
                      int* failures) {
  std::ostringstream out;
  simhost_app::Session session(fixture.host(), fixture.plugin_folder().u8string(), out);
  if (session.Start()) {
    std::istringstream in(script);
    session.RunScript(in);
  }
  if (failures) *failures = session.Failures();
  return out.str();
}

std::string ScriptWord(const std::string& text) {
  std::string word = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') word += '\\';
    word += c;
  }
  return word + "\"";
}

std::string Printed(const std::string& text) {
  const std::string quoted = simhost::QuoteText(text);
  return quoted.substr(1, quoted.size() - 2);
}

std::filesystem::path TempFile(const lumidrome_test::PluginFixture& fixture,
                               const std::string& name) {
  return fixture.user_folder().parent_path() / lumidrome_test::PathOf(name);
}

void WriteText(const std::filesystem::path& file, const std::string& text) {
  std::ofstream(file, std::ios::binary) << text;
}

ProgramRun RunProgram(const lumidrome_test::PluginFixture& fixture,
                      const std::vector<std::string>& arguments, const std::string& input) {
  const std::filesystem::path input_file = TempFile(fixture, "stdin.txt");
  WriteText(input_file, input);
  std::vector<std::string> command = {SIMHOST_PROGRAM, "session"};
  command.insert(command.end(), arguments.begin(), arguments.end());
  lumidrome_test::ProgramStart start;
  start.input_file = lumidrome_test::Utf8(input_file);
  start.with_errors = true;
  start.folder = lumidrome_test::Utf8(fixture.user_folder().parent_path());
  return lumidrome_test::RunProgram(command, start);
}

Rgb Png::At(int x, int y) const {
  const size_t at =
      (static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 3;
  return {rgb[at], rgb[at + 1], rgb[at + 2]};
}

Png ReadPng(const std::filesystem::path& file) {
  Png png;
  // Opened by the platform layer: libpng's own fopen takes no UTF-8 names on Windows.
  std::unique_ptr<FILE, int (*)(FILE*)> stream(
      simhost::platform::OpenFile(lumidrome_test::Utf8(file), "rb"), &std::fclose);
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!stream || !png_image_begin_read_from_stdio(&image, stream.get())) return png;
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

#include "session_test_support.h"

#include <png.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
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
  const std::filesystem::path output_file = TempFile(fixture, "stdout.txt");
  WriteText(input_file, input);
  const std::string command = "cd '" + fixture.user_folder().parent_path().string() + "' && '" +
                              SIMHOST_PROGRAM + "' session " + arguments + " < '" +
                              input_file.string() + "' > '" + output_file.string() + "' 2>&1";
  return RunCommand(command, output_file);
}

ProgramRun RunCommand(const std::string& command, const std::filesystem::path& output_file) {
  ProgramRun run;
  const int status = std::system(command.c_str());
  run.exit_status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  std::ifstream output(output_file);
  std::ostringstream text;
  text << output.rdbuf();
  run.output = text.str();
  return run;
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

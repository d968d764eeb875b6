// simhost: runs the stand-in host with a built plug-in folder.
//
//   simhost demo --user-folder DIR --plugin PLUGIN_FOLDER [--picture FILE]
//
// The demo loads the plug-in, opens its browser, shows the first pack at
// Medium, clicks the first tile, prints the scene, undoes the click and saves
// a picture of the browser window.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>

#include "host.h"
#include "windows/window_system.h"

namespace {
const int32_t kBrowserCommand = 1035349;
const int32_t kPackChooser = 105;
const int32_t kSizeChooser = 101;
const int32_t kFirstTile = 6000;

struct Options {
  std::string user_folder = "out/demo-user";
  std::string plugin;
  std::string picture = "out/browser.png";
};

int Usage() {
  std::fprintf(stderr,
               "usage: simhost demo --user-folder DIR --plugin PLUGIN_FOLDER [--picture FILE]\n");
  return 2;
}

bool ParseOptions(int argc, char** argv, Options* options) {
  if (argc < 2 || std::strcmp(argv[1], "demo") != 0) return false;
  for (int i = 2; i < argc; ++i) {
    std::string flag = argv[i];
    if (i + 1 >= argc) return false;
    std::string value = argv[++i];
    if (flag == "--user-folder") {
      options->user_folder = value;
    } else if (flag == "--plugin") {
      options->plugin = value;
    } else if (flag == "--picture") {
      options->picture = value;
    } else {
      return false;
    }
  }
  return !options->plugin.empty();
}

std::string Absolute(const std::string& path) {
  return std::filesystem::absolute(path).lexically_normal().string();
}

void Step(const std::string& text) { std::cout << "\n== " << text << "\n"; }

int RunDemo(const Options& options) {
  simhost::Host host;
  host.SetObserver([](const std::string& kind, const std::string& text) {
    std::cout << "[" << kind << "] " << text << "\n";
  });
  host.SetUserFolder(Absolute(options.user_folder));
  Step("loading " + Absolute(options.plugin));
  if (!host.Load(Absolute(options.plugin))) {
    std::cerr << "simhost: the plug-in did not start\n";
    return 1;
  }
  Step("running the browser command");
  host.ExecuteCommand(kBrowserCommand, &host.ActiveDocument());
  simhost::WindowSystem& windows = host.Windows();
  c4d_dialog* browser = windows.FindOpenDialog(kBrowserCommand);
  if (!browser) {
    std::cerr << "simhost: the browser did not open\n";
    return 1;
  }
  windows.ChooseComboValue(browser, kPackChooser, 0);
  windows.ChooseComboValue(browser, kSizeChooser, 2);
  std::cout << windows.DescribeGrid(browser, 2001);
  Step("clicking the first tile");
  windows.SendInput(browser, kFirstTile, simhost::InputEvent::Click());
  std::cout << host.ActiveDocument().Describe();
  std::filesystem::create_directories(
      std::filesystem::path(Absolute(options.picture)).parent_path());
  std::string error;
  if (windows.SavePicture(browser, options.picture, &error)) {
    Step("picture of the browser saved to " + Absolute(options.picture));
  } else {
    std::cerr << "simhost: no picture: " << error << "\n";
  }
  Step("undo");
  host.ActiveDocument().Undo().Undo();
  std::cout << host.ActiveDocument().Describe();
  host.Unload();
  return 0;
}
}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, &options)) return Usage();
  return RunDemo(options);
}

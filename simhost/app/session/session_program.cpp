#include "session/session_program.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iostream>

#include "session/session.h"
#include "session/terminal_input.h"

namespace simhost_app {

namespace {

bool StandardInputIsTerminal() { return isatty(STDIN_FILENO) == 1; }

// Returns how many commands failed, counting an unreadable script as one.
int RunScriptFile(Session& session, const std::string& name) {
  if (name == "-") return session.RunScript(std::cin);
  std::error_code ignored;
  if (std::filesystem::is_directory(name, ignored)) {
    std::cout << "error: cannot read the script " << name << ": it is a folder\n";
    return 1;
  }
  std::ifstream file(name);
  if (!file) {
    std::cout << "error: cannot read the script " << name << "\n";
    return 1;
  }
  return session.RunScript(file);
}

int RunScripts(Session& session, const std::vector<std::string>& scripts) {
  int failures = 0;
  for (const std::string& script : scripts) {
    if (session.Finished()) break;
    failures += RunScriptFile(session, script);
  }
  return failures;
}

// Copies the plug-in folder into <app folder>/plugins/<its name>, replacing
// an earlier copy; returns the copy's path, or empty with an error line.
std::string InstallInApplication(const std::string& folder, const std::string& app_folder) {
  namespace fs = std::filesystem;
  fs::path source = fs::path(folder);
  if (!source.has_filename()) source = source.parent_path();
  const fs::path target = fs::path(app_folder) / "plugins" / source.filename();
  std::error_code error;
  fs::remove_all(target, error);
  fs::create_directories(target, error);
  if (!error) fs::copy(source, target, fs::copy_options::recursive, error);
  if (error) {
    std::cout << "error: cannot install the plug-in in " << target.string() << ": "
              << error.message() << "\n";
    return std::string();
  }
  std::cout << "installed the plug-in in the application's plug-ins folder: " << target.string()
            << "\n";
  return target.string();
}

}  // namespace

int RunSessionProgram(const SessionRun& run) {
  SessionRun settings = run;
  if (settings.install_in_app && settings.host.app_folder.empty()) {
    settings.host.app_folder = "out/simhost-app";
  }
  simhost::Host host;
  ApplyHostOptions(settings.host, host);
  std::error_code ignored;
  std::string folder =
      std::filesystem::absolute(run.plugin_folder, ignored).lexically_normal().string();
  if (settings.install_in_app) {
    folder = InstallInApplication(folder, host.StartupFolder());
    if (folder.empty()) return 1;
  }
  Session session(host, folder, std::cout, SessionOptions{run.verbose});
  if (!session.Start()) return 1;
  const bool terminal = StandardInputIsTerminal();
  int failures = 0;
  if (!run.scripts.empty()) {
    failures = RunScripts(session, run.scripts);
  } else if (!terminal) {
    failures = session.RunScript(std::cin);
  }
  const bool stay = run.scripts.empty() || run.interactive;
  if (stay && terminal && !session.Finished()) RunAtTerminal(session);
  if (run.interactive && !terminal && !session.Finished()) {
    std::cout << "(standard input is not a terminal: the session ends here)\n";
  }
  std::cout.flush();
  return failures > 0 ? 1 : 0;
}

}  // namespace simhost_app

#include "session/session_program.h"

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iostream>

#include "session/session.h"
#include "session/terminal_input.h"

namespace simhost_app {

namespace {

constexpr char kStandardInput[] = "standard input";

bool StandardInputIsTerminal() { return isatty(STDIN_FILENO) == 1; }

// Returns how many commands failed, counting an unreadable script as one.
int RunScriptFile(Session& session, const std::string& name) {
  if (name == "-") return session.RunScript(std::cin, kStandardInput);
  std::ifstream file(name);
  if (!file) {
    std::cout << "error: cannot read the script " << name << "; check its name\n";
    return 1;
  }
  return session.RunScript(file, name);
}

int RunScripts(Session& session, const std::vector<std::string>& scripts) {
  int failures = 0;
  for (const std::string& script : scripts) {
    if (session.Finished()) break;
    failures += RunScriptFile(session, script);
  }
  return failures;
}

}  // namespace

// A user folder of the session's own, made when none was given and removed
// at exit, so that a session never leaves files in the current folder.
class TemporaryUserFolder {
 public:
  explicit TemporaryUserFolder(HostOptions& options) {
    if (!options.user_folder.empty()) return;
    std::error_code error;
    std::string pattern =
        (std::filesystem::temp_directory_path(error) / "simhost-user-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) return;
    path_ = options.user_folder = pattern;
    std::cout << "note: user folder " << path_ << " (temporary, removed at exit; keep one with "
              << "--user-folder)\n";
  }
  ~TemporaryUserFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  TemporaryUserFolder(const TemporaryUserFolder&) = delete;
  TemporaryUserFolder& operator=(const TemporaryUserFolder&) = delete;
  bool failed() const { return path_.empty(); }

 private:
  std::string path_;
};

int RunSessionProgram(const SessionRun& given) {
  SessionRun run = given;
  const bool needs_temporary = run.host.user_folder.empty();
  TemporaryUserFolder temporary(run.host);
  if (needs_temporary && temporary.failed()) {
    std::cout << "error: cannot make a temporary user folder; give one with --user-folder\n";
    return 1;
  }
  simhost::Host host;
  ApplyHostOptions(run.host, host);
  std::error_code ignored;
  const std::string folder =
      std::filesystem::absolute(run.plugin_folder, ignored).lexically_normal().string();
  Session session(host, folder, std::cout, SessionOptions{run.verbose});
  if (!session.Start()) return 1;
  const bool terminal = StandardInputIsTerminal();
  int failures = 0;
  if (!run.scripts.empty()) {
    failures = RunScripts(session, run.scripts);
  } else if (!terminal) {
    failures = session.RunScript(std::cin, kStandardInput);
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

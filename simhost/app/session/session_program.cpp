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

}  // namespace

int RunSessionProgram(const SessionRun& run) {
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

// A session: one host with one plug-in folder, driven by lines of commands
// from scripts or the terminal. Everything the plug-in shows the user (console
// lines, modal messages, opened web pages, folder selections) is printed as
// it happens, between the command lines that caused it.
#pragma once

#include <istream>
#include <map>
#include <ostream>
#include <string>

#include "gui/window_system.h"
#include "host.h"
#include "session/command_table.h"

namespace simhost_app {

struct SessionOptions {
  // Also print the host's quieter records: resource sets, sleeps, event adds.
  bool verbose = false;
};

class Session {
 public:
  Session(simhost::Host& host, std::string plugin_folder, std::ostream& out,
          SessionOptions options = {});
  ~Session();  // stops printing the host's records; the host stays as it is
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // Loads and starts the plug-in folder; false, with an error line, when it
  // did not start.
  bool Start();
  // Runs one line; false when its command failed. Blank lines and comments
  // succeed.
  bool RunLine(const std::string& line);
  // Runs the lines of a script until its end or quit, each echoed first as
  // "> line"; errors name the script and line ("demo.simhost:7: error: ...")
  // when it has a name. Returns how many commands failed.
  int RunScript(std::istream& in, const std::string& name = "");
  bool Finished() const { return finished_; }
  int Failures() const { return failures_; }

  // ------------------------------------------------- services for commands
  simhost::Host& host() { return host_; }
  simhost::WindowSystem& windows() { return host_.Windows(); }
  simhost::Document& document() { return host_.ActiveDocument(); }
  std::ostream& out() { return out_; }
  const CommandTable& commands() const { return commands_; }
  const std::string& plugin_folder() const { return plugin_folder_; }
  // The open browser window, or null.
  c4d_dialog* FindBrowser() const;
  // The open browser window; throws CommandError when it is not open.
  c4d_dialog* Browser() const;
  std::map<std::string, simhost::SavedLayout>& layouts() { return layouts_; }
  void Finish() { finished_ = true; }

 private:
  void PrintRecord(const std::string& kind, const std::string& text);
  void PrintError(const std::string& text);
  bool RunWords(const std::vector<std::string>& words);

  simhost::Host& host_;
  std::string plugin_folder_;
  std::ostream& out_;
  SessionOptions options_;
  CommandTable commands_;
  std::map<std::string, simhost::SavedLayout> layouts_;
  bool finished_ = false;
  int failures_ = 0;
  std::string where_;  // "script:line: " while a named script runs
};

}  // namespace simhost_app

// The commands of a session: name, arguments, one line of help and what
// runs. Each group of commands registers itself from its own file.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "session/command_line.h"

namespace simhost_app {

class Session;

struct CommandSpec {
  std::string name;
  std::string usage;  // the arguments, e.g. "WIDTH HEIGHT"
  std::string help;   // one line
  std::function<void(Session&, const Arguments&)> run;
  // Words Tab offers for the first argument; null leaves it to file names.
  std::function<std::vector<std::string>(Session&)> first_words;
};

struct CommandGroup {
  std::string title;
  std::vector<CommandSpec> commands;
};

class CommandTable {
 public:
  void AddGroup(CommandGroup group) { groups_.push_back(std::move(group)); }
  // Null for an unknown name.
  const CommandSpec* Find(const std::string& name) const;
  const std::vector<CommandGroup>& Groups() const { return groups_; }
  std::vector<std::string> Names() const;

 private:
  std::vector<CommandGroup> groups_;
};

// The groups, in the order help lists them.
CommandGroup BrowserCommands();
CommandGroup WindowCommands();
CommandGroup SceneCommands();
CommandGroup TakeCommands();
CommandGroup HostCommands();

// Every command of a session.
CommandTable MakeCommandTable();

}  // namespace simhost_app

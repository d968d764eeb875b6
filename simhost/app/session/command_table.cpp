#include "session/command_table.h"

namespace simhost_app {

const CommandSpec* CommandTable::Find(const std::string& name) const {
  for (const CommandGroup& group : groups_) {
    for (const CommandSpec& command : group.commands) {
      if (command.name == name) return &command;
    }
  }
  return nullptr;
}

std::vector<std::string> CommandTable::Names() const {
  std::vector<std::string> names;
  for (const CommandGroup& group : groups_) {
    for (const CommandSpec& command : group.commands) names.push_back(command.name);
  }
  return names;
}

CommandTable MakeCommandTable() {
  CommandTable table;
  table.AddGroup(BrowserCommands());
  table.AddGroup(WindowCommands());
  table.AddGroup(SceneCommands());
  table.AddGroup(TakeCommands());
  table.AddGroup(HostCommands());
  return table;
}

}  // namespace simhost_app

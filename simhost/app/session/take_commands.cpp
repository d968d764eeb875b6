// Commands for the document's takes: make them, switch between them, and
// list them with the overrides each one records.
#include "session/session.h"
#include "text/text_util.h"

namespace simhost_app {

namespace {

simhost::TakeData& Takes(Session& session) {
  if (!session.host().TakesAvailable()) {
    throw CommandError("this host has no takes (version " +
                       std::to_string(session.host().InterfaceVersion()) + ")");
  }
  return session.document().Takes();
}

simhost::Take* FindTake(simhost::TakeData& takes, const std::string& name) {
  if (SameText(name, "main")) return takes.Main();
  for (simhost::Take* take : takes.AllTakes()) {
    if (take->Name() == name) return take;
  }
  throw CommandError("no take \"" + name + "\"");
}

void ListTakes(Session& session, simhost::TakeData& takes) {
  for (simhost::Take* take : takes.AllTakes()) {
    session.out() << "take " << simhost::QuoteText(take->Name())
                  << (take->IsMain() ? " (main)" : "")
                  << (take == takes.Current() ? " [current]" : "") << "\n";
  }
  const std::vector<simhost::OverrideRecord> overrides = takes.Overrides();
  if (overrides.empty()) session.out() << "no overrides\n";
  for (const simhost::OverrideRecord& record : overrides) {
    session.out() << "override in " << simhost::QuoteText(record.take->Name()) << ": "
                  << (record.node ? record.node->Label() : std::string("(deleted)")) << " "
                  << simhost::ParameterIdText(record.node ? record.node->Type() : 0, record.id)
                  << " = " << record.override_value.Describe() << " (backup "
                  << record.backup_value.Describe() << ")\n";
  }
}

void TakeCommand(Session& session, const Arguments& args) {
  const std::string usage = "take add NAME [PARENT] | take use NAME|main | take list";
  args.ExpectCount(1, 3, usage);
  simhost::TakeData& takes = Takes(session);
  if (SameText(args[0], "add") && args.Count() >= 2) {
    simhost::Take* parent = args.Count() == 3 ? FindTake(takes, args[2]) : nullptr;
    simhost::Take* take = takes.AddTake(args[1], parent);
    if (!take) throw CommandError("the document refused the take");
    session.out() << "added take " << simhost::QuoteText(take->Name()) << "\n";
  } else if (SameText(args[0], "use") && args.Count() == 2) {
    simhost::Take* take = FindTake(takes, args[1]);
    if (!takes.SetCurrent(take)) throw CommandError("the document refused the take");
    session.out() << "current take " << simhost::QuoteText(take->Name()) << "\n";
  } else if (SameText(args[0], "list") && args.Count() == 1) {
    ListTakes(session, takes);
  } else {
    throw CommandError("usage: " + usage);
  }
}

}  // namespace

CommandGroup TakeCommands() {
  return {"Takes",
          {{"take", "add NAME [PARENT] | use NAME|main | list",
            "make a take, make one current, or list the takes with their overrides", TakeCommand,
            [](Session&) {
              return std::vector<std::string>{"add", "use", "list"};
            }}}};
}

}  // namespace simhost_app

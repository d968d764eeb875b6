// Commands for the host around the plug-in: the answers it gives to the
// plug-in's next folder selection and web page, loading and ending the
// module, help, and leaving the session.
#include <filesystem>

#include "platform/platform.h"
#include "session/session.h"

namespace simhost_app {

namespace {

void PrintCommand(Session& session, const CommandSpec& command) {
  session.out() << "  " << command.name << (command.usage.empty() ? "" : " " + command.usage)
                << "\n      " << command.help << "\n";
}

void Help(Session& session, const Arguments& args) {
  args.ExpectCount(0, 1, "help [COMMAND]");
  if (args.Count() == 1) {
    const CommandSpec* command = session.commands().Find(args[0]);
    if (!command) throw CommandError("no command \"" + args[0] + "\"");
    PrintCommand(session, *command);
    return;
  }
  session.out() << "Commands (one per line; # starts a comment; \"quote\" words with blanks):\n";
  for (const CommandGroup& group : session.commands().Groups()) {
    session.out() << group.title << ":\n";
    for (const CommandSpec& command : group.commands) PrintCommand(session, command);
  }
}

void Echo(Session& session, const Arguments& args) { session.out() << args.Rest(0) << "\n"; }

void AnswerFolder(Session& session, const Arguments& args) {
  args.ExpectCount(2, 2, "answer folder PATH|cancel");
  if (args[1] == "cancel") {
    session.host().QueueSelectionCancel();
    session.out() << "the next folder selection will be cancelled\n";
    return;
  }
  const std::string path = simhost::platform::AbsolutePath(args[1]);
  session.host().QueueSelection(path);
  session.out() << "the next folder selection will answer " << path << "\n";
}

void AnswerWeb(Session& session, const Arguments& args) {
  args.ExpectCount(2, 2, "answer web ok|fail");
  const bool ok = SameText(args[1], "ok");
  if (!ok && !SameText(args[1], "fail")) {
    throw CommandError("expected ok or fail, got \"" + args[1] + "\"");
  }
  session.host().QueueOpenHtmlAnswer(ok);
  session.out() << "the next web page will " << (ok ? "open" : "fail to open") << "\n";
}

// Answers are queued: each one serves the next request of its kind.
void Answer(Session& session, const Arguments& args) {
  args.ExpectCount(1, 2, "answer folder PATH|cancel | answer web ok|fail");
  if (SameText(args[0], "folder")) return AnswerFolder(session, args);
  if (SameText(args[0], "web")) return AnswerWeb(session, args);
  throw CommandError("expected folder or web, got \"" + args[0] + "\"");
}

void Load(Session& session, const Arguments& args) {
  args.ExpectCount(0, 0, "load");
  if (session.host().ModuleLoaded()) throw CommandError("the plug-in is loaded already");
  if (!session.host().Load(session.plugin_folder())) {
    throw CommandError("the plug-in did not start: " + session.host().LastLoad().error);
  }
}

void End(Session& session, const Arguments& args) {
  args.ExpectCount(0, 0, "end");
  if (!session.host().ModuleLoaded()) throw CommandError("no plug-in is loaded");
  session.host().Unload();
}

void Quit(Session& session, const Arguments& args) {
  args.ExpectCount(0, 0, "quit");
  session.Finish();
}

}  // namespace

CommandGroup HostCommands() {
  auto fixed = [](std::vector<std::string> words) { return [words](Session&) { return words; }; };
  return {"The host",
          {{"answer", "folder PATH|cancel | web ok|fail",
            "queue the host's answer to the plug-in's next folder selection or web page", Answer,
            fixed({"folder", "web"})},
           {"end", "", "end the plug-in as the host does at quitting: close windows, end, unload",
            End, fixed({})},
           {"load", "", "load and start the plug-in again after end", Load, fixed({})},
           {"echo", "TEXT", "print the text", Echo, fixed({})},
           {"help", "[COMMAND]", "list the commands, or show one", Help,
            [](Session& s) { return s.commands().Names(); }},
           {"quit", "", "leave the session (the host ends the plug-in)", Quit, fixed({})}}};
}

}  // namespace simhost_app

#include "validate/checks/check_table.h"

#include "validate/checks/browser_checks.h"
#include "validate/checks/entry_checks.h"
#include "validate/checks/random_sequences.h"
#include "validate/checks/start_checks.h"

namespace simhost_app {

namespace {

CheckFunction Sequence(SequenceKind kind) {
  return [kind](const ValidationSettings& settings, StepLog& steps) {
    return CheckRandomSequence(settings, steps, kind);
  };
}

}  // namespace

std::vector<CheckEntry> CheckTable(int rounds) {
  const std::string times = "-x" + std::to_string(rounds);
  return {
      {"exports", "the module's dynamic symbol table offers c4d_main and nothing else",
       CheckExports, false},
      {"interface-versions",
       "action 1 at the versions around both builds' minimums, with a short table and without "
       "a module path; tells the build",
       CheckInterfaceVersions, false},
      {"actions", "every action's answer, with the values the module must not read unreadable",
       CheckActions},
      {"messages", "every message's answer; the resource set is asked for once and released",
       CheckMessages},
      {"start", "the command, then the scene hook, with their ids and names, and one banner line",
       CheckStart},
      {"start-refused-resources", "no resource set: message 1 answers -1 and the start goes on",
       CheckRefusedResources},
      {"start-refused-command", "the host refuses the command: the start fails before the hook",
       CheckRefusedCommand},
      {"start-refused-scene-hook", "the host refuses the scene hook: the start fails",
       CheckRefusedSceneHook},
      {"install-location",
       "from the user folder the browser opens; from the application's plug-ins folder it "
       "refuses with its message, and opens with Shift+Ctrl",
       CheckInstallLocation},
      {"load-unload" + times, "repeated loads and unloads, each one like the first",
       CheckRepeatedLoading},
      {"scene-hook", "the scene hook's answers to document-information and other messages",
       CheckSceneHook},
      {"browser-open-close" + times,
       "the browser opened through the command and a saved layout, and closed; whole every time",
       CheckOpenClose},
      {"browser-resize-storm",
       "resizes in bursts of size messages, cursor information among them; the rebuilt grid "
       "fits the final width",
       CheckResizeStorm},
      {"random-choosers", "seeded pack and size choices, folder selections and web pages",
       Sequence(SequenceKind::kChoosers)},
      {"random-clicks", "seeded tile clicks with every button, on changing scenes",
       Sequence(SequenceKind::kClicks)},
      {"random-window-messages",
       "seeded resizes in bursts, mouse moves, layouts, closing and painting",
       Sequence(SequenceKind::kWindowMessages)},
      {"random-library-changes", "all of the seeded steps while library folders come and go",
       Sequence(SequenceKind::kLibraryChanges)},
  };
}

}  // namespace simhost_app

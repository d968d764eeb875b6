#include "validate/checks/browser_checks.h"

#include <random>
#include <string>

#include "common/english_counts.h"
#include "common/plugin_ids.h"
#include "validate/checks/browser_driver.h"
#include "validate/checks/module_under_test.h"
#include "validate/checks/seeded_random.h"

namespace simhost_app {

namespace ids = plugin_ids;

namespace {

constexpr int kResizesPerRound = 10;
constexpr int kLargestSide = 4000;
constexpr int32_t kLongestBurst = 5;

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += (text.empty() ? "" : " | ") + line;
  return text;
}

void ExpectQuietHost(const simhost::Host& host, Findings& findings) {
  findings.Expect(UnexpectedMessages(host).empty(),
                  "unexpected messages: " + Joined(UnexpectedMessages(host)));
  findings.Expect(host.Warnings().empty(), "host warnings: " + Joined(host.Warnings()));
}

// Loads the module and opens the browser; null, with the failure noted, when
// that does not work.
c4d_dialog* LoadAndOpen(ModuleUnderTest& module, StepLog& steps, Findings& findings) {
  std::string error;
  if (!findings.Expect(module.Ready(&error), error)) return nullptr;
  steps.Step("loading");
  if (!findings.Expect(module.Load(), "the module did not start")) return nullptr;
  steps.Step("running the browser command");
  c4d_dialog* dialog = RunBrowserCommand(module.host());
  findings.Expect(dialog != nullptr, "the browser command opened no window");
  return dialog;
}

}  // namespace

void ResizeInBurst(simhost::WindowSystem& windows, c4d_dialog* dialog, int32_t width,
                   int32_t height, int32_t messages) {
  const auto [old_width, old_height] = windows.WindowSize(dialog);
  for (int32_t step = 1; step <= messages && windows.IsOpen(dialog); ++step) {
    const int32_t w =
        old_width + static_cast<int32_t>(int64_t{width - old_width} * step / messages);
    const int32_t h =
        old_height + static_cast<int32_t>(int64_t{height - old_height} * step / messages);
    windows.Resize(dialog, w, h);
  }
}

bool BrowserAvailable(const ValidationSettings& settings) {
  return settings.build != "R14" || settings.host.interface_version < ids::kFirstNewHost;
}

CheckResult CheckOpenClose(const ValidationSettings& settings, StepLog& steps) {
  if (!BrowserAvailable(settings)) return Skipped("no browser command on this host");
  ModuleUnderTest module(settings, "open-close");
  Findings findings;
  c4d_dialog* dialog = LoadAndOpen(module, steps, findings);
  if (dialog == nullptr) return findings.Result();
  simhost::Host& host = module.host();
  simhost::WindowSystem& windows = host.Windows();
  for (int round = 1; round <= settings.rounds && !findings.Failed(); ++round) {
    steps.Step("round " + std::to_string(round) + ": checking and saving the window");
    ExpectBrowserShape(windows, dialog, findings);
    simhost::SavedLayout saved = windows.SaveLayout(dialog);
    if (round % 5 == 0) windows.RenderWindow(dialog);
    steps.Step("round " + std::to_string(round) + ": closing");
    findings.Expect(windows.UserClose(dialog) && OpenBrowser(host) == nullptr,
                    "the window did not close");
    steps.Step("round " + std::to_string(round) + ": reopening");
    if (round % 2 == 0) {
      host.RestoreCommandLayout(ids::kBrowserCommand, &saved);
      dialog = OpenBrowser(host);
    } else {
      dialog = RunBrowserCommand(host);
    }
    if (!findings.Expect(dialog != nullptr, "the window did not open again")) break;
  }
  ExpectQuietHost(host, findings);
  steps.Step("unloading with the window open");
  host.Unload();
  findings.Expect(host.Warnings().empty(), "host warnings: " + Joined(host.Warnings()));
  findings.Note(Counted(settings.rounds, "opening", "openings"));
  return findings.Result();
}

CheckResult CheckResizeStorm(const ValidationSettings& settings, StepLog& steps) {
  if (!BrowserAvailable(settings)) return Skipped("no browser command on this host");
  ModuleUnderTest module(settings, "resize-storm");
  Findings findings;
  c4d_dialog* dialog = LoadAndOpen(module, steps, findings);
  if (dialog == nullptr) return findings.Result();
  simhost::Host& host = module.host();
  simhost::WindowSystem& windows = host.Windows();
  std::mt19937 random(settings.seed);
  const int resizes = settings.rounds * kResizesPerRound;
  for (int i = 1; i <= resizes && !findings.Failed(); ++i) {
    const int32_t width = SeededInt(random, 1, kLargestSide);
    const int32_t height = SeededInt(random, 1, kLargestSide);
    const int32_t messages = SeededInt(random, 1, kLongestBurst);
    steps.Step("resize " + std::to_string(i) + " to " + std::to_string(width) + " x " +
               std::to_string(height) + " in " + std::to_string(messages) + " size messages");
    ResizeInBurst(windows, dialog, width, height, messages);
    if (SeededInt(random, 0, 3) == 0) {
      // The mouse enters anywhere, also just outside the window's edge.
      const int32_t x = SeededInt(random, -20, width + 20);
      const int32_t y = SeededInt(random, -20, height + 20);
      findings.ExpectEq(windows.SendCursorInfo(dialog, x, y), 1, "cursor information");
      ExpectGridFitsWidth(windows, dialog, findings);
    }
  }
  steps.Step("the last cursor information");
  windows.Resize(dialog, 790, 500);
  findings.ExpectEq(windows.SendCursorInfo(dialog, 0, 0), 1, "cursor information");
  findings.ExpectEq(windows.SendCursorInfo(dialog, 0, 0), 1, "a second cursor information");
  ExpectGridFitsWidth(windows, dialog, findings);
  ExpectBrowserShape(windows, dialog, findings);
  ExpectQuietHost(host, findings);
  findings.Note(Counted(resizes, "resize", "resizes"));
  return findings.Result();
}

}  // namespace simhost_app

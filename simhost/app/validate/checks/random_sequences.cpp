#include "validate/checks/random_sequences.h"

#include <climits>
#include <random>
#include <string>
#include <system_error>
#include <vector>

#include "common/english_counts.h"
#include "common/plugin_ids.h"
#include "gui/container_access.h"
#include "platform/platform.h"
#include "scene/document.h"
#include "scene/element_types.h"
#include "validate/checks/browser_checks.h"
#include "validate/checks/browser_driver.h"
#include "validate/checks/hostile_library.h"
#include "validate/checks/module_under_test.h"
#include "validate/checks/seeded_random.h"

namespace simhost_app {

namespace fs = std::filesystem;
namespace ids = plugin_ids;
using simhost::platform::PathFromUtf8;
using simhost::platform::Utf8FromPath;

namespace {

constexpr int kStepsPerRound = 5;
constexpr int kManyTiles = 300;
constexpr int32_t kLargestSide = 3000;
constexpr int64_t kLargestPaintedArea = 4'000'000;
constexpr int32_t kLongestBurst = 6;  // size messages of one resize
constexpr int32_t kLongestMove = 5;   // cursor-information messages of one mouse move

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += (text.empty() ? "" : " | ") + line;
  return text;
}

class RandomSession {
 public:
  RandomSession(const ValidationSettings& settings, SequenceKind kind, StepLog& steps)
      : module_(settings, std::string("random-") + SequenceName(kind)),
        kind_(kind),
        steps_(steps),
        random_(settings.seed * 7919u + static_cast<uint32_t>(kind)) {
    ShuffleListings(settings);
  }

  bool Start(Findings& findings);
  void RunStep(int number, Findings& findings);
  void Finish(Findings& findings);
  // What the steps reached: clicks delivered, scene changes, messages;
  // and what the library had to leave out here.
  std::string Tally() const;

 private:
  simhost::Host& host() { return module_.host(); }
  simhost::WindowSystem& windows() { return module_.host().Windows(); }
  int Pick(int count) { return SeededInt(random_, 0, count - 1); }
  template <typename T>
  const T& PickOf(const std::vector<T>& values) {
    return values[static_cast<size_t>(Pick(static_cast<int>(values.size())))];
  }
  void Log(const std::string& what) {
    steps_.Step("step " + std::to_string(number_) + ": " + what);
  }

  void ShuffleListings(const ValidationSettings& settings);
  void MoveMouse(Findings& findings);
  void ChooserStep(Findings& findings);
  void ClickStep();
  void SceneStep();
  void WindowStep(Findings& findings);
  void LibraryStep();
  void QueueFolderAnswer();
  void RestoreLayout();
  std::shared_ptr<c4d_container> HostileLayoutRecord();
  void ExpectWhole(Findings& findings);

  ModuleUnderTest module_;
  SequenceKind kind_;
  StepLog& steps_;
  std::mt19937 random_;
  HostileLibrary library_;
  fs::path aside_;  // where removed folders wait to come back
  c4d_dialog* dialog_ = nullptr;
  std::vector<simhost::SavedLayout> layouts_;
  int number_ = 0;
  int clicks_ = 0;
  bool action_entry_restored_ = false;
};

// A module that remembers packs or tiles by their place in a listing breaks
// on a host whose folders list in another order, so every listing comes in
// an order of its own (from the seed), unless --dir-order says otherwise.
void RandomSession::ShuffleListings(const ValidationSettings& settings) {
  if (!settings.host.dir_order.empty()) return;
  host().SetDirOrder(simhost::DirOrder::kShuffle);
  host().SetSeed(settings.seed * 104729u + static_cast<uint32_t>(kind_));
}

bool RandomSession::Start(Findings& findings) {
  std::string error;
  if (!findings.Expect(module_.Ready(&error), error)) return false;
  steps_.Step("building the hostile library");
  library_ = BuildHostileLibrary(module_.work_folder() / "library", kManyTiles);
  aside_ = module_.work_folder() / "aside";
  fs::create_directories(aside_);
  steps_.Step("loading and opening the browser");
  if (!findings.Expect(module_.Load(), "the module did not start")) return false;
  dialog_ = RunBrowserCommand(host());
  if (!findings.Expect(dialog_ != nullptr, "the browser command opened no window")) return false;
  steps_.Step("changing the directory to the hostile library");
  host().QueueSelection(Utf8FromPath(library_.root));
  windows().ChooseComboValue(dialog_, ids::kPackChooser, ids::kChangeDirectory);
  const size_t packs = EntryValues(windows(), dialog_, ids::kPackChooser).size() - 6;
  findings.ExpectEq(packs, library_.packs.size(), "packs listed for the hostile library");
  return !findings.Failed();
}

void RandomSession::QueueFolderAnswer() {
  switch (Pick(6)) {
    case 0:
      Log("the folder selection will be cancelled");
      return host().QueueSelectionCancel();
    case 1:
      Log("the folder selection will name a missing folder");
      return host().QueueSelection(Utf8FromPath(module_.work_folder() / "missing"));
    case 2:
      Log("the folder selection will name a file");
      return host().QueueSelection(Utf8FromPath(library_.root / "readme.txt"));
    case 3:
      Log("the folder selection will name a pack as a library");
      return host().QueueSelection(Utf8FromPath(PickOf(library_.packs)));
    default:
      Log("the folder selection will name the hostile library");
      return host().QueueSelection(Utf8FromPath(library_.root));
  }
}

void RandomSession::ChooserStep(Findings& findings) {
  if (Pick(3) == 0) {
    const int32_t size = 1 + Pick(3);
    Log("choosing size " + std::to_string(size));
    windows().ChooseComboValue(dialog_, ids::kSizeChooser, size);
    return;
  }
  const int32_t value = PickOf(EntryValues(windows(), dialog_, ids::kPackChooser));
  if (value == ids::kChangeDirectory) QueueFolderAnswer();
  if (value == ids::kGetMorePacks) host().QueueOpenHtmlAnswer(Pick(2) == 0);
  Log("choosing pack entry " + std::to_string(value));
  windows().ChooseComboValue(dialog_, ids::kPackChooser, value);
  // Those two entries are actions: the box goes back to what was shown.
  c4d_dialog* dialog = OpenBrowser(host());
  // A restored record may make an action entry the one in force; then
  // choosing it again rightly does nothing.
  const bool action = value == ids::kChangeDirectory || value == ids::kGetMorePacks;
  if (dialog == nullptr || !action || action_entry_restored_) return;
  findings.Expect(windows().QueryGadget(dialog, ids::kPackChooser).int_value != value,
                  "the pack chooser stayed on entry " + std::to_string(value) + " at step " +
                      std::to_string(number_));
}

void RandomSession::ClickStep() {
  const std::vector<int32_t> tiles = GridTiles(windows(), dialog_);
  if (tiles.empty()) return Log("no tile to click");
  const int32_t tile = PickOf(tiles);
  simhost::InputEvent event;
  const int button = Pick(5);
  if (button < 3) event = simhost::InputEvent::Click(button + 1);
  if (button >= 3) event = simhost::InputEvent::Wheel(button == 3 ? 120 : -120);
  event.qualifiers = Pick(8);
  Log("clicking tile " + std::to_string(tile) + " with button " + std::to_string(button) +
      ", qualifiers " + std::to_string(event.qualifiers));
  if (windows().SendInput(dialog_, tile, event)) ++clicks_;
}

void RandomSession::SceneStep() {
  simhost::Document& document = host().ActiveDocument();
  const std::vector<simhost::Atom*> objects = document.AllObjects();
  switch (Pick(6)) {
    case 0:
      Log("adding an HDRI object");
      document.AddObject(ids::kHdriObject, "", objects.empty() ? nullptr : PickOf(objects));
      return;
    case 1:
      if (objects.empty()) return Log("no object for a tag");
      Log("adding an HDRI tag");
      document.AddHdriTag(PickOf(objects), Pick(2) == 0 ? 2 : 0);
      return;
    case 2: {
      Log("selecting objects and tags");
      std::vector<simhost::Atom*> picked;
      std::vector<simhost::Atom*> tags;
      for (simhost::Atom* object : objects) {
        if (Pick(2) == 0) picked.push_back(object);
        for (simhost::Atom* tag : object->Tags().Items()) {
          if (Pick(2) == 0) tags.push_back(tag);
        }
      }
      document.SelectObjects(picked);
      return document.SelectTags(tags);
    }
    case 3:
      Log("undoing");
      document.Undo().Undo();
      return;
    case 4:
      Log("adding a plain object");
      document.AddObject(simhost::type_id::kNullObject, "",
                         objects.empty() ? nullptr : PickOf(objects));
      return;
    default:
      Log("redoing");
      document.Undo().Redo();
  }
}

std::shared_ptr<c4d_container> RandomSession::HostileLayoutRecord() {
  const c4d_container_api& api = *host().Table().container;
  const std::vector<int32_t> sizes{0, 1, 2, 3, 7, -5, INT32_MIN};
  const std::vector<int32_t> packs{0, 1, 2, 3, 9002, 9001, 9000, -1, 42, INT32_MAX};
  simhost::OwnedContainer record(api, 0);
  if (Pick(4) != 0) record.SetInt(ids::kSizeChooser, PickOf(sizes));
  if (Pick(4) != 0) {
    const int32_t pack = PickOf(packs);
    record.SetInt(ids::kPackChooser, pack);
    action_entry_restored_ |= pack == ids::kChangeDirectory || pack == ids::kGetMorePacks;
  }
  simhost::OwnedContainer answer(api, 0);
  if (Pick(5) != 0) answer.SetContainer(ids::kBrowserCommand, record.get());
  return simhost::SharedClone(api, answer.get());
}

void RandomSession::RestoreLayout() {
  simhost::SavedLayout saved;
  if (!layouts_.empty() && Pick(2) == 0) {
    saved = PickOf(layouts_);
    Log("restoring a saved layout");
  } else {
    saved.plugin_id = ids::kBrowserCommand;
    saved.data = HostileLayoutRecord();
    Log("restoring a made-up layout record");
  }
  host().RestoreCommandLayout(ids::kBrowserCommand, &saved);
}

void RandomSession::WindowStep(Findings& findings) {
  switch (Pick(9)) {
    case 0:
    case 1: {
      const int32_t width = 1 + Pick(kLargestSide);
      const int32_t height = 1 + Pick(kLargestSide);
      const int32_t messages = 1 + Pick(kLongestBurst);
      Log("resizing to " + std::to_string(width) + " x " + std::to_string(height) + " in " +
          std::to_string(messages) + " size messages");
      ResizeInBurst(windows(), dialog_, width, height, messages);
      return;
    }
    case 2:
      return MoveMouse(findings);
    case 3:
      Log("saving the layout");
      layouts_.push_back(windows().SaveLayout(dialog_));
      return;
    case 4:
      return RestoreLayout();
    case 5:
      Log("closing the window");
      windows().UserClose(dialog_);
      return;
    case 6: {
      const auto size = windows().WindowSize(dialog_);
      if (int64_t{size.first} * size.second > kLargestPaintedArea) return Log("too large to paint");
      Log("painting the window");
      windows().RenderWindow(dialog_);
      return;
    }
    case 7:
      Log("turning the wheel over the window");
      windows().SendInputAt(dialog_, Pick(800), Pick(600),
                            simhost::InputEvent::Wheel(Pick(2) ? 360 : -360));
      return;
    default:
      Log("a core message and a timer");
      windows().BroadcastCoreMessage(Pick(100000));
      windows().FireTimer(dialog_);
  }
}

// The mouse crosses the window: cursor information on every move, also
// just outside the window's edge.
void RandomSession::MoveMouse(Findings& findings) {
  const int32_t moves = 1 + Pick(kLongestMove);
  const auto [width, height] = windows().WindowSize(dialog_);
  Log("moving the mouse: " + std::to_string(moves) + " cursor-information messages");
  for (int32_t i = 0; i < moves && windows().IsOpen(dialog_); ++i) {
    const int32_t x = SeededInt(random_, -20, width + 20);
    const int32_t y = SeededInt(random_, -20, height + 20);
    findings.ExpectEq(windows().SendCursorInfo(dialog_, x, y), 1,
                      "cursor information at step " + std::to_string(number_));
  }
}

void RandomSession::LibraryStep() {
  const fs::path pack = PickOf(library_.packs);
  const fs::path parked = aside_ / pack.filename();
  const fs::path hdris = aside_ / PathFromUtf8(Utf8FromPath(pack.filename()) + "-HDRIs");
  std::error_code ignored;
  switch (Pick(4)) {
    case 0:
      Log("removing or bringing back a pack folder");
      if (fs::exists(parked, ignored)) return fs::rename(parked, pack, ignored);
      return fs::rename(pack, parked, ignored);
    case 1:
      Log("removing or bringing back a pack's HDRIs folder");
      if (fs::exists(hdris, ignored)) return fs::rename(hdris, pack / "HDRIs", ignored);
      return fs::rename(pack / "HDRIs", hdris, ignored);
    case 2:
      Log("emptying a pack's thumbnails");
      for (const auto& entry : fs::directory_iterator(pack / "Thumbnails", ignored)) {
        fs::resize_file(entry.path(), 0, ignored);
        if (Pick(2) == 0) break;
      }
      return;
    default:
      Log("removing the whole library for a while, or bringing it back");
      const fs::path whole = aside_ / "whole-library";
      if (fs::exists(whole, ignored)) return fs::rename(whole, library_.root, ignored);
      return fs::rename(library_.root, whole, ignored);
  }
}

// The window the steps act on: reopened through the command when closed.
void RandomSession::RunStep(int number, Findings& findings) {
  number_ = number;
  if (OpenBrowser(host()) == nullptr) {
    Log("reopening the browser");
    RunBrowserCommand(host());
  }
  dialog_ = OpenBrowser(host());
  if (!findings.Expect(dialog_ != nullptr, "the browser did not reopen")) return;
  const int choice = Pick(10);
  switch (kind_) {
    case SequenceKind::kChoosers:
      choice < 7 ? ChooserStep(findings) : WindowStep(findings);
      break;
    case SequenceKind::kClicks:
      choice < 5 ? ClickStep() : choice < 8 ? SceneStep() : ChooserStep(findings);
      break;
    case SequenceKind::kWindowMessages:
      choice < 7 ? WindowStep(findings) : choice < 9 ? ChooserStep(findings) : ClickStep();
      break;
    case SequenceKind::kLibraryChanges:
      choice < 3   ? LibraryStep()
      : choice < 5 ? ClickStep()
      : choice < 7 ? ChooserStep(findings)
      : choice < 9 ? WindowStep(findings)
                   : SceneStep();
      break;
  }
  ExpectWhole(findings);
}

void RandomSession::ExpectWhole(Findings& findings) {
  const std::string at = " after step " + std::to_string(number_);
  findings.Expect(UnexpectedMessages(host()).empty(),
                  "unexpected messages" + at + ": " + Joined(UnexpectedMessages(host())));
  findings.Expect(host().Warnings().empty(),
                  "host warnings" + at + ": " + Joined(host().Warnings()));
  c4d_dialog* dialog = OpenBrowser(host());
  if (dialog == nullptr) return;
  ExpectBrowserShape(windows(), dialog, findings);
}

std::string RandomSession::Tally() const {
  const simhost::Host& host = const_cast<ModuleUnderTest&>(module_).host();
  std::string tally =
      Counted(clicks_, "click", "clicks") + ", " +
      Counted(static_cast<long long>(host.EventAdds().size()), "scene update", "scene updates") +
      ", " + Counted(static_cast<long long>(host.Messages().size()), "message", "messages");
  for (const std::string& skipped : library_.left_out) tally += "; skipped: " + skipped;
  return tally;
}

void RandomSession::Finish(Findings& findings) {
  steps_.Step("unloading");
  host().Unload();
  findings.Expect(host().Warnings().empty(),
                  "host warnings at the end: " + Joined(host().Warnings()));
}

}  // namespace

const char* SequenceName(SequenceKind kind) {
  switch (kind) {
    case SequenceKind::kChoosers:
      return "choosers";
    case SequenceKind::kClicks:
      return "clicks";
    case SequenceKind::kWindowMessages:
      return "window-messages";
    case SequenceKind::kLibraryChanges:
      return "library-changes";
  }
  return "";
}

CheckResult CheckRandomSequence(const ValidationSettings& settings, StepLog& steps,
                                SequenceKind kind) {
  if (!BrowserAvailable(settings)) return Skipped("no browser command on this host");
  RandomSession session(settings, kind, steps);
  Findings findings;
  if (!session.Start(findings)) return findings.Result();
  const int count = settings.rounds * kStepsPerRound;
  for (int number = 1; number <= count && !findings.Failed(); ++number) {
    session.RunStep(number, findings);
  }
  findings.Note(Counted(count, "step", "steps") + ", seed " + std::to_string(settings.seed) + ": " +
                session.Tally());
  session.Finish(findings);
  return findings.Result();
}

}  // namespace simhost_app

// Commands that look at the browser window as the host sees it, and keep
// and restore its saved layout.
#include <filesystem>

#include "common/plugin_ids.h"
#include "platform/platform.h"
#include "session/browser_view.h"
#include "session/session.h"
#include "values/container.h"

namespace simhost_app {

namespace {

void Tree(Session& session, const Arguments& args) {
  args.ExpectCount(0, 0, "tree");
  session.out() << session.windows().DescribeTree(session.Browser());
}

void Grid(Session& session, const Arguments& args) {
  args.ExpectCount(0, 0, "grid");
  session.out() << session.windows().DescribeGrid(session.Browser(), plugin_ids::kGridGroup);
}

void Shot(Session& session, const Arguments& args) {
  args.ExpectCount(1, 1, "shot FILE.png|FILE.jpg");
  c4d_dialog* browser = session.Browser();
  const std::string file = simhost::platform::AbsolutePath(args[0]);
  std::string error;
  if (!session.windows().SavePicture(browser, file, &error)) throw CommandError(error);
  const auto [width, height] = session.windows().WindowSize(browser);
  session.out() << "saved the browser window (" << width << "x" << height << ") to " << file
                << "\n";
}

// The browser's layout record: its id and the two choosers it keeps.
std::string LayoutName(int32_t id) {
  if (id == plugin_ids::kBrowserCommand) return "browser";
  if (id == plugin_ids::kSizeChooser) return "tile size";
  if (id == plugin_ids::kPackChooser) return "pack";
  return "";
}

void PrintLayout(Session& session, const std::string& name, const simhost::SavedLayout& saved) {
  session.out() << "layout \"" << name << "\": window " << saved.width << "x" << saved.height;
  const simhost::Container* data = simhost::ToContainer(saved.data.get());
  if (!data) {
    session.out() << ", no layout data from the dialog\n";
    return;
  }
  session.out() << ", layout data:\n" << data->Describe(2, LayoutName);
}

void SaveLayout(Session& session, const std::string& name) {
  simhost::SavedLayout saved = session.windows().SaveLayout(session.Browser());
  session.layouts()[name] = saved;
  PrintLayout(session, name, saved);
}

void RestoreLayout(Session& session, const std::string& name) {
  auto it = session.layouts().find(name);
  if (it == session.layouts().end()) throw CommandError("no layout \"" + name + "\" saved");
  simhost::SavedLayout saved = it->second;
  std::optional<bool> result =
      session.host().RestoreCommandLayout(plugin_ids::kBrowserCommand, &saved);
  if (!result) throw CommandError("the plug-in registered no browser command");
  if (!*result) throw CommandError("the command refused the layout");
  c4d_dialog* browser = session.FindBrowser();
  if (!browser) throw CommandError("the browser did not open");
  // The browser takes the pack back at its next rebuild, e.g. after a resize.
  session.out() << "layout \"" << name << "\" restored\n"
                << BrowserSummary(session.windows(), browser) << "\n";
}

void Layout(Session& session, const Arguments& args) {
  const std::string usage = "layout save|restore|list [NAME]";
  args.ExpectCount(1, 2, usage);
  const std::string name = args.Get(1, "default");
  if (SameText(args[0], "save")) {
    SaveLayout(session, name);
  } else if (SameText(args[0], "restore")) {
    RestoreLayout(session, name);
  } else if (SameText(args[0], "list")) {
    args.ExpectCount(1, 1, "layout list");
    if (session.layouts().empty()) session.out() << "no layouts saved\n";
    for (const auto& [saved_name, saved] : session.layouts()) {
      PrintLayout(session, saved_name, saved);
    }
  } else {
    throw CommandError("usage: " + usage);
  }
}

}  // namespace

CommandGroup WindowCommands() {
  auto fixed = [](std::vector<std::string> words) { return [words](Session&) { return words; }; };
  return {
      "The window",
      {{"tree", "", "print the browser's gadget tree with values and places", Tree, fixed({})},
       {"grid", "", "print the grid: each cell's tile, label and place", Grid, fixed({})},
       {"shot", "FILE.png|FILE.jpg",
        "save a picture of the browser window as PNG or JPEG, by the name's suffix", Shot, nullptr},
       {"layout", "save|restore|list [NAME]",
        "save the window layout as the host does, or reopen the browser from one (NAME "
        "defaults to \"default\")",
        Layout, fixed({"save", "restore", "list"})}}};
}

}  // namespace simhost_app

// Commands that act on the browser as its user does: open it, choose in its
// combo boxes, resize and scroll it, click its tiles, close it.
#include <algorithm>

#include "common/plugin_ids.h"
#include "session/browser_view.h"
#include "session/session.h"

namespace simhost_app {

namespace {

constexpr int32_t kShiftControl = 3;  // qualifier bits: Shift 1 + Control 2

void PrintSummary(Session& session, c4d_dialog* browser) {
  session.out() << BrowserSummary(session.windows(), browser) << "\n";
}

void Open(Session& session, const Arguments& args) {
  args.ExpectCount(0, 1, "open [shift-ctrl]");
  const bool qualified = args.Count() == 1;
  if (qualified && !SameText(args[0], "shift-ctrl")) {
    throw CommandError("expected shift-ctrl or nothing, got \"" + args[0] + "\"");
  }
  if (!session.host().ModuleLoaded()) throw CommandError("no plug-in is loaded (load starts it)");
  session.host().SetKeyboardQualifiers(qualified ? kShiftControl : 0);
  std::optional<bool> result =
      session.host().ExecuteCommand(plugin_ids::kBrowserCommand, &session.document());
  session.host().SetKeyboardQualifiers(0);
  if (!result) throw CommandError("the plug-in registered no browser command");
  c4d_dialog* browser = session.FindBrowser();
  if (!browser) throw CommandError("the browser did not open");
  PrintSummary(session, browser);
}

std::string EntryList(const simhost::GadgetInfo& chooser) {
  std::string list;
  for (const auto& [value, text] : chooser.entries) {
    if (value == -1) continue;
    list += (list.empty() ? "" : ", ") + std::to_string(value) + " \"" + text + "\"";
  }
  return list;
}

// An entry's value from its value or text; exact text first, then any case.
std::optional<int32_t> FindEntry(const simhost::GadgetInfo& chooser, const std::string& word) {
  int32_t value = 0;
  const auto& entries = chooser.entries;
  if (ParseInt32(word, &value)) {
    auto it = std::find_if(entries.begin(), entries.end(),
                           [value](const auto& e) { return e.first == value; });
    if (it != entries.end()) return value;
  }
  for (const auto& [entry_value, text] : entries) {
    if (text == word) return entry_value;
  }
  for (const auto& [entry_value, text] : entries) {
    if (SameText(text, word)) return entry_value;
  }
  return std::nullopt;
}

void Pack(Session& session, const Arguments& args) {
  args.ExpectCount(1, 1, "pack VALUE|NAME (quote names with blanks)");
  c4d_dialog* browser = session.Browser();
  simhost::GadgetInfo chooser = session.windows().QueryGadget(browser, plugin_ids::kPackChooser);
  std::optional<int32_t> value = FindEntry(chooser, args[0]);
  if (!value) throw CommandError("no entry \"" + args[0] + "\"; entries: " + EntryList(chooser));
  if (!session.windows().ChooseComboValue(browser, plugin_ids::kPackChooser, *value)) {
    throw CommandError("the pack chooser took no choice");
  }
  if (session.FindBrowser()) PrintSummary(session, browser);
}

void Size(Session& session, const Arguments& args) {
  args.ExpectCount(1, 1, "size Small|Medium|Large|1-3");
  c4d_dialog* browser = session.Browser();
  simhost::GadgetInfo chooser = session.windows().QueryGadget(browser, plugin_ids::kSizeChooser);
  std::optional<int32_t> value = FindEntry(chooser, args[0]);
  if (!value) throw CommandError("expected Small, Medium, Large or 1-3, got \"" + args[0] + "\"");
  if (!session.windows().ChooseComboValue(browser, plugin_ids::kSizeChooser, *value)) {
    throw CommandError("the size chooser took no choice");
  }
  if (session.FindBrowser()) PrintSummary(session, browser);
}

// The real host may send several size messages while a window is dragged to
// its new size: a burst of n passes through sizes between the old and the
// new one, each with its size message, and ends at the new size.
void ResizeInSteps(Session& session, c4d_dialog* browser, int32_t width, int32_t height,
                   int32_t steps) {
  const auto [old_width, old_height] = session.windows().WindowSize(browser);
  for (int32_t step = 1; step <= steps && session.FindBrowser(); ++step) {
    const int32_t w = old_width + static_cast<int32_t>(int64_t{width - old_width} * step / steps);
    const int32_t h =
        old_height + static_cast<int32_t>(int64_t{height - old_height} * step / steps);
    session.windows().Resize(browser, w, h);
  }
}

// The host sends the cursor-information message as soon as the mouse moves
// over the resized window; that is when the browser rebuilds its grid.
void Resize(Session& session, const Arguments& args) {
  args.ExpectCount(2, 3, "resize WIDTH HEIGHT [SIZE_MESSAGES]");
  const int32_t width = ExpectInt32(args[0], "a width in pixels");
  const int32_t height = ExpectInt32(args[1], "a height in pixels");
  const int32_t steps = args.Count() == 3 ? ExpectInt32(args[2], "a number of size messages") : 1;
  if (width < 1 || height < 1) throw CommandError("width and height must be 1 or more");
  if (steps < 1 || steps > 100) throw CommandError("size messages must be 1 to 100");
  c4d_dialog* browser = session.Browser();
  ResizeInSteps(session, browser, width, height, steps);
  if (session.FindBrowser()) session.windows().SendCursorInfo(browser, width / 2, height / 2);
  if (session.FindBrowser()) PrintSummary(session, browser);
}

// The mouse moves over the window: the cursor-information message alone.
void Move(Session& session, const Arguments& args) {
  args.ExpectCount(2, 2, "move X Y");
  const int32_t x = ExpectInt32(args[0], "an x position in the window");
  const int32_t y = ExpectInt32(args[1], "a y position in the window");
  c4d_dialog* browser = session.Browser();
  session.windows().SendCursorInfo(browser, x, y);
  if (session.FindBrowser()) PrintSummary(session, browser);
}

using ScrollPosition = std::pair<int32_t, int32_t>;

ScrollPosition ReadScroll(Session& session, c4d_dialog* browser) {
  int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  session.windows().VisibleArea(browser, plugin_ids::kScrollGroup, &x1, &y1, &x2, &y2);
  return {x1, y1};
}

void Scroll(Session& session, const Arguments& args) {
  args.ExpectCount(1, 2, "scroll up|down [NOTCHES]");
  const bool down = SameText(args[0], "down");
  if (!down && !SameText(args[0], "up")) {
    throw CommandError("expected up or down, got \"" + args[0] + "\"");
  }
  const int32_t notches = args.Count() == 2 ? ExpectInt32(args[1], "a number of notches") : 1;
  if (notches < 1 || notches > 1000) throw CommandError("notches must be 1 to 1000");
  c4d_dialog* browser = session.Browser();
  simhost::GadgetInfo scroller = session.windows().QueryGadget(browser, plugin_ids::kScrollGroup);
  const int32_t x = scroller.x + scroller.width / 2;
  const int32_t y = scroller.y + scroller.height / 2;
  const ScrollPosition before = ReadScroll(session, browser);
  for (int32_t i = 0; i < notches; ++i) {
    // The wheel gives 120 per notch, positive away from the user.
    const simhost::InputEvent wheel = simhost::InputEvent::Wheel(down ? -120 : 120);
    if (!session.windows().SendInputAt(browser, x, y, wheel)) {
      throw CommandError("the wheel reached nothing that scrolls");
    }
  }
  if (ReadScroll(session, browser) == before) session.out() << "the grid did not move\n";
  PrintSummary(session, browser);
}

int32_t MouseChannel(const std::string& word) {
  if (word.empty() || SameText(word, "left")) return C4D_BFM_INPUT_MOUSELEFT;
  if (SameText(word, "right")) return C4D_BFM_INPUT_MOUSERIGHT;
  if (SameText(word, "middle")) return C4D_BFM_INPUT_MOUSEMIDDLE;
  throw CommandError("expected left, right or middle, got \"" + word + "\"");
}

std::string TileRange(const std::vector<simhost::GridCellInfo>& tiles) {
  if (tiles.empty()) return "the grid has no tiles";
  return "the grid has tiles 0 to " + std::to_string(tiles.size() - 1);
}

// A tile by its number in the grid, else by its label.
simhost::GridCellInfo FindTile(Session& session, c4d_dialog* browser, const std::string& word) {
  const std::vector<simhost::GridCellInfo> tiles = Tiles(ReadGrid(session.windows(), browser));
  int32_t number = 0;
  if (ParseInt32(word, &number)) {
    for (const simhost::GridCellInfo& tile : tiles) {
      if (plugin_ids::TileNumber(tile.area_id) == number) return tile;
    }
    throw CommandError("no tile " + word + "; " + TileRange(tiles));
  }
  std::vector<simhost::GridCellInfo> named;
  std::copy_if(tiles.begin(), tiles.end(), std::back_inserter(named),
               [&](const simhost::GridCellInfo& tile) { return tile.label == word; });
  if (named.size() > 1) {
    throw CommandError(std::to_string(named.size()) + " tiles are labelled \"" + word +
                       "\"; click one by number");
  }
  if (named.empty()) throw CommandError("no tile labelled \"" + word + "\"; " + TileRange(tiles));
  return named[0];
}

void ClickArea(Session& session, c4d_dialog* browser, int32_t area_id, const std::string& button,
               const std::string& what) {
  const int32_t channel = MouseChannel(button);
  session.out() << "clicking " << what << "\n";
  if (!session.windows().SendInput(browser, area_id, simhost::InputEvent::Click(channel))) {
    throw CommandError("the click landed on nothing: no user area " + std::to_string(area_id));
  }
}

void Click(Session& session, const Arguments& args) {
  args.ExpectCount(1, 2, "click NUMBER|LABEL [left|right|middle]");
  c4d_dialog* browser = session.Browser();
  simhost::GridCellInfo tile = FindTile(session, browser, args[0]);
  simhost::Document& document = session.document();
  const size_t steps = document.Undo().UndoCount();
  ClickArea(
      session, browser, tile.area_id, args.Get(1),
      "tile " + std::to_string(plugin_ids::TileNumber(tile.area_id)) + " \"" + tile.label + "\"");
  // The plug-in may rightly change nothing (e.g. several HDRI objects and
  // none selected); say so rather than leave the user guessing.
  const bool changed = &document == &session.document() && document.Undo().UndoCount() > steps;
  session.out() << (changed ? "the scene changed (one undo step)\n" : "the scene did not change\n");
}

void More(Session& session, const Arguments& args) {
  args.ExpectCount(0, 1, "more [left|right|middle]");
  ClickArea(session, session.Browser(), plugin_ids::kAddMoreTile, args.Get(0), "the add-more tile");
}

void Close(Session& session, const Arguments& args) {
  args.ExpectCount(0, 0, "close");
  if (!session.windows().UserClose(session.Browser())) {
    throw CommandError("the browser stayed open");
  }
  session.out() << "browser closed\n";
}

void Status(Session& session, const Arguments& args) {
  args.ExpectCount(0, 0, "status");
  PrintSummary(session, session.Browser());
}

std::vector<std::string> ChooserWords(Session& session, int32_t id) {
  std::vector<std::string> words;
  c4d_dialog* browser = session.FindBrowser();
  if (!browser) return words;
  for (const auto& [value, text] : session.windows().QueryGadget(browser, id).entries) {
    if (value != -1) words.push_back(text);
  }
  return words;
}

std::vector<std::string> TileWords(Session& session) {
  std::vector<std::string> words;
  c4d_dialog* browser = session.FindBrowser();
  if (!browser) return words;
  for (const simhost::GridCellInfo& tile : Tiles(ReadGrid(session.windows(), browser))) {
    words.push_back(tile.label);
  }
  return words;
}

}  // namespace

CommandGroup BrowserCommands() {
  auto fixed = [](std::vector<std::string> words) { return [words](Session&) { return words; }; };
  return {"The browser",
          {{"open", "[shift-ctrl]", "run the browser command, optionally with Shift+Control held",
            Open, fixed({"shift-ctrl"})},
           {"pack", "VALUE|NAME",
            "choose a pack chooser entry: a pack, \"Show All\", \"Change Directory\", \"Get More "
            "Packs\"",
            Pack, [](Session& s) { return ChooserWords(s, plugin_ids::kPackChooser); }},
           {"size", "Small|Medium|Large|1-3", "choose the tile size", Size,
            fixed({"Small", "Medium", "Large"})},
           {"resize", "WIDTH HEIGHT [SIZE_MESSAGES]",
            "resize the window (in SIZE_MESSAGES steps, each with its size message); the grid is "
            "rebuilt as the mouse moves in",
            Resize, nullptr},
           {"move", "X Y", "move the mouse over the window (the cursor-information message alone)",
            Move, nullptr},
           {"scroll", "up|down [NOTCHES]", "turn the mouse wheel over the grid", Scroll,
            fixed({"up", "down"})},
           {"click", "NUMBER|LABEL [left|right|middle]",
            "click a tile by its number (0 is the first) or its label", Click, TileWords},
           {"more", "[left|right|middle]", "click the add-more tile that ends the grid", More,
            fixed({"left", "right", "middle"})},
           {"close", "", "close the browser window with its close box", Close, fixed({})},
           {"status", "", "show the chosen pack and size, the tiles, the window and the scrolling",
            Status, fixed({})}}};
}

}  // namespace simhost_app

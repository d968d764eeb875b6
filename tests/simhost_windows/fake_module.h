// A pretend module for the window-system tests: a dialog and user areas made
// of plain C callbacks that record what the host asks of them.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "c4d_function_table.h"
#include "common/plugin_ids.h"
#include "gui/window_system.h"
#include "host.h"

namespace windows_test {

// The plug-in id the fake dialogs open under: the browser's.
constexpr int32_t kFakePluginId = simhost_app::plugin_ids::kBrowserCommand;

class FakeDialog {
 public:
  explicit FakeDialog(const c4d_function_table& table);
  ~FakeDialog();  // destroys the dialog handle, as the module's dialog object does
  FakeDialog(const FakeDialog&) = delete;
  FakeDialog& operator=(const FakeDialog&) = delete;

  c4d_dialog* handle() const { return handle_; }
  bool Open(int32_t width = 790, int32_t height = 500);
  int Count(const std::string& call) const;

  // What the callbacks do; unset ones act as the host's defaults.
  std::function<bool(FakeDialog&)> create_layout;
  std::function<bool(FakeDialog&)> init_values;
  std::function<void(FakeDialog&, int32_t, const c4d_container*)> command;
  std::function<int32_t(FakeDialog&, const c4d_container*, c4d_container*)> message;
  bool ask_close_keeps_open = false;

  std::vector<std::string> calls;  // in order: "create_layout", "message 'dsty'", ...
  std::vector<int32_t> commands;
  std::vector<int32_t> command_values;  // the 'meva' of each command, or -999

  const c4d_function_table& table;
  const c4d_dialog_api& api;

 private:
  static const c4d_dialog_callbacks kCallbacks;
  c4d_dialog* handle_ = nullptr;
};

class FakeArea {
 public:
  explicit FakeArea(const c4d_function_table& table);
  ~FakeArea();  // releases its handle, as the module's user area does
  FakeArea(const FakeArea&) = delete;
  FakeArea& operator=(const FakeArea&) = delete;

  c4d_userarea* Attach(c4d_dialog* dialog, int32_t id, int32_t flags = 0);
  void Release();
  // Every callback the host made to this area.
  int Calls() const { return inits + min_size_calls + sized_calls + draws + inputs; }

  int32_t min_width = 50;
  int32_t min_height = 30;
  bool answers_min_size = true;
  // Default drawing: the whole area in one pen colour.
  double red = 1.0, green = 0.0, blue = 0.0;
  std::function<void(FakeArea&)> draw;
  // Default input: clicks send the action message, the wheel goes to the
  // host's default handling.
  std::function<bool(FakeArea&, const c4d_container*)> input;

  int inits = 0;
  int min_size_calls = 0;
  int sized_calls = 0;
  int draws = 0;
  int inputs = 0;
  int32_t last_width = 0;
  int32_t last_height = 0;
  c4d_userarea* handle = nullptr;
  const c4d_function_table& table;

  static const c4d_userarea_callbacks kCallbacks;
};

// What the module does when it calls its user area's DrawMsg itself.
void DrawDirectly(FakeArea& area);

// Layout shorthands.
void Group(const c4d_dialog_api& api, c4d_dialog* d, int32_t id, int32_t flags, int32_t columns,
           int32_t rows = 0);
void End(const c4d_dialog_api& api, c4d_dialog* d);
void Area(const c4d_dialog_api& api, c4d_dialog* d, int32_t id, int32_t flags = 0);
// Builds a window like the browser's: a row of two combo boxes above a
// scroll group 2000 (flags 63, scroll flags 12) holding grid group 2001.
void BuildBrowserLike(FakeDialog& dialog);

int32_t IntAt(const c4d_function_table& table, const c4d_container* container, int32_t key,
              int32_t fallback = -999);
// A bitmap of one colour through the table; the caller frees it.
c4d_bitmap* SolidBitmap(const c4d_function_table& table, int32_t width, int32_t height, int32_t r,
                        int32_t g, int32_t b);

struct Pixel {
  int r, g, b;
  bool operator==(const Pixel& o) const { return r == o.r && g == o.g && b == o.b; }
  bool operator!=(const Pixel& o) const { return !(*this == o); }
};
Pixel At(const simhost::Picture& picture, int32_t x, int32_t y);
std::ostream& operator<<(std::ostream& out, const Pixel& p);

// Reads a PNG file back; an empty picture when it cannot.
simhost::Picture ReadPng(const std::string& path);

}  // namespace windows_test

// A dialog's life with the host: opening, closing, destroying, unloading,
// saved layouts and the host's default handlers.
#include <gtest/gtest.h>

#include "fake_module.h"

namespace windows_test {
namespace {

class DialogLifeTest : public ::testing::Test {
 protected:
  simhost::Host host_;
  const c4d_function_table& table_ = host_.Table();
  const c4d_dialog_api& api_ = *table_.dialog;
  simhost::WindowSystem& windows_ = host_.Windows();
};

TEST_F(DialogLifeTest, OpeningBuildsOnceAndAgainOnlyRaisesTheWindow) {
  FakeDialog dialog(table_);
  dialog.create_layout = [&](FakeDialog& d) {
    api_.set_title(d.handle(), "Browser");
    return api_.default_create_layout(d.handle());
  };
  ASSERT_TRUE(dialog.Open(790, 500));
  EXPECT_EQ(dialog.calls, (std::vector<std::string>{"create_layout", "init_values"}));
  EXPECT_TRUE(dialog.Open(790, 500));
  EXPECT_EQ(dialog.Count("create_layout"), 1);
  EXPECT_EQ(windows_.RaiseCount(dialog.handle()), 1);
  EXPECT_EQ(windows_.Title(dialog.handle()), "Browser");
  EXPECT_EQ(windows_.WindowSize(dialog.handle()), std::make_pair(790, 500));
  EXPECT_EQ(windows_.FindOpenDialog(kFakePluginId), dialog.handle());
}

// Closing sends the destroy message and then runs destroy_window exactly
// once, also when the module passes the message to the host's default
// handling, which runs it too. The window can be opened again.
TEST_F(DialogLifeTest, CloseSendsDestroyThenDestroyWindowOnce) {
  for (bool pass_to_default : {true, false}) {
    FakeDialog dialog(table_);
    if (!pass_to_default) {
      dialog.message = [](FakeDialog&, const c4d_container*, c4d_container*) { return 1; };
    }
    ASSERT_TRUE(dialog.Open());
    dialog.calls.clear();
    EXPECT_TRUE(api_.close(dialog.handle()));
    EXPECT_EQ(dialog.calls, (std::vector<std::string>{"message 'dsty'", "destroy_window"}));
    EXPECT_FALSE(api_.is_open(dialog.handle()));
    EXPECT_FALSE(api_.close(dialog.handle()));
    ASSERT_TRUE(dialog.Open());
    EXPECT_EQ(dialog.Count("create_layout"), 1);  // counted since the clear
  }
}

TEST_F(DialogLifeTest, UserCloseAsksFirst) {
  FakeDialog dialog(table_);
  ASSERT_TRUE(dialog.Open());
  dialog.ask_close_keeps_open = true;
  EXPECT_FALSE(windows_.UserClose(dialog.handle()));
  EXPECT_TRUE(api_.is_open(dialog.handle()));
  dialog.ask_close_keeps_open = false;
  EXPECT_TRUE(windows_.UserClose(dialog.handle()));
  EXPECT_EQ(dialog.Count("message 'dsty'"), 1);
  EXPECT_EQ(dialog.Count("destroy_window"), 1);
}

// Destroying the handle of an open dialog says nothing to the module, and
// the handle is unknown from then on.
TEST_F(DialogLifeTest, DestroyedDialogIsNeverCalledAgain) {
  auto dialog = std::make_unique<FakeDialog>(table_);
  FakeArea area(table_);
  dialog->create_layout = [&](FakeDialog& d) {
    Area(api_, d.handle(), 7);
    area.Attach(d.handle(), 7);
    return true;
  };
  ASSERT_TRUE(dialog->Open());
  c4d_dialog* handle = dialog->handle();
  std::vector<std::string> calls = dialog->calls;
  int area_calls = area.Calls();
  api_.destroy(handle);
  EXPECT_EQ(dialog->calls, calls);
  EXPECT_FALSE(api_.is_open(handle));
  EXPECT_FALSE(api_.open(handle, 20, 1, -1, -1, 100, 100, 0));
  EXPECT_FALSE(windows_.Resize(handle, 300, 300));
  EXPECT_EQ(windows_.SendCursorInfo(handle, 1, 1), 0);
  EXPECT_EQ(api_.ua_get_dialog(area.handle), nullptr);
  api_.ua_redraw(area.handle);
  EXPECT_EQ(area.Calls(), area_calls);
  EXPECT_EQ(dialog->calls, calls);
  dialog.reset();  // destroys the unknown handle again: harmless
}

// Before the module goes, every open window is closed the proper way;
// after that nothing of the module is called, and what it does with its
// old handles while it tears down is harmless.
TEST_F(DialogLifeTest, CloseAllWindowsBeforeUnloadForgetsTheModule) {
  FakeDialog open(table_);
  FakeDialog closed(table_);
  FakeArea area(table_);
  open.create_layout = [&](FakeDialog& d) {
    Area(api_, d.handle(), 7);
    area.Attach(d.handle(), 7);
    return true;
  };
  ASSERT_TRUE(open.Open());
  windows_.CloseAllWindows();
  EXPECT_EQ(open.Count("message 'dsty'"), 1);
  EXPECT_EQ(open.Count("destroy_window"), 1);
  EXPECT_EQ(closed.calls.size(), 0u);
  int area_calls = area.Calls();
  size_t open_calls = open.calls.size();
  EXPECT_TRUE(windows_.Dialogs().empty());
  EXPECT_FALSE(open.Open());
  windows_.BroadcastCoreMessage(1);
  api_.ua_redraw(area.handle);
  EXPECT_EQ(area.Calls(), area_calls);
  EXPECT_EQ(open.calls.size(), open_calls);
}

TEST_F(DialogLifeTest, FailingDefaultsKeepTheWindowShut) {
  FakeDialog dialog(table_);
  windows_.SetDefaultInitValuesFails(true);
  EXPECT_FALSE(dialog.Open());
  EXPECT_FALSE(api_.is_open(dialog.handle()));
  EXPECT_EQ(dialog.Count("message 'dsty'"), 0);
  windows_.SetDefaultInitValuesFails(false);
  windows_.SetDefaultCreateLayoutFails(true);
  EXPECT_FALSE(dialog.Open());
  EXPECT_EQ(dialog.Count("init_values"), 1);
  windows_.SetDefaultCreateLayoutFails(false);
  EXPECT_TRUE(dialog.Open());
}

// Saving asks for the layout data and keeps an answer whose id is not -1;
// restoring opens the window and hands the data back under 'lays'.
TEST_F(DialogLifeTest, SavedLayoutTravelsBackOnRestore) {
  FakeDialog dialog(table_);
  const c4d_container_api& containers = *table_.container;
  int32_t restored_size = -1;
  bool answer = true;
  dialog.message = [&](FakeDialog& d, const c4d_container* msg, c4d_container* result) -> int32_t {
    int32_t id = containers.get_id(msg);
    if (id == C4D_BFM_LAYOUT_GETDATA && answer) {
      containers.set_id(result, 0);
      c4d_container* record = containers.create(0);
      c4d_value size{};
      size.type = C4D_VALUE_INT32;
      size.int32_value = 3;
      containers.set(record, 101, &size);
      c4d_value nested{};
      nested.type = C4D_VALUE_CONTAINER;
      nested.container = record;
      containers.set(result, kFakePluginId, &nested);
      containers.destroy(record);
      return 1;
    }
    if (id == C4D_BFM_LAYOUT_SETDATA) {
      c4d_value layout{};
      c4d_value record{};
      if (containers.get(msg, C4D_BFM_LAYOUT_SETDATA, &layout) &&
          containers.get(layout.container, kFakePluginId, &record)) {
        restored_size = IntAt(table_, record.container, 101);
      }
      return 1;
    }
    return api_.default_message(d.handle(), msg, result);
  };
  ASSERT_TRUE(dialog.Open(640, 480));
  simhost::SavedLayout saved = windows_.SaveLayout(dialog.handle());
  ASSERT_NE(saved.data, nullptr);
  EXPECT_EQ(saved.width, 640);
  api_.close(dialog.handle());
  ASSERT_TRUE(api_.restore_layout(dialog.handle(), kFakePluginId, 0, &saved));
  EXPECT_TRUE(api_.is_open(dialog.handle()));
  EXPECT_EQ(restored_size, 3);
  EXPECT_EQ(windows_.WindowSize(dialog.handle()), std::make_pair(640, 480));
  answer = false;
  EXPECT_EQ(windows_.SaveLayout(dialog.handle()).data, nullptr);
  // Without a record the dialog still opens and gets an empty message.
  api_.close(dialog.handle());
  restored_size = -1;
  EXPECT_TRUE(api_.restore_layout(dialog.handle(), kFakePluginId, 0, nullptr));
  EXPECT_EQ(dialog.Count("message 'lays'"), 2);
  EXPECT_EQ(restored_size, -1);
}

TEST_F(DialogLifeTest, CursorInfoAndTimerReachTheDialog) {
  FakeDialog dialog(table_);
  int32_t seen_x = -1;
  dialog.message = [&](FakeDialog&, const c4d_container* msg, c4d_container*) {
    seen_x = IntAt(table_, msg, C4D_BFM_INPUT_X);
    return 7;
  };
  ASSERT_TRUE(dialog.Open());
  EXPECT_EQ(windows_.SendCursorInfo(dialog.handle(), 12, 34), 7);
  EXPECT_EQ(dialog.Count("message 'cinf'"), 1);
  EXPECT_EQ(seen_x, 12);
  windows_.FireTimer(dialog.handle());
  EXPECT_EQ(dialog.Count("timer"), 0);  // no timer set
  api_.set_timer(dialog.handle(), 100);
  windows_.FireTimer(dialog.handle());
  EXPECT_EQ(dialog.Count("timer"), 1);
}

}  // namespace
}  // namespace windows_test

// Gadget values, the user's choices and clicks, and where input goes.
#include <gtest/gtest.h>

#include "fake_module.h"

namespace windows_test {
namespace {

class ValuesInputTest : public ::testing::Test {
 protected:
  int32_t Int(FakeDialog& d, int32_t id) {
    int32_t value = -12345;
    return api_.get_int32(d.handle(), id, &value) ? value : -12345;
  }
  void Set(FakeDialog& d, int32_t id, int32_t value) {
    api_.set_int32(d.handle(), id, value, INT32_MIN, INT32_MAX, 1, 0, INT32_MIN, INT32_MAX);
  }

  simhost::Host host_;
  const c4d_function_table& table_ = host_.Table();
  const c4d_dialog_api& api_ = *table_.dialog;
  simhost::WindowSystem& windows_ = host_.Windows();
};

// set_int32 selects the entry with that value; a value without an entry is
// kept and shows nothing.
TEST_F(ValuesInputTest, ComboBoxValuesSelectEntries) {
  FakeDialog dialog(table_);
  dialog.create_layout = [&](FakeDialog& d) {
    BuildBrowserLike(d);
    return true;
  };
  ASSERT_TRUE(dialog.Open());
  EXPECT_EQ(Int(dialog, 105), 0);
  EXPECT_EQ(windows_.QueryGadget(dialog.handle(), 105).text, "North");
  Set(dialog, 105, 9002);
  EXPECT_EQ(Int(dialog, 105), 9002);
  simhost::GadgetInfo combo = windows_.QueryGadget(dialog.handle(), 105);
  EXPECT_EQ(combo.text, "Show All");
  EXPECT_EQ(combo.selected_entry, 1);
  Set(dialog, 105, 77);
  EXPECT_EQ(Int(dialog, 105), 77);
  EXPECT_EQ(windows_.QueryGadget(dialog.handle(), 105).text, "");
  EXPECT_EQ(windows_.QueryGadget(dialog.handle(), 105).selected_entry, -1);
  EXPECT_EQ(Int(dialog, 4242), -12345);  // no such gadget
  EXPECT_EQ(Int(dialog, 2001), -12345);  // a group holds no number
}

// The user's choice sets the value before the command arrives, so the
// module reads the new value inside it; entries that do not exist cannot
// be chosen.
TEST_F(ValuesInputTest, ChoosingAnEntrySetsTheValueThenSendsTheCommand) {
  FakeDialog dialog(table_);
  int32_t read_in_command = -1;
  dialog.create_layout = [&](FakeDialog& d) {
    BuildBrowserLike(d);
    return true;
  };
  dialog.command = [&](FakeDialog& d, int32_t id, const c4d_container*) {
    read_in_command = Int(d, id);
  };
  ASSERT_TRUE(dialog.Open());
  EXPECT_TRUE(windows_.ChooseComboText(dialog.handle(), 101, "Medium"));
  EXPECT_EQ(dialog.commands, std::vector<int32_t>{101});
  EXPECT_EQ(dialog.command_values, std::vector<int32_t>{2});
  EXPECT_EQ(read_in_command, 2);
  EXPECT_FALSE(windows_.ChooseComboValue(dialog.handle(), 101, 3));
  EXPECT_FALSE(windows_.ChooseComboText(dialog.handle(), 101, "Huge"));
  api_.enable(dialog.handle(), 101, 0);
  EXPECT_FALSE(windows_.ChooseComboValue(dialog.handle(), 101, 1));
  EXPECT_EQ(dialog.commands.size(), 1u);
}

// Ids repeat (0 names a group and both texts); a lookup takes the first
// gadget in tree order that can answer it.
TEST_F(ValuesInputTest, RepeatedIdsResolveToTheFirstMatchInTreeOrder) {
  FakeDialog dialog(table_);
  dialog.create_layout = [&](FakeDialog& d) {
    BuildBrowserLike(d);
    return true;
  };
  ASSERT_TRUE(dialog.Open());
  std::string text;
  auto sink = [](void* ctx, const char* t, int64_t n) {
    static_cast<std::string*>(ctx)->assign(t, static_cast<size_t>(n));
  };
  ASSERT_TRUE(api_.get_string(dialog.handle(), 0, sink, &text));
  EXPECT_EQ(text, "");  // group 0 comes first; it has no title
  EXPECT_EQ(windows_.QueryGadget(dialog.handle(), 0).kind, "group");
  EXPECT_TRUE(api_.add_child(dialog.handle(), 105, 5, "East"));  // combo, not a group
  EXPECT_EQ(windows_.QueryGadget(dialog.handle(), 105).entries.size(), 3u);
  EXPECT_FALSE(api_.layout_flush_group(dialog.handle(), 105));  // not a group
}

// A click makes the area send an action to its dialog, which arrives as
// the command of the action's id; the wheel is left to the host and sends
// nothing; any button clicks.
TEST_F(ValuesInputTest, ClicksBecomeCommandsAndTheWheelDoesNot) {
  FakeDialog dialog(table_);
  FakeArea tile(table_);
  dialog.create_layout = [&](FakeDialog& d) {
    Area(api_, d.handle(), 6003);
    tile.Attach(d.handle(), 6003, 4);
    return true;
  };
  ASSERT_TRUE(dialog.Open());
  for (int32_t channel :
       {C4D_BFM_INPUT_MOUSELEFT, C4D_BFM_INPUT_MOUSERIGHT, C4D_BFM_INPUT_MOUSEMIDDLE}) {
    EXPECT_TRUE(windows_.SendInput(dialog.handle(), 6003, simhost::InputEvent::Click(channel)));
  }
  EXPECT_TRUE(windows_.SendInput(dialog.handle(), 6003, simhost::InputEvent::Wheel(-120)));
  EXPECT_EQ(tile.inputs, 4);
  EXPECT_EQ(dialog.commands, (std::vector<int32_t>{6003, 6003, 6003}));
  EXPECT_FALSE(windows_.SendInput(dialog.handle(), 6004, simhost::InputEvent::Click()));
}

// Input at a point goes to the area under it, scrolling included.
TEST_F(ValuesInputTest, InputAtAPointFindsTheAreaUnderItAfterScrolling) {
  FakeDialog dialog(table_);
  std::vector<std::unique_ptr<FakeArea>> tiles;
  dialog.create_layout = [&](FakeDialog& d) {
    BuildBrowserLike(d);
    return true;
  };
  ASSERT_TRUE(dialog.Open(400, 300));
  api_.layout_flush_group(dialog.handle(), 2001);
  Group(api_, dialog.handle(), 2001, 63, 1);
  for (int k = 0; k < 10; ++k) Area(api_, dialog.handle(), 6000 + k);
  End(api_, dialog.handle());
  for (int k = 0; k < 10; ++k) {
    tiles.push_back(std::make_unique<FakeArea>(table_));
    tiles.back()->Attach(dialog.handle(), 6000 + k);
  }
  api_.layout_changed(dialog.handle(), 2001, 1);
  std::vector<simhost::VisibleUserArea> seen = windows_.VisibleUserAreas(dialog.handle());
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.front().gadget_id, 6000);
  EXPECT_LT(seen.size(), 10u);
  const simhost::VisibleUserArea& first = seen.front();
  int32_t x = first.x + 5;
  int32_t y = first.y + 15 - simhost::kTitleBarHeight;
  EXPECT_TRUE(windows_.SendInputAt(dialog.handle(), x, y, simhost::InputEvent::Click()));
  EXPECT_EQ(dialog.commands.back(), 6000);
  EXPECT_TRUE(windows_.SendInputAt(dialog.handle(), x, y, simhost::InputEvent::Wheel(-120)));
  EXPECT_TRUE(windows_.SendInputAt(dialog.handle(), x, y, simhost::InputEvent::Click()));
  EXPECT_NE(dialog.commands.back(), 6000);  // another tile is under the point now
  EXPECT_FALSE(windows_.SendInputAt(dialog.handle(), 1, 1, simhost::InputEvent::Click()));
}

}  // namespace
}  // namespace windows_test

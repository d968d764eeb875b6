// The scroll group's visible area: right from InitValues, following the
// window's size, failing where there is nothing to ask, and moved by the
// wheel.
#include <gtest/gtest.h>

#include "fake_module.h"

namespace windows_test {
namespace {

struct Visible {
  int32_t x1 = -1, y1 = -1, x2 = -1, y2 = -1;
  c4d_bool ok = 0;
};

class ScrollTest : public ::testing::Test {
 protected:
  Visible Ask(c4d_dialog* d, int32_t id = 2000) {
    Visible v;
    v.ok = api_.get_visible_area(d, id, &v.x1, &v.y1, &v.x2, &v.y2);
    return v;
  }
  // A grid of areas too tall for the window.
  void FillTallGrid(FakeDialog& d, std::vector<std::unique_ptr<FakeArea>>& areas, int count) {
    api_.layout_flush_group(d.handle(), 2001);
    Group(api_, d.handle(), 2001, 63, 2);
    for (int k = 0; k < count; ++k) Area(api_, d.handle(), 6000 + k);
    End(api_, d.handle());
    for (int k = 0; k < count; ++k) {
      areas.push_back(std::make_unique<FakeArea>(table_));
      areas.back()->min_height = 100;
      areas.back()->Attach(d.handle(), 6000 + k);
    }
    api_.layout_changed(d.handle(), 2001, 1);
  }

  simhost::Host host_;
  const c4d_function_table& table_ = host_.Table();
  const c4d_dialog_api& api_ = *table_.dialog;
  simhost::WindowSystem& windows_ = host_.Windows();
  // What the window takes from the width around the scroll group: the
  // margins on both sides and the vertical scroll bar.
  const int32_t chrome_ = 2 * simhost::kWindowMargin + simhost::kScrollbarSize;
};

// The module computes its grid columns from the visible width inside
// InitValues, before the window was ever laid out; the answer must already
// be the one the window keeps.
TEST_F(ScrollTest, VisibleAreaIsRightFromInitValuesOn) {
  FakeDialog dialog(table_);
  Visible during_init;
  dialog.create_layout = [&](FakeDialog& d) {
    BuildBrowserLike(d);
    return true;
  };
  dialog.init_values = [&](FakeDialog& d) {
    during_init = Ask(d.handle());
    return true;
  };
  ASSERT_TRUE(dialog.Open(790, 500));
  ASSERT_TRUE(during_init.ok);
  EXPECT_EQ(during_init.x1, 0);
  EXPECT_EQ(during_init.y1, 0);
  EXPECT_EQ(during_init.x2, 790 - chrome_);
  Visible after = Ask(dialog.handle());
  EXPECT_EQ(after.x2, during_init.x2);
  EXPECT_EQ(after.y2, during_init.y2);
  EXPECT_GT(after.y2, 300);
}

TEST_F(ScrollTest, ResizeSendsTheSizeMessageAndTheVisibleAreaFollows) {
  FakeDialog dialog(table_);
  Visible seen_in_message;
  dialog.create_layout = [&](FakeDialog& d) {
    BuildBrowserLike(d);
    return true;
  };
  dialog.message = [&](FakeDialog& d, const c4d_container* msg, c4d_container* result) {
    if (table_.container->get_id(msg) == C4D_BFM_SIZED) seen_in_message = Ask(d.handle());
    return api_.default_message(d.handle(), msg, result);
  };
  ASSERT_TRUE(dialog.Open(790, 500));
  Visible before = Ask(dialog.handle());
  ASSERT_TRUE(windows_.Resize(dialog.handle(), 1237, 700));
  EXPECT_EQ(dialog.Count("message 'bISI'"), 1);
  EXPECT_EQ(seen_in_message.x2, 1215);  // already laid out when the message comes
  Visible after = Ask(dialog.handle());
  EXPECT_EQ(after.x2, 1215);
  EXPECT_EQ(after.y2 - before.y2, 200);
  EXPECT_EQ(windows_.WindowSize(dialog.handle()), std::make_pair(1237, 700));
}

TEST_F(ScrollTest, VisibleAreaFailsWithoutAnOpenWindowOrScrollGroup) {
  FakeDialog dialog(table_);
  dialog.create_layout = [&](FakeDialog& d) {
    BuildBrowserLike(d);
    return true;
  };
  EXPECT_FALSE(Ask(dialog.handle()).ok);  // never opened
  ASSERT_TRUE(dialog.Open());
  EXPECT_FALSE(Ask(dialog.handle(), 2001).ok);  // a plain group
  EXPECT_FALSE(Ask(dialog.handle(), 4242).ok);
  EXPECT_TRUE(Ask(dialog.handle()).ok);
  api_.close(dialog.handle());
  EXPECT_FALSE(Ask(dialog.handle()).ok);
  EXPECT_FALSE(api_.get_visible_area(nullptr, 2000, nullptr, nullptr, nullptr, nullptr));
}

// The wheel over an area that leaves it to the host scrolls the grid, and
// stops at both ends of the content.
TEST_F(ScrollTest, WheelScrollsContentTallerThanTheView) {
  FakeDialog dialog(table_);
  std::vector<std::unique_ptr<FakeArea>> areas;
  dialog.create_layout = [&](FakeDialog& d) {
    BuildBrowserLike(d);
    return true;
  };
  ASSERT_TRUE(dialog.Open(400, 300));
  FillTallGrid(dialog, areas, 20);
  Visible top = Ask(dialog.handle());
  ASSERT_EQ(top.y1, 0);
  ASSERT_TRUE(windows_.SendInput(dialog.handle(), 6000, simhost::InputEvent::Wheel(-120)));
  Visible scrolled = Ask(dialog.handle());
  EXPECT_GT(scrolled.y1, 0);
  EXPECT_EQ(scrolled.y2 - scrolled.y1, top.y2 - top.y1);
  EXPECT_TRUE(dialog.commands.empty());
  for (int i = 0; i < 100; ++i)
    windows_.SendInput(dialog.handle(), 6000, simhost::InputEvent::Wheel(-120));
  Visible bottom = Ask(dialog.handle());
  simhost::GadgetInfo grid = windows_.QueryGadget(dialog.handle(), 2001);
  EXPECT_EQ(bottom.y2, grid.height);  // the last pixel row of the content shows
  for (int i = 0; i < 100; ++i)
    windows_.SendInput(dialog.handle(), 6000, simhost::InputEvent::Wheel(120));
  EXPECT_EQ(Ask(dialog.handle()).y1, 0);
}

// An area answering false to the wheel leaves it to its parent: the grid
// scrolls all the same; one answering true keeps it.
TEST_F(ScrollTest, WheelAnAreaRefusesStillScrollsItsGroup) {
  FakeDialog dialog(table_);
  std::vector<std::unique_ptr<FakeArea>> areas;
  dialog.create_layout = [&](FakeDialog& d) {
    BuildBrowserLike(d);
    return true;
  };
  ASSERT_TRUE(dialog.Open(400, 300));
  FillTallGrid(dialog, areas, 20);
  areas[0]->input = [](FakeArea&, const c4d_container*) { return 0; };
  areas[1]->input = [](FakeArea&, const c4d_container*) { return 1; };
  windows_.SendInput(dialog.handle(), 6001, simhost::InputEvent::Wheel(-120));
  EXPECT_EQ(Ask(dialog.handle()).y1, 0);
  windows_.SendInput(dialog.handle(), 6000, simhost::InputEvent::Wheel(-120));
  EXPECT_GT(Ask(dialog.handle()).y1, 0);
}

}  // namespace
}  // namespace windows_test

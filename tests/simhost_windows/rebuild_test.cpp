// Rebuilding groups in place, user areas that lose their gadgets, and the
// module changing the window from inside its own callbacks.
#include <gtest/gtest.h>

#include <algorithm>

#include "fake_module.h"

namespace windows_test {
namespace {

class RebuildTest : public ::testing::Test {
 protected:
  size_t Occurrences(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
      ++count;
    return count;
  }

  // Fills grid group 2001 of a browser-like window the way the browser
  // does: flush, the same id again, cells, end, layout changed.
  void FillGrid(FakeDialog& d, std::vector<std::unique_ptr<FakeArea>>& tiles, int count,
                int columns) {
    c4d_dialog* h = d.handle();
    api_.layout_flush_group(h, 2001);
    Group(api_, h, 2001, 63, columns);
    api_.group_space(h, 10, 20);
    for (int k = 0; k < count; ++k) {
      Group(api_, h, 0, 0, 0, 5);
      Group(api_, h, 10001 + k, 0, 0, 5);
      Area(api_, h, 6000 + k);
      tiles.push_back(std::make_unique<FakeArea>(table_));
      tiles.back()->Attach(h, 6000 + k, 4);
      End(api_, h);
      api_.add_static_text(h, 0, 1, 0, 0, ("tile " + std::to_string(k)).c_str(), 0);
      End(api_, h);
    }
    End(api_, h);
    api_.layout_changed(h, 2000, 1);
    api_.layout_changed(h, 2001, 1);
  }

  // Groups 60 to last, each holding a static text of id 50 reading
  // "in <group>".
  bool OpenWithSharedIds(FakeDialog& dialog, int32_t last) {
    dialog.create_layout = [this, last](FakeDialog& d) {
      for (int32_t group = 60; group <= last; ++group) {
        Group(api_, d.handle(), group, 0, 1);
        api_.add_static_text(d.handle(), 50, 0, 0, 0, ("in " + std::to_string(group)).c_str(), 0);
        End(api_, d.handle());
      }
      return true;
    };
    return dialog.Open();
  }

  simhost::Host host_;
  const c4d_function_table& table_ = host_.Table();
  const c4d_dialog_api& api_ = *table_.dialog;
  simhost::WindowSystem& windows_ = host_.Windows();
};

TEST_F(RebuildTest, FlushThenTheSameIdRefillsTheGroupInPlace) {
  FakeDialog dialog(table_);
  std::vector<std::unique_ptr<FakeArea>> tiles;
  dialog.create_layout = [&](FakeDialog& d) {
    BuildBrowserLike(d);
    return true;
  };
  ASSERT_TRUE(dialog.Open());
  FillGrid(dialog, tiles, 5, 3);
  FillGrid(dialog, tiles, 4, 2);
  std::string tree = windows_.DescribeTree(dialog.handle());
  EXPECT_EQ(Occurrences(tree, "group 2001 "), 1u) << tree;
  EXPECT_EQ(windows_.QueryGadget(dialog.handle(), 2001).columns, 2);
  EXPECT_EQ(windows_.QueryGadget(dialog.handle(), 2001).child_count, 4u);
  std::string grid = windows_.DescribeGrid(dialog.handle(), 2001);
  EXPECT_NE(grid.find("2 columns, 2 rows, 4 cells"), std::string::npos) << grid;
  EXPECT_NE(grid.find("cell 3 column 1 row 1"), std::string::npos) << grid;
  EXPECT_NE(grid.find("userarea 6003 attached 50x30 label \"tile 3\""), std::string::npos) << grid;
  // Gadgets added after the group's end land in the flushed group's parent
  // chain again, not in a stale place.
  EXPECT_EQ(windows_.QueryGadget(dialog.handle(), 2000).child_count, 1u);
}

// The five tiles of the first fill lost their gadgets: they keep valid
// handles but are never called again, whatever the window does.
TEST_F(RebuildTest, FlushedUserAreasAreNeverCalledAgain) {
  FakeDialog dialog(table_);
  std::vector<std::unique_ptr<FakeArea>> tiles;
  dialog.create_layout = [&](FakeDialog& d) {
    BuildBrowserLike(d);
    return true;
  };
  ASSERT_TRUE(dialog.Open());
  FillGrid(dialog, tiles, 5, 3);
  windows_.RenderWindow(dialog.handle());
  std::vector<int> calls;
  for (auto& tile : tiles) calls.push_back(tile->Calls());
  EXPECT_GT(tiles[0]->draws, 0);
  FillGrid(dialog, tiles, 2, 3);
  windows_.RenderWindow(dialog.handle());
  windows_.Resize(dialog.handle(), 600, 400);
  windows_.SendInput(dialog.handle(), 6000, simhost::InputEvent::Click());
  windows_.BroadcastCoreMessage(5);
  for (size_t k = 0; k < 5; ++k) {
    EXPECT_EQ(tiles[k]->Calls(), calls[k]) << "tile " << k;
    EXPECT_EQ(api_.ua_get_id(tiles[k]->handle), static_cast<int32_t>(6000 + k));
    EXPECT_EQ(api_.ua_get_width(tiles[k]->handle), 0);
    EXPECT_EQ(api_.ua_get_dialog(tiles[k]->handle), dialog.handle());
  }
  EXPECT_GT(tiles[5]->draws, 0);
  EXPECT_EQ(tiles[5]->inputs, 1);
  // Drawing from a detached handle lands nowhere.
  api_.ua_draw_rectangle(tiles[0]->handle, 0, 0, 10, 10);
  EXPECT_TRUE(windows_.DrawCalls(dialog.handle(), 6000).size() > 0);
  size_t logged = windows_.DrawCalls(dialog.handle(), 6000).size();
  api_.ua_draw_rectangle(tiles[0]->handle, 0, 0, 10, 10);
  EXPECT_EQ(windows_.DrawCalls(dialog.handle(), 6000).size(), logged);
}

// Released while its gadget stands: the gadget stays and draws nothing.
TEST_F(RebuildTest, ReleasingAnAttachedAreaEmptiesItsGadget) {
  FakeDialog dialog(table_);
  FakeArea area(table_);
  dialog.create_layout = [&](FakeDialog& d) {
    Area(api_, d.handle(), 7);
    area.Attach(d.handle(), 7);
    return true;
  };
  ASSERT_TRUE(dialog.Open());
  EXPECT_TRUE(windows_.QueryGadget(dialog.handle(), 7).has_user_area);
  area.Release();
  simhost::GadgetInfo gadget = windows_.QueryGadget(dialog.handle(), 7);
  EXPECT_TRUE(gadget.found);
  EXPECT_FALSE(gadget.has_user_area);
  int draws = area.draws;
  windows_.RenderWindow(dialog.handle());
  EXPECT_EQ(area.draws, draws);
  api_.ua_release(reinterpret_cast<c4d_userarea*>(0x12345));  // unknown handles are ignored
}

// The browser's pressed flash: a click reaches the command, which flushes
// the very group of the clicked area, builds it again, draws the new area
// directly (outside any redraw), and does it once more.
TEST_F(RebuildTest, CommandMayRebuildTheClickedAreaAndDrawItDirectly) {
  FakeDialog dialog(table_);
  std::vector<std::unique_ptr<FakeArea>> tiles;
  c4d_bitmap* picture = SolidBitmap(table_, 40, 20, 200, 100, 50);
  dialog.create_layout = [&](FakeDialog& d) {
    BuildBrowserLike(d);
    return true;
  };
  auto rebuild = [&](FakeDialog& d, int32_t number, int32_t mode) {
    api_.layout_flush_group(d.handle(), 10001 + number);
    Group(api_, d.handle(), 10001 + number, 0, 0, 1);
    Area(api_, d.handle(), 6000 + number);
    tiles.push_back(std::make_unique<FakeArea>(table_));
    FakeArea& tile = *tiles.back();
    tile.draw = [&table = table_, picture, mode](FakeArea& a) {
      table.dialog->ua_draw_bitmap(a.handle, picture, 0, 0, 40, 20, 0, 0, 40, 20, mode);
    };
    tile.Attach(d.handle(), 6000 + number, 4);
    End(api_, d.handle());
    return &tile;
  };
  dialog.command = [&](FakeDialog& d, int32_t id, const c4d_container*) {
    int32_t number = id - 6000;
    FakeArea* pressed = rebuild(d, number, 1281);
    DrawDirectly(*pressed);
    api_.layout_changed(d.handle(), 10001 + number, 1);
    rebuild(d, number, 257);
    api_.layout_changed(d.handle(), 10001 + number, 1);
  };
  ASSERT_TRUE(dialog.Open());
  FillGrid(dialog, tiles, 3, 3);
  ASSERT_TRUE(windows_.SendInput(dialog.handle(), 6001, simhost::InputEvent::Click()));
  EXPECT_EQ(dialog.commands, std::vector<int32_t>{6001});
  std::vector<simhost::DrawCall> drawn = windows_.DrawCalls(dialog.handle(), 6001);
  ASSERT_EQ(drawn.size(), 1u);
  EXPECT_EQ(drawn[0].mode, 1281);
  EXPECT_FALSE(drawn[0].inside_draw_msg);
  EXPECT_EQ(drawn[0].w, 40);
  EXPECT_EQ(drawn[0].bitmap_height, 20);
  windows_.RenderWindow(dialog.handle());
  drawn = windows_.DrawCalls(dialog.handle(), 6001);
  EXPECT_EQ(drawn.back().mode, 257);
  EXPECT_TRUE(drawn.back().inside_draw_msg);
  table_.bitmap->free(picture);
}

// A grid rebuilt from a command asks for two layouts in a row; the window
// is laid out once, and before the click returns, so every new tile is
// sized exactly once. A question asked inside the command sees the new
// grid already laid out.
TEST_F(RebuildTest, LayoutRequestsInARowAreLaidOutOnceBeforeTheCallReturns) {
  FakeDialog dialog(table_);
  std::vector<std::unique_ptr<FakeArea>> tiles;
  dialog.create_layout = [&](FakeDialog& d) {
    BuildBrowserLike(d);
    return true;
  };
  ASSERT_TRUE(dialog.Open());
  FillGrid(dialog, tiles, 3, 3);
  simhost::GadgetInfo seen_inside;
  dialog.command = [&](FakeDialog& d, int32_t, const c4d_container*) {
    FillGrid(d, tiles, 4, 2);
    seen_inside = windows_.QueryGadget(d.handle(), 6003);
  };
  ASSERT_TRUE(windows_.SendInput(dialog.handle(), 6001, simhost::InputEvent::Click()));
  ASSERT_EQ(tiles.size(), 7u);
  for (size_t k = 3; k < tiles.size(); ++k) {
    EXPECT_EQ(tiles[k]->inits, 1) << k;
    EXPECT_EQ(tiles[k]->min_size_calls, 1) << k;
    EXPECT_EQ(tiles[k]->sized_calls, 1) << k;
  }
  EXPECT_EQ(seen_inside.width, 50);
  EXPECT_EQ(seen_inside.height, 30);
  simhost::GadgetInfo after = windows_.QueryGadget(dialog.handle(), 6003);
  EXPECT_EQ(after.x, seen_inside.x);
  EXPECT_EQ(after.y, seen_inside.y);
}

TEST_F(RebuildTest, SharedIdsResolveInTreeOrderAfterRemovals) {
  FakeDialog dialog(table_);
  ASSERT_TRUE(OpenWithSharedIds(dialog, 62));
  c4d_dialog* h = dialog.handle();
  EXPECT_EQ(windows_.QueryGadget(h, 50).text, "in 60");
  ASSERT_TRUE(api_.remove_element(h, 60));
  EXPECT_EQ(windows_.QueryGadget(h, 50).text, "in 61");
  ASSERT_TRUE(api_.layout_flush_group(h, 61));
  EXPECT_EQ(windows_.QueryGadget(h, 50).text, "in 62");
  ASSERT_TRUE(api_.remove_element(h, 62));
  EXPECT_FALSE(windows_.QueryGadget(h, 50).found);
}

// Gadgets sharing an id leave from the front, the back and the middle of
// their list; lookups stay in tree order and a refill joins the list again.
TEST_F(RebuildTest, SharedIdsSurviveRemovalsFromAnyPlace) {
  FakeDialog dialog(table_);
  ASSERT_TRUE(OpenWithSharedIds(dialog, 65));
  c4d_dialog* h = dialog.handle();
  for (int32_t group : {63, 65, 60, 62}) {
    ASSERT_TRUE(api_.remove_element(h, group)) << group;
  }
  EXPECT_EQ(windows_.QueryGadget(h, 50).text, "in 61");
  ASSERT_TRUE(api_.layout_flush_group(h, 61));
  EXPECT_EQ(windows_.QueryGadget(h, 50).text, "in 64");
  Group(api_, h, 61, 0, 1);
  api_.add_static_text(h, 50, 0, 0, 0, "in 61 again", 0);
  End(api_, h);
  EXPECT_EQ(windows_.QueryGadget(h, 50).text, "in 61 again");
  ASSERT_TRUE(api_.remove_element(h, 61));
  ASSERT_TRUE(api_.remove_element(h, 64));
  EXPECT_FALSE(windows_.QueryGadget(h, 50).found);
  EXPECT_FALSE(api_.remove_element(h, 50));
}

}  // namespace
}  // namespace windows_test

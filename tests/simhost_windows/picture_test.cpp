// Window and user-area pictures: size, frame, controls, the module's own
// drawing with its modes, clipping and scroll bars, and the PNG file.
#include <gtest/gtest.h>

#include <cstdio>

#include "fake_module.h"
#include "gui/window_painter.h"

namespace windows_test {
namespace {

namespace palette = simhost::palette;

Pixel Of(simhost::Rgb c) { return Pixel{c.r, c.g, c.b}; }

class PictureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dialog_.create_layout = [&](FakeDialog& d) {
      BuildBrowserLike(d);
      return true;
    };
  }
  // One tile per area, each drawing a solid bitmap of its own colour.
  void FillTiles(int count, int32_t width, int32_t height, int32_t mode) {
    c4d_dialog* h = dialog_.handle();
    api_.layout_flush_group(h, 2001);
    Group(api_, h, 2001, 63, 2);
    api_.group_space(h, 10, 20);
    for (int k = 0; k < count; ++k) Area(api_, h, 6000 + k);
    End(api_, h);
    for (int k = 0; k < count; ++k) {
      bitmaps_.push_back(SolidBitmap(table_, 8, 4, 40 * k, 200, 250));
      tiles_.push_back(std::make_unique<FakeArea>(table_));
      FakeArea& tile = *tiles_.back();
      tile.min_width = width;
      tile.min_height = height;
      c4d_bitmap* bitmap = bitmaps_.back();
      tile.draw = [this, bitmap, width, height, mode](FakeArea& a) {
        api_.ua_draw_bitmap(a.handle, bitmap, 0, 0, width, height, 0, 0, 8, 4, mode);
      };
      tile.Attach(h, 6000 + k, 4);
    }
    api_.layout_changed(h, 2001, 1);
  }
  void TearDown() override {
    tiles_.clear();
    for (c4d_bitmap* bitmap : bitmaps_) table_.bitmap->free(bitmap);
  }

  simhost::Host host_;
  const c4d_function_table& table_ = host_.Table();
  const c4d_dialog_api& api_ = *table_.dialog;
  simhost::WindowSystem& windows_ = host_.Windows();
  FakeDialog dialog_{table_};
  std::vector<std::unique_ptr<FakeArea>> tiles_;
  std::vector<c4d_bitmap*> bitmaps_;
};

// Mode 257 copies the pixels; 1281 (with the dimmed bit) halves them, so a
// pressed tile looks pressed. The bitmap is stretched to the destination.
TEST_F(PictureTest, BitmapsAreScaledAndThePressedModeIsDimmed) {
  ASSERT_TRUE(dialog_.Open());
  FillTiles(2, 80, 40, 257);
  tiles_[1]->draw = [this](FakeArea& a) {
    api_.ua_draw_bitmap(a.handle, bitmaps_[1], 0, 0, 80, 40, 0, 0, 8, 4, 1281);
  };
  simhost::Picture normal = windows_.RenderUserArea(dialog_.handle(), 6000);
  simhost::Picture pressed = windows_.RenderUserArea(dialog_.handle(), 6001);
  ASSERT_EQ(normal.width, 80);
  ASSERT_EQ(normal.height, 40);
  EXPECT_EQ(At(normal, 0, 0), (Pixel{0, 200, 250}));
  EXPECT_EQ(At(normal, 79, 39), (Pixel{0, 200, 250}));
  EXPECT_EQ(At(pressed, 40, 20), (Pixel{20, 100, 125}));
  std::vector<simhost::DrawCall> calls = windows_.DrawCalls(dialog_.handle(), 6001);
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls.back().mode, 1281);
  EXPECT_EQ(calls.back().w, 80);
  EXPECT_EQ(calls.back().source_w, 8);
  EXPECT_EQ(calls.back().bitmap_width, 8);
}

// Half of a two-colour bitmap onto a bigger rectangle: the source part
// decides what lands, and nothing is drawn beyond the area.
TEST_F(PictureTest, SourcePartGoesToTheDestinationPart) {
  ASSERT_TRUE(dialog_.Open());
  c4d_bitmap* split = SolidBitmap(table_, 10, 10, 255, 0, 0);
  for (int32_t y = 0; y < 10; ++y) {
    for (int32_t x = 5; x < 10; ++x) table_.bitmap->set_pixel(split, x, y, 0, 0, 255);
  }
  bitmaps_.push_back(split);
  FillTiles(1, 60, 30, 257);
  tiles_[0]->draw = [this, split](FakeArea& a) {
    api_.ua_draw_bitmap(a.handle, split, 10, 0, 40, 30, 3, 0, 4, 10, 257);
    api_.ua_draw_bitmap(a.handle, split, 50, 0, 500, 500, 0, 0, 10, 10, 257);
  };
  simhost::Picture area = windows_.RenderUserArea(dialog_.handle(), 6000);
  EXPECT_EQ(At(area, 5, 5), Of(palette::kBackground));
  EXPECT_EQ(At(area, 10, 5), (Pixel{255, 0, 0}));  // source column 3
  EXPECT_EQ(At(area, 49, 5), (Pixel{0, 0, 255}));  // source column 6
  EXPECT_EQ(At(area, 59, 29), (Pixel{255, 0, 0}));
}

// A tile half scrolled out of view is cut at the scroll group's edge: it
// never paints over the controls above the grid.
TEST_F(PictureTest, DrawingIsClippedToTheVisiblePartOfTheScrollGroup) {
  ASSERT_TRUE(dialog_.Open(400, 300));
  FillTiles(12, 150, 100, 257);
  int32_t x1, y1, x2, y2;
  ASSERT_TRUE(api_.set_visible_area(dialog_.handle(), 2000, 0, 60, 0, 0));
  ASSERT_TRUE(api_.get_visible_area(dialog_.handle(), 2000, &x1, &y1, &x2, &y2));
  EXPECT_EQ(y1, 60);
  simhost::Picture window = windows_.RenderWindow(dialog_.handle());
  simhost::GadgetInfo scroll = windows_.QueryGadget(dialog_.handle(), 2000);
  const int32_t top = scroll.y + simhost::kTitleBarHeight;
  const int32_t left = windows_.VisibleUserAreas(dialog_.handle()).front().visible_x;
  EXPECT_EQ(At(window, left + 5, top), (Pixel{0, 200, 250}));
  EXPECT_NE(At(window, left + 5, top - 1), (Pixel{0, 200, 250}));
  for (const simhost::VisibleUserArea& seen : windows_.VisibleUserAreas(dialog_.handle())) {
    EXPECT_GE(seen.visible_y, top);
  }
}

// The saved window: its size, the title bar, the grey dialog, the combo
// boxes with their entry text and the tiles.
TEST_F(PictureTest, WindowPngHasTheWindowSizeAndItsParts) {
  ASSERT_TRUE(dialog_.Open(790, 500));
  FillTiles(12, 240, 120, 257);
  const std::string path = ::testing::TempDir() + "window_picture_test.png";
  std::string error;
  ASSERT_TRUE(windows_.SavePicture(dialog_.handle(), path, &error)) << error;
  simhost::Picture png = ReadPng(path);
  std::remove(path.c_str());
  ASSERT_EQ(png.width, 790);
  ASSERT_EQ(png.height, 500);
  EXPECT_EQ(At(png, 789, 2), Of(palette::kTitleBar));
  EXPECT_EQ(At(png, 1, simhost::kTitleBarHeight + 1), Of(palette::kBackground));
  simhost::VisibleUserArea tile = windows_.VisibleUserAreas(dialog_.handle()).front();
  EXPECT_EQ(At(png, tile.x + 1, tile.y + 1), (Pixel{0, 200, 250}));
  // Some text pixels in the title and in the combo box that shows "North".
  simhost::GadgetInfo combo = windows_.QueryGadget(dialog_.handle(), 105);
  auto has = [&](int32_t x0, int32_t y0, int32_t w, int32_t h, Pixel colour) {
    for (int32_t y = y0; y < y0 + h; ++y) {
      for (int32_t x = x0; x < x0 + w; ++x) {
        if (At(png, x, y) == colour) return true;
      }
    }
    return false;
  };
  EXPECT_TRUE(has(0, 0, 200, simhost::kTitleBarHeight, Of(palette::kTitleText)));
  const int32_t combo_top = combo.y + simhost::kTitleBarHeight;
  EXPECT_TRUE(has(combo.x, combo_top, combo.width - 20, combo.height, Of(palette::kText)));
  // A value without an entry leaves the box blank.
  api_.set_int32(dialog_.handle(), 105, 55, INT32_MIN, INT32_MAX, 1, 0, INT32_MIN, INT32_MAX);
  png = windows_.RenderWindow(dialog_.handle());
  EXPECT_FALSE(has(combo.x, combo_top, combo.width - 20, combo.height, Of(palette::kText)));
}

// The vertical scroll bar is always there for a group that scrolls that
// way; its thumb only while the content overflows.
TEST_F(PictureTest, ScrollThumbOnlyWhileTheContentOverflows) {
  ASSERT_TRUE(dialog_.Open(790, 500));
  auto thumb_in_track = [&]() {
    simhost::Picture window = windows_.RenderWindow(dialog_.handle());
    simhost::GadgetInfo scroll = windows_.QueryGadget(dialog_.handle(), 2000);
    const int32_t x = scroll.x + scroll.width - simhost::kScrollbarSize / 2;
    const int32_t top = scroll.y + simhost::kTitleBarHeight;
    bool thumb = false;
    for (int32_t y = top; y < top + scroll.height - simhost::kScrollbarSize; ++y) {
      EXPECT_TRUE(At(window, x, y) == Of(palette::kScrollThumb) ||
                  At(window, x, y) == Of(palette::kScrollTrack));
      thumb = thumb || At(window, x, y) == Of(palette::kScrollThumb);
    }
    return thumb;
  };
  FillTiles(2, 100, 50, 257);
  EXPECT_FALSE(thumb_in_track());
  FillTiles(12, 240, 120, 257);
  EXPECT_TRUE(thumb_in_track());
}

TEST_F(PictureTest, PicturesOfNothingFailCleanly) {
  std::string error;
  EXPECT_FALSE(windows_.SavePicture(dialog_.handle(), ::testing::TempDir() + "x.png", &error));
  EXPECT_FALSE(error.empty());
  ASSERT_TRUE(dialog_.Open());
  EXPECT_FALSE(windows_.SaveUserAreaPicture(dialog_.handle(), 4242, "/tmp/x.png", &error));
  EXPECT_FALSE(windows_.SavePicture(dialog_.handle(), "/no/such/folder/x.png", &error));
}

}  // namespace
}  // namespace windows_test

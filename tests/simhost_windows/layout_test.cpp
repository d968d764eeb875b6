// The layout engine as the module meets it: grids, spacing, alignment,
// minimum sizes, and the shapes the browser's grid can take.
#include "gui/layout.h"

#include <gtest/gtest.h>

#include "fake_module.h"
#include "gui/dialog.h"

namespace windows_test {
namespace {

using simhost::GadgetInfo;

class LayoutTest : public ::testing::Test {
 protected:
  GadgetInfo Query(FakeDialog& d, int32_t id) {
    return host_.Windows().QueryGadget(d.handle(), id);
  }

  simhost::Host host_;
  const c4d_function_table& table_ = host_.Table();
  const c4d_dialog_api& api_ = *table_.dialog;
};

// Five areas of 50x30 in a 3-column group with 10/20 spacing: two rows,
// cells 60 apart across and 50 apart down, filled row by row.
TEST_F(LayoutTest, ColumnsFillRowByRowWithTheGroupSpacing) {
  FakeDialog dialog(table_);
  FakeArea areas[5] = {FakeArea(table_), FakeArea(table_), FakeArea(table_), FakeArea(table_),
                       FakeArea(table_)};
  dialog.create_layout = [&](FakeDialog& d) {
    Group(api_, d.handle(), 7, 8 | 1, 3);
    api_.group_space(d.handle(), 10, 20);
    for (int32_t k = 0; k < 5; ++k) Area(api_, d.handle(), 6000 + k);
    End(api_, d.handle());
    for (int32_t k = 0; k < 5; ++k) areas[k].Attach(d.handle(), 6000 + k);
    return true;
  };
  ASSERT_TRUE(dialog.Open());
  GadgetInfo first = Query(dialog, 6000);
  EXPECT_EQ(first.width, 50);
  EXPECT_EQ(first.height, 30);
  EXPECT_EQ(Query(dialog, 6001).x - first.x, 60);
  EXPECT_EQ(Query(dialog, 6002).x - first.x, 120);
  EXPECT_EQ(Query(dialog, 6003).x, first.x);
  EXPECT_EQ(Query(dialog, 6003).y - first.y, 50);
  EXPECT_EQ(Query(dialog, 6004).x - first.x, 60);
  GadgetInfo group = Query(dialog, 7);
  EXPECT_EQ(group.width, 3 * 50 + 2 * 10);
  EXPECT_EQ(group.height, 2 * 30 + 20);
  EXPECT_NE(host_.Windows().DescribeGrid(dialog.handle(), 7).find("3 columns, 2 rows, 5 cells"),
            std::string::npos);
}

// A visible width narrower than one cell gives the grid 0 columns; rows 0
// too. It is laid out as one column, and cells of 0 columns and R rows
// stack their children.
TEST_F(LayoutTest, ZeroColumnsStackChildrenInOneColumn) {
  FakeDialog dialog(table_);
  FakeArea a(table_), b(table_), c(table_);
  dialog.create_layout = [&](FakeDialog& d) {
    Group(api_, d.handle(), 2001, 63, 0, 0);
    Group(api_, d.handle(), 0, 0, 0, 5);
    Area(api_, d.handle(), 6000);
    api_.add_static_text(d.handle(), 0, 1, 0, 0, "label", 0);
    End(api_, d.handle());
    Area(api_, d.handle(), 6001);
    Area(api_, d.handle(), 6002);
    End(api_, d.handle());
    a.Attach(d.handle(), 6000);
    b.Attach(d.handle(), 6001);
    c.Attach(d.handle(), 6002);
    return true;
  };
  ASSERT_TRUE(dialog.Open());
  GadgetInfo first = Query(dialog, 6000);
  GadgetInfo second = Query(dialog, 6001);
  GadgetInfo third = Query(dialog, 6002);
  EXPECT_EQ(second.y, third.y - 30 - 4);
  EXPECT_GT(second.y, first.y + 30);
  EXPECT_EQ(second.x, third.x);
  // The label stands below its area inside the same cell.
  EXPECT_NE(host_.Windows().DescribeGrid(dialog.handle(), 2001).find("label \"label\""),
            std::string::npos);
}

// 0 columns and 2 rows: children fill a column of two, then the next.
TEST_F(LayoutTest, RowsWithoutColumnsFillColumnByColumn) {
  FakeDialog dialog(table_);
  FakeArea a(table_), b(table_), c(table_);
  dialog.create_layout = [&](FakeDialog& d) {
    Group(api_, d.handle(), 5, 8 | 1, 0, 2);
    for (int32_t k = 0; k < 3; ++k) Area(api_, d.handle(), 6000 + k);
    End(api_, d.handle());
    a.Attach(d.handle(), 6000);
    b.Attach(d.handle(), 6001);
    c.Attach(d.handle(), 6002);
    return true;
  };
  ASSERT_TRUE(dialog.Open());
  EXPECT_EQ(Query(dialog, 6001).x, Query(dialog, 6000).x);
  EXPECT_GT(Query(dialog, 6001).y, Query(dialog, 6000).y);
  EXPECT_GT(Query(dialog, 6002).x, Query(dialog, 6000).x);
  EXPECT_EQ(Query(dialog, 6002).y, Query(dialog, 6000).y);
}

// 63 takes the offered space, 8 sits left, 0 is centred, 1 sits on top.
TEST_F(LayoutTest, AlignmentFlagsPlaceGadgetsInTheirCells) {
  FakeDialog dialog(table_);
  FakeArea fill(table_), left(table_), centre(table_), top(table_), middle(table_), tall(table_);
  dialog.create_layout = [&](FakeDialog& d) {
    Group(api_, d.handle(), 9, 63, 1);
    api_.group_space(d.handle(), 0, 0);
    api_.add_user_area(d.handle(), 10, 8, 0, 0);
    api_.add_user_area(d.handle(), 11, 0, 0, 0);
    api_.add_user_area(d.handle(), 12, 63, 0, 0);
    End(api_, d.handle());
    Group(api_, d.handle(), 20, 63, 3);
    api_.add_user_area(d.handle(), 21, 1, 0, 0);
    api_.add_user_area(d.handle(), 22, 0, 0, 0);
    api_.add_user_area(d.handle(), 23, 0, 0, 0);
    End(api_, d.handle());
    left.Attach(d.handle(), 10);
    centre.Attach(d.handle(), 11);
    fill.Attach(d.handle(), 12);
    top.Attach(d.handle(), 21);
    middle.Attach(d.handle(), 22);
    tall.Attach(d.handle(), 23);
    return true;
  };
  top.min_height = 10;
  middle.min_height = 10;
  ASSERT_TRUE(dialog.Open(400, 300));
  GadgetInfo group = Query(dialog, 9);
  EXPECT_EQ(Query(dialog, 10).x, group.x);
  EXPECT_EQ(Query(dialog, 11).x, group.x + (group.width - 50) / 2);
  EXPECT_EQ(Query(dialog, 12).width, group.width);
  EXPECT_GT(Query(dialog, 12).height, 30);  // the only row that scales
  EXPECT_EQ(Query(dialog, 21).y, Query(dialog, 23).y);
  EXPECT_EQ(Query(dialog, 22).y, Query(dialog, 23).y + 10);
}

// Texts and combo boxes are as wide as their texts in the window font; a
// user area follows its module's answer, asked on every layout, or keeps
// its initial size when the module gives none.
TEST_F(LayoutTest, MinimumSizesComeFromTextsEntriesAndTheModule) {
  FakeDialog dialog(table_);
  FakeArea answering(table_), silent(table_);
  silent.answers_min_size = false;
  dialog.create_layout = [&](FakeDialog& d) {
    Group(api_, d.handle(), 1, 8, 1);
    api_.add_static_text(d.handle(), 30, 8, 0, 0, "iiii", 0);
    api_.add_static_text(d.handle(), 31, 8, 0, 0, "WWWW", 0);
    api_.add_combo_box(d.handle(), 32, 8, 0, 0, 0);
    api_.add_child(d.handle(), 32, 1, "i");
    api_.add_combo_box(d.handle(), 33, 8, 0, 0, 0);
    api_.add_child(d.handle(), 33, 1, "i");
    api_.add_child(d.handle(), 33, 2, "A much longer entry");
    api_.add_user_area(d.handle(), 34, 8, 77, 44);
    api_.add_user_area(d.handle(), 35, 8, 77, 44);
    End(api_, d.handle());
    answering.Attach(d.handle(), 34);
    silent.Attach(d.handle(), 35);
    return true;
  };
  ASSERT_TRUE(dialog.Open());
  EXPECT_GT(Query(dialog, 31).width, Query(dialog, 30).width + 10);
  EXPECT_GT(Query(dialog, 33).width, Query(dialog, 32).width + 50);
  EXPECT_EQ(Query(dialog, 34).width, 50);
  EXPECT_EQ(Query(dialog, 35).width, 77);
  EXPECT_EQ(Query(dialog, 35).height, 44);
  int asked = answering.min_size_calls;
  answering.min_width = 120;
  api_.layout_changed(dialog.handle(), 34, 1);
  EXPECT_GT(answering.min_size_calls, asked);
  EXPECT_EQ(Query(dialog, 34).width, 120);
  EXPECT_EQ(answering.last_width, 120);  // told through sized
}

// Groups nest only so deep; a module that never ends its groups neither
// crashes nor breaks the window.
TEST_F(LayoutTest, RunawayNestingIsRefused) {
  FakeDialog dialog(table_);
  int refused = 0;
  dialog.create_layout = [&](FakeDialog& d) {
    for (int i = 0; i < simhost::kMaxNesting + 50; ++i) {
      refused += api_.group_begin(d.handle(), i, 63, 1, 0, "", 0, 0, 0) ? 0 : 1;
    }
    return true;
  };
  ASSERT_TRUE(dialog.Open());
  EXPECT_GE(refused, 50);
  EXPECT_FALSE(host_.Windows().DescribeTree(dialog.handle()).empty());
}

}  // namespace
}  // namespace windows_test

// The grid as data: what QueryGrid reports for each cell, and the text
// DescribeGrid makes of it.
#include <gtest/gtest.h>

#include <string>

#include "fake_module.h"

namespace windows_test {
namespace {

class GridQueryTest : public ::testing::Test {
 protected:
  // Three cells in two columns, each a group of a user area over a label;
  // the second area is never attached and the third cell has no label.
  void Build(FakeDialog& dialog, FakeArea& first, FakeArea& third) {
    dialog.create_layout = [&](FakeDialog& d) {
      Group(api_, d.handle(), kGrid, 63, 2);
      for (int32_t k = 0; k < 3; ++k) {
        Group(api_, d.handle(), 100 + k, 0, 0, 2);
        Area(api_, d.handle(), 6000 + k);
        if (k == 0) api_.add_static_text(d.handle(), 0, 1, 0, 0, "Say \"hi\" \\ now", 0);
        if (k == 1) api_.add_static_text(d.handle(), 0, 1, 0, 0, "Plain", 0);
        End(api_, d.handle());
      }
      End(api_, d.handle());
      first.Attach(d.handle(), 6000);
      third.Attach(d.handle(), 6002);
      return true;
    };
    ASSERT_TRUE(dialog.Open());
  }

  static constexpr int32_t kGrid = 7;
  simhost::Host host_;
  const c4d_function_table& table_ = host_.Table();
  const c4d_dialog_api& api_ = *table_.dialog;
};

TEST_F(GridQueryTest, CellsComeInGridOrderWithPlaceAreaAndRawLabel) {
  FakeDialog dialog(table_);
  FakeArea first(table_), third(table_);
  Build(dialog, first, third);
  const simhost::GridInfo grid = host_.Windows().QueryGrid(dialog.handle(), kGrid);
  ASSERT_TRUE(grid.found);
  EXPECT_EQ(grid.group_id, kGrid);
  EXPECT_EQ(grid.columns, 2);
  EXPECT_EQ(grid.rows, 2);
  ASSERT_EQ(grid.cells.size(), 3u);
  for (int32_t k = 0; k < 3; ++k) {
    const simhost::GridCellInfo& cell = grid.cells[k];
    EXPECT_EQ(cell.column, k % 2) << k;
    EXPECT_EQ(cell.row, k / 2) << k;
    EXPECT_TRUE(cell.has_area) << k;
    EXPECT_EQ(cell.area_id, 6000 + k);
    const simhost::GadgetInfo group = host_.Windows().QueryGadget(dialog.handle(), 100 + k);
    EXPECT_EQ(cell.x, group.x) << k;
    EXPECT_EQ(cell.y, group.y) << k;
    EXPECT_EQ(cell.width, group.width) << k;
    const simhost::GadgetInfo area = host_.Windows().QueryGadget(dialog.handle(), 6000 + k);
    EXPECT_EQ(cell.area_width, area.width) << k;
    EXPECT_EQ(cell.area_height, area.height) << k;
  }
  EXPECT_TRUE(grid.cells[0].attached);
  EXPECT_FALSE(grid.cells[1].attached);
  EXPECT_EQ(grid.cells[0].label, "Say \"hi\" \\ now");
  EXPECT_EQ(grid.cells[1].label, "Plain");
  EXPECT_EQ(grid.cells[2].label, "");
  EXPECT_GT(grid.cells[1].x, grid.cells[0].x);
  EXPECT_GT(grid.cells[2].y, grid.cells[0].y);
}

TEST_F(GridQueryTest, TheTextIsMadeFromTheDataWithLabelsQuoted) {
  FakeDialog dialog(table_);
  FakeArea first(table_), third(table_);
  Build(dialog, first, third);
  const simhost::GridInfo grid = host_.Windows().QueryGrid(dialog.handle(), kGrid);
  const simhost::GridCellInfo& cell = grid.cells[0];
  const std::string first_line =
      "  cell 0 column 0 row 0 at " + std::to_string(cell.x) + "," + std::to_string(cell.y) + " " +
      std::to_string(cell.width) + "x" + std::to_string(cell.height) + ": userarea 6000 attached " +
      std::to_string(cell.area_width) + "x" + std::to_string(cell.area_height) +
      " label \"Say \\\"hi\\\" \\\\ now\"\n";
  const std::string text = host_.Windows().DescribeGrid(dialog.handle(), kGrid);
  EXPECT_EQ(text.rfind("grid 7: 2 columns, 2 rows, 3 cells\n" + first_line, 0), 0u) << text;
  EXPECT_NE(text.find(": userarea 6001 detached "), std::string::npos) << text;
  EXPECT_NE(text.find(" label \"\"\n"), std::string::npos) << text;
}

TEST_F(GridQueryTest, AMissingGroupOrDialogIsReportedNotFound) {
  FakeDialog dialog(table_);
  FakeArea first(table_), third(table_);
  Build(dialog, first, third);
  EXPECT_FALSE(host_.Windows().QueryGrid(dialog.handle(), 99).found);
  EXPECT_FALSE(host_.Windows().QueryGrid(dialog.handle(), 6000).found);  // not a group
  EXPECT_EQ(host_.Windows().DescribeGrid(dialog.handle(), 99), "no group 99\n");
  EXPECT_FALSE(host_.Windows().QueryGrid(nullptr, kGrid).found);
  EXPECT_EQ(host_.Windows().DescribeGrid(nullptr, kGrid), "no such dialog\n");
}

}  // namespace
}  // namespace windows_test

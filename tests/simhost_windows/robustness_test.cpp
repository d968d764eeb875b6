// Calls a careless or hostile module may make: unknown handles, absurd
// numbers, and tearing its own window down from inside the host's calls.
// Run under the sanitizers these catch any use of freed memory.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <memory>

#include "fake_module.h"

namespace windows_test {
namespace {

class RobustnessTest : public ::testing::Test {
 protected:
  simhost::Host host_;
  const c4d_function_table& table_ = host_.Table();
  const c4d_dialog_api& api_ = *table_.dialog;
  simhost::WindowSystem& windows_ = host_.Windows();
};

TEST_F(RobustnessTest, UnknownHandlesAndNullPointersAreRefused) {
  auto* stranger = reinterpret_cast<c4d_dialog*>(0x1);
  auto* no_area = reinterpret_cast<c4d_userarea*>(0x2);
  EXPECT_FALSE(api_.open(stranger, 20, 1, -1, -1, 100, 100, 0));
  EXPECT_FALSE(api_.group_begin(stranger, 1, 0, 1, 0, nullptr, 0, 0, 0));
  EXPECT_EQ(api_.add_static_text(nullptr, 1, 0, 0, 0, nullptr, 0), nullptr);
  EXPECT_EQ(api_.attach_user_area(stranger, 1, 0, &FakeArea::kCallbacks, nullptr), nullptr);
  EXPECT_EQ(api_.gadget_id(stranger, nullptr), -1);
  api_.destroy(stranger);
  api_.ua_draw_bitmap(no_area, nullptr, 0, 0, 10, 10, 0, 0, 10, 10, 257);
  api_.ua_release(no_area);
  EXPECT_EQ(api_.ua_get_dialog(no_area), nullptr);
  FakeDialog dialog(table_);
  // Gadget calls before the window opens have nowhere to go.
  EXPECT_EQ(api_.add_user_area(dialog.handle(), 5, 0, 10, 10), nullptr);
  EXPECT_FALSE(api_.group_end(dialog.handle()));
  dialog.create_layout = [&](FakeDialog& d) {
    EXPECT_EQ(api_.attach_user_area(d.handle(), 5, 0, nullptr, nullptr), nullptr);
    EXPECT_FALSE(api_.group_end(d.handle()));  // nothing open to end
    EXPECT_FALSE(api_.add_child(d.handle(), 5, 1, nullptr));
    api_.add_combo_box(d.handle(), 5, 0, 0, 0, 0);
    EXPECT_TRUE(api_.add_child(d.handle(), 5, 1, nullptr));
    EXPECT_TRUE(api_.get_string(d.handle(), 5, nullptr, nullptr));
    return true;
  };
  EXPECT_TRUE(dialog.Open());
  EXPECT_FALSE(api_.get_item_dim(dialog.handle(), 99, nullptr, nullptr, nullptr, nullptr));
}

TEST_F(RobustnessTest, AbsurdNumbersNeitherCrashNorAllocateWildly) {
  FakeDialog dialog(table_);
  FakeArea area(table_);
  area.min_width = INT_MAX;
  area.min_height = 40;
  area.draw = [this](FakeArea& a) {
    api_.ua_draw_bitmap(a.handle, nullptr, INT_MIN, INT_MAX, INT_MAX, INT_MAX, 0, 0, -1, 0, -1);
    c4d_bitmap* one = SolidBitmap(table_, 1, 1, 9, 9, 9);
    api_.ua_draw_bitmap(a.handle, one, INT_MAX - 5, 0, INT_MAX, 100, INT_MIN, 0, INT_MAX, 1, 0);
    table_.bitmap->free(one);
    api_.ua_draw_set_pen(a.handle, 1e300, -1, std::numeric_limits<double>::quiet_NaN());
    api_.ua_draw_rectangle(a.handle, INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    api_.ua_draw_line(a.handle, INT_MIN, 0, INT_MAX, 3);
    api_.ua_draw_text(a.handle, "\xff\xfe broken \xe2\x82", INT_MAX, INT_MIN, 0x7fffffff);
  };
  dialog.create_layout = [&](FakeDialog& d) {
    api_.group_begin(d.handle(), 1, -1, INT_MAX, INT_MIN, "t", -1, INT_MAX, INT_MAX);
    api_.group_space(d.handle(), INT_MAX, INT_MIN);
    api_.group_border_space(d.handle(), INT_MAX, INT_MAX, INT_MIN, INT_MAX);
    api_.group_border(d.handle(), 0xFFFFFFFFu, 1);
    api_.scroll_group_begin(d.handle(), 2, INT_MAX, -1, INT_MIN, INT_MAX);
    api_.add_user_area(d.handle(), 3, INT_MIN, INT_MAX, INT_MAX);
    api_.add_separator(d.handle(), 1, INT_MAX, -1);
    api_.group_end(d.handle());
    api_.group_end(d.handle());
    area.Attach(d.handle(), 3);
    return true;
  };
  ASSERT_TRUE(dialog.Open(INT_MAX, INT_MAX));
  EXPECT_TRUE(windows_.Resize(dialog.handle(), INT_MIN, INT_MAX));
  api_.set_visible_area(dialog.handle(), 2, INT_MAX, INT_MIN, 0, 0);
  windows_.SendInput(dialog.handle(), 3, simhost::InputEvent::Wheel(INT_MIN));
  windows_.SendInputAt(dialog.handle(), INT_MAX, INT_MIN, simhost::InputEvent::Wheel(INT_MAX));
  simhost::Picture picture = windows_.RenderWindow(dialog.handle());
  EXPECT_LE(picture.width, 8192);
  EXPECT_LE(picture.height, 8192);
  simhost::Picture alone = windows_.RenderUserArea(dialog.handle(), 3);
  EXPECT_LE(alone.width, 8192);
  EXPECT_GT(area.draws, 0);
  api_.set_float(dialog.handle(), 3, std::numeric_limits<double>::infinity(), 1, 0, 0, 0);
}

// The module closing or destroying its window, or rebuilding the tree,
// from inside the host's calls to it.
TEST_F(RobustnessTest, ModuleTearingItsWindowDownFromItsCallbacks) {
  for (int variant = 0; variant < 4; ++variant) {
    auto dialog = std::make_unique<FakeDialog>(table_);
    FakeArea area(table_);
    FakeDialog* d = dialog.get();
    dialog->create_layout = [&](FakeDialog& fd) {
      Group(api_, fd.handle(), 10, 63, 1);
      Area(api_, fd.handle(), 6000);
      End(api_, fd.handle());
      area.Attach(fd.handle(), 6000);
      return true;
    };
    area.draw = [&, variant](FakeArea&) {
      if (variant == 0) api_.layout_flush_group(d->handle(), 10);
      if (variant == 1) api_.close(d->handle());
      if (variant == 2) api_.destroy(d->handle());
      if (variant == 3) area.Release();
    };
    dialog->command = [&, variant](FakeDialog& fd, int32_t, const c4d_container*) {
      if (variant == 2) api_.destroy(fd.handle());
      if (variant == 1) api_.close(fd.handle());
      api_.layout_flush_group(fd.handle(), 10);
    };
    dialog->message = [&](FakeDialog& fd, const c4d_container* msg, c4d_container* result) {
      api_.close(fd.handle());  // closing again while closing
      api_.layout_flush_group(fd.handle(), 10);
      return api_.default_message(fd.handle(), msg, result);
    };
    ASSERT_TRUE(dialog->Open()) << variant;
    windows_.RenderWindow(dialog->handle());
    if (api_.is_open(dialog->handle())) {
      ASSERT_TRUE(dialog->Open());
      windows_.SendInput(dialog->handle(), 6000, simhost::InputEvent::Click());
    }
    windows_.CloseAllWindows();
    dialog.reset();
  }
}

// A host with an open window, as a test program may keep one for all its
// tests, and enough containers that the host's handle registry outgrows
// its first bucket (so that using it after its end shows).
struct KeptWindow {
  KeptWindow() {
    for (int i = 0; i < 64; ++i) containers.push_back(host.Table().container->create(0));
  }
  ~KeptWindow() {
    for (c4d_container* container : containers) host.Table().container->destroy(container);
  }
  simhost::Host host;
  FakeDialog dialog{host.Table()};
  std::vector<c4d_container*> containers;
};

[[noreturn]] void ExitWithAWindowOpenInStaticStorage() {
  // Made before any handle registry or font: destroyed after them.
  static std::unique_ptr<KeptWindow> kept;
  kept = std::make_unique<KeptWindow>();
  kept->dialog.create_layout = [](FakeDialog& d) {
    BuildBrowserLike(d);
    return true;
  };
  if (!kept->dialog.Open()) std::exit(3);
  std::exit(0);
}

TEST(RobustnessDeathTest, AHostInStaticStorageClosesItsWindowsAtExit) {
  // A fresh process, so that nothing of the host exists before the test.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(ExitWithAWindowOpenInStaticStorage(), ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace windows_test

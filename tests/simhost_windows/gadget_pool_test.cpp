// Gadgets come from a pool of reused slots: a window's gadgets all go back
// to it, oversized requests bypass it, and under the address sanitizer a
// released slot still counts as freed memory.
#include "gui/gadget_pool.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "fake_module.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define POOL_TEST_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define POOL_TEST_ASAN 1
#endif

namespace windows_test {
namespace {

using simhost::GadgetPool;

void BuildGrid(const c4d_dialog_api& api, c4d_dialog* h,
               std::vector<std::unique_ptr<FakeArea>>& tiles, const c4d_function_table& table,
               int count) {
  api.layout_flush_group(h, 2001);
  Group(api, h, 2001, 63, 8);
  for (int k = 0; k < count; ++k) {
    Group(api, h, 0, 0, 0, 5);
    Area(api, h, 6000 + k);
    tiles.push_back(std::make_unique<FakeArea>(table));
    tiles.back()->Attach(h, 6000 + k);
    api.add_static_text(h, 0, 1, 0, 0, "a tile with a label", 0);
    End(api, h);
  }
  End(api, h);
  api.layout_changed(h, 2001, 1);
}

// Rebuilds of a large grid, then closing the window: every gadget made on
// the way is back in the pool once the host is done with the window.
TEST(GadgetPool, EveryGadgetOfAClosedWindowGoesBack) {
  const size_t before = GadgetPool::SlotsInUse();
  {
    simhost::Host host;
    const c4d_function_table& table = host.Table();
    FakeDialog dialog(table);
    std::vector<std::unique_ptr<FakeArea>> tiles;
    dialog.create_layout = [](FakeDialog& d) {
      BuildBrowserLike(d);
      return true;
    };
    ASSERT_TRUE(dialog.Open());
    for (int round = 0; round < 3; ++round) {
      BuildGrid(dialog.api, dialog.handle(), tiles, table, 1500);
    }
    EXPECT_GT(GadgetPool::SlotsInUse(), before + 4500);
    EXPECT_EQ(host.Windows().QueryGadget(dialog.handle(), 2001).child_count, 1500u);
  }
  EXPECT_EQ(GadgetPool::SlotsInUse(), before);
}

TEST(GadgetPool, OversizedRequestsBypassTheSlots) {
  const size_t before = GadgetPool::SlotsInUse();
  void* large = GadgetPool::Allocate(GadgetPool::kSlotSize + 1);
  ASSERT_NE(large, nullptr);
  EXPECT_EQ(GadgetPool::SlotsInUse(), before);
  GadgetPool::Release(large, GadgetPool::kSlotSize + 1);
  void* slot = GadgetPool::Allocate(GadgetPool::kSlotSize);
  EXPECT_EQ(GadgetPool::SlotsInUse(), before + 1);
  GadgetPool::Release(slot, GadgetPool::kSlotSize);
  EXPECT_EQ(GadgetPool::SlotsInUse(), before);
}

#ifdef POOL_TEST_ASAN
// A stale pointer to a removed gadget must still be caught by the
// sanitizer stage, pool or not.
TEST(GadgetPoolDeathTest, ReleasedSlotsAreCaughtByTheSanitizer) {
  EXPECT_DEATH(
      {
        auto* bytes = static_cast<volatile unsigned char*>(GadgetPool::Allocate(64));
        GadgetPool::Release(const_cast<unsigned char*>(bytes), 64);
        bytes[8] = 1;
      },
      "use-after-poison");
}
#endif

}  // namespace
}  // namespace windows_test

// A saved layout whose pack value lies at the Int32 limit, as the
// validator's made-up layout records hand it over: the grid is rebuilt
// without tiles and without overflowing its row counter.
#include <gtest/gtest.h>

#include <climits>

#include "common/plugin_ids.h"
#include "gui/container_access.h"
#include "gui/window_system.h"
#include "plugin_fixture.h"

namespace lumidrome_test {
namespace {

namespace ids = simhost_app::plugin_ids;
const int32_t kCommand = ids::kBrowserCommand;

TEST(ExtremeLayout, PackValueAtTheInt32LimitLaysOutOnlyTheAddMoreTile) {
  for (Build build : {Build::R17, Build::R14}) {
    PluginFixture fixture(build);
    simhost::Host& host = fixture.host();
    host.SetInterfaceVersion(build == Build::R17 ? 18011 : 16999);
    ASSERT_TRUE(host.Load(fixture.plugin_folder().string()));
    const c4d_container_api& api = *host.Table().container;
    simhost::OwnedContainer record(api, 0);
    record.SetInt(ids::kPackChooser, INT32_MAX);
    simhost::OwnedContainer answer(api, 0);
    answer.SetContainer(kCommand, record.get());
    simhost::SavedLayout saved;
    saved.plugin_id = kCommand;
    saved.data = simhost::SharedClone(api, answer.get());
    host.RestoreCommandLayout(kCommand, &saved);
    c4d_dialog* dialog = host.Windows().FindOpenDialog(kCommand);
    ASSERT_NE(dialog, nullptr);
    host.Windows().Resize(dialog, 900, 600);
    EXPECT_EQ(host.Windows().SendCursorInfo(dialog, 0, 0), 1);
    EXPECT_TRUE(host.Windows().QueryGadget(dialog, ids::kAddMoreTile).found);
    // Builds for R17 show no pack for such a value; builds for R14 fall back to pack 0.
    EXPECT_EQ(host.Windows().QueryGadget(dialog, ids::kFirstTile).found, build == Build::R14);
  }
}

}  // namespace
}  // namespace lumidrome_test

// The browser's window messages: the deferred rebuild after a resize, the
// saved window layout both ways, and the destroy message, in both builds.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "browser_fixture.h"
#include "values/container.h"

namespace lumidrome_test {
namespace {

using Labels = std::vector<std::string>;

Labels Sorted(Labels texts) {
  std::sort(texts.begin(), texts.end());
  return texts;
}

// Two packs: Alpha (a1, a2) and Beta (b1).
class Messages : public testing::TestWithParam<Build> {
 protected:
  Messages() : session_(GetParam()) {
    session_.library().AddPack("01_Alpha");
    session_.library().AddTile("01_Alpha", "a1");
    session_.library().AddTile("01_Alpha", "a2");
    session_.library().AddPack("02_Beta");
    session_.library().AddTile("02_Beta", "b1");
  }
  // Opens the window and lets the first rebuild after opening happen.
  void OpenSettled() {
    ASSERT_NE(session_.Open(), nullptr);
    session_.Rebuild(768);
  }
  void ChooseBetaLarge() {
    ASSERT_TRUE(session_.ChoosePack("Beta"));
    ASSERT_TRUE(session_.ChooseSize(3));
  }
  int32_t Send(const simhost::Container& message, simhost::Container* result = nullptr) {
    simhost::Container scratch;
    return session_.windows().SendMessage(session_.dialog(), &message, result ? result : &scratch);
  }
  // Layout data as the host hands it back: the saved answer under 'lays'.
  int32_t SendLayoutData(const simhost::Container& saved) {
    simhost::Container message(C4D_BFM_LAYOUT_SETDATA);
    message.Set(C4D_BFM_LAYOUT_SETDATA, simhost::Value::OfContainer(saved));
    return Send(message);
  }
  std::string SizeText() {
    return session_.windows().QueryGadget(session_.dialog(), kSizeChooser).text;
  }
  BrowserSession session_;
};

TEST_P(Messages, ResizesWaitForTheNextCursorInfoAndRebuildOnce) {
  ASSERT_NE(session_.Open(), nullptr);
  // The pack list is read afresh only by a rebuild.
  session_.library().AddPack("03_Gamma");
  EXPECT_EQ(session_.CursorInfo(), 1);
  EXPECT_EQ(session_.PackNames().size(), 2u);
  session_.ResizeOnly(1215);
  session_.ResizeOnly(1215);
  EXPECT_EQ(session_.PackNames().size(), 2u);
  EXPECT_EQ(session_.GridColumns(), 3);
  EXPECT_EQ(session_.CursorInfo(), 1);
  EXPECT_EQ(Sorted(session_.PackNames()), (Labels{"Alpha", "Beta", "Gamma"}));
  EXPECT_EQ(session_.GridColumns(), 4);
  session_.library().AddPack("04_Delta");
  EXPECT_EQ(session_.CursorInfo(), 1);
  EXPECT_EQ(session_.PackNames().size(), 3u);
}

TEST_P(Messages, SavedLayoutCarriesLargeAndShowAllAndBringsThemBack) {
  OpenSettled();
  ASSERT_TRUE(session_.Choose(kShowAll));
  ASSERT_TRUE(session_.ChooseSize(3));
  simhost::SavedLayout saved = session_.windows().SaveLayout(session_.dialog());
  const simhost::Container* answer = simhost::ToContainer(saved.data.get());
  ASSERT_NE(answer, nullptr);
  EXPECT_EQ(answer->Id(), 0);
  ASSERT_EQ(answer->Count(), 1);
  const simhost::Value* record = answer->Find(kBrowserCommand);
  ASSERT_NE(record, nullptr);
  ASSERT_NE(record->GetContainer(), nullptr);
  EXPECT_EQ(record->GetContainer()->Count(), 2);
  EXPECT_EQ(record->GetContainer()->GetInt32(kSizeChooser), 3);
  EXPECT_EQ(record->GetContainer()->GetInt32(kPackChooser), kShowAll);

  ChooseBetaLarge();
  ASSERT_TRUE(session_.ChooseSize(1));
  ASSERT_TRUE(session_.host().RestoreCommandLayout(kBrowserCommand, &saved).value_or(false));
  EXPECT_EQ(SizeText(), "Large");
  // The pack chooser follows at the next rebuild.
  EXPECT_EQ(session_.Value(kPackChooser), session_.PackValue("Beta"));
  session_.Rebuild(1215);
  EXPECT_EQ(session_.Value(kPackChooser), kShowAll);
  EXPECT_EQ(Sorted(session_.TileLabels()), (Labels{"a1", "a2", "b1"}));
  EXPECT_EQ(session_.TileMinSize(0), std::make_pair(400, 200));
  EXPECT_EQ(session_.GridColumns(), 3);
}

// The pack the user chose stays chosen through rebuilds, size changes and
// reopenings, and a click applies an image of that pack.
TEST_P(Messages, ChosenPackStaysChosenThroughRebuildsAndReopenings) {
  simhost::Atom* sky = session_.doc().AddObject(kHdriObject, "Sky");
  ASSERT_NE(session_.Open(), nullptr);
  ASSERT_TRUE(session_.ChoosePack("Beta"));
  const int32_t beta = session_.PackValue("Beta");
  session_.Rebuild(768);
  EXPECT_EQ(session_.Value(kPackChooser), beta);
  EXPECT_EQ(session_.TileLabels(), (Labels{"b1"}));
  ASSERT_TRUE(session_.ChooseSize(3));
  EXPECT_EQ(session_.TileLabels(), (Labels{"b1"}));
  session_.Close();
  ASSERT_NE(session_.Open(), nullptr);
  session_.Rebuild(1215);
  session_.Rebuild(768);
  EXPECT_EQ(session_.Value(kPackChooser), beta);
  EXPECT_EQ(session_.TileLabels(), (Labels{"b1"}));
  ASSERT_TRUE(session_.ClickLabel("b1"));
  EXPECT_EQ(sky->Data().GetText(kHdriObjectFile),
            PackFile(session_.Pack("02_Beta"), "HDRIs", "b1.hdr"));

  ASSERT_TRUE(session_.Choose(kShowAll));
  session_.Rebuild(1215);
  EXPECT_EQ(session_.Value(kPackChooser), kShowAll);
  EXPECT_EQ(Sorted(session_.TileLabels()), (Labels{"a1", "a2", "b1"}));
}

// A restored layout brings its pack back once; what the user chooses after
// that is not undone by later rebuilds.
TEST_P(Messages, RestoredPackGivesWayToTheUsersNextChoice) {
  OpenSettled();
  ASSERT_TRUE(session_.ChoosePack("Beta"));
  simhost::SavedLayout saved = session_.windows().SaveLayout(session_.dialog());
  ASSERT_TRUE(session_.ChoosePack("Alpha"));
  session_.Close();
  ASSERT_TRUE(session_.host().RestoreCommandLayout(kBrowserCommand, &saved).value_or(false));
  session_.Rebuild(768);
  EXPECT_EQ(session_.Value(kPackChooser), session_.PackValue("Beta"));
  EXPECT_EQ(session_.TileLabels(), (Labels{"b1"}));
  ASSERT_TRUE(session_.ChoosePack("Alpha"));
  session_.Rebuild(1215);
  session_.Rebuild(768);
  EXPECT_EQ(session_.Value(kPackChooser), session_.PackValue("Alpha"));
  EXPECT_EQ(Sorted(session_.TileLabels()), (Labels{"a1", "a2"}));
}

TEST_P(Messages, SizeChangeAfterARestoredShowAllKeepsShowingAll) {
  OpenSettled();
  ASSERT_TRUE(session_.Choose(kShowAll));
  simhost::SavedLayout saved = session_.windows().SaveLayout(session_.dialog());
  ASSERT_TRUE(session_.ChoosePack("Beta"));
  session_.Close();
  ASSERT_TRUE(session_.host().RestoreCommandLayout(kBrowserCommand, &saved).value_or(false));
  session_.Rebuild(768);  // applies the restored choice
  ASSERT_EQ(session_.Value(kPackChooser), kShowAll);
  ASSERT_TRUE(session_.ChooseSize(1));
  EXPECT_EQ(session_.Value(kPackChooser), kShowAll);
  EXPECT_EQ(Sorted(session_.TileLabels()), (Labels{"a1", "a2", "b1"}));
}

TEST_P(Messages, LayoutRecordWithoutKeysGivesMediumAndTheFirstPack) {
  OpenSettled();
  ChooseBetaLarge();
  simhost::Container saved;
  saved.Set(kBrowserCommand, simhost::Value::OfContainer(simhost::Container()));
  EXPECT_EQ(SendLayoutData(saved), 1);
  EXPECT_EQ(SizeText(), "Medium");
  session_.Rebuild(1215);
  EXPECT_EQ(SizeText(), "Medium");
  EXPECT_EQ(session_.Value(kPackChooser), 0);
  EXPECT_EQ(session_.TileMinSize(0), std::make_pair(240, 120));
  EXPECT_EQ(session_.GridColumns(), 4);
}

TEST_P(Messages, LayoutDataWithoutThePluginsRecordChangesNothing) {
  OpenSettled();
  ChooseBetaLarge();
  simhost::Container foreign;
  foreign.Set(kBrowserCommand + 1, simhost::Value::OfContainer(simhost::Container()));
  EXPECT_EQ(SendLayoutData(foreign), 1);
  EXPECT_EQ(Send(simhost::Container(C4D_BFM_LAYOUT_SETDATA)), 1);
  EXPECT_EQ(SizeText(), "Large");
  session_.Rebuild(768);
  EXPECT_EQ(SizeText(), "Large");
  EXPECT_EQ(session_.TileLabels(), (Labels{"b1"}));
  EXPECT_EQ(session_.TileMinSize(0), std::make_pair(400, 200));
}

TEST_P(Messages, DestroyReleasesTheTilesUntilTheNextOpening) {
  ASSERT_NE(session_.Open(), nullptr);
  ASSERT_EQ(session_.TileLabels().size(), 2u);
  Send(simhost::Container(C4D_BFM_DESTROY));
  const std::vector<GridCell> cells = GridCells(session_.windows(), session_.dialog());
  ASSERT_EQ(cells.size(), 3u);
  EXPECT_EQ(cells[0].area_id, kFirstTile);
  EXPECT_FALSE(cells[0].attached);
  EXPECT_EQ(cells[2].area_id, kAddMoreTile);
  EXPECT_TRUE(cells[2].attached);
  session_.Rebuild(768);
  EXPECT_TRUE(session_.TileLabels().empty());
  EXPECT_EQ(session_.windows().QueryGadget(session_.dialog(), kGridGroup).child_count, 1u);
  session_.Close();
  ASSERT_NE(session_.Open(), nullptr);
  EXPECT_EQ(Sorted(session_.TileLabels()), (Labels{"a1", "a2"}));
}

INSTANTIATE_TEST_SUITE_P(Builds, Messages, testing::Values(Build::R17, Build::R14),
                         [](const testing::TestParamInfo<Build>& info) {
                           return BuildName(info.param);
                         });

}  // namespace
}  // namespace lumidrome_test

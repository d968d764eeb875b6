// A click on a tile: which HDRI objects, tags and view it writes into, with
// undo and takes, in both builds.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "browser_fixture.h"

namespace lumidrome_test {
namespace {

namespace fs = std::filesystem;

const char* const kPack = "01_Sky";

TileFiles Files(const std::string& hdri, bool small_hdri) {
  TileFiles files;
  files.hdri = hdri;
  files.small_hdri = small_hdri;
  return files;
}

// One pack: "full" with both HDRI variants (.hdr), "exr" with both as
// .exr, "bare" without its small variant.
class ClickTargets : public testing::TestWithParam<Build> {
 protected:
  ClickTargets() : ClickTargets(DefaultVersion(GetParam())) {}
  explicit ClickTargets(int32_t version) : session_(GetParam(), version) {
    session_.library().AddPack(kPack);
    session_.library().AddTile(kPack, "full");
    session_.library().AddTile(kPack, "exr", Files(".exr", true));
    session_.library().AddTile(kPack, "bare", Files(".hdr", false));
  }
  simhost::Document& doc() { return session_.doc(); }
  std::string Hdri(const std::string& name) {
    return PackFile(session_.Pack(kPack), "HDRIs", name);
  }
  void OpenAndClick(const std::string& label) {
    ASSERT_NE(session_.Open(), nullptr);
    ASSERT_TRUE(session_.ClickLabel(label));
  }
  std::string ViewFile() { return doc().View()->Data().GetText(6209); }
  std::vector<std::string> Messages() { return session_.host().Messages(); }
  BrowserSession session_;
};

TEST_P(ClickTargets, TheOnlyHdriObjectAnywhereInTheSceneIsChanged) {
  simhost::Atom* outer = doc().AddObject(5140, "Outer");
  simhost::Atom* inner = doc().AddObject(5140, "Inner", outer);
  simhost::Atom* hdri = doc().AddObject(kHdriObject, "Deep", inner);
  OpenAndClick("full");
  EXPECT_EQ(hdri->Data().GetText(kHdriObjectFile), Hdri("full.hdr"));
  EXPECT_EQ(hdri->Data().GetText(kHdriObjectBackground),
            PackFile(session_.Pack(kPack), "Background", "full.jpg"));
  EXPECT_EQ(doc().AllObjects().size(), 3u);
  ASSERT_TRUE(doc().Undo().Undo());
  EXPECT_EQ(hdri->Data().GetText(kHdriObjectFile), "");
  EXPECT_EQ(hdri->Data().GetText(kHdriObjectBackground), "");
}

TEST_P(ClickTargets, TheOnlyHdriTagGetsTheFileAndWhetherItsOtherVariantExists) {
  simhost::Atom* tag = doc().AddHdriTag(doc().AddObject(5140, "Holder"), 0);
  OpenAndClick("full");
  EXPECT_EQ(tag->Data().GetText(kHdriTagFile), Hdri("full.hdr"));
  EXPECT_EQ(tag->Data().GetInt32(kHdriTagOtherVariantExists), 1);
  ASSERT_TRUE(session_.ClickLabel("bare"));
  EXPECT_EQ(tag->Data().GetText(kHdriTagFile), Hdri("bare.hdr"));
  EXPECT_EQ(tag->Data().GetInt32(kHdriTagOtherVariantExists), 0);
  // Changed through its data container only: no take override.
  EXPECT_TRUE(doc().Takes().Overrides().empty());
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(doc().AllObjects().size(), 1u);
}

TEST_P(ClickTargets, SmallModeTagGetsTheSmallVariantOfTheFileFound) {
  simhost::Atom* holder = doc().AddObject(5140, "Holder");
  simhost::Atom* small = doc().AddHdriTag(holder, 2, "Small");
  simhost::Atom* full = doc().AddHdriTag(holder, 1, "Full");
  doc().SelectTags({small, full});
  OpenAndClick("exr");
  EXPECT_EQ(small->Data().GetText(kHdriTagFile), Hdri("exr_SM.exr"));
  EXPECT_EQ(small->Data().GetInt32(kHdriTagOtherVariantExists), 1);  // exr.exr exists
  EXPECT_EQ(full->Data().GetText(kHdriTagFile), Hdri("exr.exr"));
  EXPECT_EQ(full->Data().GetInt32(kHdriTagOtherVariantExists), 1);  // exr_SM.exr exists
  fs::remove(session_.Pack(kPack) / "HDRIs" / "exr.exr");
  ASSERT_TRUE(session_.ClickLabel("full"));
  EXPECT_EQ(small->Data().GetText(kHdriTagFile), Hdri("full_SM.hdr"));
  EXPECT_EQ(small->Data().GetInt32(kHdriTagOtherVariantExists), 1);
  EXPECT_TRUE(Messages().empty());
}

TEST_P(ClickTargets, SelectedSmallModeTagsWithoutTheSmallFileStayAsTheyWere) {
  simhost::Atom* holder = doc().AddObject(5140, "Holder");
  simhost::Atom* first = doc().AddHdriTag(holder, 2, "First");
  simhost::Atom* normal = doc().AddHdriTag(holder, 0, "Normal");
  simhost::Atom* second = doc().AddHdriTag(holder, 2, "Second");
  doc().SelectTags({second, normal, first});
  OpenAndClick("bare");
  // One message per such tag; the tags between them still change.
  EXPECT_EQ(Messages(), (std::vector<std::string>{kBrokenAsset, kBrokenAsset}));
  EXPECT_EQ(first->Data().GetText(kHdriTagFile), "");
  EXPECT_EQ(second->Data().GetText(kHdriTagFile), "");
  EXPECT_EQ(normal->Data().GetText(kHdriTagFile), Hdri("bare.hdr"));
  EXPECT_EQ(session_.host().EventAdds().size(), 1u);
}

// The user is told the click failed, so the tag keeps its working file, as
// a selected tag does, and gets no undo step.
TEST_P(ClickTargets, TheOnlySmallModeTagWithoutTheSmallFileKeepsItsWorkingFile) {
  simhost::Atom* tag = doc().AddHdriTag(doc().AddObject(5140, "Holder"), 2, "Only");
  tag->Data().Set(kHdriTagFile, simhost::Value::Filename(Hdri("full_SM.hdr")));
  tag->Data().Set(kHdriTagOtherVariantExists, simhost::Value::Int32(1));
  OpenAndClick("bare");
  EXPECT_EQ(Messages(), (std::vector<std::string>{kBrokenAsset}));
  EXPECT_EQ(tag->Data().GetText(kHdriTagFile), Hdri("full_SM.hdr"));
  EXPECT_EQ(tag->Data().GetInt32(kHdriTagOtherVariantExists), 1);
  for (const std::string& line : doc().Undo().Log()) {
    EXPECT_EQ(line.find("\"Only\""), std::string::npos) << line;
  }
  EXPECT_EQ(session_.host().EventAdds().size(), 1u);
}

// The objects come as the host's filtered selection gives them, which is
// the document's order (A before B, though B was selected first); the tags
// in the order they were selected.
TEST_P(ClickTargets, SelectionChangesObjectsThenTagsInTheHostsOrderInOneUndoStep) {
  simhost::Atom* a = doc().AddObject(kHdriObject, "A");
  simhost::Atom* b = doc().AddObject(kHdriObject, "B");
  simhost::Atom* unselected = doc().AddObject(kHdriObject, "Unselected");
  simhost::Atom* tag = doc().AddHdriTag(unselected, 0, "Tag");
  simhost::Atom* later = doc().AddHdriTag(a, 0, "Later");
  doc().SelectObjects({b, a});
  doc().SelectTags({later, tag});
  OpenAndClick("full");
  EXPECT_EQ(unselected->Data().GetText(kHdriObjectFile), "");
  EXPECT_EQ(tag->Data().GetText(kHdriTagFile), Hdri("full.hdr"));
  std::vector<std::string> changed;
  for (const std::string& line : doc().Undo().Log()) {
    if (line.rfind("add 40", 0) == 0) changed.push_back(line);
  }
  ASSERT_GE(changed.size(), 4u);
  EXPECT_NE(changed[0].find("\"A\""), std::string::npos) << changed[0];
  EXPECT_NE(changed[1].find("\"B\""), std::string::npos) << changed[1];
  EXPECT_NE(changed[2].find("\"Later\""), std::string::npos) << changed[2];
  EXPECT_NE(changed[3].find("\"Tag\""), std::string::npos) << changed[3];
  EXPECT_EQ(doc().Undo().UndoCount(), 1u);
  ASSERT_TRUE(doc().Undo().Undo());
  EXPECT_EQ(tag->Data().GetText(kHdriTagFile), "");
  ASSERT_TRUE(doc().Undo().Redo());
  EXPECT_EQ(a->Data().GetText(kHdriObjectFile), Hdri("full.hdr"));
  EXPECT_EQ(tag->Data().GetText(kHdriTagFile), Hdri("full.hdr"));
}

TEST_P(ClickTargets, TwoOrMoreUnselectedElementsAreLeftAlone) {
  simhost::Atom* object = doc().AddObject(kHdriObject, "Object");
  simhost::Atom* tag = doc().AddHdriTag(doc().AddObject(5140, "Holder"), 0);
  OpenAndClick("full");
  EXPECT_EQ(object->Data().GetText(kHdriObjectFile), "");
  EXPECT_EQ(tag->Data().GetText(kHdriTagFile), "");
  EXPECT_EQ(doc().AllObjects().size(), 2u);
  EXPECT_EQ(session_.host().EventAdds().size(), 1u);
  // The undo group was opened and closed.
  const std::vector<std::string>& log = doc().Undo().Log();
  EXPECT_EQ(std::count(log.begin(), log.end(), "start"), 1);
  EXPECT_EQ(std::count(log.begin(), log.end(), "end"), 1);
  if (GetParam() == Build::R17) {
    EXPECT_EQ(ViewFile(), Hdri("full_SM.hdr"));
    ASSERT_TRUE(doc().Undo().Undo());
    EXPECT_EQ(ViewFile(), "");
  } else {
    EXPECT_EQ(ViewFile(), "");
  }
}

TEST_P(ClickTargets, EmptySceneGetsANewHdriObjectFirstAtTheTop) {
  simhost::Atom* existing = doc().AddObject(5140, "Existing");
  OpenAndClick("exr");
  simhost::Atom* created = doc().Objects().First();
  ASSERT_NE(created, existing);
  EXPECT_EQ(created->Type(), kHdriObject);
  EXPECT_EQ(created->Data().GetText(kHdriObjectFile), Hdri("exr.exr"));
  ASSERT_TRUE(doc().Undo().Undo());
  EXPECT_EQ(doc().Objects().First(), existing);
  EXPECT_EQ(doc().AllObjects().size(), 1u);
  ASSERT_TRUE(doc().Undo().Redo());
  ASSERT_EQ(doc().AllObjects().size(), 2u);
  EXPECT_EQ(doc().Objects().First()->Data().GetText(kHdriObjectFile), Hdri("exr.exr"));
}

TEST_P(ClickTargets, ViewGetsTheSmallVariantOnlyFromVersion18000WhenItExists) {
  simhost::Atom* hdri = doc().AddObject(kHdriObject, "Sky");
  doc().SelectObjects({hdri});
  OpenAndClick("exr");
  if (GetParam() == Build::R17) {
    EXPECT_EQ(ViewFile(), Hdri("exr_SM.exr"));
  } else {
    EXPECT_EQ(ViewFile(), "");
  }
  const std::string view = ViewFile();
  ASSERT_TRUE(session_.ClickLabel("bare"));
  EXPECT_EQ(hdri->Data().GetText(kHdriObjectFile), Hdri("bare.hdr"));
  EXPECT_EQ(ViewFile(), view);
}

INSTANTIATE_TEST_SUITE_P(Builds, ClickTargets, testing::Values(Build::R17, Build::R14),
                         [](const testing::TestParamInfo<Build>& info) {
                           return BuildName(info.param);
                         });

// The R17 build on a host older than 18000.
class ClickTargetsBefore18000 : public ClickTargets {
 protected:
  ClickTargetsBefore18000() : ClickTargets(17048) {}
};

TEST_P(ClickTargetsBefore18000, NeverTouchesTheView) {
  doc().AddObject(kHdriObject, "One");
  doc().AddObject(kHdriObject, "Two");
  OpenAndClick("full");
  ASSERT_TRUE(doc().Undo().LastGroup() == nullptr || doc().Undo().LastGroup()->steps.empty());
  doc().SelectObjects({doc().Objects().First()});
  ASSERT_TRUE(session_.ClickLabel("exr"));
  EXPECT_EQ(ViewFile(), "");
  const simhost::UndoGroup* group = doc().Undo().LastGroup();
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(group->steps.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Builds, ClickTargetsBefore18000, testing::Values(Build::R17),
                         [](const testing::TestParamInfo<Build>& info) {
                           return BuildName(info.param);
                         });

// Takes: the R17 build records a changed file name as an override of the
// current take when that is not the main take; the R14 build has no takes.
TEST_P(ClickTargets, ChangeOutsideTheMainTakeLandsAsThatTakesOverride) {
  session_.host().SetTakesAvailable(true);
  simhost::Atom* hdri = doc().AddObject(kHdriObject, "Sky");
  doc().SelectObjects({hdri});
  OpenAndClick("full");
  EXPECT_TRUE(doc().Takes().Overrides().empty());  // main take: none

  simhost::Take* night = doc().Takes().AddTake("Night", nullptr);
  ASSERT_TRUE(doc().Takes().SetCurrent(night));
  ASSERT_TRUE(session_.ClickLabel("exr"));
  EXPECT_EQ(hdri->Data().GetText(kHdriObjectFile), Hdri("exr.exr"));
  std::vector<simhost::OverrideRecord> overrides = doc().Takes().Overrides();
  if (GetParam() == Build::R14) {
    EXPECT_TRUE(overrides.empty());
    return;
  }
  ASSERT_EQ(overrides.size(), 2u);
  for (const simhost::OverrideRecord& record : overrides) {
    EXPECT_EQ(record.take, night);
    EXPECT_EQ(record.node, hdri);
  }
  EXPECT_EQ(overrides[0].id[0].id, kHdriObjectFile);
  EXPECT_EQ(overrides[0].override_value.Text(), Hdri("exr.exr"));
  EXPECT_EQ(overrides[0].backup_value.Text(), Hdri("full.hdr"));
  EXPECT_EQ(overrides[1].id[0].id, kHdriObjectBackground);
}

}  // namespace
}  // namespace lumidrome_test

// Paths and texts holding a NUL character: a zero-terminated argument cannot
// carry one, so nothing may reach the host cut short at it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "c4d_basebitmap.h"
#include "c4d_basecontainer.h"
#include "c4d_baselist.h"
#include "c4d_file.h"
#include "c4d_general.h"
#include "c4d_host_private.h"
#include "fake_table.h"
#include "ge_autoptr.h"
#include "host_test_util.h"
#include "operatingsystem.h"

namespace {

using Calls = std::vector<std::string>;

String WithNul(const std::string& before, const std::string& after) {
  std::string bytes = before + std::string(1, '\0') + after;
  String text;
  text.SetCString(bytes.data(), static_cast<maxon::Int32>(bytes.size()), STRINGENCODING_UTF8);
  return text;
}

class NulText : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(InitOS(table_.Get()), 17048);
    table_.Calls().clear();
  }
  void TearDown() override {
    c4dhost::ClearModuleCaches();
    InitOS(nullptr);
  }
  host_test::FakeTable table_;
};

TEST_F(NulText, APathHoldingANulNamesNoFileOrFolder) {
  const Filename path(WithNul("/library", "/etc"));
  ASSERT_EQ(path.GetString().GetLength(), 13);
  EXPECT_FALSE(GeFExist(path, true));
  EXPECT_FALSE(GeFExist(path, false));
  EXPECT_FALSE(GeFCreateDir(path));
  EXPECT_FALSE(GeFKill(path));
  AutoAlloc<BaseFile> file;
  ASSERT_TRUE(file);
  EXPECT_FALSE(file->Open(path, FILEOPEN_WRITE));
  AutoAlloc<BaseBitmap> bitmap;
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(bitmap->Init(path), IMAGERESULT_NOTEXISTING);
  // The browse yields nothing, as for the empty path.
  AutoAlloc<BrowseFiles> browser;
  ASSERT_TRUE(browser);
  browser->Init(path, BROWSEFILES_SUPPRESSCACHING);
  EXPECT_FALSE(GeOpenHTML(WithNul("https://example.com", "x")));
  EXPECT_EQ(table_.Calls(), Calls{"dir_init "});

  // The same calls without the NUL reach the host whole.
  table_.Calls().clear();
  const Filename plain("/library/etc");
  EXPECT_TRUE(GeFExist(plain, true));
  browser->Init(plain, BROWSEFILES_SUPPRESSCACHING);
  EXPECT_EQ(bitmap->Init(plain), IMAGERESULT_OK);
  EXPECT_EQ(table_.Calls(),
            (Calls{"exists /library/etc", "dir_init /library/etc", "init_file /library/etc"}));
}

// Shown text keeps everything after the NUL, which shows as U+FFFD.
TEST_F(NulText, ShownTextIsNotCutShort) {
  GePrint(WithNul("before", "after"));
  EXPECT_EQ(table_.Calls(), Calls{"print before\xEF\xBF\xBD"
                                  "after"});
}

// Values carry their length, so a NUL crosses in them unchanged.
TEST_F(NulText, ValuesKeepTheirNul) {
  host_test::FakeAtom* atom = table_.NewAtom(1035165);
  BaseList2D* element = reinterpret_cast<BaseList2D*>(table_.Handle(atom));
  BaseContainer* data = element->GetDataInstance();
  ASSERT_NE(data, nullptr);
  const Filename path(WithNul("/library", "/etc"));
  data->SetFilename(2001, path);
  EXPECT_TRUE(data->GetFilename(2001) == path);
  EXPECT_EQ(data->GetFilename(2001).GetString().GetLength(), 13);
}

}  // namespace

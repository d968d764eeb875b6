// Splitting session lines into words.
#include "session/command_line.h"

#include <gtest/gtest.h>

namespace session_test {
namespace {

using simhost_app::SplitWords;
using Words = std::vector<std::string>;

TEST(SessionCommandLine, SplitsQuotesEscapesAndComments) {
  EXPECT_EQ(SplitWords("  click   \"Soft Box 01\"  right "),
            (Words{"click", "Soft Box 01", "right"}));
  EXPECT_EQ(SplitWords("echo \"say \\\"hi\\\" \\\\ now\""), (Words{"echo", "say \"hi\" \\ now"}));
  EXPECT_EQ(SplitWords("pack a\"b c\"d"), (Words{"pack", "ab cd"}));
  // Other backslashes are the text's own: Windows paths keep theirs.
  EXPECT_EQ(SplitWords("answer folder \"C:\\Users\\me\\My Packs\""),
            (Words{"answer", "folder", "C:\\Users\\me\\My Packs"}));
  EXPECT_EQ(SplitWords("shot C:\\shots\\a.png"), (Words{"shot", "C:\\shots\\a.png"}));
  EXPECT_EQ(SplitWords("open # shift-ctrl"), (Words{"open"}));
  EXPECT_EQ(SplitWords("echo a#b"), (Words{"echo", "a#b"}));
  EXPECT_EQ(SplitWords("echo \"#not a comment\""), (Words{"echo", "#not a comment"}));
  EXPECT_EQ(SplitWords("pack \"\""), (Words{"pack", ""}));
  EXPECT_TRUE(SplitWords("   # only a comment").empty());
  EXPECT_THROW(SplitWords("click \"Soft Box"), simhost_app::CommandError);
}

TEST(SessionCommandLine, IntegersAreWholeWords) {
  int32_t value = 0;
  EXPECT_TRUE(simhost_app::ParseInt32("-1", &value));
  EXPECT_EQ(value, -1);
  EXPECT_FALSE(simhost_app::ParseInt32("12px", &value));
  EXPECT_FALSE(simhost_app::ParseInt32("", &value));
  EXPECT_FALSE(simhost_app::ParseInt32("99999999999", &value));
}

}  // namespace
}  // namespace session_test

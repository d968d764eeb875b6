// Shuffled folder listings: the seed alone decides the order, the same with
// every standard library, and each listing is shuffled anew.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "files/directory.h"

namespace simhost {
namespace {

std::string Joined(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += name;
  return text;
}

TEST(ListingOrder, ASeedGivesTheSameShufflesOnEveryStandardLibrary) {
  std::vector<std::string> names{"a", "b", "c", "d", "e", "f"};
  std::mt19937 random(7);
  OrderNames(&names, DirOrder::kShuffle, &random);
  // Fixed by std::mt19937's raw numbers, which the standard defines.
  EXPECT_EQ(Joined(names), "afebcd");
  OrderNames(&names, DirOrder::kShuffle, &random);
  EXPECT_EQ(Joined(names), "acfdeb");
  OrderNames(&names, DirOrder::kShuffle, nullptr);  // no engine: left as it is
  EXPECT_EQ(Joined(names), "acfdeb");
}

}  // namespace
}  // namespace simhost

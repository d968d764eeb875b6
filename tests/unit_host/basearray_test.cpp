// maxon::BaseArray: growth, copies by CopyFrom, insertion and erasing.
#include "c4d_misc/datastructures/basearray.h"

#include <gtest/gtest.h>

#include <string>

#include "c4d_misc/memory/defaultallocator.h"

namespace {

// Counts live objects so that leaks and double destruction show.
struct Tracked {
  static int alive;
  int value;
  Tracked() : value(0) { ++alive; }
  explicit Tracked(int v) : value(v) { ++alive; }
  Tracked(const Tracked& other) : value(other.value) { ++alive; }
  ~Tracked() { --alive; }
  Tracked& operator=(const Tracked& other) = default;
};
int Tracked::alive = 0;

TEST(BaseArrayGrowth, AppendReturnsTheElementAndMovesOnGrowth) {
  maxon::BaseArray<int> numbers;
  int* first = numbers.Append(1);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(*first, 1);
  for (int i = 2; i <= 100; ++i) ASSERT_NE(numbers.Append(i), nullptr);
  EXPECT_EQ(numbers.GetCount(), 100);
  EXPECT_GE(numbers.GetCapacityCount(), 100);
  EXPECT_EQ(numbers[99], 100);
  EXPECT_EQ(*numbers.GetLast(), 100);
  EXPECT_EQ(numbers.GetIndex(numbers[42]), 42);
  int sum = 0;
  for (int value : numbers) sum += value;
  EXPECT_EQ(sum, 5050);
}

TEST(BaseArrayGrowth, AppendingAnOwnElementSurvivesGrowth) {
  maxon::BaseArray<std::string> words;
  words.Append(std::string(40, 'a'));
  for (int i = 0; i < 40; ++i) ASSERT_NE(words.Append(words[0]), nullptr);
  EXPECT_EQ(words.GetCount(), 41);
  EXPECT_EQ(words[40], std::string(40, 'a'));
  ASSERT_NE(words.Insert(0, words[5]), nullptr);
  EXPECT_EQ(words[0], std::string(40, 'a'));
}

TEST(BaseArrayCopies, ArraysOfArraysAppendByCopy) {
  maxon::BaseArray<maxon::BaseArray<int>> rows;
  maxon::BaseArray<int> row;
  row.Append(1);
  row.Append(2);
  ASSERT_NE(rows.Append(row), nullptr);
  row.Append(3);
  ASSERT_NE(rows.Append(row), nullptr);
  EXPECT_EQ(rows[0].GetCount(), 2);
  EXPECT_EQ(rows[1].GetCount(), 3);
  rows[0][0] = 10;
  EXPECT_EQ(row[0], 1);

  maxon::BaseArray<maxon::BaseArray<int>> copy;
  EXPECT_TRUE(copy.CopyFrom(rows));
  EXPECT_EQ(copy[1][2], 3);
  EXPECT_TRUE(copy.CopyFrom(copy));
  EXPECT_EQ(copy.GetCount(), 2);
}

TEST(BaseArrayCopies, MoveLeavesTheSourceEmpty) {
  maxon::BaseArray<int> source;
  source.Append(4);
  maxon::BaseArray<int> target(std::move(source));
  EXPECT_EQ(source.GetCount(), 0);
  EXPECT_EQ(target[0], 4);
  source = std::move(target);
  EXPECT_EQ(source[0], 4);
}

TEST(BaseArrayEdit, InsertEraseResizePop) {
  maxon::BaseArray<int> numbers;
  for (int i = 0; i < 5; ++i) numbers.Append(i);
  ASSERT_NE(numbers.Insert(2, 99), nullptr);
  EXPECT_EQ(numbers[2], 99);
  EXPECT_EQ(numbers[3], 2);
  EXPECT_EQ(numbers.Insert(7), nullptr);
  ASSERT_NE(numbers.Erase(1, 2), nullptr);
  EXPECT_EQ(numbers.GetCount(), 4);
  EXPECT_EQ(numbers[1], 2);
  EXPECT_EQ(numbers.Erase(3, 5), nullptr);
  EXPECT_EQ(numbers.Erase(-1), nullptr);
  int last = 0;
  EXPECT_TRUE(numbers.Pop(&last));
  EXPECT_EQ(last, 4);
  EXPECT_TRUE(numbers.Resize(6));
  EXPECT_EQ(numbers[5], 0);
  EXPECT_FALSE(numbers.Resize(-1));
  numbers.Flush();
  EXPECT_EQ(numbers.GetFirst(), nullptr);
  EXPECT_FALSE(numbers.Pop());
}

TEST(BaseArrayEdit, EveryElementIsDestroyedOnce) {
  Tracked::alive = 0;
  {
    maxon::BaseArray<Tracked> items;
    for (int i = 0; i < 50; ++i) items.Append(Tracked(i));
    items.Erase(10, 5);
    items.Insert(3, Tracked(7));
    EXPECT_EQ(Tracked::alive, 46);
    items.Resize(20);
    EXPECT_EQ(Tracked::alive, 20);
  }
  EXPECT_EQ(Tracked::alive, 0);
}

// NewObj and DeleteObj with and without constructor arguments.
struct Pair {
  int a;
  int b;
  Pair() : a(1), b(2) {}
  Pair(int x, int y) : a(x), b(y) {}
};

TEST(DefaultAllocator, NewObjPassesArgumentsAndDeleteObjResets) {
  Pair* plain = NewObj(Pair);
  Pair* given = NewObj(Pair, 5, 6);
  ASSERT_NE(plain, nullptr);
  ASSERT_NE(given, nullptr);
  EXPECT_EQ(plain->b, 2);
  EXPECT_EQ(given->a, 5);
  DeleteObj(plain);
  DeleteObj(given);
  EXPECT_EQ(plain, nullptr);
  DeleteObj(given);
  int* memory = NewMemClear(int, 4);
  ASSERT_NE(memory, nullptr);
  EXPECT_EQ(memory[3], 0);
  DeleteMem(memory);
}

}  // namespace

// BaseContainer and GeData as plain values.
#include <gtest/gtest.h>

#include "c4d_basecontainer.h"
#include "c4d_gedata.h"
#include "common/plugin_ids.h"
#include "host_test_util.h"

namespace {

using host_test::Text;
namespace plugin_ids = simhost_app::plugin_ids;

#ifdef C4D_API_R14
maxon::Int32 GetInt(const BaseContainer& bc, maxon::Int32 id, maxon::Int32 preset = 0) {
  return bc.GetLong(id, preset);
}
void SetInt(BaseContainer& bc, maxon::Int32 id, maxon::Int32 value) { bc.SetLong(id, value); }
maxon::Float GetFloat(const BaseContainer& bc, maxon::Int32 id) { return bc.GetReal(id); }
void SetFloat(BaseContainer& bc, maxon::Int32 id, maxon::Float value) { bc.SetReal(id, value); }
#else
maxon::Int32 GetInt(const BaseContainer& bc, maxon::Int32 id, maxon::Int32 preset = 0) {
  return bc.GetInt32(id, preset);
}
void SetInt(BaseContainer& bc, maxon::Int32 id, maxon::Int32 value) { bc.SetInt32(id, value); }
maxon::Float GetFloat(const BaseContainer& bc, maxon::Int32 id) { return bc.GetFloat(id); }
void SetFloat(BaseContainer& bc, maxon::Int32 id, maxon::Float value) { bc.SetFloat(id, value); }
#endif

TEST(BaseContainerValues, KeepsFirstInsertionOrder) {
  BaseContainer bc(7);
  SetInt(bc, 105, 1);
  bc.SetString(101, "x");
  SetInt(bc, 105, 2);
  bc.SetBool(3, true);
  EXPECT_EQ(bc.GetId(), 7);
  EXPECT_EQ(bc.GetIndexId(0), 105);
  EXPECT_EQ(bc.GetIndexId(1), 101);
  EXPECT_EQ(bc.GetIndexId(2), 3);
  EXPECT_EQ(bc.GetIndexId(3), NOTOK);
  EXPECT_EQ(bc.FindIndex(101), 1);
  EXPECT_EQ(bc.FindIndex(999), -1);
  EXPECT_EQ(GetInt(bc, 105), 2);
}

TEST(BaseContainerValues, PresetsForMissingOrForeignValues) {
  BaseContainer bc;
  bc.SetString(1, "text");
  EXPECT_EQ(GetInt(bc, 1, 5), 5);
  EXPECT_EQ(GetInt(bc, 2, 6), 6);
  EXPECT_EQ(bc.GetBool(2, true), 1);
  EXPECT_EQ(Text(bc.GetString(3, "preset")), "preset");
  EXPECT_EQ(bc.GetType(1), DA_STRING);
  EXPECT_EQ(bc.GetType(2), DA_NIL);
  EXPECT_EQ(bc.GetData(2).GetType(), DA_NIL);
  EXPECT_EQ(bc.GetDataPointer(2), nullptr);
}

TEST(BaseContainerValues, NumbersAndPathsReadAcrossKinds) {
  BaseContainer bc;
  SetFloat(bc, 1, 2.75);
  SetInt(bc, 2, 3);
  bc.SetFilename(3, Filename("/a/b"));
  bc.SetString(4, "/c/d");
  EXPECT_EQ(GetInt(bc, 1), 2);
  EXPECT_DOUBLE_EQ(GetFloat(bc, 2), 3.0);
  EXPECT_EQ(Text(bc.GetString(3)), "/a/b");
  EXPECT_EQ(Text(bc.GetFilename(4)), "/c/d");
  EXPECT_EQ(bc.GetBool(2), 1);
}

// Shaped like the browser's saved layout record: the command's container
// holding the chosen tile size and pack.
TEST(BaseContainerNesting, InstancesChangeInPlaceCopiesDoNot) {
  constexpr maxon::Int32 record_key = plugin_ids::kBrowserCommand;
  constexpr maxon::Int32 size_key = plugin_ids::kSizeChooser;
  constexpr maxon::Int32 pack_key = plugin_ids::kPackChooser;
  BaseContainer record;
  SetInt(record, size_key, 3);
  BaseContainer answer(0);
  answer.SetContainer(record_key, record);

  BaseContainer copy = answer.GetContainer(record_key);
  SetInt(copy, size_key, 1);
  EXPECT_EQ(GetInt(*answer.GetContainerInstance(record_key), size_key), 3);

  SetInt(*answer.GetContainerInstance(record_key), pack_key, 9002);
  EXPECT_EQ(GetInt(answer.GetContainer(record_key), pack_key), 9002);
  EXPECT_EQ(answer.GetContainerInstance(size_key), nullptr);
  EXPECT_EQ(answer.GetContainer(77).GetIndexId(0), NOTOK);
}

TEST(BaseContainerNesting, CopiesAreDeepAndEqual) {
  BaseContainer inner(5);
  inner.SetString(1, "deep");
  BaseContainer outer(1);
  outer.SetContainer(2, inner);
  BaseContainer copy(outer);
  EXPECT_TRUE(copy == outer);
  copy.GetContainerInstance(2)->SetString(1, "changed");
  EXPECT_FALSE(copy == outer);
  EXPECT_EQ(Text(outer.GetContainer(2).GetString(1)), "deep");
  BaseContainer* clone = outer.GetClone(COPYFLAGS_0, nullptr);
  ASSERT_NE(clone, nullptr);
  EXPECT_TRUE(*clone == outer);
  delete clone;
}

TEST(BaseContainerEdit, RemoveMergeFlush) {
  BaseContainer bc(3);
  SetInt(bc, 1, 1);
  SetInt(bc, 2, 2);
  EXPECT_TRUE(bc.RemoveData(1));
  EXPECT_FALSE(bc.RemoveData(1));
  BaseContainer more;
  SetInt(more, 2, 20);
  SetInt(more, 4, 40);
  bc.MergeContainer(more);
  EXPECT_EQ(GetInt(bc, 2), 20);
  EXPECT_EQ(GetInt(bc, 4), 40);
  EXPECT_EQ(bc.GetIndexId(1), 4);
  bc.FlushAll();
  EXPECT_EQ(bc.GetIndexId(0), NOTOK);
  EXPECT_EQ(bc.GetId(), 3);
}

TEST(BaseContainerEdit, EqualityIgnoresOrderButNotId) {
  BaseContainer a(1), b(1), c(2);
  SetInt(a, 1, 1);
  SetInt(a, 2, 2);
  SetInt(b, 2, 2);
  SetInt(b, 1, 1);
  SetInt(c, 1, 1);
  SetInt(c, 2, 2);
  EXPECT_TRUE(a == b);
  EXPECT_TRUE(a != c);
}

TEST(GeDataValues, KindsAndDefaults) {
  EXPECT_EQ(GeData().GetType(), DA_NIL);
  EXPECT_EQ(GeData(5).GetType(), DA_LONG);
  EXPECT_EQ(GeData(2.5).GetType(), DA_REAL);
  EXPECT_EQ(GeData(static_cast<maxon::Int64>(1) << 40, LLONGVALUE).GetType(), DA_LLONG);
  EXPECT_EQ(GeData("text").GetType(), DA_STRING);
  EXPECT_EQ(GeData(Filename("/x")).GetType(), DA_FILENAME);
  EXPECT_EQ(GeData(BaseContainer()).GetType(), DA_CONTAINER);
  EXPECT_EQ(GeData(static_cast<BaseList2D*>(nullptr)).GetType(), DA_ALIASLINK);
  EXPECT_EQ(GeData(DA_FILENAME, DEFAULTVALUE).GetType(), DA_FILENAME);
  EXPECT_EQ(GeData(DA_VECTOR, DEFAULTVALUE).GetType(), DA_NIL);
}

TEST(GeDataValues, WrongKindReadsGiveEmptyValues) {
  GeData number(7);
  EXPECT_FALSE(number.GetString().Content());
  EXPECT_FALSE(number.GetFilename().Content());
  EXPECT_EQ(number.GetContainer(), nullptr);
  EXPECT_EQ(number.GetLink(nullptr), nullptr);
  EXPECT_EQ(GeData("7").GetBool(), 0);
}

TEST(GeDataValues, CopyAssignAndCompare) {
  GeData path(Filename("/old"));
  GeData other(Filename("/new"));
  EXPECT_TRUE(path != other);
  GeData copy(path);
  path = other;
  EXPECT_TRUE(path == other);
  EXPECT_EQ(Text(copy.GetFilename()), "/old");
  const GeData& same = path;  // self-assignment through an alias, as containers do
  path = same;
  EXPECT_EQ(Text(path.GetFilename()), "/new");
  path.SetString("s");
  EXPECT_EQ(path.GetType(), DA_STRING);
  EXPECT_TRUE(GeData(Filename()) == GeData(Filename("")));
}

}  // namespace

// The layer over an in-memory function table: the table gate, the
// length-prefixed text of BaseFile, and element data containers that read
// and write the host's container.
#include <gtest/gtest.h>

#include <string>

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

using host_test::FakeTable;
using host_test::Text;

#ifdef C4D_API_R14
const maxon::Int32 kMinimumVersion = 14000;
#else
const maxon::Int32 kMinimumVersion = 17030;
#endif

class HostTableTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(InitOS(table_.Get()), 17048); }
  void TearDown() override {
    c4dhost::ClearModuleCaches();
    InitOS(nullptr);
  }

  std::string WrittenString(const String& text, BYTEORDER order) {
    AutoAlloc<BaseFile> file;
    EXPECT_TRUE(file);
    if (!file) return std::string();
    EXPECT_TRUE(file->Open(Filename("/res/remote.txt"), FILEOPEN_WRITE, FILEDIALOG_ANY, order));
    EXPECT_TRUE(file->WriteString(text));
    file->Close();
    return table_.Files()["/res/remote.txt"];
  }

  BaseList2D* NewElement(host_test::FakeAtom** atom) {
    *atom = table_.NewAtom(1035165);
    return reinterpret_cast<BaseList2D*>(table_.Handle(*atom));
  }

  FakeTable table_;
};

TEST(TableGate, RefusedTablesMakeEveryCallAFailure) {
  FakeTable table;
  table.Get()->version = kMinimumVersion - 1;
  EXPECT_EQ(InitOS(table.Get()), 0);
  EXPECT_EQ(GetC4DVersion(), kMinimumVersion - 1);
  EXPECT_EQ(BaseFile::Alloc(), nullptr);
  EXPECT_FALSE(GeFExist(Filename("/"), true));
  GePrint("nothing happens");
  EXPECT_EQ(GeGetVersionType(), VERSIONTYPE_UNKNOWN);

  table.Get()->version = kMinimumVersion;
  table.Get()->size = sizeof(c4d_function_table) - 8;
  EXPECT_EQ(InitOS(table.Get()), 0);
  EXPECT_EQ(BaseFile::Alloc(), nullptr);

  table.Get()->size = sizeof(c4d_function_table);
  EXPECT_EQ(InitOS(table.Get()), kMinimumVersion);
  BaseFile* file = BaseFile::Alloc();
  EXPECT_NE(file, nullptr);
  BaseFile::Free(file);
  EXPECT_EQ(file, nullptr);

  EXPECT_EQ(InitOS(nullptr), 0);
  EXPECT_EQ(GetC4DVersion(), 0);
}

// Areas grow at their end and say how large they are: one older than this
// build, or missing, refuses the table; a newer, larger one is taken.
TEST(TableGate, EachAreaMustBeAtLeastAsLargeAsTheBuildKnowsIt) {
  FakeTable table;
  table.Get()->version = kMinimumVersion;
  table.Scene().size = sizeof(c4d_scene_api) - sizeof(void*);
  EXPECT_EQ(InitOS(table.Get()), 0);
  EXPECT_EQ(BaseFile::Alloc(), nullptr);

  table.Scene().size = sizeof(c4d_scene_api) + 4 * sizeof(void*);
  EXPECT_EQ(InitOS(table.Get()), kMinimumVersion);

  table.Scene().size = sizeof(c4d_scene_api);
  table.Get()->dialog = nullptr;
  EXPECT_EQ(InitOS(table.Get()), 0);
  EXPECT_EQ(InitOS(nullptr), 0);
}

TEST_F(HostTableTest, WriteStringPrefixesTheByteCountWithItsZero) {
  std::string bytes = WrittenString(String("/Volumes/HDRI/Packs1"), BYTEORDER_INTEL);
  ASSERT_EQ(bytes.size(), 25u);
  EXPECT_EQ(bytes.substr(0, 4), std::string("\x15\x00\x00\x00", 4));
  EXPECT_EQ(bytes.substr(4, 20), "/Volumes/HDRI/Packs1");
  EXPECT_EQ(bytes[24], '\0');

  std::string motorola = WrittenString(String("ab"), BYTEORDER_MOTOROLA);
  EXPECT_EQ(motorola, std::string("\x00\x00\x00\x03"
                                  "ab\x00",
                                  7));
}

TEST_F(HostTableTest, WriteStringUsesTheBuildsEncoding) {
  std::string bytes = WrittenString(String("caf\xC3\xA9", STRINGENCODING_UTF8), BYTEORDER_INTEL);
#ifdef C4D_API_R14
  EXPECT_EQ(bytes, std::string("\x05\x00\x00\x00"
                               "caf\xE9\x00",
                               9));
#else
  EXPECT_EQ(bytes, std::string("\x06\x00\x00\x00"
                               "caf\xC3\xA9\x00",
                               10));
#endif
}

TEST_F(HostTableTest, ReadStringReadsBackAndRejectsCorruptLengths) {
  WrittenString(String("caf\xC3\xA9 / Packs", STRINGENCODING_UTF8), BYTEORDER_INTEL);
  AutoAlloc<BaseFile> file;
  ASSERT_TRUE(file);
  ASSERT_TRUE(
      file->Open(Filename("/res/remote.txt"), FILEOPEN_READ, FILEDIALOG_NONE, BYTEORDER_INTEL));
  String text;
  EXPECT_TRUE(file->ReadString(&text));
  EXPECT_EQ(Text(text), "caf\xC3\xA9 / Packs");
  EXPECT_FALSE(file->ReadString(&text));

  const std::string corrupt[] = {std::string("\xFF\xFF\xFF\x7F"
                                             "abc",
                                             7),
                                 std::string("\x00\x00\x00\x80", 4),
                                 std::string("\x00\x00\x00\x00", 4), std::string("\x05", 1)};
  for (const std::string& bytes : corrupt) {
    table_.Files()["/res/corrupt.txt"] = bytes;
    AutoAlloc<BaseFile> reader;
    ASSERT_TRUE(reader->Open(Filename("/res/corrupt.txt"), FILEOPEN_READ, FILEDIALOG_NONE,
                             BYTEORDER_INTEL));
    String untouched("kept");
    EXPECT_FALSE(reader->ReadString(&untouched));
    EXPECT_EQ(Text(untouched), "kept");
  }
}

TEST_F(HostTableTest, DataInstanceWritesGoStraightToTheElement) {
  host_test::FakeAtom* atom = nullptr;
  BaseList2D* element = NewElement(&atom);
  BaseContainer* data = element->GetDataInstance();
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(element->GetDataInstance(), data);

  data->SetBool(2059, true);
  c4d_value value{};
  ASSERT_TRUE(table_.Get()->container->get(atom->data, 2059, &value));
  EXPECT_EQ(value.type, C4D_VALUE_INT32);
  EXPECT_EQ(value.int32_value, 1);

  value.int32_value = 2;
  table_.Get()->container->set(atom->data, 3000, &value);
#ifdef C4D_API_R14
  EXPECT_EQ(data->GetLong(3000), 2);
#else
  EXPECT_EQ(data->GetInt32(3000), 2);
#endif
  EXPECT_EQ(data->GetData(3000).GetType(), DA_LONG);
  EXPECT_EQ(data->GetIndexId(1), 3000);
  EXPECT_TRUE(data->RemoveData(3000));
  EXPECT_EQ(data->GetType(3000), DA_NIL);
}

TEST_F(HostTableTest, NestedDataInstancesAndSnapshots) {
  host_test::FakeAtom* atom = nullptr;
  BaseList2D* element = NewElement(&atom);
  BaseContainer* data = element->GetDataInstance();
  BaseContainer inner;
  inner.SetString(1, "before");
  data->SetContainer(5, inner);
  data->SetFilename(2001, Filename("/hdri/a.hdr"));

  BaseContainer snapshot(*data);
  BaseContainer* nested = data->GetContainerInstance(5);
  ASSERT_NE(nested, nullptr);
  nested->SetString(1, "after");
  data->SetFilename(2001, Filename("/hdri/b.hdr"));

  EXPECT_EQ(Text(data->GetContainer(5).GetString(1)), "after");
  EXPECT_EQ(Text(snapshot.GetContainer(5).GetString(1)), "before");
  EXPECT_EQ(Text(snapshot.GetFilename(2001)), "/hdri/a.hdr");
  EXPECT_EQ(Text(element->GetData().GetFilename(2001)), "/hdri/b.hdr");
}

TEST_F(HostTableTest, AssigningToADataInstanceReplacesTheElementsData) {
  host_test::FakeAtom* atom = nullptr;
  BaseContainer* data = NewElement(&atom)->GetDataInstance();
  data->SetBool(1, true);
  data->SetBool(2, true);
  BaseContainer replacement(9);
  replacement.SetString(3, "only");
  *data = replacement;
  EXPECT_EQ(table_.Get()->container->count(atom->data), 1);
  EXPECT_EQ(table_.Get()->container->get_id(atom->data), 9);
  EXPECT_TRUE(*data == replacement);
  *data = *data;
  EXPECT_EQ(table_.Get()->container->count(atom->data), 1);
}

TEST_F(HostTableTest, EveryValueKindCrossesTheTableIntact) {
  host_test::FakeAtom* atom = nullptr;
  BaseList2D* element = NewElement(&atom);
  BaseContainer deepest(3);
  deepest.InsData(1, GeData(static_cast<maxon::Int64>(1) << 40, LLONGVALUE));
  BaseContainer middle(2);
  middle.SetContainer(7, deepest);
  middle.SetData(8, GeData(0.25));
  middle.SetLink(9, element);
  BaseContainer outer(1);
  outer.SetFilename(1, Filename(String("/caf\xE9/\xFF.jpg", STRINGENCODING_UTF8)));
  outer.SetString(2, String("text \xC3\xA9", STRINGENCODING_UTF8));
  outer.SetContainer(3, middle);

  int containersBefore = FakeTable::LiveContainers();
  BaseContainer* data = element->GetDataInstance();
  data->SetContainer(10, outer);
  BaseContainer back = data->GetContainer(10);
  EXPECT_TRUE(back == outer);
  EXPECT_EQ(Text(back.GetFilename(1)), "/caf\xE9/\xFF.jpg");
  EXPECT_EQ(back.GetContainer(3).GetLink(9, nullptr), element);
  EXPECT_EQ(back.GetContainer(3).GetLink(9, nullptr, 5), nullptr);
  // One stored copy of the three levels; the temporaries are gone.
  EXPECT_EQ(FakeTable::LiveContainers(), containersBefore + 3);
}

}  // namespace

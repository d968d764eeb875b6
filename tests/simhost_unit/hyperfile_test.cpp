// Container files: what survives a round trip, and what a damaged, cut or
// foreign file does to a reader (it must fail cleanly, never crash or
// allocate what a corrupt length claims).
#include "files/hyperfile.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "host.h"
#include "platform/platform.h"
#include "test_support.h"
#include "text/text_util.h"
#include "values/container.h"

namespace simhost {
namespace {

using simhost_test::ReadBytes;
using simhost_test::TempFolder;
using simhost_test::WriteBytes;

constexpr int32_t kIdent = 234;

class HyperFileTest : public ::testing::Test {
 protected:
  // Writes one file name value, as the settings writer does.
  void WriteFilename(const std::string& path, const char* text) {
    c4d_hyperfile* file = api_.hf_alloc();
    ASSERT_TRUE(api_.hf_open(file, kIdent, path.c_str(), file_open::kWrite, 0));
    c4d_value value = simhost_test::StringValue(text, C4D_VALUE_FILENAME);
    ASSERT_TRUE(api_.hf_write(file, &value));
    ASSERT_TRUE(api_.hf_close(file));
    api_.hf_free(file);
  }

  // Opens for reading and reads one file name; the error code on failure.
  int32_t ReadFilename(const std::string& path, std::string* text, int32_t ident = kIdent) {
    c4d_hyperfile* file = api_.hf_alloc();
    int32_t error = file_error::kNone;
    if (!api_.hf_open(file, ident, path.c_str(), file_open::kRead, 0)) {
      error = api_.hf_get_error(file);
    } else {
      c4d_value value;
      if (api_.hf_read(file, C4D_VALUE_FILENAME, &value)) {
        text->assign(value.text, static_cast<size_t>(value.text_length));
      } else {
        error = api_.hf_get_error(file);
      }
      api_.hf_close(file);
    }
    api_.hf_free(file);
    return error;
  }

  Host host_;
  const c4d_file_api& api_ = *host_.Table().file;
  TempFolder folder_{simhost_test::kTempPrefix};
};

TEST_F(HyperFileTest, EveryKindSurvivesARoundTrip) {
  Container inner(7);
  inner.Set(1, Value::String("deep"));
  Container outer(5);
  outer.Set(10, Value::OfContainer(inner));
  outer.Set(11, Value::Int64(-1234567890123LL));
  const std::vector<Value> values = {Value(),
                                     Value::Int32(-5),
                                     Value::Float(0.1),
                                     Value::Int64(1LL << 40),
                                     Value::String("é\n\"x\""),
                                     Value::Filename(std::string("a\0b", 3)),
                                     Value::OfContainer(outer)};
  const std::string path = folder_.File("all.hf");
  HyperFile writer;
  std::string reason;
  ASSERT_TRUE(writer.Open(kIdent, path, file_open::kWrite, &reason)) << reason;
  for (const Value& value : values) ASSERT_TRUE(writer.Write(value));
  ASSERT_TRUE(writer.Close(&reason)) << reason;

  HyperFile reader;
  ASSERT_TRUE(reader.Open(kIdent, path, file_open::kRead, &reason)) << reason;
  EXPECT_EQ(reader.FileVersion(), HyperFile::kFormatVersion);
  for (const Value& expected : values) {
    Value got;
    ASSERT_TRUE(reader.Read(expected.Type(), &got));
    EXPECT_EQ(got, expected) << expected.Describe();
  }
  Value beyond;
  EXPECT_FALSE(reader.Read(C4D_VALUE_INT32, &beyond));
  EXPECT_EQ(reader.Error(), file_error::kFileEnd);
}

TEST_F(HyperFileTest, ReadingAnotherKindFailsAndLeavesTheValueInPlace) {
  const std::string path = folder_.File("kind.hf");
  WriteFilename(path, "/library");
  c4d_hyperfile* file = api_.hf_alloc();
  ASSERT_TRUE(api_.hf_open(file, kIdent, path.c_str(), file_open::kRead, 0));
  c4d_value value;
  EXPECT_FALSE(api_.hf_read(file, C4D_VALUE_STRING, &value));
  EXPECT_EQ(api_.hf_get_error(file), file_error::kWrongValue);
  EXPECT_EQ(value.type, C4D_VALUE_NIL);
  // Once an error is set, reads stay refused until it is cleared.
  EXPECT_FALSE(api_.hf_read(file, C4D_VALUE_FILENAME, &value));
  api_.hf_set_error(file, file_error::kNone);
  ASSERT_TRUE(api_.hf_read(file, C4D_VALUE_FILENAME, &value));
  EXPECT_EQ(std::string(value.text, static_cast<size_t>(value.text_length)), "/library");
  api_.hf_free(file);
}

TEST_F(HyperFileTest, OpenForReadingRefusesMissingForeignAndWrongFiles) {
  std::string text;
  EXPECT_EQ(ReadFilename(folder_.File("missing.hf"), &text), file_error::kOpen);
  EXPECT_EQ(ReadFilename(folder_.Utf8Path(), &text), file_error::kOpen);  // a directory

  const std::string foreign = folder_.File("foreign.hf");
  WriteBytes(foreign, {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 0x0D});
  EXPECT_EQ(ReadFilename(foreign, &text), file_error::kOpen);

  const std::string empty = folder_.File("empty.hf");
  WriteBytes(empty, {});
  EXPECT_EQ(ReadFilename(empty, &text), file_error::kOpen);

  const std::string good = folder_.File("good.hf");
  WriteFilename(good, "/library");
  EXPECT_EQ(ReadFilename(good, &text, kIdent + 1), file_error::kOpen);
  EXPECT_EQ(ReadFilename(good, &text), file_error::kNone);
  EXPECT_EQ(text, "/library");
}

TEST_F(HyperFileTest, EveryCutOfAFileIsRefusedAtOpen) {
  const std::string good = folder_.File("good.hf");
  WriteFilename(good, "/a/library/folder");
  const std::vector<uint8_t> whole = ReadBytes(good);
  const std::string cut = folder_.File("cut.hf");
  for (size_t length = 0; length < whole.size(); ++length) {
    WriteBytes(cut, std::vector<uint8_t>(whole.begin(), whole.begin() + length));
    std::string text;
    EXPECT_EQ(ReadFilename(cut, &text), file_error::kOpen) << "cut at " << length;
  }
  std::vector<uint8_t> longer = whole;
  longer.push_back(0);
  WriteBytes(cut, longer);
  std::string text;
  EXPECT_EQ(ReadFilename(cut, &text), file_error::kOpen);
}

// A file whose header is sound but whose value claims more bytes than exist.
TEST_F(HyperFileTest, ACorruptLengthInsideFailsTheReadWithoutAllocatingIt) {
  const std::string path = folder_.File("corrupt.hf");
  WriteFilename(path, "/library");
  std::vector<uint8_t> bytes = ReadBytes(path);
  const size_t length_at = HyperFile::kHeaderSize + 4;  // after the kind
  for (size_t i = 0; i < 4; ++i) bytes[length_at + i] = 0xFF;
  WriteBytes(path, bytes);
  std::string text;
  EXPECT_EQ(ReadFilename(path, &text), file_error::kFileEnd);

  // An unknown kind in the stream.
  WriteFilename(path, "/library");
  bytes = ReadBytes(path);
  bytes[HyperFile::kHeaderSize] = 0x7F;
  WriteBytes(path, bytes);
  HyperFile reader;
  std::string reason;
  ASSERT_TRUE(reader.Open(kIdent, path, file_open::kRead, &reason));
  Value value;
  EXPECT_FALSE(reader.Read(0x7F, &value));
  EXPECT_EQ(reader.Error(), file_error::kUnknownValue);
}

TEST_F(HyperFileTest, AContainerClaimingBillionsOfEntriesIsRefused) {
  const std::string path = folder_.File("count.hf");
  HyperFile writer;
  std::string reason;
  ASSERT_TRUE(writer.Open(kIdent, path, file_open::kWrite, &reason));
  ASSERT_TRUE(writer.Write(Value::OfContainer(Container(1))));
  ASSERT_TRUE(writer.Close(&reason));
  std::vector<uint8_t> bytes = ReadBytes(path);
  const size_t count_at = HyperFile::kHeaderSize + 8;  // kind, id
  for (size_t i = 0; i < 4; ++i) bytes[count_at + i] = 0xFF;
  WriteBytes(path, bytes);
  HyperFile reader;
  ASSERT_TRUE(reader.Open(kIdent, path, file_open::kRead, &reason));
  Value value;
  EXPECT_FALSE(reader.Read(C4D_VALUE_CONTAINER, &value));
  EXPECT_EQ(reader.Error(), file_error::kFileEnd);
}

TEST_F(HyperFileTest, NestingBeyondTheLimitIsRefusedBothWays) {
  Container nested(0);
  for (int i = 0; i < HyperFile::kMaxDepth + 2; ++i) {
    Container outer(0);
    outer.Set(1, Value::OfContainer(nested));
    nested = outer;
  }
  const std::string path = folder_.File("deep.hf");
  HyperFile writer;
  std::string reason;
  ASSERT_TRUE(writer.Open(kIdent, path, file_open::kWrite, &reason));
  EXPECT_FALSE(writer.Write(Value::OfContainer(nested)));
  EXPECT_EQ(writer.Error(), file_error::kWrongValue);
  writer.SetError(file_error::kNone);
  ASSERT_TRUE(writer.Write(Value::Int32(1)));
  ASSERT_TRUE(writer.Close(&reason));

  // The same depth made by hand: each level is kind, id, count 1, key.
  std::vector<uint8_t> bytes = ReadBytes(path);
  bytes.resize(HyperFile::kHeaderSize);
  auto put = [&bytes](uint32_t word) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(word >> (8 * i)));
  };
  for (int level = 0; level < HyperFile::kMaxDepth + 5; ++level) {
    put(C4D_VALUE_CONTAINER);
    put(0);
    put(1);
    put(1);
  }
  put(C4D_VALUE_NIL);
  const uint64_t payload = bytes.size() - HyperFile::kHeaderSize;
  for (int i = 0; i < 8; ++i) bytes[16 + i] = static_cast<uint8_t>(payload >> (8 * i));
  WriteBytes(path, bytes);
  HyperFile reader;
  ASSERT_TRUE(reader.Open(kIdent, path, file_open::kRead, &reason)) << reason;
  Value value;
  EXPECT_FALSE(reader.Read(C4D_VALUE_CONTAINER, &value));
  EXPECT_EQ(reader.Error(), file_error::kUnknownValue);
}

TEST_F(HyperFileTest, TheTargetChangesOnlyWhenTheWriterClosesCleanly) {
  const std::string path = folder_.File("settings.hf");
  WriteFilename(path, "/old");
  const std::vector<uint8_t> before = ReadBytes(path);

  // Freed without closing: nothing replaced, no temporary file left behind.
  c4d_hyperfile* file = api_.hf_alloc();
  ASSERT_TRUE(api_.hf_open(file, kIdent, path.c_str(), file_open::kWrite, 0));
  c4d_value value = simhost_test::StringValue("/new", C4D_VALUE_FILENAME);
  ASSERT_TRUE(api_.hf_write(file, &value));
  api_.hf_free(file);
  EXPECT_EQ(ReadBytes(path), before);

  // An error during writing makes the close fail and keeps the old file.
  file = api_.hf_alloc();
  ASSERT_TRUE(api_.hf_open(file, kIdent, path.c_str(), file_open::kWrite, 0));
  ASSERT_TRUE(api_.hf_write(file, &value));
  api_.hf_set_error(file, file_error::kWrite);
  EXPECT_FALSE(api_.hf_close(file));
  api_.hf_free(file);
  EXPECT_EQ(ReadBytes(path), before);

  size_t entries = 0;
  for (const auto& entry :
       std::filesystem::directory_iterator(platform::PathFromUtf8(folder_.Utf8Path()))) {
    (void)entry;
    ++entries;
  }
  EXPECT_EQ(entries, 1u);

  WriteFilename(path, "/new");
  std::string text;
  EXPECT_EQ(ReadFilename(path, &text), file_error::kNone);
  EXPECT_EQ(text, "/new");
}

TEST_F(HyperFileTest, AnUnwritableFolderFailsAtOpenAndShowsTheErrorDialogWhenAsked) {
  const std::string path = folder_.File("no/such/folder/settings.hf");
  c4d_hyperfile* file = api_.hf_alloc();
  EXPECT_FALSE(api_.hf_open(file, kIdent, path.c_str(), file_open::kWrite, file_dialog::kNone));
  EXPECT_TRUE(host_.ErrorDialogs().empty());
  EXPECT_FALSE(api_.hf_open(file, kIdent, path.c_str(), file_open::kWrite, file_dialog::kAny));
  ASSERT_EQ(host_.ErrorDialogs().size(), 1u);
  EXPECT_NE(host_.ErrorDialogs()[0].find(QuoteText(path)), std::string::npos)
      << host_.ErrorDialogs()[0];
  api_.hf_free(file);
}

}  // namespace
}  // namespace simhost

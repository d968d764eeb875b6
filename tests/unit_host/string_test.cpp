// String: character positions, byte encodings and number text.
#include <gtest/gtest.h>

#include <string>

#include "c4d_misc/memory/defaultallocator.h"
#include "c4d_string.h"
#include "host_test_util.h"

namespace {

using host_test::Text;

String Utf8(const char* bytes) { return String(bytes, STRINGENCODING_UTF8); }

TEST(StringPositions, CountCharactersNotBytes) {
  String text = Utf8("caf\xC3\xA9_noir");  // "café_noir"
  EXPECT_EQ(text.GetLength(), 9);
  maxon::Int32 pos = -2;
  EXPECT_TRUE(text.FindFirst("_", &pos));
  EXPECT_EQ(pos, 4);
  EXPECT_EQ(Text(text.SubStr(0, pos)), "caf\xC3\xA9");
  EXPECT_EQ(static_cast<maxon::Int32>(text[3]), 0xE9);
}

TEST(StringPositions, ReplacingUnderscoresBuildsATileLabel) {
  String label("Sunset_Beach_01");
  maxon::Int32 pos = 0;
  while (label.FindFirst("_", &pos)) {
    label.Delete(pos, 1);
    label.Insert(pos, " ");
  }
  EXPECT_EQ(Text(label), "Sunset Beach 01");
}

TEST(StringPositions, FindReportsMinusOneWhenAbsent) {
  maxon::Int32 pos = 7;
  EXPECT_FALSE(String("abc").FindFirst("x", &pos));
  EXPECT_EQ(pos, -1);
  EXPECT_FALSE(String("abc").FindFirst("a", &pos, 1));
  EXPECT_TRUE(String("a.b.c").FindLast(".", &pos));
  EXPECT_EQ(pos, 3);
  EXPECT_TRUE(String("a.b.c").FindLast(".", &pos, 2));
  EXPECT_EQ(pos, 1);
  EXPECT_TRUE(String("Studio_MD").FindFirstUpper("_MD", &pos, 0));
  EXPECT_EQ(pos, 6);
}

TEST(StringPositions, OutOfRangeArgumentsAreClamped) {
  String text("abc");
  EXPECT_EQ(Text(text.SubStr(-5, 2)), "ab");
  EXPECT_EQ(Text(text.SubStr(2, 100)), "c");
  EXPECT_EQ(Text(text.SubStr(10, 1)), "");
  EXPECT_EQ(Text(text.Left(10)), "abc");
  EXPECT_EQ(Text(text.Right(2)), "bc");
  text.Delete(2, 50);
  EXPECT_EQ(Text(text), "ab");
  text.Delete(-3, 1);
  EXPECT_EQ(Text(text), "b");
  text.Insert(99, "z");
  EXPECT_EQ(Text(text), "bz");
  text.Insert(0, String("xyz"), 1, 2);
  EXPECT_EQ(Text(text), "ybz");
  EXPECT_EQ(static_cast<maxon::Int32>(text[99]), 0);
}

TEST(StringCompare, OrdersAndEquality) {
  EXPECT_TRUE(String("abc") == "abc");
  EXPECT_TRUE(String("abc") != "abd");
  EXPECT_TRUE(String("a") < String("b"));
  EXPECT_EQ(String("ABC").LexCompare(String("abc")), 0);
  EXPECT_EQ(String("file9").RelCompare(String("file10")), -1);
  EXPECT_EQ(String("b").Compare(String("a")), 1);
  EXPECT_EQ(Text(String("MiXeD 1").ToLower()), "mixed 1");
  EXPECT_EQ(Text(String("MiXeD 1").ToUpper()), "MIXED 1");
}

TEST(StringEncoding, Utf8LengthsCountBytes) {
  String text = Utf8("caf\xC3\xA9");
  EXPECT_EQ(text.GetCStringLen(STRINGENCODING_UTF8), 5);
  EXPECT_EQ(text.GetCStringLen(STRINGENCODING_XBIT), 5);
  EXPECT_EQ(text.GetCStringLen(STRINGENCODING_8BIT), 4);
}

TEST(StringEncoding, EightBitIsLatin1WithQuestionMarksBeyond) {
  String text = Utf8("\xC3\xA9\xE2\x82\xAC!");  // "é€!"
  EXPECT_EQ(Text(text, STRINGENCODING_8BIT), "\xE9?!");
  EXPECT_EQ(Text(text, STRINGENCODING_7BIT),
            "?"
            "?!");
  String back("\xE9", STRINGENCODING_8BIT);
  EXPECT_EQ(Text(back), "\xC3\xA9");
}

TEST(StringEncoding, InvalidUtf8RoundTripsByteForByte) {
  const std::string samples[] = {"\xFF",
                                 "abc\x80",
                                 "\xC3(",
                                 "\xED\xA0\x80",      // surrogate
                                 "\xF4\x90\x80\x80",  // above U+10FFFF
                                 "\xE2\x82",
                                 "\xC0\xAF",
                                 "ok \xC3\xA9 \xE9 end"};
  for (const std::string& sample : samples) {
    String text(sample.c_str(), STRINGENCODING_UTF8);
    EXPECT_EQ(Text(text), sample);
    EXPECT_EQ(text.GetCStringLen(STRINGENCODING_UTF8), static_cast<maxon::Int32>(sample.size()));
  }
  EXPECT_EQ(String("\xFF\xFE", STRINGENCODING_UTF8).GetLength(), 2);
}

TEST(StringEncoding, GetCStringStopsAtWholeCharacters) {
  String text = Utf8("a\xC3\xA9z");
  char buffer[3] = {'#', '#', '#'};
  EXPECT_EQ(text.GetCString(buffer, 3, STRINGENCODING_UTF8), 1);
  EXPECT_STREQ(buffer, "a");
  char tiny[1] = {'#'};
  EXPECT_EQ(text.GetCString(tiny, 1, STRINGENCODING_UTF8), 0);
  EXPECT_EQ(tiny[0], '\0');
  EXPECT_EQ(text.GetCString(nullptr, 10, STRINGENCODING_UTF8), 0);
}

TEST(StringEncoding, SetCStringTakesACount) {
  String text;
  text.SetCString("abcdef", 3, STRINGENCODING_UTF8);
  EXPECT_EQ(Text(text), "abc");
  text.SetCString(nullptr);
  EXPECT_FALSE(text.Content());
  maxon::Char* copy = Utf8("caf\xC3\xA9").GetCStringCopy(STRINGENCODING_UTF8);
  ASSERT_NE(copy, nullptr);
  EXPECT_STREQ(copy, "caf\xC3\xA9");
  DeleteMem(copy);
  EXPECT_EQ(copy, nullptr);
}

TEST(StringEncoding, EscapedSevenBitFormsRoundTrip) {
  String text = Utf8("a\xC3\xA9\xF0\x9F\x98\x80");  // "aé😀"
  EXPECT_EQ(Text(text, STRINGENCODING_7BITHEX), "a\\u00E9\\U0001F600");
  EXPECT_EQ(Text(text, STRINGENCODING_HTML), "a&#233;&#128512;");
  EXPECT_TRUE(String("a\\u00E9\\U0001F600", STRINGENCODING_7BITHEX) == text);
  EXPECT_TRUE(String("a&#233;&#x1F600;", STRINGENCODING_HTML) == text);
}

#ifdef C4D_API_R14

TEST(StringNumbers, R14Formatting) {
  EXPECT_EQ(Text(LongToString(-42)), "-42");
  EXPECT_EQ(Text(LLongToString(9000000000LL)), "9000000000");
  EXPECT_EQ(Text(RealToString(2.143, -1, -1, false, 0x30)), "2.143");
  EXPECT_EQ(Text(RealToString(2.5, 3, 2)), "002.50");
}

TEST(StringNumbers, R14Parsing) {
  Bool error = 0;
  EXPECT_EQ(String(" 17 ").ToLong(&error), 17);
  EXPECT_EQ(error, 0);
  EXPECT_EQ(String("17x").ToLong(&error), 0);
  EXPECT_EQ(error, 1);
  EXPECT_DOUBLE_EQ(String("0,5").ToReal(&error), 0.5);
  EXPECT_EQ(error, 0);
}

#else

TEST(StringNumbers, IntegersAndHex) {
  EXPECT_EQ(Text(String::IntToString(static_cast<Int32>(18011))), "18011");
  EXPECT_EQ(Text(String::IntToString(static_cast<Int64>(-9000000000LL))), "-9000000000");
  EXPECT_EQ(Text(String::UIntToString(static_cast<UInt32>(4000000000u))), "4000000000");
  EXPECT_EQ(Text(String::HexToString(static_cast<UInt32>(255))), "0xFF");
  EXPECT_EQ(Text(String::HexToString(static_cast<UInt32>(255), false)), "FF");
  EXPECT_EQ(Text(String::MemoryToString(512)), "512 Bytes");
  EXPECT_EQ(Text(String::MemoryToString(1536)), "1.5 KB");
}

TEST(StringNumbers, FloatsUseAsFewDigitsAsNeeded) {
  EXPECT_EQ(Text(String::FloatToString(2.142, -1, -1, false, 0x30)), "2.142");
  EXPECT_EQ(Text(String::FloatToString(0.1 + 0.2)), "0.3");
  EXPECT_EQ(Text(String::FloatToString(static_cast<Float32>(0.1f))), "0.1");
  EXPECT_EQ(Text(String::FloatToString(-3.0)), "-3");
  EXPECT_EQ(Text(String::FloatToString(2.5, 3, 2)), "002.50");
  EXPECT_EQ(Text(String::FloatToString(1.5, 4, 1, false, ' ')), "   1.5");
  EXPECT_EQ(Text(String::FloatToString(1234.5, -1, 2, true)), "1.23e+03");
}

TEST(StringNumbers, ParsingReportsErrors) {
  Bool error = 0;
  EXPECT_EQ(String(" 42 ").ToInt32(&error), 42);
  EXPECT_EQ(error, 0);
  EXPECT_EQ(String("4x2").ToInt32(&error), 0);
  EXPECT_EQ(error, 1);
  EXPECT_EQ(String("3000000000").ToInt32(&error), 0);
  EXPECT_EQ(error, 1);
  EXPECT_EQ(String("3000000000").ToInt64(&error), 3000000000LL);
  EXPECT_EQ(error, 0);
  EXPECT_EQ(String("-1").ToUInt32(&error), 0u);
  EXPECT_EQ(error, 1);
  Int32 parseError = 0;
  EXPECT_DOUBLE_EQ(String("2.5").ParseToFloat(&parseError), 2.5);
  EXPECT_EQ(parseError, 0);
  EXPECT_EQ(String("").ParseToInt32(&parseError), 0);
  EXPECT_EQ(parseError, 1);
}

TEST(StringUnicode, Utf16AndUtf32) {
  String text;
  const Utf16Char pair[] = {u'a', 0xD83D, 0xDE00, 0xDC00, 0};
  EXPECT_TRUE(text.SetUtf16(pair, -1));
  EXPECT_EQ(text.GetLength(), 3);  // the lone low surrogate stays one character
  maxon::BaseArray<Utf16Char> units;
  EXPECT_TRUE(text.GetUtf16(units));
  ASSERT_EQ(units.GetCount(), 4);
  EXPECT_EQ(units[1], 0xD83D);
  EXPECT_EQ(units[2], 0xDE00);
  maxon::BaseArray<Utf32Char> points;
  EXPECT_TRUE(String(U"xy\U0001F600").GetUtf32(points));
  EXPECT_EQ(points.GetCount(), 3);
  EXPECT_EQ(points[2], U'\U0001F600');
}

#endif

}  // namespace

// The browser's reading of names, and names made printable.
#include "packlib/browser_naming.h"

#include <gtest/gtest.h>

#include "packlib/printable_text.h"

namespace packlib {
namespace {

TEST(BrowserNaming, OnlyExactJpgNamesThatAreNoVariantsAreTiles) {
  for (const char* tile : {"Studio.jpg", "Studio_MD.jpg", "Studio_md2.jpg", "md.jpg", "_m.jpg",
                           "Dusk.blue.jpg", ".jpg"}) {
    EXPECT_TRUE(IsThumbnailName(tile)) << tile;
  }
  for (const char* other : {"Studio_md.jpg", "Studio_sm.jpg", "_md.jpg", "photo.JPG", "photo.jpeg",
                            "photo.png", "jpg", "photo.jpg.txt", ".DS_Store"}) {
    EXPECT_FALSE(IsThumbnailName(other)) << other;
  }
  EXPECT_EQ(ThumbnailOfPreview("Studio_md.jpg"), "Studio.jpg");
  EXPECT_EQ(ThumbnailOfPreview("Dusk.blue_sm.jpg"), "Dusk.blue.jpg");
  EXPECT_EQ(ThumbnailOfPreview("Studio_MD.jpg"), "");
  EXPECT_EQ(ThumbnailOfPreview("photo.JPG"), "");
}

TEST(BrowserNaming, LabelsBaseNamesAndVariantNames) {
  EXPECT_EQ(TileLabel("Sunset_Beach_01.jpg"), "Sunset Beach 01");
  EXPECT_EQ(ImageBaseName("Sunset_Beach_01.jpg"), "Sunset_Beach_01");
  EXPECT_EQ(TileLabel("Dusk.blue.jpg"), "Dusk.blue");
  EXPECT_EQ(ImageBaseName("Dusk.blue.jpg"), "Dusk");
  EXPECT_EQ(ImageBaseName("forest.night.jpg"), "forest");
  // Nothing before the suffix: the browser labels it with its folder's name.
  EXPECT_EQ(TileLabel(".jpg"), "Thumbnails");
  EXPECT_EQ(ImageBaseName(".jpg"), "");
  EXPECT_EQ(MediumPreviewName("Dusk.blue.jpg"), "Dusk.blue_md.jpg");
  EXPECT_EQ(SmallPreviewName("Cave.jpg"), "Cave_sm.jpg");
  EXPECT_EQ(SmallHdriName("Cave", ".exr"), "Cave_SM.exr");
}

TEST(BrowserNaming, PackDisplayNameIsWhatFollowsTheFirstUnderscore) {
  EXPECT_EQ(PackDisplayName("01_Studio_Lights"), "Studio_Lights");
  EXPECT_EQ(PackDisplayName("Skies"), "Skies");
  EXPECT_EQ(PackDisplayName("Trailing_"), "");
}

TEST(PrintableText, InvalidUtf8IsEscapedOrReplacedAndValidTextKept) {
  const std::string valid = "Caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x8C\x85";
  EXPECT_TRUE(IsValidUtf8(valid));
  EXPECT_EQ(EscapedForTerminal(valid), valid);
  EXPECT_EQ(WithInvalidUtf8Replaced(valid), valid);
  EXPECT_EQ(DisplayWidth(valid), 8u);
  // A lone Latin-1 byte, an overlong slash, a surrogate, a cut-off sequence.
  for (const std::string bad : {"\xE9", "\xC0\xAF", "\xED\xA0\x80", "\xE2\x82"}) {
    EXPECT_FALSE(IsValidUtf8("a" + bad)) << EscapedForTerminal(bad);
  }
  EXPECT_EQ(EscapedForTerminal("a\xE9\tb\\"), "a\\xe9\\x09b\\\\");
  EXPECT_EQ(WithInvalidUtf8Replaced("a\xE9"
                                    "b\xE2\x82"),
            "a\xEF\xBF\xBD"
            "b\xEF\xBF\xBD\xEF\xBF\xBD");
}

}  // namespace
}  // namespace packlib

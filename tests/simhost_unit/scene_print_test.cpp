// The scene listing people read: parameters named beside their ids by the
// element they belong to, and counts in English.
#include <gtest/gtest.h>

#include <string>

#include "scene/document.h"
#include "scene/element_types.h"
#include "scene/undo.h"

namespace simhost {
namespace {

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(ScenePrint, ParametersAreNamedByTheirElementsTypeAndUnknownIdsStayBare) {
  Document doc("Scene");
  Atom* sky = doc.AddObject(type_id::kHdriObject, "Sky");
  ASSERT_NE(sky, nullptr);
  sky->Data().Set(param_id::kHdriFile, Value::Filename("/packs/Dawn.hdr"));
  sky->Data().Set(4711, Value::Int32(5));
  ASSERT_NE(doc.AddHdriTag(sky, 2, "Small"), nullptr);
  Atom* cube = doc.AddObject(type_id::kCubeObject, "Box");
  cube->Data().Set(param_id::kHdriFile, Value::Int32(1));  // the same id means nothing on a cube

  const std::string text = doc.Describe();
  EXPECT_TRUE(Has(text, "[2002 HDRI file] Filename \"/packs/Dawn.hdr\"\n")) << text;
  EXPECT_TRUE(Has(text, "[2037 background] Filename")) << text;
  EXPECT_TRUE(Has(text, "[2059 hook mark] ")) << text;
  EXPECT_TRUE(Has(text, "[4711] Int32 5\n")) << text;
  EXPECT_TRUE(Has(text, "[3000 mode] Int32 2\n")) << text;
  EXPECT_TRUE(Has(text, "[2001 HDRI file] Filename")) << text;
  EXPECT_TRUE(Has(text, "[2002] Int32 1\n")) << text;
  EXPECT_TRUE(Has(text, "[6209 view HDRI] Filename")) << text;
}

TEST(ScenePrint, UndoStepsAreCountedInEnglish) {
  Document doc("Scene");
  EXPECT_TRUE(Has(doc.Describe(), "undo: 0 steps, 0 to redo\n"));
  Atom* object = doc.AddObject(type_id::kNullObject, "Rig");
  for (const char* expected : {"undo: 1 step, 0 to redo\n", "undo: 2 steps, 0 to redo\n"}) {
    ASSERT_TRUE(doc.Undo().Start());
    ASSERT_TRUE(doc.Undo().Add(undo_type::kChange, object));
    ASSERT_TRUE(doc.Undo().End());
    EXPECT_TRUE(Has(doc.Describe(), expected)) << doc.Describe();
  }
}

}  // namespace
}  // namespace simhost

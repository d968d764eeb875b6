// The scene hook's answer to document-information messages.
#include <gtest/gtest.h>

#include "plugin_fixture.h"

namespace lumidrome_test {
namespace {

const int32_t kHdriObject = 1035165;
const int32_t kHdriTag = 1037662;
const int32_t kObjectInserted = 1010;

class SceneHook : public testing::TestWithParam<Build> {
 protected:
  SceneHook() : fixture_(GetParam()) {
    fixture_.host().SetInterfaceVersion(GetParam() == Build::R17 ? 18011 : 16999);
    EXPECT_TRUE(fixture_.host().Load(fixture_.plugin_folder().string()));
  }
  simhost::Document& doc() { return fixture_.host().ActiveDocument(); }
  int Send(int32_t subtype, c4d_atom* element, bool with_document) {
    c4d_document_info info{};
    info.type = subtype;
    info.document = with_document ? &doc() : nullptr;
    info.element = element;
    return doc().SendDocumentInfo(info);
  }
  PluginFixture fixture_;
};

TEST_P(SceneHook, InsertedHdriObjectIsMarkedAndMaterialCleared) {
  simhost::Atom* object = doc().AddObject(kHdriObject, "Sky");
  doc().SelectMaterial(doc().AddMaterial("Mat"), 0);
  object->Data().Remove(2059);
  Send(kObjectInserted, object, true);
  EXPECT_EQ(object->Data().GetInt32(2059), 1);
  EXPECT_EQ(doc().ActiveMaterial(), nullptr);
}

TEST_P(SceneHook, WithoutDocumentOnlyTheFlagIsSet) {
  simhost::Atom* object = doc().AddObject(kHdriObject, "Sky");
  simhost::Atom* material = doc().AddMaterial("Mat");
  doc().SelectMaterial(material, 0);
  object->Data().Remove(2059);
  Send(kObjectInserted, object, false);
  EXPECT_EQ(object->Data().GetInt32(2059), 1);
  EXPECT_EQ(doc().ActiveMaterial(), material);
}

TEST_P(SceneHook, OtherSubtypesElementsAndNullLeaveTheSceneAlone) {
  simhost::Atom* object = doc().AddObject(kHdriObject, "Sky");
  simhost::Atom* tag = doc().AddTag(object, kHdriTag, "Tag");
  object->Data().Remove(2059);
  Send(1009, object, true);
  Send(1011, object, true);
  Send(kObjectInserted, tag, true);
  Send(kObjectInserted, nullptr, true);
  EXPECT_EQ(object->Data().Find(2059), nullptr);
  EXPECT_EQ(tag->Data().Find(2059), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Builds, SceneHook, testing::Values(Build::R17, Build::R14),
                         [](const testing::TestParamInfo<Build>& info) {
                           return info.param == Build::R17 ? "R17" : "R14";
                         });

}  // namespace
}  // namespace lumidrome_test

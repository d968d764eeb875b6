// The scene hook's answer to document-information messages.
#include <gtest/gtest.h>

#include "common/plugin_ids.h"
#include "plugin_fixture.h"

namespace lumidrome_test {
namespace {

namespace ids = simhost_app::plugin_ids;
const int32_t kObjectInserted = C4D_DOCUMENT_INFO_OBJECT_INSERT;

class SceneHook : public testing::TestWithParam<Build> {
 protected:
  SceneHook() : fixture_(GetParam()) {
    fixture_.host().SetInterfaceVersion(GetParam() == Build::R17 ? 18011 : 16999);
    EXPECT_TRUE(fixture_.host().Load(fixture_.plugin_folder().u8string()));
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
  simhost::Atom* object = doc().AddObject(ids::kHdriObject, "Sky");
  doc().SelectMaterial(doc().AddMaterial("Mat"), 0);
  object->Data().Remove(ids::kHookFlag);
  Send(kObjectInserted, object, true);
  EXPECT_EQ(object->Data().GetInt32(ids::kHookFlag), 1);
  EXPECT_EQ(doc().ActiveMaterial(), nullptr);
}

TEST_P(SceneHook, WithoutDocumentOnlyTheFlagIsSet) {
  simhost::Atom* object = doc().AddObject(ids::kHdriObject, "Sky");
  simhost::Atom* material = doc().AddMaterial("Mat");
  doc().SelectMaterial(material, 0);
  object->Data().Remove(ids::kHookFlag);
  Send(kObjectInserted, object, false);
  EXPECT_EQ(object->Data().GetInt32(ids::kHookFlag), 1);
  EXPECT_EQ(doc().ActiveMaterial(), material);
}

TEST_P(SceneHook, OtherSubtypesElementsAndNullLeaveTheSceneAlone) {
  simhost::Atom* object = doc().AddObject(ids::kHdriObject, "Sky");
  simhost::Atom* tag = doc().AddTag(object, ids::kHdriTag, "Tag");
  object->Data().Remove(ids::kHookFlag);
  Send(C4D_DOCUMENT_INFO_TOOL_CHANGED, object, true);
  Send(C4D_DOCUMENT_INFO_TAG_INSERT, object, true);
  Send(kObjectInserted, tag, true);
  Send(kObjectInserted, nullptr, true);
  EXPECT_EQ(object->Data().Find(ids::kHookFlag), nullptr);
  EXPECT_EQ(tag->Data().Find(ids::kHookFlag), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Builds, SceneHook, testing::Values(Build::R17, Build::R14),
                         [](const testing::TestParamInfo<Build>& info) {
                           return info.param == Build::R17 ? "R17" : "R14";
                         });

}  // namespace
}  // namespace lumidrome_test

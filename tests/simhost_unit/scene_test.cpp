// Documents through the table: insertion and the scene hooks' message,
// selections in order, grouped undo and redo, and take overrides.
#include <gtest/gtest.h>

#include <cstring>

#include "common/plugin_ids.h"
#include "host.h"
#include "test_support.h"

namespace simhost {
namespace {

namespace ids = simhost_app::plugin_ids;

// A scene hook that records what reaches it, as the module's hook would.
struct HookLog {
  int allocs = 0;
  int inits = 0;
  int frees = 0;
  int destroys = 0;
  int unregisters = 0;
  std::vector<c4d_document_info> infos;
};
HookLog g_hook;

void* HookAlloc(void* registration) {
  ++g_hook.allocs;
  return registration;
}
void HookDestroy(void*, void*) { ++g_hook.destroys; }
c4d_bool HookInit(void*, c4d_atom*) {
  ++g_hook.inits;
  return 1;
}
void HookFree(void*, c4d_atom*) { ++g_hook.frees; }
c4d_bool HookMessage(void*, c4d_atom*, int32_t type, void* data) {
  if (type == C4D_MSG_DOCUMENT_INFO && data != nullptr) {
    g_hook.infos.push_back(*static_cast<c4d_document_info*>(data));
  }
  return 1;
}
void HookUnregister(void*) { ++g_hook.unregisters; }
const c4d_node_callbacks kHookCallbacks = {HookAlloc, HookDestroy, HookInit,
                                           HookFree,  HookMessage, HookUnregister};

class SceneTest : public ::testing::Test {
 protected:
  void SetUp() override { g_hook = HookLog(); }

  c4d_value Filename(const char* path) {
    return simhost_test::StringValue(path, C4D_VALUE_FILENAME);
  }

  std::string FileParam(c4d_atom* atom, int32_t id) {
    c4d_desc_level level{id, 0, 0};
    c4d_value value;
    if (!api_.get_parameter(atom, &level, 1, &value, 0)) return "<none>";
    return std::string(value.text, static_cast<size_t>(value.text_length));
  }

  bool SetFile(c4d_atom* atom, int32_t id, const char* path) {
    c4d_desc_level level{id, 0, 0};
    c4d_value value = Filename(path);
    return api_.set_parameter(atom, &level, 1, &value, 0) != 0;
  }

  std::vector<c4d_atom*> Listed(c4d_atom_array* array) {
    std::vector<c4d_atom*> atoms;
    for (int32_t i = 0; i < api_.array_count(array); ++i) atoms.push_back(api_.array_get(array, i));
    return atoms;
  }

  Host host_;
  const c4d_scene_api& api_ = *host_.Table().scene;
  Document& doc_ = host_.ActiveDocument();
};

TEST_F(SceneTest, InsertingAtTheTopTellsEveryHookInstanceWithThatObject) {
  doc_.AddObject(type_id::kNullObject, "Existing");
  ASSERT_TRUE(host_.Table().plugin->register_scene_hook(ids::kSceneHook, "Hook", 0, &kHookCallbacks,
                                                        &g_hook, 4, 0, nullptr));
  EXPECT_EQ(g_hook.allocs, 1);  // one instance for the one document
  EXPECT_EQ(g_hook.inits, 1);
  ASSERT_NE(api_.doc_find_scene_hook(&doc_, ids::kSceneHook), nullptr);

  c4d_atom* sky = api_.object_alloc(type_id::kHdriObject);
  ASSERT_NE(sky, nullptr);
  api_.doc_insert_object(&doc_, sky, nullptr, nullptr, 0);
  EXPECT_EQ(api_.doc_get_first_object(&doc_), sky);
  EXPECT_EQ(api_.get_document(sky), &doc_);
  ASSERT_EQ(g_hook.infos.size(), 1u);
  EXPECT_EQ(g_hook.infos[0].type, C4D_DOCUMENT_INFO_OBJECT_INSERT);
  EXPECT_EQ(g_hook.infos[0].document, &doc_);
  EXPECT_EQ(g_hook.infos[0].element, sky);

  c4d_atom* tag = api_.object_make_tag(sky, type_id::kHdriTag, nullptr);
  ASSERT_NE(tag, nullptr);
  ASSERT_EQ(g_hook.infos.size(), 2u);
  EXPECT_EQ(g_hook.infos[1].type, C4D_DOCUMENT_INFO_TAG_INSERT);

  c4d_document_info odd{};
  odd.type = C4D_DOCUMENT_INFO_TOOL_CHANGED;
  EXPECT_EQ(host_.BroadcastDocumentInfo(odd), 1);
  EXPECT_EQ(g_hook.infos.back().document, nullptr);

  Document* second = host_.NewDocument("Second");
  EXPECT_EQ(g_hook.allocs, 2);
  host_.CloseDocument(second);
  EXPECT_EQ(g_hook.frees, 1);
  EXPECT_EQ(g_hook.destroys, 1);
}

TEST_F(SceneTest, MissingHdriPluginMeansNoHdriElements) {
  host_.SetHdriPluginInstalled(false);
  EXPECT_EQ(api_.object_alloc(type_id::kHdriObject), nullptr);
  EXPECT_EQ(api_.tag_alloc(type_id::kHdriTag), nullptr);
  EXPECT_EQ(api_.object_alloc(type_id::kTextureTag), nullptr);  // a tag type
  c4d_atom* null_object = api_.object_alloc(type_id::kNullObject);
  ASSERT_NE(null_object, nullptr);
  api_.free(null_object);
}

TEST_F(SceneTest, SelectionsComeBackInTheOrderTheyWereMade) {
  Atom* top = doc_.AddObject(type_id::kHdriObject, "Top");
  Atom* group = doc_.AddObject(type_id::kNullObject, "Group");
  Atom* child = doc_.AddObject(type_id::kHdriObject, "Child", group);
  Atom* other = doc_.AddObject(type_id::kCubeObject, "Cube");
  Atom* tag_a = doc_.AddHdriTag(other, 2, "A");
  Atom* tag_b = doc_.AddHdriTag(top, 0, "B");
  api_.doc_set_active_object(&doc_, child, selection_mode::kNew);
  api_.doc_set_active_object(&doc_, other, selection_mode::kAdd);
  api_.doc_set_active_object(&doc_, group, selection_mode::kAdd);
  api_.doc_set_active_object(&doc_, top, selection_mode::kAdd);
  api_.doc_set_active_tag(&doc_, tag_a, selection_mode::kNew);
  api_.doc_set_active_tag(&doc_, tag_b, selection_mode::kAdd);

  // The filtered call gives the document's order, as the host does, unless
  // its flags (children 1) ask for the selection order (2).
  c4d_atom_array* list = api_.array_alloc();
  api_.doc_get_active_objects_filter(&doc_, list, 1, type_id::kHdriObject, -1);
  EXPECT_EQ(Listed(list), (std::vector<c4d_atom*>{top, child}));
  api_.doc_get_active_objects_filter(&doc_, list, 1 | 2, type_id::kHdriObject, -1);
  EXPECT_EQ(Listed(list), (std::vector<c4d_atom*>{child, top}));
  api_.doc_get_active_objects_filter(&doc_, list, 0, -1, -1);  // no children of selected
  EXPECT_EQ(Listed(list), (std::vector<c4d_atom*>{top, group, other}));
  api_.doc_get_active_objects_filter(&doc_, list, 2, -1, -1);
  EXPECT_EQ(Listed(list), (std::vector<c4d_atom*>{other, group, top}));
  api_.doc_get_active_objects(&doc_, list, 0);  // hierarchy order
  EXPECT_EQ(Listed(list), (std::vector<c4d_atom*>{top, group, other}));
  api_.doc_get_active_objects(&doc_, list, 2);  // selection order
  EXPECT_EQ(Listed(list), (std::vector<c4d_atom*>{other, group, top}));
  api_.doc_get_active_tags(&doc_, list);
  EXPECT_EQ(Listed(list), (std::vector<c4d_atom*>{tag_a, tag_b}));
  EXPECT_TRUE(api_.get_bit(tag_a, kBitActive));

  api_.doc_set_active_object(&doc_, child, selection_mode::kSub);
  api_.del_bit(top, kBitActive);  // the active bit is the selection
  api_.doc_get_active_objects_filter(&doc_, list, 1, -1, -1);
  EXPECT_EQ(Listed(list), (std::vector<c4d_atom*>{group, other}));
  api_.remove(other);  // leaves the selection with the document
  api_.doc_get_active_objects_filter(&doc_, list, 1, -1, -1);
  EXPECT_EQ(Listed(list), (std::vector<c4d_atom*>{group}));
  api_.free(other);
  api_.array_free(list);
}

TEST_F(SceneTest, ActiveMaterialIsSetAndClearedWithNull) {
  Atom* material = doc_.AddMaterial("Sky");
  api_.doc_set_active_material(&doc_, material, selection_mode::kNew);
  EXPECT_EQ(api_.doc_get_active_material(&doc_), material);
  api_.doc_set_active_material(&doc_, nullptr, selection_mode::kNew);
  EXPECT_EQ(api_.doc_get_active_material(&doc_), nullptr);
}

// The tile click's undo step: two objects changed and one created, undone
// and redone as one.
TEST_F(SceneTest, OneUndoRevertsAWholeGroupAndRedoReappliesIt) {
  Atom* first = doc_.AddObject(type_id::kHdriObject, "First");
  Atom* second = doc_.AddObject(type_id::kHdriObject, "Second");
  c4d_atom* view = api_.doc_get_active_base_draw(&doc_);
  SetFile(first, param_id::kHdriFile, "/old/first.hdr");

  ASSERT_TRUE(api_.doc_start_undo(&doc_));
  for (Atom* object : {first, second}) {
    ASSERT_TRUE(api_.doc_add_undo(&doc_, undo_type::kChange, object));
    ASSERT_TRUE(SetFile(object, param_id::kHdriFile, "/new/sky.hdr"));
    ASSERT_TRUE(SetFile(object, param_id::kHdriBackground, "/new/sky.jpg"));
  }
  c4d_atom* created = api_.object_alloc(type_id::kHdriObject);
  EXPECT_FALSE(api_.doc_add_undo(&doc_, undo_type::kNew, created));  // not inserted yet
  api_.doc_insert_object(&doc_, created, nullptr, nullptr, 0);
  ASSERT_TRUE(api_.doc_add_undo(&doc_, undo_type::kNew, created));
  SetFile(created, param_id::kHdriFile, "/new/sky.hdr");
  ASSERT_TRUE(api_.doc_add_undo(&doc_, undo_type::kChange, view));
  SetFile(view, param_id::kViewEnvironmentOverride, "/new/sky_SM.hdr");
  ASSERT_TRUE(api_.doc_end_undo(&doc_));
  EXPECT_EQ(doc_.Undo().UndoCount(), 1u);

  ASSERT_TRUE(api_.doc_do_undo(&doc_, 0));
  EXPECT_EQ(FileParam(first, param_id::kHdriFile), "/old/first.hdr");
  EXPECT_EQ(FileParam(second, param_id::kHdriFile), "");
  EXPECT_EQ(FileParam(second, param_id::kHdriBackground), "");
  EXPECT_EQ(FileParam(view, param_id::kViewEnvironmentOverride), "");
  EXPECT_EQ(api_.doc_get_first_object(&doc_), first);
  EXPECT_EQ(api_.get_document(created), nullptr);
  api_.free(created);  // held by the undo step: refused
  EXPECT_EQ(host_.Warnings().size(), 1u);
  EXPECT_FALSE(api_.doc_do_undo(&doc_, 0));

  ASSERT_TRUE(api_.doc_do_redo(&doc_));
  EXPECT_EQ(FileParam(first, param_id::kHdriFile), "/new/sky.hdr");
  EXPECT_EQ(FileParam(second, param_id::kHdriBackground), "/new/sky.jpg");
  EXPECT_EQ(FileParam(view, param_id::kViewEnvironmentOverride), "/new/sky_SM.hdr");
  EXPECT_EQ(api_.doc_get_first_object(&doc_), created);
  EXPECT_EQ(FileParam(created, param_id::kHdriFile), "/new/sky.hdr");
  EXPECT_FALSE(api_.doc_do_redo(&doc_));
}

TEST_F(SceneTest, UndoGroupsNestAndMisuseIsRefused) {
  Atom* object = doc_.AddObject(type_id::kNullObject);
  EXPECT_FALSE(api_.doc_add_undo(&doc_, undo_type::kChange, object));  // no group
  EXPECT_FALSE(api_.doc_end_undo(&doc_));
  ASSERT_TRUE(api_.doc_start_undo(&doc_));
  ASSERT_TRUE(api_.doc_start_undo(&doc_));
  EXPECT_FALSE(api_.doc_add_undo(&doc_, 45, object));  // a type this host does not undo
  EXPECT_FALSE(api_.doc_add_undo(&doc_, undo_type::kChange, nullptr));
  Document* other = host_.NewDocument();
  EXPECT_FALSE(api_.doc_add_undo(other, undo_type::kChange, object));
  ASSERT_TRUE(api_.doc_add_undo(&doc_, undo_type::kChange, object));
  api_.set_name(object, "Renamed");
  ASSERT_TRUE(api_.doc_end_undo(&doc_));
  EXPECT_FALSE(api_.doc_do_undo(&doc_, 0));  // the outer group is still open
  ASSERT_TRUE(api_.doc_end_undo(&doc_));
  ASSERT_TRUE(api_.doc_do_undo(&doc_, 0));
  EXPECT_EQ(object->Name(), "Null");

  // An empty group leaves nothing to undo.
  ASSERT_TRUE(api_.doc_start_undo(&doc_));
  ASSERT_TRUE(api_.doc_end_undo(&doc_));
  EXPECT_EQ(doc_.Undo().UndoCount(), 0u);
}

TEST_F(SceneTest, OverridesAreRecordedPerTakeWithTheFirstBackup) {
  Atom* sky = doc_.AddObject(type_id::kHdriObject, "Sky");
  c4d_take_data* takes = api_.doc_get_take_data(&doc_);
  ASSERT_NE(takes, nullptr);
  c4d_atom* main_take = api_.takes_get_main(takes);
  EXPECT_EQ(api_.takes_get_current(takes), main_take);
  EXPECT_TRUE(api_.take_is_main(main_take));
  Take* night = doc_.Takes().AddTake("Night", nullptr);
  ASSERT_TRUE(api_.takes_set_current(takes, night));
  EXPECT_FALSE(api_.takes_set_current(takes, sky));

  c4d_desc_level level{param_id::kHdriFile, 0, 0};
  c4d_value first = Filename("/a.hdr");
  c4d_value empty = Filename("");
  c4d_value second = Filename("/b.hdr");
  EXPECT_EQ(
      api_.take_find_or_add_override_param(main_take, takes, sky, &level, 1, &first, &empty, 0),
      nullptr);
  c4d_atom* made =
      api_.take_find_or_add_override_param(night, takes, sky, &level, 1, &first, &empty, 0);
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(api_.take_find_or_add_override_param(night, takes, sky, &level, 1, &second, &first, 0),
            made);
  std::vector<OverrideRecord> records = doc_.Takes().Overrides();
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].take, night);
  EXPECT_EQ(records[0].node, sky);
  EXPECT_EQ(records[0].override_value.Text(), "/b.hdr");
  EXPECT_EQ(records[0].backup_value.Text(), "");
  EXPECT_NE(doc_.Describe().find("override HDRI \"Sky\""), std::string::npos);

  host_.SetInterfaceVersion(16999);
  EXPECT_EQ(api_.doc_get_take_data(&doc_), nullptr);
  host_.SetTakesAvailable(true);
  EXPECT_EQ(api_.doc_get_take_data(&doc_), takes);
}

TEST_F(SceneTest, MessagesAreRecordedOnExactlyTheElementsThatGotThem) {
  Atom* object = doc_.AddObject(type_id::kHdriObject);
  Atom* tag = doc_.AddHdriTag(object, 0);
  Atom* bystander = doc_.AddObject(type_id::kHdriObject);
  api_.message(object, ids::kLibraryChanged, nullptr);
  api_.message(tag, ids::kLibraryChanged, nullptr);
  EXPECT_EQ(doc_.ReceiversOf(ids::kLibraryChanged), (std::vector<Atom*>{object, tag}));
  EXPECT_FALSE(bystander->Received(ids::kLibraryChanged));
}

TEST_F(SceneTest, KnownParametersKeepTheirKindAndStaleElementsAreRefused) {
  Atom* sky = doc_.AddObject(type_id::kHdriObject);
  EXPECT_EQ(FileParam(sky, param_id::kHdriFile), "");  // the start value
  c4d_desc_level level{param_id::kHdriFile, 0, 0};
  c4d_value number = simhost_test::Int32Value(3);
  EXPECT_FALSE(api_.set_parameter(sky, &level, 1, &number, 0));
  c4d_container* data = api_.get_data_instance(sky);
  c4d_value stored;
  ASSERT_TRUE(host_.Table().container->get(data, param_id::kHdriFile, &stored));
  EXPECT_EQ(stored.type, C4D_VALUE_FILENAME);

  c4d_atom* loose = api_.object_alloc(type_id::kNullObject);
  api_.free(loose);
  EXPECT_EQ(api_.get_type(loose), 0);
  EXPECT_EQ(api_.get_next(loose), nullptr);
  api_.doc_insert_object(&doc_, loose, nullptr, nullptr, 0);
  EXPECT_EQ(api_.doc_get_first_object(&doc_), sky);
  EXPECT_GE(host_.Warnings().size(), 2u);

  // No cycles: an object cannot go below its own child.
  Atom* parent = doc_.AddObject(type_id::kNullObject, "Parent");
  Atom* child = doc_.AddObject(type_id::kNullObject, "Child", parent);
  api_.insert_under(parent, child);
  EXPECT_EQ(api_.get_up(child), parent);
  EXPECT_EQ(api_.get_up(parent), nullptr);
}

}  // namespace
}  // namespace simhost

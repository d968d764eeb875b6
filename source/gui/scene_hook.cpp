#include "scene_hook.h"

#include "Lumidrome.h"
#include "main.h"

namespace {
const Int32 ID_HDRI_SCENE_HOOK = 1038218;
const Int32 HDRI_OBJECT_INSERTED_FLAG = 2059;
}  // namespace

NodeData* HDRISceneHook::Alloc() { return NewObjClear(HDRISceneHook); }

Bool HDRISceneHook::Init(GeListNode* node) {
  (void)node;
  return true;
}

// Every path answers true: the hook only watches the message.
Bool HDRISceneHook::Message(GeListNode* node, Int32 type, void* data) {
  (void)node;
  if (type != MSG_DOCUMENTINFO || !data) return true;
  DocumentInfoData* info = static_cast<DocumentInfoData*>(data);
  if (info->type != MSG_DOCUMENTINFO_TYPE_OBJECT_INSERT) return true;
  BaseList2D* element = info->bl;
  if (!element || element->GetType() != ID_HDRI_OBJECT) return true;
  // Straight into the container: no parameter call, no undo step.
  BaseContainer* data_container = element->GetDataInstance();
  if (data_container) data_container->SetBool(HDRI_OBJECT_INSERTED_FLAG, true);
  if (info->doc) info->doc->SetActiveMaterial(nullptr, SELECTION_NEW);
  return true;
}

Bool RegisterHDRISceneHook() {
#if LUMIDROME_R14
  // The R14 module stays silent on hosts that have their own R17 module.
  if (GetC4DVersion() >= 17000) return true;
#endif
  return RegisterSceneHookPlugin(ID_HDRI_SCENE_HOOK, "HDRI Scene Hook", 0, HDRISceneHook::Alloc, 4,
                                 0, nullptr);
}

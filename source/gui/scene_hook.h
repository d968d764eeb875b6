// Marks HDRI objects as they are inserted into a document.
#pragma once

#include "release_compat.h"

class HDRISceneHook : public SceneHookData {
 public:
  static NodeData* Alloc();

  Bool Init(GeListNode* node) override;
  Bool Message(GeListNode* node, Int32 type, void* data) override;
};

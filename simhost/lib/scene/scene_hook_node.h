// One document's instance of a registered scene hook, and the element the
// hook sees as its node.
#pragma once

#include <memory>

#include "atom.h"
#include "modules/plugin_registry.h"

namespace simhost {

class SceneHookNode : public Atom {
 public:
  // Allocates and initialises the hook's instance; null when the module's
  // alloc gives nothing or its init fails (the instance is then destroyed).
  static std::unique_ptr<SceneHookNode> Create(Document* document, const RegisteredSceneHook& hook);
  // Frees the instance through the module if that has not happened yet.
  ~SceneHookNode() override;

  int32_t HookId() const { return Type(); }
  void* Instance() const { return instance_; }
  // Records the message, then hands it to the hook.
  bool Message(int32_t type, void* data) override;
  // free, then destroy; afterwards the node no longer calls the module.
  void Release();

 private:
  SceneHookNode(Document* document, const RegisteredSceneHook& hook);

  c4d_node_callbacks callbacks_;
  void* registration_;
  void* instance_ = nullptr;
};

}  // namespace simhost

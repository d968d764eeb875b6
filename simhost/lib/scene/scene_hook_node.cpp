#include "scene_hook_node.h"

namespace simhost {

SceneHookNode::SceneHookNode(Document* document, const RegisteredSceneHook& hook)
    : Atom(AtomKind::kHookNode, hook.id, hook.name),
      callbacks_(hook.callbacks),
      registration_(hook.registration) {
  SetHome(document);
}

std::unique_ptr<SceneHookNode> SceneHookNode::Create(Document* document,
                                                     const RegisteredSceneHook& hook) {
  if (hook.callbacks.alloc == nullptr) return nullptr;
  std::unique_ptr<SceneHookNode> node(new SceneHookNode(document, hook));
  node->instance_ = hook.callbacks.alloc(hook.registration);
  if (node->instance_ == nullptr) return nullptr;
  if (hook.callbacks.init != nullptr && !hook.callbacks.init(node->instance_, node.get())) {
    if (hook.callbacks.destroy != nullptr)
      hook.callbacks.destroy(hook.registration, node->instance_);
    node->instance_ = nullptr;
    return nullptr;
  }
  return node;
}

SceneHookNode::~SceneHookNode() { Release(); }

bool SceneHookNode::Message(int32_t type, void* data) {
  Atom::Message(type, data);
  if (instance_ == nullptr || callbacks_.message == nullptr) return true;
  return callbacks_.message(instance_, this, type, data) != 0;
}

void SceneHookNode::Release() {
  if (instance_ == nullptr) return;
  void* instance = instance_;
  instance_ = nullptr;
  if (callbacks_.free != nullptr) callbacks_.free(instance, this);
  if (callbacks_.destroy != nullptr) callbacks_.destroy(registration_, instance);
}

}  // namespace simhost

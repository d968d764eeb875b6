// The container area of the function table.
#include <unordered_set>

#include "api.h"
#include "host.h"
#include "values/container.h"

namespace simhost {

namespace {

// Containers the module owns: only these may be destroyed through the
// table; element data and nested containers belong to the host.
// Never destroyed: see LiveHandles.
std::unordered_set<const Container*>& ModuleContainers() {
  static auto* owned = new std::unordered_set<const Container*>;
  return *owned;
}

c4d_container* AdoptByModule(Container* container) {
  ModuleContainers().insert(container);
  return container;
}

c4d_container* ContainerCreate(int32_t id) { return AdoptByModule(new Container(id)); }

c4d_container* ContainerClone(const c4d_container* source) {
  const Container* container = ToContainer(source);
  return container != nullptr ? AdoptByModule(new Container(*container)) : nullptr;
}

void ContainerDestroy(c4d_container* handle) {
  if (handle == nullptr) return;
  Container* container = ToContainer(handle);
  if (container == nullptr || ModuleContainers().erase(container) == 0) {
    WarnCurrent(container == nullptr ? "container.destroy of a stale container"
                                     : "container.destroy of a container the host owns");
    return;
  }
  delete container;
}

int32_t ContainerGetId(const c4d_container* handle) {
  const Container* container = ToContainer(handle);
  return container != nullptr ? container->Id() : 0;
}

void ContainerSetId(c4d_container* handle, int32_t id) {
  if (Container* container = ToContainer(handle)) container->SetId(id);
}

int32_t ContainerCount(const c4d_container* handle) {
  const Container* container = ToContainer(handle);
  return container != nullptr ? container->Count() : 0;
}

int32_t ContainerKeyAt(const c4d_container* handle, int32_t index) {
  const Container* container = ToContainer(handle);
  return container != nullptr ? container->KeyAt(index) : 0;
}

c4d_bool ContainerGet(const c4d_container* handle, int32_t key, c4d_value* out) {
  const Container* container = ToContainer(handle);
  const Value* value = container != nullptr ? container->Find(key) : nullptr;
  if (out != nullptr) {
    if (value != nullptr) {
      value->ToC(out);
    } else {
      *out = NilCValue();
    }
  }
  return value != nullptr;
}

void ContainerSet(c4d_container* handle, int32_t key, const c4d_value* value) {
  Container* container = ToContainer(handle);
  Value copy;
  if (container == nullptr || value == nullptr || !Value::FromC(*value, &copy)) {
    WarnCurrent("container.set refused for key " + std::to_string(key));
    return;
  }
  container->Set(key, std::move(copy));
}

c4d_bool ContainerRemove(c4d_container* handle, int32_t key) {
  Container* container = ToContainer(handle);
  return container != nullptr && container->Remove(key);
}

void ContainerFlush(c4d_container* handle) {
  if (Container* container = ToContainer(handle)) container->Flush();
}

}  // namespace

void FillContainerApi(c4d_container_api* api) {
  api->create = ContainerCreate;
  api->clone = ContainerClone;
  api->destroy = ContainerDestroy;
  api->get_id = ContainerGetId;
  api->set_id = ContainerSetId;
  api->count = ContainerCount;
  api->key_at = ContainerKeyAt;
  api->get = ContainerGet;
  api->set = ContainerSet;
  api->remove = ContainerRemove;
  api->flush = ContainerFlush;
}

}  // namespace simhost

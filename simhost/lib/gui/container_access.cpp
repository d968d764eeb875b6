#include "container_access.h"

namespace simhost {

OwnedContainer::OwnedContainer(const c4d_container_api& api, int32_t id) : api_(api) {
  if (api_.create) container_ = api_.create(id);
}

OwnedContainer::~OwnedContainer() {
  if (container_ && api_.destroy) api_.destroy(container_);
}

void OwnedContainer::SetInt(int32_t key, int32_t value) {
  if (!container_ || !api_.set) return;
  c4d_value v{};
  v.type = C4D_VALUE_INT32;
  v.int32_value = value;
  api_.set(container_, key, &v);
}

void OwnedContainer::SetContainer(int32_t key, const c4d_container* child) {
  if (!container_ || !api_.set || !child) return;
  c4d_value v{};
  v.type = C4D_VALUE_CONTAINER;
  v.container = const_cast<c4d_container*>(child);
  api_.set(container_, key, &v);
}

std::optional<int32_t> ReadInt(const c4d_container_api& api, const c4d_container* container,
                               int32_t key) {
  if (!container || !api.get) return std::nullopt;
  c4d_value v{};
  if (!api.get(container, key, &v)) return std::nullopt;
  if (v.type == C4D_VALUE_INT32) return v.int32_value;
  if (v.type == C4D_VALUE_INT64) return static_cast<int32_t>(v.int64_value);
  return std::nullopt;
}

int32_t ContainerId(const c4d_container_api& api, const c4d_container* container,
                    int32_t fallback) {
  if (!container || !api.get_id) return fallback;
  return api.get_id(container);
}

std::shared_ptr<c4d_container> SharedClone(const c4d_container_api& api,
                                           const c4d_container* source) {
  if (!source || !api.clone || !api.destroy) return nullptr;
  c4d_container* copy = api.clone(source);
  if (!copy) return nullptr;
  auto destroy = api.destroy;
  return std::shared_ptr<c4d_container>(copy, [destroy](c4d_container* c) { destroy(c); });
}

}  // namespace simhost

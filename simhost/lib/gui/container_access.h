// Reading and making containers through the table's container service.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "c4d_function_table.h"

namespace simhost {

// A container this host made for one message; destroyed with the object.
// Every call is harmless when the service could not make one.
class OwnedContainer {
 public:
  OwnedContainer(const c4d_container_api& api, int32_t id);
  ~OwnedContainer();
  OwnedContainer(const OwnedContainer&) = delete;
  OwnedContainer& operator=(const OwnedContainer&) = delete;

  c4d_container* get() const { return container_; }
  void SetInt(int32_t key, int32_t value);
  // The service copies the child.
  void SetContainer(int32_t key, const c4d_container* child);

 private:
  const c4d_container_api& api_;
  c4d_container* container_ = nullptr;
};

std::optional<int32_t> ReadInt(const c4d_container_api& api, const c4d_container* container,
                               int32_t key);
int32_t ContainerId(const c4d_container_api& api, const c4d_container* container, int32_t fallback);
// A copy that releases itself through the service.
std::shared_ptr<c4d_container> SharedClone(const c4d_container_api& api,
                                           const c4d_container* source);

}  // namespace simhost

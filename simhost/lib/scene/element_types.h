// The element types this host knows: ids, names, kinds and the values each
// type starts with in its data container.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "values/value.h"

namespace simhost {

enum class AtomKind { kDocument, kObject, kTag, kMaterial, kView, kTake, kOverride, kHookNode };

namespace type_id {
constexpr int32_t kDocument = 110059;
constexpr int32_t kView = 110305;
constexpr int32_t kTake = 431000055;
constexpr int32_t kOverride = 431000057;
// Base types answered by is_instance_of for every element of the kind.
constexpr int32_t kObjectBase = 5155;
constexpr int32_t kTagBase = 5612;
constexpr int32_t kMaterialBase = 5702;

constexpr int32_t kNullObject = 5140;
constexpr int32_t kCubeObject = 5159;
constexpr int32_t kSphereObject = 5160;
constexpr int32_t kLightObject = 5102;
constexpr int32_t kCameraObject = 5103;
constexpr int32_t kTextureTag = 5616;
constexpr int32_t kDisplayTag = 5613;
constexpr int32_t kAnnotationTag = 5617;
constexpr int32_t kMaterial = 5703;
// Provided by the HDRI object plug-in, present only while it is installed.
constexpr int32_t kHdriObject = 1035165;
constexpr int32_t kHdriTag = 1037662;
}  // namespace type_id

// Parameter and container ids of the HDRI elements and the view.
namespace param_id {
constexpr int32_t kName = 900;  // every element's name, as a String parameter
constexpr int32_t kHdriFile = 2002;
constexpr int32_t kHdriBackground = 2037;
constexpr int32_t kHdriSceneFlag = 2059;
constexpr int32_t kHdriTagFile = 2001;
constexpr int32_t kHdriTagMode = 3000;
constexpr int32_t kHdriTagOtherExists = 3001;
constexpr int32_t kViewEnvironmentOverride = 6209;
}  // namespace param_id

struct ElementType {
  int32_t type;
  AtomKind kind;
  std::string name;  // default element name
  bool from_hdri_plugin;
  // Start values of the data container; their kinds are the parameters' kinds.
  std::vector<std::pair<int32_t, Value>> defaults;
};

// Null for an unknown type.
const ElementType* FindElementType(int32_t type);
// Every known type, in a fixed order.
const std::vector<ElementType>& ElementTypes();

}  // namespace simhost

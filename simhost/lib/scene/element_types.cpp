#include "element_types.h"

namespace simhost {

namespace {

std::vector<ElementType> BuildTypes() {
  using V = Value;
  const bool kPlugin = true;
  return {
      {type_id::kDocument, AtomKind::kDocument, "Untitled", false, {}},
      {type_id::kView,
       AtomKind::kView,
       "Perspective",
       false,
       {{param_id::kViewEnvironmentOverride, V::Filename("")}}},
      {type_id::kTake, AtomKind::kTake, "Take", false, {}},
      {type_id::kOverride, AtomKind::kOverride, "Override", false, {}},
      {type_id::kNullObject, AtomKind::kObject, "Null", false, {}},
      {type_id::kCubeObject, AtomKind::kObject, "Cube", false, {}},
      {type_id::kSphereObject, AtomKind::kObject, "Sphere", false, {}},
      {type_id::kLightObject, AtomKind::kObject, "Light", false, {}},
      {type_id::kCameraObject, AtomKind::kObject, "Camera", false, {}},
      {type_id::kHdriObject,
       AtomKind::kObject,
       "HDRI",
       kPlugin,
       {{param_id::kHdriFile, V::Filename("")},
        {param_id::kHdriBackground, V::Filename("")},
        {param_id::kHdriSceneFlag, V::Bool(false)}}},
      {type_id::kTextureTag, AtomKind::kTag, "Texture", false, {}},
      {type_id::kDisplayTag, AtomKind::kTag, "Display", false, {}},
      {type_id::kAnnotationTag, AtomKind::kTag, "Annotation", false, {}},
      {type_id::kHdriTag,
       AtomKind::kTag,
       "HDRI Tag",
       kPlugin,
       {{param_id::kHdriTagMode, V::Int32(0)},
        {param_id::kHdriTagFile, V::Filename("")},
        {param_id::kHdriTagOtherExists, V::Bool(false)}}},
      {type_id::kMaterial, AtomKind::kMaterial, "Mat", false, {}},
  };
}

}  // namespace

const std::vector<ElementType>& ElementTypes() {
  // Never destroyed: see LiveHandles.
  static const auto* types = new std::vector<ElementType>(BuildTypes());
  return *types;
}

const ElementType* FindElementType(int32_t type) {
  for (const ElementType& entry : ElementTypes()) {
    if (entry.type == type) return &entry;
  }
  return nullptr;
}

}  // namespace simhost

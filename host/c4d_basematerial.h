// BaseMaterial: a material of a document.
#ifndef C4D_BASEMATERIAL_H__
#define C4D_BASEMATERIAL_H__

#include "c4d_baselist.h"

class BaseMaterial : public BaseList2D {
 public:
  static BaseMaterial* Alloc(maxon::Int32 type);
  static void Free(BaseMaterial*& bl);

  BaseMaterial* GetNext() { return static_cast<BaseMaterial*>(GeListNode::GetNext()); }
  BaseMaterial* GetPred() { return static_cast<BaseMaterial*>(GeListNode::GetPred()); }

 private:
  BaseMaterial();
  ~BaseMaterial();
};

#endif  // C4D_BASEMATERIAL_H__

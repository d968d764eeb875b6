// BaseTag: a tag attached to an object.
#ifndef C4D_BASETAG_H__
#define C4D_BASETAG_H__

#include "c4d_baselist.h"

class BaseObject;

class BaseTag : public BaseList2D {
 public:
  static BaseTag* Alloc(maxon::Int32 type);
  static void Free(BaseTag*& bl);

  BaseTag* GetNext() { return static_cast<BaseTag*>(GeListNode::GetNext()); }
  BaseTag* GetPred() { return static_cast<BaseTag*>(GeListNode::GetPred()); }
  // The object the tag is attached to.
  BaseObject* GetObject();

 private:
  BaseTag();
  ~BaseTag();
};

#endif  // C4D_BASETAG_H__

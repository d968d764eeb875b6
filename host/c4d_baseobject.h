// BaseObject: an object of the scene hierarchy.
#ifndef C4D_BASEOBJECT_H__
#define C4D_BASEOBJECT_H__

#include "c4d_baselist.h"

class BaseTag;

class BaseObject : public BaseList2D {
 public:
  // nullptr when the type is not installed.
  static BaseObject* Alloc(maxon::Int32 type);
  static void Free(BaseObject*& bl);

  BaseObject* GetNext() { return static_cast<BaseObject*>(GeListNode::GetNext()); }
  BaseObject* GetPred() { return static_cast<BaseObject*>(GeListNode::GetPred()); }
  BaseObject* GetUp() { return static_cast<BaseObject*>(GeListNode::GetUp()); }
  BaseObject* GetDown() { return static_cast<BaseObject*>(GeListNode::GetDown()); }
  BaseObject* GetDownLast() { return static_cast<BaseObject*>(GeListNode::GetDownLast()); }

  BaseTag* GetFirstTag();
  // The nr-th tag of the type.
  BaseTag* GetTag(maxon::Int32 type, maxon::Int32 nr = 0);
  // A new tag of the type after pred (nullptr: first).
  BaseTag* MakeTag(maxon::Int32 type, BaseTag* pred = nullptr);
  void InsertTag(BaseTag* tp, BaseTag* pred = nullptr);

 private:
  BaseObject();
  ~BaseObject();
};

#endif  // C4D_BASEOBJECT_H__

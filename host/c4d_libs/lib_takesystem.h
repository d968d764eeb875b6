// Takes: variations of a document's parameters.
#ifndef LIB_TAKESYSTEM_H__
#define LIB_TAKESYSTEM_H__

#ifdef C4D_API_R14
#error "Takes do not exist in the R14 plug-in interface."
#endif

#include "c4d_baselist.h"
#include "c4d_gedata.h"
#include "c4d_libs/lib_description.h"

class BaseTake;

// A take's change of one parameter of one element.
class BaseOverride : public BaseList2D {
 private:
  BaseOverride();
  ~BaseOverride();
};

// The takes of a document; owned by the document.
class TakeData {
 public:
  BaseTake* GetCurrentTake();
  BaseTake* GetMainTake();
  Bool SetCurrentTake(BaseTake* take);
  Bool GetUndoState();
  void SetUndoState(Bool state);

 private:
  TakeData();
  ~TakeData();
  TakeData(const TakeData&);
  void operator=(const TakeData&);
};

class BaseTake : public BaseList2D {
 public:
  Bool IsMain();
  // The override of node's parameter descID in this take, made with
  // overrideValue (and backupValue for the main take) if it did not exist;
  // nullptr on failure.
  BaseOverride* FindOrAddOverrideParam(TakeData* takeData, BaseList2D* node, const DescID& descID,
                                       const GeData& overrideValue,
                                       const GeData& backupValue = GeData(),
                                       Bool deleteAnim = false);

  BaseTake* GetNext() { return static_cast<BaseTake*>(GeListNode::GetNext()); }
  BaseTake* GetPred() { return static_cast<BaseTake*>(GeListNode::GetPred()); }
  BaseTake* GetDown() { return static_cast<BaseTake*>(GeListNode::GetDown()); }
  BaseTake* GetUp() { return static_cast<BaseTake*>(GeListNode::GetUp()); }

 private:
  BaseTake();
  ~BaseTake();
};

#endif  // LIB_TAKESYSTEM_H__

// BaseDocument: a scene with its objects, materials, selection, undo steps,
// views and takes.
#ifndef C4D_BASEDOCUMENT_H__
#define C4D_BASEDOCUMENT_H__

#include "c4d_baselist.h"
#include "c4d_baseobject.h"
#include "c4d_basetag.h"
#include "ge_prepass.h"

class BaseDraw;
class BaseMaterial;
#ifndef C4D_API_R14
class TakeData;
#endif

#define SELECTION_NEW 0
#define SELECTION_ADD 1
#define SELECTION_SUB 2

// A scene hook's node in a document.
class BaseSceneHook : public BaseList2D {
 private:
  BaseSceneHook();
  ~BaseSceneHook();
};

class BaseDocument : public BaseList2D {
 public:
  BaseObject* GetFirstObject();
  BaseMaterial* GetFirstMaterial();
  BaseObject* GetActiveObject();
  void GetActiveObjects(AtomArray& selection, GETACTIVEOBJECTFLAGS flags) const;
  // Selected objects of the type (NOTOK: any) that are instances of
  // instanceof (NOTOK: any); children of selected objects too if children.
  void GetActiveObjectsFilter(AtomArray& selection, Bool children, maxon::Int32 type,
                              maxon::Int32 instanceof) const;
  void GetActiveTags(AtomArray& selection) const;
  // parent and pred nullptr: the first object at the top of the hierarchy.
  void InsertObject(BaseObject* op, BaseObject* parent, BaseObject* pred, Bool checknames = false);
  void InsertMaterial(BaseMaterial* mat, BaseMaterial* pred = nullptr, Bool checknames = false);
  void SetActiveObject(BaseObject* op, maxon::Int32 mode = SELECTION_NEW);
  void SetActiveTag(BaseTag* tag, maxon::Int32 mode = SELECTION_NEW);
  // nullptr with SELECTION_NEW leaves no material active.
  void SetActiveMaterial(BaseMaterial* mat, maxon::Int32 mode = SELECTION_NEW);
  BaseMaterial* GetActiveMaterial();

  Bool StartUndo();
  Bool EndUndo();
  // Call before changing an element, or after inserting a new one
  // (UNDOTYPE_NEW); data is the element.
  Bool AddUndo(UNDOTYPE type, void* data, Bool allowFromThread = false);
  Bool AddUndo(BaseDraw* bd);
  Bool DoUndo(Bool multiple = false);
  Bool DoRedo();

  BaseDraw* GetActiveBaseDraw();
  BaseDraw* GetRenderBaseDraw();
#ifndef C4D_API_R14
  // nullptr when the host has no takes.
  TakeData* GetTakeData();
#endif
  Filename GetDocumentPath();
  Filename GetDocumentName();
  BaseSceneHook* FindSceneHook(maxon::Int32 id) const;

 private:
  BaseDocument();
  ~BaseDocument();
};

// The document the user works on.
BaseDocument* GetActiveDocument();

#endif  // C4D_BASEDOCUMENT_H__

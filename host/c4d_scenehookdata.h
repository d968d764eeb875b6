// SceneHookData: a node the host keeps in every document.
#ifndef C4D_SCENEHOOKDATA_H__
#define C4D_SCENEHOOKDATA_H__

#include "c4d_baseplugin.h"
#include "c4d_nodedata.h"

class AtomArray;
class BaseDraw;
class BaseDrawHelp;
class BaseObject;
class BaseSceneHook;
class BaseThread;
class EditorWindow;
class PriorityList;
struct ControlDisplayStruct;

#define PLUGINFLAG_SCENEHOOK_NOTDRAGGABLE 1
#define PLUGINFLAG_SCENEHOOK_SUPPORT_DOCUMENT_DESCRIPTION 2
#define PLUGINFLAG_SCENEHOOK_SUPPORT_ANIMATION 4

class SceneHookData : public NodeData {
 public:
  virtual Bool InitSceneHook(BaseSceneHook* node, BaseDocument* doc, BaseThread* bt);
  virtual void FreeSceneHook(BaseSceneHook* node, BaseDocument* doc);
  virtual EXECUTIONRESULT Execute(BaseSceneHook* node, BaseDocument* doc, BaseThread* bt,
                                  maxon::Int32 priority, EXECUTIONFLAGS flags);
  virtual Bool AddToExecution(BaseSceneHook* node, PriorityList* list);
  virtual Bool MouseInput(BaseSceneHook* node, BaseDocument* doc, BaseDraw* bd, EditorWindow* win,
                          const BaseContainer& msg);
  virtual Bool KeyboardInput(BaseSceneHook* node, BaseDocument* doc, BaseDraw* bd,
                             EditorWindow* win, const BaseContainer& msg);
  virtual Bool GetCursorInfo(BaseSceneHook* node, BaseDocument* doc, BaseDraw* bd, maxon::Float x,
                             maxon::Float y, BaseContainer& bc);
  virtual Bool Draw(BaseSceneHook* node, BaseDocument* doc, BaseDraw* bd, BaseDrawHelp* bh,
                    BaseThread* bt, SCENEHOOKDRAW flags);
  virtual Bool DisplayControl(BaseDocument* doc, BaseObject* op, BaseObject* chainstart,
                              BaseDraw* bd, BaseDrawHelp* bh, ControlDisplayStruct& cds);
  virtual Bool InitDisplayControl(BaseSceneHook* node, BaseDocument* doc, BaseDraw* bd,
                                  const AtomArray* active);
  virtual void FreeDisplayControl(BaseSceneHook* node);
};

// Registers a scene hook whose instances g makes. emulation is internal:
// pass nothing.
Bool RegisterSceneHookPlugin(maxon::Int32 id, const String& str, maxon::Int32 info,
                             DataAllocator* g, maxon::Int32 priority, maxon::Int32 disklevel,
                             void* emulation = nullptr);

#endif  // C4D_SCENEHOOKDATA_H__

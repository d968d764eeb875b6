// NodeData: the plug-in side of a node the host creates (scene hooks and
// other node types).
#ifndef C4D_NODEDATA_H__
#define C4D_NODEDATA_H__

#include "c4d_basedata.h"
#include "c4d_gedata.h"
#include "c4d_libs/lib_description.h"
#include "c4d_string.h"
#include "ge_prepass.h"

class AliasTrans;
class BaseContainer;
class BaseDocument;
class C4DAtom;
class Description;
class GeListNode;
class HyperFile;
struct BranchInfo;

namespace c4dhost {
struct NodeDataAccess;
}

class NodeData : public BaseData {
 public:
  NodeData() : private_link(nullptr) {}

  virtual Bool Init(GeListNode* node);
  virtual void Free(GeListNode* node);
  virtual Bool Read(GeListNode* node, HyperFile* hf, maxon::Int32 level);
  virtual Bool Write(GeListNode* node, HyperFile* hf);
  virtual Bool CopyTo(NodeData* dest, GeListNode* snode, GeListNode* dnode, COPYFLAGS flags,
                      AliasTrans* trn);
  virtual Bool Message(GeListNode* node, maxon::Int32 type, void* data);
  virtual void GetBubbleHelp(GeListNode* node, String& str);
  virtual BaseDocument* GetDocument(GeListNode* node);
  virtual maxon::Int32 GetBranchInfo(GeListNode* node, BranchInfo* info, maxon::Int32 max,
                                     GETBRANCHINFO flags);
  virtual Bool IsInstanceOf(const GeListNode* node, maxon::Int32 type) const;
  virtual Bool GetDDescription(GeListNode* node, Description* description, DESCFLAGS_DESC& flags);
  virtual Bool GetDParameter(GeListNode* node, const DescID& id, GeData& t_data,
                             DESCFLAGS_GET& flags);
  virtual Bool SetDParameter(GeListNode* node, const DescID& id, const GeData& t_data,
                             DESCFLAGS_SET& flags);
  virtual Bool GetDEnabling(GeListNode* node, const DescID& id, const GeData& t_data,
                            DESCFLAGS_ENABLE flags, const BaseContainer* itemdesc);
  virtual Bool TranslateDescID(GeListNode* node, const DescID& id, DescID& res_id,
                               C4DAtom*& res_at);
  virtual Bool IsDocumentRelated(const GeListNode* node, Bool& docrelated) const;

  // The host node of this instance; nullptr before Init.
  GeListNode* Get() const { return private_link; }

 protected:
  GeListNode* private_link;

 private:
  friend struct c4dhost::NodeDataAccess;
};

// Makes one instance of a node plug-in, or nullptr when out of memory.
typedef NodeData* DataAllocator(void);

#endif  // C4D_NODEDATA_H__

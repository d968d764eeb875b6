// Scene elements: atoms, list nodes, named elements with data, element
// lists, and the document-information message.
//
// Every class here is a handle: a pointer to one is the host's element
// itself, so none can be constructed, copied or deleted by the plug-in.
#ifndef C4D_BASELIST_H__
#define C4D_BASELIST_H__

#include "c4d_abi_ids.h"
#include "c4d_basecontainer.h"
#include "c4d_file.h"
#include "c4d_gedata.h"
#include "c4d_libs/lib_description.h"
#include "c4d_string.h"
#include "ge_prepass.h"

class AliasTrans;
class BaseDocument;

class C4DAtom {
 public:
  maxon::Int32 GetType() const;
  Bool IsInstanceOf(maxon::Int32 id) const;
  Bool GetParameter(const DescID& id, GeData& t_data, DESCFLAGS_GET flags);
  Bool SetParameter(const DescID& id, const GeData& t_data, DESCFLAGS_SET flags);
  Bool Message(maxon::Int32 type, void* data = nullptr);

 protected:
  C4DAtom();
  ~C4DAtom();

 private:
  C4DAtom(const C4DAtom&);
  void operator=(const C4DAtom&);
};

class C4DAtomGoal : public C4DAtom {
 protected:
  C4DAtomGoal();
  ~C4DAtomGoal();
};

class GeListNode : public C4DAtomGoal {
 public:
  GeListNode* GetNext();
  GeListNode* GetPred();
  GeListNode* GetUp();
  GeListNode* GetDown();
  GeListNode* GetDownLast();
  void InsertUnder(GeListNode* bl);
  void InsertUnderLast(GeListNode* bl);
  void Remove();
  BaseDocument* GetDocument();

 protected:
  GeListNode();
  ~GeListNode();
};

class BaseList2D : public GeListNode {
 public:
  static BaseList2D* Alloc(maxon::Int32 type);
  // Frees an element that is not inserted anywhere; bl becomes nullptr.
  static void Free(BaseList2D*& bl);

  BaseList2D* GetNext() { return static_cast<BaseList2D*>(GeListNode::GetNext()); }
  BaseList2D* GetPred() { return static_cast<BaseList2D*>(GeListNode::GetPred()); }

  // The element's own data container: reads and writes go straight to the
  // element. Valid until the plug-in ends.
  BaseContainer* GetDataInstance();
  const BaseContainer* GetDataInstance() const;
  // A copy of the data container.
  BaseContainer GetData();
  // Writes the values of bc into the element's data; add false replaces it.
  Bool SetData(const BaseContainer& bc, Bool add = true);

  // The reference lasts until the next GetName of this element.
  const String& GetName() const;
  void SetName(const String& name);
  Bool GetBit(maxon::Int32 mask) const;
  void SetBit(maxon::Int32 mask);
  void DelBit(maxon::Int32 mask);

 protected:
  BaseList2D();
  ~BaseList2D();
};

// A list of elements owned by the caller of Alloc (the elements are not).
class AtomArray {
 public:
  static AtomArray* Alloc();
  static void Free(AtomArray*& obj);

  maxon::Int32 GetCount() const;
  // Elements of the given type (NOTOK: any) that are instances of instance
  // (NOTOK or 0: any).
  maxon::Int32 GetCount(maxon::Int32 type, maxon::Int32 instance) const;
  C4DAtom* GetIndex(maxon::Int32 idx) const;
  Bool Append(C4DAtom* obj);
  void Flush();
  // Index of obj, NOTOK when absent.
  maxon::Int32 Find(C4DAtom* obj);

 private:
  AtomArray();
  ~AtomArray();
};

// The SDK's names for the document-information numbers of the function table.
#define MSG_DOCUMENTINFO C4D_MSG_DOCUMENT_INFO

#define MSG_DOCUMENTINFO_TYPE_SETACTIVE C4D_DOCUMENT_INFO_SET_ACTIVE
#define MSG_DOCUMENTINFO_TYPE_LOAD C4D_DOCUMENT_INFO_LOAD
#define MSG_DOCUMENTINFO_TYPE_MERGE C4D_DOCUMENT_INFO_MERGE
#define MSG_DOCUMENTINFO_TYPE_BEFOREMERGE C4D_DOCUMENT_INFO_BEFORE_MERGE
#define MSG_DOCUMENTINFO_TYPE_SAVE_BEFORE C4D_DOCUMENT_INFO_SAVE_BEFORE
#define MSG_DOCUMENTINFO_TYPE_SAVE_AFTER C4D_DOCUMENT_INFO_SAVE_AFTER
#define MSG_DOCUMENTINFO_TYPE_SAVEPROJECT_BEFORE C4D_DOCUMENT_INFO_SAVE_PROJECT_BEFORE
#define MSG_DOCUMENTINFO_TYPE_SAVEPROJECT_AFTER C4D_DOCUMENT_INFO_SAVE_PROJECT_AFTER
#define MSG_DOCUMENTINFO_TYPE_REMOVE C4D_DOCUMENT_INFO_REMOVE
#define MSG_DOCUMENTINFO_TYPE_TOOL_CHANGED C4D_DOCUMENT_INFO_TOOL_CHANGED
#define MSG_DOCUMENTINFO_TYPE_OBJECT_INSERT C4D_DOCUMENT_INFO_OBJECT_INSERT
#define MSG_DOCUMENTINFO_TYPE_TAG_INSERT C4D_DOCUMENT_INFO_TAG_INSERT
#define MSG_DOCUMENTINFO_TYPE_MATERIAL_INSERT C4D_DOCUMENT_INFO_MATERIAL_INSERT
#define MSG_DOCUMENTINFO_TYPE_UNDO C4D_DOCUMENT_INFO_UNDO
#define MSG_DOCUMENTINFO_TYPE_REDO C4D_DOCUMENT_INFO_REDO
#define MSG_DOCUMENTINFO_TYPE_PASTE C4D_DOCUMENT_INFO_PASTE
#define MSG_DOCUMENTINFO_TYPE_COPY C4D_DOCUMENT_INFO_COPY
#define MSG_DOCUMENTINFO_TYPE_LOAD_XREFS C4D_DOCUMENT_INFO_LOAD_XREFS
#define MSG_DOCUMENTINFO_TYPE_MERGE_XREFS C4D_DOCUMENT_INFO_MERGE_XREFS
#define MSG_DOCUMENTINFO_TYPE_XREFS_IMPORTED C4D_DOCUMENT_INFO_XREFS_IMPORTED
#define MSG_DOCUMENTINFO_TYPE_MAKEPROJECT C4D_DOCUMENT_INFO_MAKE_PROJECT
#define MSG_DOCUMENTINFO_TYPE_SWAP_XREF C4D_DOCUMENT_INFO_SWAP_XREF

// The data of MSG_DOCUMENTINFO.
struct DocumentInfoData {
  DocumentInfoData()
      : type(0), fileformat(0), doc(nullptr), bl(nullptr), gui_allowed(false), data(nullptr) {}

  maxon::Int32 type;        // a MSG_DOCUMENTINFO_TYPE_ value
  maxon::Int32 fileformat;  // for load, merge and save; otherwise NOTOK
  BaseDocument* doc;
  Filename filename;
  BaseList2D* bl;  // the inserted element of the _INSERT types
  Bool gui_allowed;
  void* data;
};

#endif  // C4D_BASELIST_H__

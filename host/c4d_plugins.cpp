// Plug-in bases and their registration: the host calls commands and scene
// hooks through C callbacks whose self is the plug-in object.
#include <string.h>

#include <new>

#include "c4d_basebitmap.h"
#include "c4d_basedocument.h"
#include "c4d_baselist.h"
#include "c4d_commanddata.h"
#include "c4d_host_private.h"
#include "c4d_scenehookdata.h"
#include "gui.h"

namespace c4dhost {

struct NodeDataAccess {
  static void Bind(NodeData* data, GeListNode* node) { data->private_link = node; }
};

}  // namespace c4dhost

namespace {

using c4dhost::FromAtom;
using c4dhost::Guarded;
using c4dhost::GuardedVoid;

// ------------------------------------------------------------------ commands

CommandData* CommandOf(void* self) { return static_cast<CommandData*>(self); }
BaseDocument* DocumentOf(c4d_atom* atom) { return FromAtom<BaseDocument>(atom); }

void CommandDestroy(void* self) {
  GuardedVoid([&] {
    CommandData* command = CommandOf(self);
    DeleteObj(command);
  });
}

c4d_bool CommandExecute(void* self, c4d_atom* document) {
  return Guarded<c4d_bool>(0,
                           [&] { return CommandOf(self)->Execute(DocumentOf(document)) ? 1 : 0; });
}

c4d_bool CommandExecuteSubId(void* self, c4d_atom* document, int32_t sub_id) {
  return Guarded<c4d_bool>(
      0, [&] { return CommandOf(self)->ExecuteSubID(DocumentOf(document), sub_id) ? 1 : 0; });
}

c4d_bool CommandExecuteOptionId(void* self, c4d_atom* document, int32_t plugin_id, int32_t sub_id) {
  return Guarded<c4d_bool>(0, [&] {
    return CommandOf(self)->ExecuteOptionID(DocumentOf(document), plugin_id, sub_id) ? 1 : 0;
  });
}

int32_t CommandGetState(void* self, c4d_atom* document) {
  return Guarded<int32_t>(0, [&] { return CommandOf(self)->GetState(DocumentOf(document)); });
}

c4d_bool CommandGetSubContainer(void* self, c4d_atom* document, c4d_container* submenu) {
  return Guarded<c4d_bool>(0, [&] {
    BaseContainer menu = c4dhost::ContainerFromHost(submenu);
    if (!CommandOf(self)->GetSubContainer(DocumentOf(document), menu)) return 0;
    c4dhost::WriteHostContainer(menu, submenu);
    return 1;
  });
}

c4d_bool CommandRestoreLayout(void* self, void* secret) {
  return Guarded<c4d_bool>(0, [&] { return CommandOf(self)->RestoreLayout(secret) ? 1 : 0; });
}

void CommandGetScriptName(void* self, c4d_text_sink sink, void* ctx) {
  GuardedVoid([&] {
    std::string name = c4dhost::Utf8(CommandOf(self)->GetScriptName());
    if (sink != nullptr) sink(ctx, name.data(), static_cast<int64_t>(name.size()));
  });
}

c4d_bool CommandMessage(void* self, int32_t type, void* data) {
  return Guarded<c4d_bool>(0, [&] { return CommandOf(self)->Message(type, data) ? 1 : 0; });
}

const c4d_command_callbacks kCommandCallbacks = {
    CommandDestroy,         CommandExecute,       CommandExecuteSubId,
    CommandExecuteOptionId, CommandGetState,      CommandGetSubContainer,
    CommandRestoreLayout,   CommandGetScriptName, CommandMessage};

// --------------------------------------------------------------- scene hooks

// Kept by the host from registration to unregister.
struct SceneHookRegistration {
  DataAllocator* allocator;
};

NodeData* NodeOf(void* instance) { return static_cast<NodeData*>(instance); }
GeListNode* ListNodeOf(c4d_atom* atom) { return FromAtom<GeListNode>(atom); }

void* HookAlloc(void* registration) {
  return Guarded<void*>(nullptr, [&]() -> void* {
    NodeData* instance = static_cast<SceneHookRegistration*>(registration)->allocator();
    return instance;
  });
}

void HookDestroy(void* registration, void* instance) {
  (void)registration;
  GuardedVoid([&] {
    NodeData* node = NodeOf(instance);
    DeleteObj(node);
  });
}

c4d_bool HookInit(void* instance, c4d_atom* node) {
  return Guarded<c4d_bool>(0, [&] {
    c4dhost::NodeDataAccess::Bind(NodeOf(instance), ListNodeOf(node));
    return NodeOf(instance)->Init(ListNodeOf(node)) ? 1 : 0;
  });
}

void HookFree(void* instance, c4d_atom* node) {
  GuardedVoid([&] { NodeOf(instance)->Free(ListNodeOf(node)); });
}

DocumentInfoData DocumentInfoFromHost(const c4d_document_info& info) {
  DocumentInfoData data;
  data.type = info.type;
  data.fileformat = info.file_format;
  data.doc = FromAtom<BaseDocument>(info.document);
  if (info.file_name != nullptr) {
    data.filename = Filename(c4dhost::StringFromUtf8(info.file_name, strlen(info.file_name)));
  }
  data.bl = FromAtom<BaseList2D>(info.element);
  data.gui_allowed = info.gui_allowed ? 1 : 0;
  data.data = info.data;
  return data;
}

// The document-information record arrives as the host's C struct and is
// handed on as DocumentInfoData.
c4d_bool HookMessage(void* instance, c4d_atom* node, int32_t type, void* data) {
  return Guarded<c4d_bool>(0, [&] {
    if (type == MSG_DOCUMENTINFO && data != nullptr) {
      DocumentInfoData info = DocumentInfoFromHost(*static_cast<c4d_document_info*>(data));
      return NodeOf(instance)->Message(ListNodeOf(node), type, &info) ? 1 : 0;
    }
    return NodeOf(instance)->Message(ListNodeOf(node), type, data) ? 1 : 0;
  });
}

void HookUnregister(void* registration) {
  delete static_cast<SceneHookRegistration*>(registration);
}

const c4d_node_callbacks kSceneHookCallbacks = {HookAlloc, HookDestroy, HookInit,
                                                HookFree,  HookMessage, HookUnregister};

}  // namespace

// ---------------------------------------------------------------- defaults

Bool CommandData::Execute(BaseDocument* doc) {
  (void)doc;
  return false;
}

Bool CommandData::ExecuteSubID(BaseDocument* doc, maxon::Int32 subid) {
  (void)doc;
  (void)subid;
  return false;
}

Bool CommandData::ExecuteOptionID(BaseDocument* doc, maxon::Int32 plugid, maxon::Int32 subid) {
  (void)doc;
  (void)plugid;
  (void)subid;
  return false;
}

maxon::Int32 CommandData::GetState(BaseDocument* doc) {
  (void)doc;
  return CMD_ENABLED;
}

Bool CommandData::GetSubContainer(BaseDocument* doc, BaseContainer& submenu) {
  (void)doc;
  (void)submenu;
  return false;
}

Bool CommandData::RestoreLayout(void* secret) {
  (void)secret;
  return false;
}

String CommandData::GetScriptName(void) { return String(); }

Bool CommandData::Message(maxon::Int32 type, void* data) {
  (void)type;
  (void)data;
  return true;
}

Bool NodeData::Init(GeListNode* node) {
  (void)node;
  return true;
}

void NodeData::Free(GeListNode* node) { (void)node; }

Bool NodeData::Read(GeListNode* node, HyperFile* hf, maxon::Int32 level) {
  (void)node;
  (void)hf;
  (void)level;
  return true;
}

Bool NodeData::Write(GeListNode* node, HyperFile* hf) {
  (void)node;
  (void)hf;
  return true;
}

Bool NodeData::CopyTo(NodeData* dest, GeListNode* snode, GeListNode* dnode, COPYFLAGS flags,
                      AliasTrans* trn) {
  (void)dest;
  (void)snode;
  (void)dnode;
  (void)flags;
  (void)trn;
  return true;
}

Bool NodeData::Message(GeListNode* node, maxon::Int32 type, void* data) {
  (void)node;
  (void)type;
  (void)data;
  return true;
}

void NodeData::GetBubbleHelp(GeListNode* node, String& str) {
  (void)node;
  (void)str;
}

BaseDocument* NodeData::GetDocument(GeListNode* node) {
  return node != nullptr ? node->GetDocument() : nullptr;
}

maxon::Int32 NodeData::GetBranchInfo(GeListNode* node, BranchInfo* info, maxon::Int32 max,
                                     GETBRANCHINFO flags) {
  (void)node;
  (void)info;
  (void)max;
  (void)flags;
  return 0;
}

Bool NodeData::IsInstanceOf(const GeListNode* node, maxon::Int32 type) const {
  (void)node;
  (void)type;
  return false;
}

Bool NodeData::GetDDescription(GeListNode* node, Description* description, DESCFLAGS_DESC& flags) {
  (void)node;
  (void)description;
  (void)flags;
  return true;
}

Bool NodeData::GetDParameter(GeListNode* node, const DescID& id, GeData& t_data,
                             DESCFLAGS_GET& flags) {
  (void)node;
  (void)id;
  (void)t_data;
  (void)flags;
  return true;
}

Bool NodeData::SetDParameter(GeListNode* node, const DescID& id, const GeData& t_data,
                             DESCFLAGS_SET& flags) {
  (void)node;
  (void)id;
  (void)t_data;
  (void)flags;
  return true;
}

Bool NodeData::GetDEnabling(GeListNode* node, const DescID& id, const GeData& t_data,
                            DESCFLAGS_ENABLE flags, const BaseContainer* itemdesc) {
  (void)node;
  (void)id;
  (void)t_data;
  (void)flags;
  (void)itemdesc;
  return true;
}

Bool NodeData::TranslateDescID(GeListNode* node, const DescID& id, DescID& res_id,
                               C4DAtom*& res_at) {
  (void)node;
  (void)id;
  (void)res_id;
  (void)res_at;
  return false;
}

Bool NodeData::IsDocumentRelated(const GeListNode* node, Bool& docrelated) const {
  (void)node;
  (void)docrelated;
  return false;
}

Bool SceneHookData::InitSceneHook(BaseSceneHook* node, BaseDocument* doc, BaseThread* bt) {
  (void)node;
  (void)doc;
  (void)bt;
  return true;
}

void SceneHookData::FreeSceneHook(BaseSceneHook* node, BaseDocument* doc) {
  (void)node;
  (void)doc;
}

EXECUTIONRESULT SceneHookData::Execute(BaseSceneHook* node, BaseDocument* doc, BaseThread* bt,
                                       maxon::Int32 priority, EXECUTIONFLAGS flags) {
  (void)node;
  (void)doc;
  (void)bt;
  (void)priority;
  (void)flags;
  return EXECUTIONRESULT_OK;
}

Bool SceneHookData::AddToExecution(BaseSceneHook* node, PriorityList* list) {
  (void)node;
  (void)list;
  return false;
}

Bool SceneHookData::MouseInput(BaseSceneHook* node, BaseDocument* doc, BaseDraw* bd,
                               EditorWindow* win, const BaseContainer& msg) {
  (void)node;
  (void)doc;
  (void)bd;
  (void)win;
  (void)msg;
  return false;
}

Bool SceneHookData::KeyboardInput(BaseSceneHook* node, BaseDocument* doc, BaseDraw* bd,
                                  EditorWindow* win, const BaseContainer& msg) {
  (void)node;
  (void)doc;
  (void)bd;
  (void)win;
  (void)msg;
  return false;
}

Bool SceneHookData::GetCursorInfo(BaseSceneHook* node, BaseDocument* doc, BaseDraw* bd,
                                  maxon::Float x, maxon::Float y, BaseContainer& bc) {
  (void)node;
  (void)doc;
  (void)bd;
  (void)x;
  (void)y;
  (void)bc;
  return false;
}

Bool SceneHookData::Draw(BaseSceneHook* node, BaseDocument* doc, BaseDraw* bd, BaseDrawHelp* bh,
                         BaseThread* bt, SCENEHOOKDRAW flags) {
  (void)node;
  (void)doc;
  (void)bd;
  (void)bh;
  (void)bt;
  (void)flags;
  return true;
}

Bool SceneHookData::DisplayControl(BaseDocument* doc, BaseObject* op, BaseObject* chainstart,
                                   BaseDraw* bd, BaseDrawHelp* bh, ControlDisplayStruct& cds) {
  (void)doc;
  (void)op;
  (void)chainstart;
  (void)bd;
  (void)bh;
  (void)cds;
  return false;
}

Bool SceneHookData::InitDisplayControl(BaseSceneHook* node, BaseDocument* doc, BaseDraw* bd,
                                       const AtomArray* active) {
  (void)node;
  (void)doc;
  (void)bd;
  (void)active;
  return false;
}

void SceneHookData::FreeDisplayControl(BaseSceneHook* node) { (void)node; }

// ------------------------------------------------------------ registration

Bool RegisterCommandPlugin(maxon::Int32 id, const String& str, maxon::Int32 info, BaseBitmap* icon,
                           const String& help, CommandData* dat) {
  if (dat == nullptr) return false;
  const c4d_function_table* table = c4dhost::Table();
  Bool registered = table != nullptr && table->plugin->register_command(
                                            id, c4dhost::Utf8(str).c_str(), info,
                                            reinterpret_cast<const c4d_bitmap*>(icon),
                                            c4dhost::Utf8(help).c_str(), &kCommandCallbacks, dat);
  // The host owns a registered command; a refused one is ours to delete.
  if (!registered) DeleteObj(dat);
  return registered;
}

Bool RegisterSceneHookPlugin(maxon::Int32 id, const String& str, maxon::Int32 info,
                             DataAllocator* g, maxon::Int32 priority, maxon::Int32 disklevel,
                             void* emulation) {
  const c4d_function_table* table = c4dhost::Table();
  if (table == nullptr || g == nullptr) return false;
  SceneHookRegistration* registration = new (std::nothrow) SceneHookRegistration{g};
  if (registration == nullptr) return false;
  Bool registered =
      table->plugin->register_scene_hook(id, c4dhost::Utf8(str).c_str(), info, &kSceneHookCallbacks,
                                         registration, priority, disklevel, emulation) != 0;
  if (!registered) delete registration;
  return registered;
}

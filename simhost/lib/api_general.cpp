// The general, container and resource areas of the function table.
#include <unordered_set>

#include "api.h"
#include "container.h"
#include "host.h"
#include "text_util.h"

namespace simhost {

namespace {

void Print(const char* line) {
  if (Host* host = Host::Current()) host->Record(event_kind::kPrint, FromCText(line));
}

void MessageDialog(const char* text) {
  if (Host* host = Host::Current()) host->Record(event_kind::kMessage, FromCText(text));
}

c4d_bool OpenHtml(const char* address) {
  Host* host = Host::Current();
  return host != nullptr && host->AnswerOpenHtml(FromCText(address));
}

void Sleep(int32_t milliseconds) {
  if (Host* host = Host::Current()) host->Sleep(milliseconds);
}

int32_t GetVersionType() { return Host::Current() ? Host::Current()->VersionType() : 0; }
int32_t GetCurrentOs() { return Host::Current() ? Host::Current()->OperatingSystem() : 0; }

int32_t GetByteOrder() {
  const uint16_t probe = 1;
  return *reinterpret_cast<const uint8_t*>(&probe) == 1 ? 2 : 1;
}

int32_t GetTimer() { return Host::Current() ? Host::Current()->TimerMilliseconds() : 0; }

void GetC4dPath(int32_t which, c4d_text_sink sink, void* ctx) {
  Host* host = Host::Current();
  SendText(sink, ctx, host != nullptr ? host->C4dPath(which) : std::string());
}

void GetStartupPath(c4d_text_sink sink, void* ctx) {
  Host* host = Host::Current();
  SendText(sink, ctx, host != nullptr ? host->StartupFolder() : std::string());
}

void GetStartupWritePath(c4d_text_sink sink, void* ctx) {
  Host* host = Host::Current();
  SendText(sink, ctx, host != nullptr ? host->UserFolder() : std::string());
}

// Keyboard and mouse report the held qualifier keys; no key or button is
// ever down in this host.
c4d_bool GetInputState(int32_t device, int32_t channel, c4d_container* result) {
  Host* host = Host::Current();
  Container* out = ToContainer(result);
  if (host == nullptr || out == nullptr) return 0;
  if (device != C4D_BFM_INPUT_KEYBOARD && device != C4D_BFM_INPUT_MOUSE) return 0;
  out->Set(C4D_BFM_INPUT_DEVICE, Value::Int32(device));
  out->Set(C4D_BFM_INPUT_CHANNEL, Value::Int32(channel));
  out->Set(C4D_BFM_INPUT_QUALIFIER, Value::Int32(host->KeyboardQualifiers()));
  out->Set(C4D_BFM_INPUT_VALUE, Value::Int32(0));
  return 1;
}

void EventAdd(int32_t flags) {
  if (Host* host = Host::Current()) host->EventAdd(flags);
}

c4d_atom* GetActiveDocument() {
  Host* host = Host::Current();
  return host != nullptr ? &host->ActiveDocument() : nullptr;
}

// --------------------------------------------------------------- containers

// Containers the module owns: only these may be destroyed through the
// table; element data and nested containers belong to the host.
std::unordered_set<const Container*>& ModuleContainers() {
  static std::unordered_set<const Container*> owned;
  return owned;
}

c4d_container* AdoptByModule(Container* container) {
  ModuleContainers().insert(container);
  return container;
}

c4d_container* ContainerCreate(int32_t id) { return AdoptByModule(new Container(id)); }

c4d_container* ContainerClone(const c4d_container* source) {
  const Container* container = ToContainer(source);
  return container != nullptr ? AdoptByModule(new Container(*container)) : nullptr;
}

void ContainerDestroy(c4d_container* handle) {
  if (handle == nullptr) return;
  Container* container = ToContainer(handle);
  if (container == nullptr || ModuleContainers().erase(container) == 0) {
    WarnCurrent(container == nullptr ? "container.destroy of a stale container"
                                     : "container.destroy of a container the host owns");
    return;
  }
  delete container;
}

int32_t ContainerGetId(const c4d_container* handle) {
  const Container* container = ToContainer(handle);
  return container != nullptr ? container->Id() : 0;
}

void ContainerSetId(c4d_container* handle, int32_t id) {
  if (Container* container = ToContainer(handle)) container->SetId(id);
}

int32_t ContainerCount(const c4d_container* handle) {
  const Container* container = ToContainer(handle);
  return container != nullptr ? container->Count() : 0;
}

int32_t ContainerKeyAt(const c4d_container* handle, int32_t index) {
  const Container* container = ToContainer(handle);
  return container != nullptr ? container->KeyAt(index) : 0;
}

c4d_bool ContainerGet(const c4d_container* handle, int32_t key, c4d_value* out) {
  const Container* container = ToContainer(handle);
  const Value* value = container != nullptr ? container->Find(key) : nullptr;
  if (out != nullptr) {
    if (value != nullptr) {
      value->ToC(out);
    } else {
      *out = NilCValue();
    }
  }
  return value != nullptr;
}

void ContainerSet(c4d_container* handle, int32_t key, const c4d_value* value) {
  Container* container = ToContainer(handle);
  Value copy;
  if (container == nullptr || value == nullptr || !Value::FromC(*value, &copy)) {
    WarnCurrent("container.set refused for key " + std::to_string(key));
    return;
  }
  container->Set(key, std::move(copy));
}

c4d_bool ContainerRemove(c4d_container* handle, int32_t key) {
  Container* container = ToContainer(handle);
  return container != nullptr && container->Remove(key);
}

void ContainerFlush(c4d_container* handle) {
  if (Container* container = ToContainer(handle)) container->Flush();
}

// ---------------------------------------------------------------- resources

c4d_resource* ResourceLoad(const char* folder) {
  Host* host = Host::Current();
  return host != nullptr ? host->LoadResource(FromCText(folder)) : nullptr;
}

void ResourceRelease(c4d_resource* handle, int32_t pass_along) {
  Host* host = Host::Current();
  Resource* resource = FromHandle<Resource>(handle);
  if (host == nullptr || handle == nullptr) return;
  if (resource == nullptr) {
    host->Record(event_kind::kWarning, "resource.release of a stale resource set");
    return;
  }
  host->ReleaseResource(resource, pass_along);
}

}  // namespace

void FillGeneralApi(c4d_general_api* api) {
  api->print = Print;
  api->message_dialog = MessageDialog;
  api->open_html = OpenHtml;
  api->sleep = Sleep;
  api->get_version_type = GetVersionType;
  api->get_current_os = GetCurrentOs;
  api->get_byte_order = GetByteOrder;
  api->get_timer = GetTimer;
  api->get_c4d_path = GetC4dPath;
  api->get_startup_path = GetStartupPath;
  api->get_startup_write_path = GetStartupWritePath;
  api->get_input_state = GetInputState;
  api->event_add = EventAdd;
  api->get_active_document = GetActiveDocument;
}

void FillContainerApi(c4d_container_api* api) {
  api->create = ContainerCreate;
  api->clone = ContainerClone;
  api->destroy = ContainerDestroy;
  api->get_id = ContainerGetId;
  api->set_id = ContainerSetId;
  api->count = ContainerCount;
  api->key_at = ContainerKeyAt;
  api->get = ContainerGet;
  api->set = ContainerSet;
  api->remove = ContainerRemove;
  api->flush = ContainerFlush;
}

void FillResourceApi(c4d_resource_api* api) {
  api->load = ResourceLoad;
  api->release = ResourceRelease;
}

}  // namespace simhost

// The general and resource areas of the function table.
#include "api.h"
#include "host.h"
#include "text/text_util.h"
#include "values/container.h"

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

void FillResourceApi(c4d_resource_api* api) {
  api->load = ResourceLoad;
  api->release = ResourceRelease;
}

}  // namespace simhost

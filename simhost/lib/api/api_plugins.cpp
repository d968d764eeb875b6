// The plug-in registration area of the function table: commands and scene
// hooks a module registers while it starts.
#include "api.h"
#include "bitmap.h"
#include "host.h"
#include "text/text_util.h"

namespace simhost {

namespace {

c4d_bool RegisterCommand(int32_t id, const char* name, int32_t info, const c4d_bitmap* icon,
                         const char* help, const c4d_command_callbacks* callbacks, void* self) {
  Host* host = Host::Current();
  if (host == nullptr) return 0;
  if (callbacks == nullptr) {
    host->Record(event_kind::kWarning, "command " + std::to_string(id) + " without callbacks");
    return 0;
  }
  auto command = std::make_unique<RegisteredCommand>();
  command->id = id;
  command->name = FromCText(name);
  command->info = info;
  command->help = FromCText(help);
  command->callbacks = *callbacks;
  command->self = self;
  if (const Bitmap* picture = ToBitmap(icon)) {
    command->icon = std::make_unique<Bitmap>(*picture);
  } else if (icon != nullptr) {
    host->Record(event_kind::kWarning, "command " + std::to_string(id) + " with a stale icon");
  }
  return host->AddCommand(std::move(command));
}

c4d_bool RegisterSceneHook(int32_t id, const char* name, int32_t info,
                           const c4d_node_callbacks* callbacks, void* registration,
                           int32_t priority, int32_t disk_level, void* emulation) {
  Host* host = Host::Current();
  if (host == nullptr) return 0;
  if (callbacks == nullptr || callbacks->alloc == nullptr) {
    host->Record(event_kind::kWarning, "scene hook " + std::to_string(id) + " without alloc");
    return 0;
  }
  auto hook = std::make_unique<RegisteredSceneHook>();
  hook->id = id;
  hook->name = FromCText(name);
  hook->info = info;
  hook->callbacks = *callbacks;
  hook->registration = registration;
  hook->priority = priority;
  hook->disk_level = disk_level;
  hook->emulation = emulation;
  return host->AddSceneHook(std::move(hook));
}

}  // namespace

void FillPluginApi(c4d_plugin_api* api) {
  api->register_command = RegisterCommand;
  api->register_scene_hook = RegisterSceneHook;
}

}  // namespace simhost

// What a module registered: commands and scene hooks, as the host keeps them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "bitmap.h"
#include "c4d_function_table.h"

namespace simhost {

struct RegisteredCommand {
  int32_t id = 0;
  std::string name;
  int32_t info = 0;
  std::string help;
  std::unique_ptr<Bitmap> icon;  // the host's own copy; null when none was given
  c4d_command_callbacks callbacks{};
  void* self = nullptr;
};

struct RegisteredSceneHook {
  int32_t id = 0;
  std::string name;
  int32_t info = 0;
  c4d_node_callbacks callbacks{};
  void* registration = nullptr;
  int32_t priority = 0;
  int32_t disk_level = 0;
  void* emulation = nullptr;
};

}  // namespace simhost

// Fill the areas of the function table with the host's functions. Each
// function acts on the current host and refuses null or stale handles.
#pragma once

#include "c4d_function_table.h"

namespace simhost {

void FillGeneralApi(c4d_general_api* api);
void FillContainerApi(c4d_container_api* api);
void FillResourceApi(c4d_resource_api* api);
void FillFileApi(c4d_file_api* api);
void FillBitmapApi(c4d_bitmap_api* api);
void FillPluginApi(c4d_plugin_api* api);
void FillSceneApi(c4d_scene_api* api);

}  // namespace simhost

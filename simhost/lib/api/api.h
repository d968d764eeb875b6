// Fill the areas of the function table with the host's functions, one
// file per interface header: c4d_abi_<area>.h is implemented in
// api_<area>.cpp. Each function acts on the current host (the dialog area:
// its current window system) and refuses null or stale handles.
#pragma once

#include "c4d_function_table.h"

namespace simhost {

void FillGeneralApi(c4d_general_api* api);      // api_general.cpp
void FillResourceApi(c4d_resource_api* api);    // api_general.cpp
void FillContainerApi(c4d_container_api* api);  // api_containers.cpp
void FillFileApi(c4d_file_api* api);            // api_files.cpp
void FillBitmapApi(c4d_bitmap_api* api);        // api_bitmaps.cpp
void FillDialogApi(c4d_dialog_api* api);        // api_dialogs.cpp
void FillPluginApi(c4d_plugin_api* api);        // api_plugins.cpp
void FillSceneApi(c4d_scene_api* api);          // api_scene.cpp

}  // namespace simhost

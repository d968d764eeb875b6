/*
 * c4d_function_table.h: the interface between a plug-in module and the host
 * that loads it, and the one header of it both sides include. Plain C,
 * fixed-width integers, opaque handles; no C++ object ever crosses this line.
 * The rules for handles, outputs, ownership and text are in c4d_abi_types.h,
 * the shared numbers in c4d_abi_ids.h, each area in a header of its own.
 *
 * Call order (every call on the host's main thread, one at a time):
 *   1. the host loads the module (RTLD_NOW | RTLD_LOCAL) and looks up c4d_main;
 *   2. c4d_main(C4D_ACTION_INIT, table, NULL, module_path_utf8);
 *   3. c4d_main(C4D_ACTION_MESSAGE, (void*)C4D_MESSAGE_LOAD_RESOURCES, NULL, NULL);
 *   4. c4d_main(C4D_ACTION_START, NULL, NULL, NULL): registrations;
 *   5. c4d_main(C4D_ACTION_MESSAGE, (void*)id, data, NULL): further messages;
 *      commands, dialogs, user areas and scene hooks are called back through
 *      the callback tables the module handed over when registering them;
 *   6. c4d_main(C4D_ACTION_END, NULL, NULL, NULL);
 *   7. the host destroys what the module registered (destroy callbacks), then
 *      unloads the module.
 * The table stays valid and unchanged from step 2 until the module is
 * unloaded.
 *
 * Versioning: the first field of c4d_function_table is the host's interface
 * version (for example 17048 or 18011), which the module reports as
 * GetC4DVersion(); a module refuses a version older than it supports.
 *
 * Growth: the table and each area open with their own size as the host
 * built them, and each area is reached through a pointer, so an area can
 * grow without moving any other. The rules:
 *   - a function is only ever appended to the end of its area; nothing is
 *     removed, reordered or retyped once shipped;
 *   - a new area is appended to the end of the table as one more pointer;
 *   - a value kind, id or record (c4d_value, c4d_document_info, callback
 *     tables) is frozen once shipped; a change is a new record;
 *   - a host fills size with sizeof of what it built, and may hand over
 *     larger areas than a module knows; the module ignores the rest;
 *   - a module checks, at C4D_ACTION_INIT, that the table and every area it
 *     uses are at least as large as it was built with (C4D_AREA_COMPLETE,
 *     c4d_function_table_complete), and answers C4D_ANSWER_UNUSABLE_HOST
 *     otherwise; a module that can do without a newer function checks that
 *     function alone (C4D_AREA_HAS) before calling it.
 */
#ifndef C4D_FUNCTION_TABLE_H__
#define C4D_FUNCTION_TABLE_H__

#include "c4d_abi_bitmaps.h"
#include "c4d_abi_containers.h"
#include "c4d_abi_dialogs.h"
#include "c4d_abi_files.h"
#include "c4d_abi_general.h"
#include "c4d_abi_ids.h"
#include "c4d_abi_plugins.h"
#include "c4d_abi_scene.h"
#include "c4d_abi_types.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct c4d_function_table {
  int32_t version; /* host interface version, GetC4DVersion() */
  uint32_t size;   /* sizeof(c4d_function_table) as the host built it */
  const c4d_general_api* general;
  const c4d_container_api* container;
  const c4d_resource_api* resource;
  const c4d_file_api* file;
  const c4d_bitmap_api* bitmap;
  const c4d_dialog_api* dialog;
  const c4d_plugin_api* plugin;
  const c4d_scene_api* scene;
} c4d_function_table;

/* Whether table holds every area this module was built with, each at least
 * as large as it was then. */
static inline c4d_bool c4d_function_table_complete(const c4d_function_table* table) {
  return table != NULL && table->size >= sizeof(c4d_function_table) &&
         C4D_AREA_COMPLETE(table->general, c4d_general_api) &&
         C4D_AREA_COMPLETE(table->container, c4d_container_api) &&
         C4D_AREA_COMPLETE(table->resource, c4d_resource_api) &&
         C4D_AREA_COMPLETE(table->file, c4d_file_api) &&
         C4D_AREA_COMPLETE(table->bitmap, c4d_bitmap_api) &&
         C4D_AREA_COMPLETE(table->dialog, c4d_dialog_api) &&
         C4D_AREA_COMPLETE(table->plugin, c4d_plugin_api) &&
         C4D_AREA_COMPLETE(table->scene, c4d_scene_api);
}

/* The module's one export, c4d_main: action is a C4D_ACTION_ value; see the
 * call order above for p1 to p3. Answers are C4D_ANSWER_ values. */
typedef int32_t (*c4d_main_entry)(int32_t action, void* p1, void* p2, void* p3);

#ifdef __cplusplus
}
#endif

#endif /* C4D_FUNCTION_TABLE_H__ */

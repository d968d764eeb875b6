/*
 * c4d_abi_plugins.h: the plug-in area of the function table: registering a
 * command and a scene hook, with the callback tables the host calls them
 * through.
 */
#ifndef C4D_ABI_PLUGINS_H__
#define C4D_ABI_PLUGINS_H__

#include "c4d_abi_types.h"

#ifdef __cplusplus
extern "C" {
#endif

/* A registered command; self is the module's command object. The host calls
 * destroy exactly once, when it unloads the module, and no other callback
 * afterwards. Documents passed in are the host's, valid during the call. */
typedef struct c4d_command_callbacks {
  void (*destroy)(void* self);
  c4d_bool (*execute)(void* self, c4d_atom* document);
  c4d_bool (*execute_sub_id)(void* self, c4d_atom* document, int32_t sub_id);
  c4d_bool (*execute_option_id)(void* self, c4d_atom* document, int32_t plugin_id, int32_t sub_id);
  int32_t (*get_state)(void* self, c4d_atom* document); /* C4D_CMD_ bits */
  /* The module adds its sub-menu entries to submenu (the host's, borrowed). */
  c4d_bool (*get_sub_container)(void* self, c4d_atom* document, c4d_container* submenu);
  /* secret: the host's layout record, valid during the call and passed back
   * untouched to dialog.restore_layout. */
  c4d_bool (*restore_layout)(void* self, void* secret);
  void (*get_script_name)(void* self, c4d_text_sink sink, void* ctx);
  c4d_bool (*message)(void* self, int32_t type, void* data);
} c4d_command_callbacks;

/* The record of message C4D_MSG_DOCUMENT_INFO, valid during the call. */
typedef struct c4d_document_info {
  int32_t type; /* a C4D_DOCUMENT_INFO_ value */
  int32_t file_format;
  c4d_atom* document;
  const char* file_name;
  c4d_atom* element; /* the inserted element of the _INSERT types */
  c4d_bool gui_allowed;
  void* data;
} c4d_document_info;

/* A registered node type (scene hook). registration is the pointer given
 * with the registration; alloc makes one instance (null on failure), which
 * the host owns and hands back to destroy. For message C4D_MSG_DOCUMENT_INFO
 * data points to a c4d_document_info; other data is passed through. The node
 * handed to the instance calls is the host's, valid during the call. */
typedef struct c4d_node_callbacks {
  void* (*alloc)(void* registration);
  void (*destroy)(void* registration, void* instance);
  c4d_bool (*init)(void* instance, c4d_atom* node);
  void (*free)(void* instance, c4d_atom* node);
  c4d_bool (*message)(void* instance, c4d_atom* node, int32_t type, void* data);
  /* Called once when the host unloads the module; frees registration. */
  void (*unregister)(void* registration);
} c4d_node_callbacks;

typedef struct c4d_plugin_api {
  uint32_t size; /* sizeof(c4d_plugin_api) as the host built it */
  /* On success the host owns self until callbacks->destroy; on failure the
   * caller keeps it. callbacks, name, help and icon (may be null) are
   * copied. Fails for an id already taken. */
  c4d_bool (*register_command)(int32_t id, const char* name, int32_t info, const c4d_bitmap* icon,
                               const char* help, const c4d_command_callbacks* callbacks,
                               void* self);
  /* On success the host owns registration until callbacks->unregister; on
   * failure the caller keeps it. callbacks and name are copied. */
  c4d_bool (*register_scene_hook)(int32_t id, const char* name, int32_t info,
                                  const c4d_node_callbacks* callbacks, void* registration,
                                  int32_t priority, int32_t disk_level, void* emulation);
} c4d_plugin_api;

#ifdef __cplusplus
}
#endif

#endif /* C4D_ABI_PLUGINS_H__ */

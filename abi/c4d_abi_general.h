/*
 * c4d_abi_general.h: the general area (console, messages, web pages, host
 * facts, folders, input state, events, the active document) and the
 * resource area of the function table.
 */
#ifndef C4D_ABI_GENERAL_H__
#define C4D_ABI_GENERAL_H__

#include "c4d_abi_types.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct c4d_general_api {
  uint32_t size;                            /* sizeof(c4d_general_api) as the host built it */
  void (*print)(const char* line);          /* one console line */
  void (*message_dialog)(const char* text); /* modal message box; returns once dismissed */
  /* Opens the address in the system's web browser; 1 when it opened. */
  c4d_bool (*open_html)(const char* address);
  void (*sleep)(int32_t milliseconds);
  int32_t (*get_version_type)(void); /* edition, VERSIONTYPE */
  int32_t (*get_current_os)(void);   /* OPERATINGSYSTEM */
  int32_t (*get_byte_order)(void);   /* BYTEORDER: 1 big-endian, 2 little-endian */
  int32_t (*get_timer)(void);        /* milliseconds since the host started */
  /* GeGetC4DPath(which): folders by C4D_PATH_ number; sink receives an empty
   * text when the number is unknown. */
  void (*get_c4d_path)(int32_t which, c4d_text_sink sink, void* ctx);
  /* The host's program folder and its writable user folder, through sink. */
  void (*get_startup_path)(c4d_text_sink sink, void* ctx);
  void (*get_startup_write_path)(c4d_text_sink sink, void* ctx);
  /* Fills result (the caller's container, borrowed) with the state of one
   * input channel under the C4D_BFM_INPUT_ keys; 0 for devices other than
   * C4D_BFM_INPUT_MOUSE and C4D_BFM_INPUT_KEYBOARD. */
  c4d_bool (*get_input_state)(int32_t device, int32_t channel, c4d_container* result);
  void (*event_add)(int32_t flags);
  /* The active document, owned by the host; valid until the module's current
   * call returns. */
  c4d_atom* (*get_active_document)(void);
} c4d_general_api;

typedef struct c4d_resource_api {
  uint32_t size; /* sizeof(c4d_resource_api) as the host built it */
  /* Loads the resource set of a plug-in from its resource folder; null when
   * the host refuses. Owned by the module, which hands it back to release
   * exactly once. */
  c4d_resource* (*load)(const char* folder);
  /* Frees resource; pass_along is the value the module kept from its load
   * request. */
  void (*release)(c4d_resource* resource, int32_t pass_along);
} c4d_resource_api;

#ifdef __cplusplus
}
#endif

#endif /* C4D_ABI_GENERAL_H__ */

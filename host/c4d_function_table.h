/*
 * c4d_function_table.h: the one header shared by the plug-in module and the
 * host that loads it. Plain C, fixed-width integers, opaque handles; no C++
 * object ever crosses this line.
 *
 * Call order (every call on the host's main thread, one at a time):
 *   1. the host loads the module (RTLD_NOW | RTLD_LOCAL) and looks up c4d_main;
 *   2. c4d_main(1, table, NULL, module_path_utf8)   system initialisation;
 *   3. c4d_main(6, (void*)1, NULL, NULL)            message 1: load resources;
 *   4. c4d_main(2, NULL, NULL, NULL)                start: registrations;
 *   5. c4d_main(6, (void*)id, data, NULL)           further messages;
 *      commands, dialogs, user areas and scene hooks are called back through
 *      the callback tables the module handed over when registering them;
 *   6. c4d_main(3, NULL, NULL, NULL)                end;
 *   7. the host destroys what the module registered (destroy callbacks), then
 *      unloads the module.
 *
 * Versioning: the first field of c4d_function_table is the host's interface
 * version (for example 17048 or 18011), which the module reports as
 * GetC4DVersion(). The second field is sizeof(c4d_function_table) as the host
 * compiled it. Areas are only ever appended; a module refuses a table smaller
 * than the one it was built against.
 *
 * Text: every const char* is UTF-8 (file names may hold any bytes the file
 * system gave, passed on unchanged), zero-terminated, valid during the call
 * only; the receiver copies what it keeps. Text that the host hands back is
 * delivered through a c4d_text_sink, called at most once per request.
 *
 * Results: c4d_bool is 1 for success or true and 0 otherwise; functions that
 * return a host code (IMAGERESULT, FILEERROR) say so.
 */
#ifndef C4D_FUNCTION_TABLE_H__
#define C4D_FUNCTION_TABLE_H__

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef int32_t c4d_bool;

/* Receives one text from the host; text need not be zero-terminated. */
typedef void (*c4d_text_sink)(void* ctx, const char* text, int64_t length);

/* Opaque host-owned handles. Who frees each one is written at its creator. */
typedef struct c4d_container c4d_container;
typedef struct c4d_bitmap c4d_bitmap;
typedef struct c4d_dir c4d_dir;
typedef struct c4d_hyperfile c4d_hyperfile;
typedef struct c4d_file c4d_file;
typedef struct c4d_resource c4d_resource;
typedef struct c4d_dialog c4d_dialog;
typedef struct c4d_gadget c4d_gadget;
typedef struct c4d_userarea c4d_userarea;
/* Every scene element: documents, objects, tags, materials, views, takes,
 * take overrides and scene-hook nodes. */
typedef struct c4d_atom c4d_atom;
typedef struct c4d_atom_array c4d_atom_array;
typedef struct c4d_take_data c4d_take_data;

/* ------------------------------------------------------------------ values */

/* Value kinds, the host's DA_ numbers. */
enum {
  C4D_VALUE_NIL = 0,
  C4D_VALUE_INT32 = 15, /* also Bool */
  C4D_VALUE_FLOAT = 19,
  C4D_VALUE_INT64 = 26,
  C4D_VALUE_STRING = 130,
  C4D_VALUE_FILENAME = 131,
  C4D_VALUE_CONTAINER = 132,
  C4D_VALUE_LINK = 133
};

/* One typed value. Only the field that belongs to `type` is read.
 * Handed to the host: text and container are borrowed for the call; the host
 * copies them. Handed back by the host: text and container stay valid until
 * the container or element they were read from is next changed or destroyed. */
typedef struct c4d_value {
  int32_t type;
  int32_t int32_value;
  int64_t int64_value;
  double float_value;
  const char* text; /* STRING, FILENAME: UTF-8 bytes, text_length of them */
  int64_t text_length;
  c4d_container* container; /* CONTAINER */
  c4d_atom* link;           /* LINK */
} c4d_value;

/* One level of a parameter id (DescLevel). */
typedef struct c4d_desc_level {
  int32_t id;
  int32_t dtype;
  int32_t creator;
} c4d_desc_level;

/* Containers: id-keyed values (BaseContainer). create/clone hand ownership to
 * the caller, who frees with destroy. Handles passed into callbacks are
 * borrowed for the call. */
typedef struct c4d_container_api {
  c4d_container* (*create)(int32_t id);
  c4d_container* (*clone)(const c4d_container* source);
  void (*destroy)(c4d_container* container);
  int32_t (*get_id)(const c4d_container* container);
  void (*set_id)(c4d_container* container, int32_t id);
  int32_t (*count)(const c4d_container* container);
  /* Key of the entry at index (0 to count-1), in insertion order. */
  int32_t (*key_at)(const c4d_container* container, int32_t index);
  c4d_bool (*get)(const c4d_container* container, int32_t key, c4d_value* out);
  /* Replaces the value under key, or appends it. */
  void (*set)(c4d_container* container, int32_t key, const c4d_value* value);
  c4d_bool (*remove)(c4d_container* container, int32_t key);
  void (*flush)(c4d_container* container);
} c4d_container_api;

/* ----------------------------------------------------------------- general */

typedef struct c4d_general_api {
  void (*print)(const char* line);          /* one console line */
  void (*message_dialog)(const char* text); /* modal message box */
  c4d_bool (*open_html)(const char* address);
  void (*sleep)(int32_t milliseconds);
  int32_t (*get_version_type)(void); /* edition, VERSIONTYPE */
  int32_t (*get_current_os)(void);   /* OPERATINGSYSTEM */
  int32_t (*get_byte_order)(void);   /* BYTEORDER */
  int32_t (*get_timer)(void);        /* milliseconds */
  /* GeGetC4DPath(which): folders by C4D_PATH_ number; empty when unknown. */
  void (*get_c4d_path)(int32_t which, c4d_text_sink sink, void* ctx);
  void (*get_startup_path)(c4d_text_sink sink, void* ctx);
  void (*get_startup_write_path)(c4d_text_sink sink, void* ctx);
  /* Fills result (borrowed) with the state of one input channel. */
  c4d_bool (*get_input_state)(int32_t device, int32_t channel, c4d_container* result);
  void (*event_add)(int32_t flags);
  /* The active document; owned by the host. */
  c4d_atom* (*get_active_document)(void);
} c4d_general_api;

/* --------------------------------------------------------------- resources */

typedef struct c4d_resource_api {
  /* Loads the resource set of a plug-in from its resource folder; null when
   * the host refuses. The module releases it with release. */
  c4d_resource* (*load)(const char* folder);
  /* pass_along is the value the module kept from its load request. */
  void (*release)(c4d_resource* resource, int32_t pass_along);
} c4d_resource_api;

/* ------------------------------------------------------------------- files */

typedef struct c4d_file_api {
  c4d_bool (*exists)(const char* path, c4d_bool is_directory);
  c4d_bool (*create_directory)(const char* path);
  c4d_bool (*kill)(const char* path, int32_t flags);
  /* Folder or file selection; sink receives the chosen path. Returns 0 when
   * the user cancelled. type: FILESELECTTYPE, mode: FILESELECT. */
  c4d_bool (*select)(int32_t type, int32_t mode, const char* title, const char* force_suffix,
                     c4d_text_sink sink, void* ctx);

  /* Directory iteration (BrowseFiles). dir_alloc hands ownership to the
   * caller (dir_free). Entries come in the order the file system returns
   * them. */
  c4d_dir* (*dir_alloc)(void);
  void (*dir_free)(c4d_dir* dir);
  void (*dir_init)(c4d_dir* dir, const char* path, int32_t flags);
  c4d_bool (*dir_next)(c4d_dir* dir);
  void (*dir_name)(c4d_dir* dir, c4d_text_sink sink, void* ctx);
  c4d_bool (*dir_is_dir)(c4d_dir* dir);
  c4d_bool (*dir_is_hidden)(c4d_dir* dir);
  c4d_bool (*dir_is_read_only)(c4d_dir* dir);
  int64_t (*dir_size)(c4d_dir* dir);

  /* Host container files (HyperFile). Owned by the caller (hf_free). */
  c4d_hyperfile* (*hf_alloc)(void);
  void (*hf_free)(c4d_hyperfile* file);
  c4d_bool (*hf_open)(c4d_hyperfile* file, int32_t ident, const char* path, int32_t mode,
                      int32_t error_dialog);
  c4d_bool (*hf_close)(c4d_hyperfile* file);
  /* Writes or reads one typed value; the kind read must match the kind
   * written, else the read fails and sets the file's error. */
  c4d_bool (*hf_write)(c4d_hyperfile* file, const c4d_value* value);
  c4d_bool (*hf_read)(c4d_hyperfile* file, int32_t expected_type, c4d_value* out);
  int32_t (*hf_get_error)(const c4d_hyperfile* file); /* FILEERROR */
  void (*hf_set_error)(c4d_hyperfile* file, int32_t error);
  int32_t (*hf_get_file_version)(const c4d_hyperfile* file);

  /* Binary files (BaseFile). Owned by the caller (bf_free, which closes). */
  c4d_file* (*bf_alloc)(void);
  void (*bf_free)(c4d_file* file);
  c4d_bool (*bf_open)(c4d_file* file, const char* path, int32_t mode, int32_t error_dialog,
                      int32_t byte_order, int32_t type, int32_t creator);
  c4d_bool (*bf_close)(c4d_file* file);
  c4d_bool (*bf_write_bytes)(c4d_file* file, const void* data, int64_t length);
  int64_t (*bf_read_bytes)(c4d_file* file, void* data, int64_t length, c4d_bool just_try);
  /* 32-bit integers in the byte order the file was opened with. */
  c4d_bool (*bf_write_int32)(c4d_file* file, int32_t value);
  c4d_bool (*bf_read_int32)(c4d_file* file, int32_t* value);
  c4d_bool (*bf_seek)(c4d_file* file, int64_t position, int32_t mode);
  int64_t (*bf_get_position)(c4d_file* file);
  int64_t (*bf_get_length)(c4d_file* file);
  int32_t (*bf_get_error)(const c4d_file* file); /* FILEERROR */
  void (*bf_set_error)(c4d_file* file, int32_t error);
  void (*bf_set_order)(c4d_file* file, int32_t byte_order);
} c4d_file_api;

/* ----------------------------------------------------------------- bitmaps */

typedef struct c4d_bitmap_api {
  c4d_bitmap* (*alloc)(void); /* owned by the caller: free */
  void (*free)(c4d_bitmap* bitmap);
  /* Results are IMAGERESULT values (1 = OK). */
  int32_t (*init_file)(c4d_bitmap* bitmap, const char* path, int32_t frame);
  int32_t (*init_size)(c4d_bitmap* bitmap, int32_t width, int32_t height, int32_t depth,
                       int32_t flags);
  void (*flush_all)(c4d_bitmap* bitmap);
  int32_t (*get_bw)(const c4d_bitmap* bitmap);
  int32_t (*get_bh)(const c4d_bitmap* bitmap);
  int32_t (*get_bt)(const c4d_bitmap* bitmap);
  int32_t (*get_bpz)(const c4d_bitmap* bitmap);
  /* Resamples the whole source into the whole, already sized, destination. */
  void (*scale_it)(const c4d_bitmap* source, c4d_bitmap* destination, int32_t intensity,
                   c4d_bool sample, c4d_bool non_proportional);
  c4d_bool (*copy_to)(const c4d_bitmap* source, c4d_bitmap* destination);
  c4d_bitmap* (*clone)(const c4d_bitmap* source); /* owned by the caller */
  void (*get_pixel)(const c4d_bitmap* bitmap, int32_t x, int32_t y, uint16_t* r, uint16_t* g,
                    uint16_t* b);
  c4d_bool (*set_pixel)(c4d_bitmap* bitmap, int32_t x, int32_t y, int32_t r, int32_t g, int32_t b);
} c4d_bitmap_api;

/* --------------------------------------------------- dialogs and user areas */

/* Called by the host for a dialog; self is the pointer given to
 * dialog.create. Containers are borrowed for the call; result is written
 * into. */
typedef struct c4d_dialog_callbacks {
  c4d_bool (*create_layout)(void* self);
  c4d_bool (*init_values)(void* self);
  c4d_bool (*core_message)(void* self, int32_t id, const c4d_container* message);
  c4d_bool (*command)(void* self, int32_t id, const c4d_container* message);
  c4d_bool (*ask_close)(void* self);
  void (*timer)(void* self, const c4d_container* message);
  void (*destroy_window)(void* self);
  int32_t (*message)(void* self, const c4d_container* message, c4d_container* result);
} c4d_dialog_callbacks;

/* Called by the host for an attached user area; self is the pointer given to
 * attach_user_area. After ua_release the host never calls it again. */
typedef struct c4d_userarea_callbacks {
  c4d_bool (*init)(void* self);
  c4d_bool (*init_values)(void* self);
  c4d_bool (*get_min_size)(void* self, int32_t* width, int32_t* height);
  void (*sized)(void* self, int32_t width, int32_t height);
  void (*draw_msg)(void* self, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                   const c4d_container* message);
  c4d_bool (*input_event)(void* self, const c4d_container* message);
  c4d_bool (*core_message)(void* self, int32_t id, const c4d_container* message);
  void (*timer)(void* self, const c4d_container* message);
  int32_t (*message)(void* self, const c4d_container* message, c4d_container* result);
} c4d_userarea_callbacks;

typedef struct c4d_dialog_api {
  /* A host dialog driven through callbacks (borrowed, must outlive the
   * dialog). Owned by the caller: destroy closes the window without calling
   * back. */
  c4d_dialog* (*create)(const c4d_dialog_callbacks* callbacks, void* self);
  void (*destroy)(c4d_dialog* dialog);
  c4d_bool (*open)(c4d_dialog* dialog, int32_t type, int32_t plugin_id, int32_t x, int32_t y,
                   int32_t default_width, int32_t default_height, int32_t sub_id);
  c4d_bool (*close)(c4d_dialog* dialog);
  c4d_bool (*restore_layout)(c4d_dialog* dialog, int32_t plugin_id, int32_t sub_id, void* secret);
  c4d_bool (*is_open)(c4d_dialog* dialog);
  c4d_bool (*is_visible)(c4d_dialog* dialog);
  void (*set_title)(c4d_dialog* dialog, const char* title);
  void (*set_timer)(c4d_dialog* dialog, int32_t milliseconds);
  /* The host's default handling of the overridable calls. */
  c4d_bool (*default_create_layout)(c4d_dialog* dialog);
  c4d_bool (*default_init_values)(c4d_dialog* dialog);
  int32_t (*default_message)(c4d_dialog* dialog, const c4d_container* message,
                             c4d_container* result);

  /* Layout building. Gadget handles are owned by the host and valid until
   * their group is flushed or the window is destroyed; gadget_id names them. */
  c4d_bool (*group_begin)(c4d_dialog* dialog, int32_t id, int32_t flags, int32_t columns,
                          int32_t rows, const char* title, int32_t group_flags,
                          int32_t initial_width, int32_t initial_height);
  c4d_bool (*group_end)(c4d_dialog* dialog);
  c4d_bool (*group_space)(c4d_dialog* dialog, int32_t space_x, int32_t space_y);
  c4d_bool (*group_border_space)(c4d_dialog* dialog, int32_t left, int32_t top, int32_t right,
                                 int32_t bottom);
  c4d_bool (*group_border)(c4d_dialog* dialog, uint32_t border_style, c4d_bool with_title);
  c4d_bool (*scroll_group_begin)(c4d_dialog* dialog, int32_t id, int32_t flags,
                                 int32_t scroll_flags, int32_t initial_width,
                                 int32_t initial_height);
  c4d_gadget* (*add_static_text)(c4d_dialog* dialog, int32_t id, int32_t flags,
                                 int32_t initial_width, int32_t initial_height, const char* text,
                                 int32_t border_style);
  c4d_gadget* (*add_button)(c4d_dialog* dialog, int32_t id, int32_t flags, int32_t initial_width,
                            int32_t initial_height, const char* text);
  c4d_gadget* (*add_checkbox)(c4d_dialog* dialog, int32_t id, int32_t flags, int32_t initial_width,
                              int32_t initial_height, const char* text);
  c4d_gadget* (*add_combo_box)(c4d_dialog* dialog, int32_t id, int32_t flags, int32_t initial_width,
                               int32_t initial_height, c4d_bool special_align);
  c4d_gadget* (*add_edit_text)(c4d_dialog* dialog, int32_t id, int32_t flags, int32_t initial_width,
                               int32_t initial_height, int32_t edit_flags);
  c4d_gadget* (*add_separator)(c4d_dialog* dialog, c4d_bool vertical, int32_t initial_size,
                               int32_t flags);
  c4d_bool (*add_child)(c4d_dialog* dialog, int32_t id, int32_t sub_id, const char* text);
  c4d_bool (*free_children)(c4d_dialog* dialog, int32_t id);
  c4d_gadget* (*add_user_area)(c4d_dialog* dialog, int32_t id, int32_t flags, int32_t initial_width,
                               int32_t initial_height);
  /* Binds a plug-in user area to gadget id. The returned handle is owned by
   * the module until ua_release; the host stops calling a user area whose
   * gadget has gone, and the handle then stays valid but detached. */
  c4d_userarea* (*attach_user_area)(c4d_dialog* dialog, int32_t id, int32_t flags,
                                    const c4d_userarea_callbacks* callbacks, void* self);
  c4d_bool (*layout_flush_group)(c4d_dialog* dialog, int32_t id);
  c4d_bool (*layout_changed)(c4d_dialog* dialog, int32_t id, c4d_bool redraw);
  c4d_bool (*remove_element)(c4d_dialog* dialog, int32_t id);
  c4d_bool (*hide_element)(c4d_dialog* dialog, int32_t id, c4d_bool hide);
  c4d_bool (*enable)(c4d_dialog* dialog, int32_t id, c4d_bool enabled);
  c4d_bool (*get_visible_area)(c4d_dialog* dialog, int32_t scroll_group_id, int32_t* x1,
                               int32_t* y1, int32_t* x2, int32_t* y2);
  c4d_bool (*set_visible_area)(c4d_dialog* dialog, int32_t scroll_group_id, int32_t x1, int32_t y1,
                               int32_t x2, int32_t y2);
  c4d_bool (*get_item_dim)(c4d_dialog* dialog, int32_t id, int32_t* x, int32_t* y, int32_t* w,
                           int32_t* h);
  int32_t (*gadget_id)(c4d_dialog* dialog, const c4d_gadget* gadget);
  /* Gadget values: integers for combo boxes, check boxes and number fields. */
  c4d_bool (*get_int32)(c4d_dialog* dialog, int32_t id, int32_t* value);
  c4d_bool (*set_int32)(c4d_dialog* dialog, int32_t id, int32_t value, int32_t min, int32_t max,
                        int32_t step, int32_t tristate, int32_t min2, int32_t max2);
  c4d_bool (*get_float)(c4d_dialog* dialog, int32_t id, double* value);
  c4d_bool (*set_float)(c4d_dialog* dialog, int32_t id, double value, double min, double max,
                        double step, int32_t format);
  c4d_bool (*get_string)(c4d_dialog* dialog, int32_t id, c4d_text_sink sink, void* ctx);
  c4d_bool (*set_string)(c4d_dialog* dialog, int32_t id, const char* text);
  c4d_bool (*send_parent_message)(c4d_dialog* dialog, const c4d_container* message);

  /* User areas, by the handle attach_user_area returned. */
  void (*ua_release)(c4d_userarea* area);
  int32_t (*ua_get_id)(c4d_userarea* area);
  c4d_dialog* (*ua_get_dialog)(c4d_userarea* area);
  int32_t (*ua_get_width)(c4d_userarea* area);
  int32_t (*ua_get_height)(c4d_userarea* area);
  void (*ua_redraw)(c4d_userarea* area);
  void (*ua_layout_changed)(c4d_userarea* area);
  c4d_bool (*ua_send_parent_message)(c4d_userarea* area, const c4d_container* message);
  /* The host's default handling (the wheel scrolls the enclosing group). */
  c4d_bool (*ua_default_input_event)(c4d_userarea* area, const c4d_container* message);
  int32_t (*ua_default_message)(c4d_userarea* area, const c4d_container* message,
                                c4d_container* result);
  /* Drawing, only valid inside draw_msg or for a call the module makes from
   * within any callback of the same dialog. Colours are 0..1. */
  void (*ua_draw_bitmap)(c4d_userarea* area, const c4d_bitmap* bitmap, int32_t wx, int32_t wy,
                         int32_t ww, int32_t wh, int32_t x, int32_t y, int32_t w, int32_t h,
                         int32_t mode);
  void (*ua_draw_set_pen)(c4d_userarea* area, double r, double g, double b);
  void (*ua_draw_rectangle)(c4d_userarea* area, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
  void (*ua_draw_line)(c4d_userarea* area, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
  void (*ua_draw_text)(c4d_userarea* area, const char* text, int32_t x, int32_t y, int32_t flags);
} c4d_dialog_api;

/* -------------------------------------------------------- plug-in classes */

/* A registered command; self is the module's command object. The host calls
 * destroy exactly once, when it unloads the module, and no other callback
 * afterwards. */
typedef struct c4d_command_callbacks {
  void (*destroy)(void* self);
  c4d_bool (*execute)(void* self, c4d_atom* document);
  c4d_bool (*execute_sub_id)(void* self, c4d_atom* document, int32_t sub_id);
  c4d_bool (*execute_option_id)(void* self, c4d_atom* document, int32_t plugin_id, int32_t sub_id);
  int32_t (*get_state)(void* self, c4d_atom* document);
  c4d_bool (*get_sub_container)(void* self, c4d_atom* document, c4d_container* submenu);
  /* secret: the host's layout record, passed back untouched to
   * dialog.restore_layout. */
  c4d_bool (*restore_layout)(void* self, void* secret);
  void (*get_script_name)(void* self, c4d_text_sink sink, void* ctx);
  c4d_bool (*message)(void* self, int32_t type, void* data);
} c4d_command_callbacks;

/* The record of message 1001078 (document information). */
typedef struct c4d_document_info {
  int32_t type;
  int32_t file_format;
  c4d_atom* document;
  const char* file_name;
  c4d_atom* element;
  c4d_bool gui_allowed;
  void* data;
} c4d_document_info;

/* A registered node type (scene hook). registration is the pointer given
 * with the registration; alloc makes one instance (null on failure), which
 * the host owns and hands back to destroy. For message 1001078 data points to
 * a c4d_document_info; other data is passed through. */
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
  /* On success the host owns self until callbacks->destroy; on failure the
   * caller keeps it. icon (may be null) is copied. */
  c4d_bool (*register_command)(int32_t id, const char* name, int32_t info, const c4d_bitmap* icon,
                               const char* help, const c4d_command_callbacks* callbacks,
                               void* self);
  /* On success the host owns registration until callbacks->unregister; on
   * failure the caller keeps it. */
  c4d_bool (*register_scene_hook)(int32_t id, const char* name, int32_t info,
                                  const c4d_node_callbacks* callbacks, void* registration,
                                  int32_t priority, int32_t disk_level, void* emulation);
} c4d_plugin_api;

/* ------------------------------------------------------------------ scene */

typedef struct c4d_scene_api {
  /* Any element. */
  int32_t (*get_type)(const c4d_atom* atom);
  c4d_bool (*is_instance_of)(const c4d_atom* atom, int32_t type);
  c4d_bool (*get_parameter)(c4d_atom* atom, const c4d_desc_level* levels, int32_t depth,
                            c4d_value* out, int32_t flags);
  c4d_bool (*set_parameter)(c4d_atom* atom, const c4d_desc_level* levels, int32_t depth,
                            const c4d_value* value, int32_t flags);
  c4d_bool (*message)(c4d_atom* atom, int32_t type, void* data);
  /* The element's own data container, owned by the element. */
  c4d_container* (*get_data_instance)(c4d_atom* atom);
  void (*get_name)(const c4d_atom* atom, c4d_text_sink sink, void* ctx);
  void (*set_name)(c4d_atom* atom, const char* name);
  c4d_bool (*get_bit)(const c4d_atom* atom, int32_t mask);
  void (*set_bit)(c4d_atom* atom, int32_t mask);
  void (*del_bit)(c4d_atom* atom, int32_t mask);

  /* Hierarchy of objects, tags and takes. */
  c4d_atom* (*get_next)(c4d_atom* atom);
  c4d_atom* (*get_pred)(c4d_atom* atom);
  c4d_atom* (*get_up)(c4d_atom* atom);
  c4d_atom* (*get_down)(c4d_atom* atom);
  c4d_atom* (*get_down_last)(c4d_atom* atom);
  void (*insert_under)(c4d_atom* atom, c4d_atom* parent);
  void (*insert_under_last)(c4d_atom* atom, c4d_atom* parent);
  void (*remove)(c4d_atom* atom);
  c4d_atom* (*get_document)(c4d_atom* atom);

  /* New elements, owned by the caller until inserted; free releases an
   * element that is not inserted. Null when the type is not installed. */
  c4d_atom* (*object_alloc)(int32_t type);
  c4d_atom* (*tag_alloc)(int32_t type);
  c4d_atom* (*list2d_alloc)(int32_t type);
  void (*free)(c4d_atom* atom);

  c4d_atom* (*object_get_first_tag)(c4d_atom* object);
  c4d_atom* (*object_get_tag)(c4d_atom* object, int32_t type, int32_t nr);
  c4d_atom* (*object_make_tag)(c4d_atom* object, int32_t type, c4d_atom* pred);
  void (*object_insert_tag)(c4d_atom* object, c4d_atom* tag, c4d_atom* pred);
  c4d_atom* (*tag_get_object)(c4d_atom* tag);

  /* Documents. */
  c4d_atom* (*doc_get_first_object)(c4d_atom* document);
  c4d_atom* (*doc_get_first_material)(c4d_atom* document);
  c4d_atom* (*doc_get_active_object)(c4d_atom* document);
  void (*doc_get_active_objects)(c4d_atom* document, c4d_atom_array* selection, int32_t flags);
  void (*doc_get_active_objects_filter)(c4d_atom* document, c4d_atom_array* selection,
                                        c4d_bool children, int32_t type, int32_t instance_of);
  void (*doc_get_active_tags)(c4d_atom* document, c4d_atom_array* selection);
  void (*doc_insert_object)(c4d_atom* document, c4d_atom* object, c4d_atom* parent, c4d_atom* pred,
                            c4d_bool check_names);
  void (*doc_insert_material)(c4d_atom* document, c4d_atom* material, c4d_atom* pred,
                              c4d_bool check_names);
  void (*doc_set_active_object)(c4d_atom* document, c4d_atom* object, int32_t mode);
  void (*doc_set_active_tag)(c4d_atom* document, c4d_atom* tag, int32_t mode);
  void (*doc_set_active_material)(c4d_atom* document, c4d_atom* material, int32_t mode);
  c4d_atom* (*doc_get_active_material)(c4d_atom* document);
  c4d_bool (*doc_start_undo)(c4d_atom* document);
  c4d_bool (*doc_end_undo)(c4d_atom* document);
  c4d_bool (*doc_add_undo)(c4d_atom* document, int32_t type, c4d_atom* element);
  c4d_bool (*doc_do_undo)(c4d_atom* document, c4d_bool multiple);
  c4d_bool (*doc_do_redo)(c4d_atom* document);
  c4d_atom* (*doc_get_active_base_draw)(c4d_atom* document);
  c4d_atom* (*doc_get_render_base_draw)(c4d_atom* document);
  /* Null for hosts without takes. Owned by the document. */
  c4d_take_data* (*doc_get_take_data)(c4d_atom* document);
  void (*doc_get_document_path)(c4d_atom* document, c4d_text_sink sink, void* ctx);
  void (*doc_get_document_name)(c4d_atom* document, c4d_text_sink sink, void* ctx);
  c4d_atom* (*doc_find_scene_hook)(c4d_atom* document, int32_t id);

  /* Element lists (AtomArray). Owned by the caller (array_free). */
  c4d_atom_array* (*array_alloc)(void);
  void (*array_free)(c4d_atom_array* array);
  int32_t (*array_count)(const c4d_atom_array* array);
  c4d_atom* (*array_get)(const c4d_atom_array* array, int32_t index);
  c4d_bool (*array_append)(c4d_atom_array* array, c4d_atom* atom);
  void (*array_flush)(c4d_atom_array* array);
  int32_t (*array_find)(const c4d_atom_array* array, const c4d_atom* atom);

  /* Takes. */
  c4d_atom* (*takes_get_current)(c4d_take_data* takes);
  c4d_atom* (*takes_get_main)(c4d_take_data* takes);
  c4d_bool (*takes_set_current)(c4d_take_data* takes, c4d_atom* take);
  c4d_bool (*takes_get_undo_state)(c4d_take_data* takes);
  void (*takes_set_undo_state)(c4d_take_data* takes, c4d_bool state);
  c4d_bool (*take_is_main)(c4d_atom* take);
  /* The override atom, owned by the take; null on failure. */
  c4d_atom* (*take_find_or_add_override_param)(c4d_atom* take, c4d_take_data* takes, c4d_atom* node,
                                               const c4d_desc_level* levels, int32_t depth,
                                               const c4d_value* override_value,
                                               const c4d_value* backup_value,
                                               c4d_bool delete_animation);
} c4d_scene_api;

/* ------------------------------------------------------------------ table */

typedef struct c4d_function_table {
  int32_t version; /* host interface version, GetC4DVersion() */
  uint32_t size;   /* sizeof(c4d_function_table) as the host built it */
  c4d_general_api general;
  c4d_container_api container;
  c4d_resource_api resource;
  c4d_file_api file;
  c4d_bitmap_api bitmap;
  c4d_dialog_api dialog;
  c4d_plugin_api plugin;
  c4d_scene_api scene;
} c4d_function_table;

/* The module's one export. action: 1 init (p1 table, p3 module path as UTF-8),
 * 2 start, 3 end, 4 interface question, 6 message (p1 id, p2 data). */
typedef int32_t (*c4d_main_entry)(int32_t action, void* p1, void* p2, void* p3);

#ifdef __cplusplus
}
#endif

#endif /* C4D_FUNCTION_TABLE_H__ */

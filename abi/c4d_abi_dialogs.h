/*
 * c4d_abi_dialogs.h: the dialog area of the function table: host windows
 * that a module drives through callbacks, their gadgets and values, and the
 * module's user areas inside them. Message and input containers carry the
 * ids and keys of c4d_abi_ids.h.
 */
#ifndef C4D_ABI_DIALOGS_H__
#define C4D_ABI_DIALOGS_H__

#include "c4d_abi_types.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Called by the host for a dialog; self is the pointer given to
 * dialog.create. Message containers are borrowed for the call; result is
 * the host's container, which the module writes its answer into. */
typedef struct c4d_dialog_callbacks {
  c4d_bool (*create_layout)(void* self);
  c4d_bool (*init_values)(void* self);
  c4d_bool (*core_message)(void* self, int32_t id, const c4d_container* message);
  /* A gadget was used: id is the gadget's, message a C4D_BFM_ACTION. */
  c4d_bool (*command)(void* self, int32_t id, const c4d_container* message);
  c4d_bool (*ask_close)(void* self); /* 1 keeps the window open */
  void (*timer)(void* self, const c4d_container* message);
  void (*destroy_window)(void* self);
  int32_t (*message)(void* self, const c4d_container* message, c4d_container* result);
} c4d_dialog_callbacks;

/* Called by the host for an attached user area; self is the pointer given to
 * attach_user_area. After ua_release the host never calls it again. */
typedef struct c4d_userarea_callbacks {
  c4d_bool (*init)(void* self);
  c4d_bool (*init_values)(void* self);
  /* The module writes its smallest size to width and height (the host's,
   * never null). */
  c4d_bool (*get_min_size)(void* self, int32_t* width, int32_t* height);
  void (*sized)(void* self, int32_t width, int32_t height);
  /* Draw the part x1..x2, y1..y2 of the area (its own coordinates). */
  void (*draw_msg)(void* self, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                   const c4d_container* message);
  c4d_bool (*input_event)(void* self, const c4d_container* message); /* a C4D_BFM_INPUT */
  c4d_bool (*core_message)(void* self, int32_t id, const c4d_container* message);
  void (*timer)(void* self, const c4d_container* message);
  int32_t (*message)(void* self, const c4d_container* message, c4d_container* result);
} c4d_userarea_callbacks;

typedef struct c4d_dialog_api {
  uint32_t size; /* sizeof(c4d_dialog_api) as the host built it */
  /* A host dialog driven through callbacks; callbacks and self are kept and
   * must outlive the dialog. Owned by the caller: destroy closes the window
   * without calling back and frees the handle. */
  c4d_dialog* (*create)(const c4d_dialog_callbacks* callbacks, void* self);
  void (*destroy)(c4d_dialog* dialog);
  /* type: DLG_TYPE; the default size is used when no saved size exists. */
  c4d_bool (*open)(c4d_dialog* dialog, int32_t type, int32_t plugin_id, int32_t x, int32_t y,
                   int32_t default_width, int32_t default_height, int32_t sub_id);
  c4d_bool (*close)(c4d_dialog* dialog); /* the handle stays valid for another open */
  /* secret: what the command's restore_layout callback was given. */
  c4d_bool (*restore_layout)(c4d_dialog* dialog, int32_t plugin_id, int32_t sub_id, void* secret);
  c4d_bool (*is_open)(c4d_dialog* dialog);
  c4d_bool (*is_visible)(c4d_dialog* dialog);
  void (*set_title)(c4d_dialog* dialog, const char* title);
  void (*set_timer)(c4d_dialog* dialog, int32_t milliseconds); /* 0 stops it */
  /* The host's default handling of the overridable calls. */
  c4d_bool (*default_create_layout)(c4d_dialog* dialog);
  c4d_bool (*default_init_values)(c4d_dialog* dialog);
  int32_t (*default_message)(c4d_dialog* dialog, const c4d_container* message,
                             c4d_container* result);

  /* Layout building, between create_layout and the window's destruction.
   * Gadget handles are owned by the host and valid until their group is
   * flushed or the window is destroyed; gadget_id names them. The add_
   * functions return null while the dialog is not open. */
  c4d_bool (*group_begin)(c4d_dialog* dialog, int32_t id, int32_t flags, int32_t columns,
                          int32_t rows, const char* title, int32_t group_flags,
                          int32_t initial_width, int32_t initial_height);
  c4d_bool (*group_end)(c4d_dialog* dialog); /* 0 without an open group */
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
  /* Adds an entry (value sub_id, shown as text) to the combo box id. */
  c4d_bool (*add_child)(c4d_dialog* dialog, int32_t id, int32_t sub_id, const char* text);
  c4d_bool (*free_children)(c4d_dialog* dialog, int32_t id);
  c4d_gadget* (*add_user_area)(c4d_dialog* dialog, int32_t id, int32_t flags, int32_t initial_width,
                               int32_t initial_height);
  /* Binds a plug-in user area to gadget id; callbacks and self are kept and
   * must stay valid until ua_release. The returned handle is owned by the
   * module until ua_release; the host stops calling a user area whose gadget
   * has gone, and the handle then stays valid but detached. */
  c4d_userarea* (*attach_user_area)(c4d_dialog* dialog, int32_t id, int32_t flags,
                                    const c4d_userarea_callbacks* callbacks, void* self);
  /* Removes everything inside group id, so that it can be filled anew;
   * gadget handles inside it go stale, user areas inside it are detached. */
  c4d_bool (*layout_flush_group)(c4d_dialog* dialog, int32_t id);
  c4d_bool (*layout_changed)(c4d_dialog* dialog, int32_t id, c4d_bool redraw);
  c4d_bool (*remove_element)(c4d_dialog* dialog, int32_t id);
  c4d_bool (*hide_element)(c4d_dialog* dialog, int32_t id, c4d_bool hide);
  c4d_bool (*enable)(c4d_dialog* dialog, int32_t id, c4d_bool enabled);
  /* The visible part of scroll group scroll_group_id, in its content's
   * coordinates, through x1, y1, x2, y2. */
  c4d_bool (*get_visible_area)(c4d_dialog* dialog, int32_t scroll_group_id, int32_t* x1,
                               int32_t* y1, int32_t* x2, int32_t* y2);
  /* Scrolls so that x1, y1 is the first visible pixel, as far as the content
   * allows. */
  c4d_bool (*set_visible_area)(c4d_dialog* dialog, int32_t scroll_group_id, int32_t x1, int32_t y1,
                               int32_t x2, int32_t y2);
  /* The laid-out place of gadget id in client coordinates, without
   * scrolling, through x, y, w, h. */
  c4d_bool (*get_item_dim)(c4d_dialog* dialog, int32_t id, int32_t* x, int32_t* y, int32_t* w,
                           int32_t* h);
  int32_t (*gadget_id)(c4d_dialog* dialog, const c4d_gadget* gadget); /* -1 for none */
  /* Gadget values: integers for combo boxes, check boxes and number fields,
   * written to value; 0 when no such gadget holds a number. */
  c4d_bool (*get_int32)(c4d_dialog* dialog, int32_t id, int32_t* value);
  c4d_bool (*set_int32)(c4d_dialog* dialog, int32_t id, int32_t value, int32_t min, int32_t max,
                        int32_t step, int32_t tristate, int32_t min2, int32_t max2);
  c4d_bool (*get_float)(c4d_dialog* dialog, int32_t id, double* value);
  c4d_bool (*set_float)(c4d_dialog* dialog, int32_t id, double value, double min, double max,
                        double step, int32_t format);
  /* The gadget's text through sink, on success only. */
  c4d_bool (*get_string)(c4d_dialog* dialog, int32_t id, c4d_text_sink sink, void* ctx);
  c4d_bool (*set_string)(c4d_dialog* dialog, int32_t id, const char* text);
  /* Sends message (borrowed) to the window that holds the dialog; 0 when
   * there is none. */
  c4d_bool (*send_parent_message)(c4d_dialog* dialog, const c4d_container* message);

  /* User areas, by the handle attach_user_area returned. A detached area
   * keeps its id and dialog but has no size (0). */
  void (*ua_release)(c4d_userarea* area); /* frees the handle */
  int32_t (*ua_get_id)(c4d_userarea* area);
  c4d_dialog* (*ua_get_dialog)(c4d_userarea* area); /* the dialog's handle, not owned */
  int32_t (*ua_get_width)(c4d_userarea* area);
  int32_t (*ua_get_height)(c4d_userarea* area);
  void (*ua_redraw)(c4d_userarea* area);
  void (*ua_layout_changed)(c4d_userarea* area);
  /* Sends message (borrowed) to the dialog that holds the area. */
  c4d_bool (*ua_send_parent_message)(c4d_userarea* area, const c4d_container* message);
  /* The host's default handling (the wheel scrolls the enclosing group). */
  c4d_bool (*ua_default_input_event)(c4d_userarea* area, const c4d_container* message);
  int32_t (*ua_default_message)(c4d_userarea* area, const c4d_container* message,
                                c4d_container* result);
  /* Drawing, only valid inside draw_msg or for a call the module makes from
   * within any callback of the same dialog. Colours are 0..1. bitmap is
   * borrowed for the call; mode holds C4D_BMP_ bits. */
  void (*ua_draw_bitmap)(c4d_userarea* area, const c4d_bitmap* bitmap, int32_t wx, int32_t wy,
                         int32_t ww, int32_t wh, int32_t x, int32_t y, int32_t w, int32_t h,
                         int32_t mode);
  void (*ua_draw_set_pen)(c4d_userarea* area, double r, double g, double b);
  void (*ua_draw_rectangle)(c4d_userarea* area, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
  void (*ua_draw_line)(c4d_userarea* area, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
  void (*ua_draw_text)(c4d_userarea* area, const char* text, int32_t x, int32_t y, int32_t flags);
} c4d_dialog_api;

#ifdef __cplusplus
}
#endif

#endif /* C4D_ABI_DIALOGS_H__ */

/*
 * c4d_abi_scene.h: the scene area of the function table: elements of every
 * kind, their hierarchy, documents with selections and undo, element lists
 * and takes.
 *
 * Elements are owned by the host once inserted (into a document, under an
 * object, into a take); an element handle the host hands back stays valid
 * while the element is in its document, or in an undo step the host keeps.
 * Handles the module keeps across callbacks must be checked again; the host
 * may have deleted the element since.
 */
#ifndef C4D_ABI_SCENE_H__
#define C4D_ABI_SCENE_H__

#include "c4d_abi_types.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct c4d_scene_api {
  uint32_t size; /* sizeof(c4d_scene_api) as the host built it */
  /* Any element. */
  int32_t (*get_type)(const c4d_atom* atom);
  c4d_bool (*is_instance_of)(const c4d_atom* atom, int32_t type);
  /* The parameter at levels (depth of them, borrowed) into out. Text or a
   * container in out belongs to the element and stays valid until the
   * element is changed or a later read of it pushes the value out. */
  c4d_bool (*get_parameter)(c4d_atom* atom, const c4d_desc_level* levels, int32_t depth,
                            c4d_value* out, int32_t flags);
  /* value is copied; flags: DESCFLAGS_SET. */
  c4d_bool (*set_parameter)(c4d_atom* atom, const c4d_desc_level* levels, int32_t depth,
                            const c4d_value* value, int32_t flags);
  /* Sends message type with data (passed through) to the element. */
  c4d_bool (*message)(c4d_atom* atom, int32_t type, void* data);
  /* The element's own data container, owned by the element and valid as
   * long as it. */
  c4d_container* (*get_data_instance)(c4d_atom* atom);
  void (*get_name)(const c4d_atom* atom, c4d_text_sink sink, void* ctx);
  void (*set_name)(c4d_atom* atom, const char* name);
  c4d_bool (*get_bit)(const c4d_atom* atom, int32_t mask);
  void (*set_bit)(c4d_atom* atom, int32_t mask);
  void (*del_bit)(c4d_atom* atom, int32_t mask);

  /* Hierarchy of objects, tags and takes: neighbours, null at the ends. */
  c4d_atom* (*get_next)(c4d_atom* atom);
  c4d_atom* (*get_pred)(c4d_atom* atom);
  c4d_atom* (*get_up)(c4d_atom* atom);
  c4d_atom* (*get_down)(c4d_atom* atom);
  c4d_atom* (*get_down_last)(c4d_atom* atom);
  /* Inserting hands atom to its new parent's owner; remove hands it back to
   * the caller, who then frees or inserts it. */
  void (*insert_under)(c4d_atom* atom, c4d_atom* parent);
  void (*insert_under_last)(c4d_atom* atom, c4d_atom* parent);
  void (*remove)(c4d_atom* atom);
  c4d_atom* (*get_document)(c4d_atom* atom); /* null while not inserted */

  /* New elements, owned by the caller until inserted; free releases an
   * element that is not inserted (the host refuses elements it owns). Null
   * when the type is not installed. */
  c4d_atom* (*object_alloc)(int32_t type);
  c4d_atom* (*tag_alloc)(int32_t type);
  c4d_atom* (*list2d_alloc)(int32_t type);
  void (*free)(c4d_atom* atom);

  c4d_atom* (*object_get_first_tag)(c4d_atom* object);
  c4d_atom* (*object_get_tag)(c4d_atom* object, int32_t type, int32_t nr); /* nr-th of type */
  /* A new tag, inserted after pred (null: first) and owned by the object. */
  c4d_atom* (*object_make_tag)(c4d_atom* object, int32_t type, c4d_atom* pred);
  /* Inserts tag (the caller's until now) after pred; the object owns it. */
  void (*object_insert_tag)(c4d_atom* object, c4d_atom* tag, c4d_atom* pred);
  c4d_atom* (*tag_get_object)(c4d_atom* tag);

  /* Documents. The selection queries replace the content of selection (the
   * caller's list); the elements in it are the document's. */
  c4d_atom* (*doc_get_first_object)(c4d_atom* document);
  c4d_atom* (*doc_get_first_material)(c4d_atom* document);
  c4d_atom* (*doc_get_active_object)(c4d_atom* document);
  /* flags: GETACTIVEOBJECTFLAGS (1 children too, 2 in selection order). */
  void (*doc_get_active_objects)(c4d_atom* document, c4d_atom_array* selection, int32_t flags);
  void (*doc_get_active_objects_filter)(c4d_atom* document, c4d_atom_array* selection,
                                        c4d_bool children, int32_t type, int32_t instance_of);
  void (*doc_get_active_tags)(c4d_atom* document, c4d_atom_array* selection);
  /* Inserts object (the caller's until now) under parent (null: top) after
   * pred (null: first); the document owns it. */
  void (*doc_insert_object)(c4d_atom* document, c4d_atom* object, c4d_atom* parent, c4d_atom* pred,
                            c4d_bool check_names);
  void (*doc_insert_material)(c4d_atom* document, c4d_atom* material, c4d_atom* pred,
                              c4d_bool check_names);
  /* mode: SELECTION_NEW, _ADD or _SUB. */
  void (*doc_set_active_object)(c4d_atom* document, c4d_atom* object, int32_t mode);
  void (*doc_set_active_tag)(c4d_atom* document, c4d_atom* tag, int32_t mode);
  void (*doc_set_active_material)(c4d_atom* document, c4d_atom* material, int32_t mode);
  c4d_atom* (*doc_get_active_material)(c4d_atom* document);
  /* Undo steps: start, add (type UNDOTYPE; before a change, or after
   * inserting a new element), end. An undone new element is kept by the
   * host, not freed, until its step is dropped. */
  c4d_bool (*doc_start_undo)(c4d_atom* document);
  c4d_bool (*doc_end_undo)(c4d_atom* document);
  c4d_bool (*doc_add_undo)(c4d_atom* document, int32_t type, c4d_atom* element);
  c4d_bool (*doc_do_undo)(c4d_atom* document, c4d_bool multiple);
  c4d_bool (*doc_do_redo)(c4d_atom* document);
  /* The document's views, owned by the document. */
  c4d_atom* (*doc_get_active_base_draw)(c4d_atom* document);
  c4d_atom* (*doc_get_render_base_draw)(c4d_atom* document);
  /* Null for hosts without takes. Owned by the document. */
  c4d_take_data* (*doc_get_take_data)(c4d_atom* document);
  void (*doc_get_document_path)(c4d_atom* document, c4d_text_sink sink, void* ctx);
  void (*doc_get_document_name)(c4d_atom* document, c4d_text_sink sink, void* ctx);
  /* The document's node of scene hook id, owned by the document; null when
   * the hook is not registered. */
  c4d_atom* (*doc_find_scene_hook)(c4d_atom* document, int32_t id);

  /* Element lists (AtomArray). array_alloc hands ownership to the caller,
   * who frees with array_free. The list never owns its elements; array_get
   * gives null for one the host deleted since. */
  c4d_atom_array* (*array_alloc)(void);
  void (*array_free)(c4d_atom_array* array);
  int32_t (*array_count)(const c4d_atom_array* array);
  c4d_atom* (*array_get)(const c4d_atom_array* array, int32_t index); /* null outside */
  c4d_bool (*array_append)(c4d_atom_array* array, c4d_atom* atom);
  void (*array_flush)(c4d_atom_array* array);
  int32_t (*array_find)(const c4d_atom_array* array, const c4d_atom* atom); /* -1 when absent */

  /* Takes; take_data comes from doc_get_take_data. */
  c4d_atom* (*takes_get_current)(c4d_take_data* takes);
  c4d_atom* (*takes_get_main)(c4d_take_data* takes);
  c4d_bool (*takes_set_current)(c4d_take_data* takes, c4d_atom* take);
  c4d_bool (*takes_get_undo_state)(c4d_take_data* takes);
  void (*takes_set_undo_state)(c4d_take_data* takes, c4d_bool state);
  c4d_bool (*take_is_main)(c4d_atom* take);
  /* The override atom, owned by the take; null on failure. levels, node and
   * the values are borrowed; the values are copied. */
  c4d_atom* (*take_find_or_add_override_param)(c4d_atom* take, c4d_take_data* takes, c4d_atom* node,
                                               const c4d_desc_level* levels, int32_t depth,
                                               const c4d_value* override_value,
                                               const c4d_value* backup_value,
                                               c4d_bool delete_animation);
} c4d_scene_api;

#ifdef __cplusplus
}
#endif

#endif /* C4D_ABI_SCENE_H__ */

/*
 * c4d_abi_types.h: the types every area of the function table shares, and
 * the rules that hold for every function of it.
 *
 * Handles: a handle names a host-owned object (opaque, never dereferenced by
 * the module). Its creator's line says who frees it and when it goes stale.
 * A function given a null, stale (already freed or destroyed) or foreign
 * handle never follows it: it does nothing and returns its failure value,
 * which is 0 (false, a zero count or size), null, no or an empty text, or
 * the value its own line names (-1 for "none" ids and indices, FILEERROR -6
 * "invalid" for error queries, IMAGERESULT -7 "parameter error" for bitmap
 * inits). This is a guard against faults, not a way to test a handle: a
 * freed handle's address may name a new object later.
 *
 * Output parameters: a pointer a function writes through may be null, and
 * that output is then skipped. Outputs are written only on success unless
 * the function's line says otherwise; a c4d_value output is set to NIL when
 * the read fails.
 *
 * Borrowed and kept: a pointer handed across (text, containers, callback
 * tables, values) is borrowed for the call only unless the function's line
 * says it is kept; the receiver copies what it keeps. A null entry in a
 * callback table makes the host do its default handling, or nothing.
 *
 * Text: every const char* is UTF-8 (file names may hold any bytes the file
 * system gave, passed on unchanged) and zero-terminated. Text that the host
 * hands back is delivered through a c4d_text_sink, called at most once per
 * request and never after the request returned.
 *
 * Results: c4d_bool is 1 for success or true and 0 otherwise; functions that
 * return a host code (IMAGERESULT, FILEERROR) say so.
 *
 * Threads: every function and every callback runs on the host's main
 * thread, one call at a time.
 */
#ifndef C4D_ABI_TYPES_H__
#define C4D_ABI_TYPES_H__

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef int32_t c4d_bool;

/* Receives one text from the host; text need not be zero-terminated and is
 * valid during the call only. */
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

/* Growth checks for an area handed over by the host (see
 * c4d_function_table.h). C4D_AREA_COMPLETE: the area exists and is at least
 * as large as this module was built with. C4D_AREA_HAS: the area exists and
 * holds member, for a module that can do without functions added later. */
#define C4D_AREA_COMPLETE(area, type) ((area) != NULL && (area)->size >= sizeof(type))
#define C4D_AREA_HAS(area, type, member) \
  ((area) != NULL && (area)->size >= offsetof(type, member) + sizeof(((type*)0)->member))

#ifdef __cplusplus
}
#endif

#endif /* C4D_ABI_TYPES_H__ */

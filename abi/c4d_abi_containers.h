/*
 * c4d_abi_containers.h: the container area of the function table: id-keyed
 * values (BaseContainer) that both sides read and write.
 */
#ifndef C4D_ABI_CONTAINERS_H__
#define C4D_ABI_CONTAINERS_H__

#include "c4d_abi_types.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Containers that create and clone return are owned by the caller, who
 * frees them with destroy; containers handed into callbacks are borrowed
 * for the call. */
typedef struct c4d_container_api {
  uint32_t size;                        /* sizeof(c4d_container_api) as the host built it */
  c4d_container* (*create)(int32_t id); /* null when out of memory */
  c4d_container* (*clone)(const c4d_container* source);
  void (*destroy)(c4d_container* container); /* also frees nested containers */
  int32_t (*get_id)(const c4d_container* container);
  void (*set_id)(c4d_container* container, int32_t id);
  int32_t (*count)(const c4d_container* container);
  /* Key of the entry at index (0 to count-1), in insertion order; 0 outside. */
  int32_t (*key_at)(const c4d_container* container, int32_t index);
  /* Writes the value under key to out (NIL and 0 when absent). Text and a
   * nested container in out belong to container and stay valid until it is
   * next changed or destroyed. */
  c4d_bool (*get)(const c4d_container* container, int32_t key, c4d_value* out);
  /* Replaces the value under key, or appends it; value is copied. */
  void (*set)(c4d_container* container, int32_t key, const c4d_value* value);
  c4d_bool (*remove)(c4d_container* container, int32_t key); /* 0 when absent */
  void (*flush)(c4d_container* container);                   /* removes every entry */
} c4d_container_api;

#ifdef __cplusplus
}
#endif

#endif /* C4D_ABI_CONTAINERS_H__ */

/*
 * c4d_abi_bitmaps.h: the bitmap area of the function table (BaseBitmap).
 */
#ifndef C4D_ABI_BITMAPS_H__
#define C4D_ABI_BITMAPS_H__

#include "c4d_abi_types.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct c4d_bitmap_api {
  uint32_t size;              /* sizeof(c4d_bitmap_api) as the host built it */
  c4d_bitmap* (*alloc)(void); /* owned by the caller, who frees with free */
  void (*free)(c4d_bitmap* bitmap);
  /* Results are IMAGERESULT values (1 = OK); the bitmap is empty when
   * loading fails. */
  int32_t (*init_file)(c4d_bitmap* bitmap, const char* path, int32_t frame);
  int32_t (*init_size)(c4d_bitmap* bitmap, int32_t width, int32_t height, int32_t depth,
                       int32_t flags);
  void (*flush_all)(c4d_bitmap* bitmap); /* back to an empty bitmap */
  int32_t (*get_bw)(const c4d_bitmap* bitmap);
  int32_t (*get_bh)(const c4d_bitmap* bitmap);
  int32_t (*get_bt)(const c4d_bitmap* bitmap);  /* bits per pixel */
  int32_t (*get_bpz)(const c4d_bitmap* bitmap); /* bytes per line */
  /* Resamples the whole source into the whole, already sized, destination. */
  void (*scale_it)(const c4d_bitmap* source, c4d_bitmap* destination, int32_t intensity,
                   c4d_bool sample, c4d_bool non_proportional);
  c4d_bool (*copy_to)(const c4d_bitmap* source, c4d_bitmap* destination);
  c4d_bitmap* (*clone)(const c4d_bitmap* source); /* owned by the caller (free) */
  /* Writes the pixel's 8-bit channels to r, g and b; black outside the
   * bitmap or for a bad handle (written even then). */
  void (*get_pixel)(const c4d_bitmap* bitmap, int32_t x, int32_t y, uint16_t* r, uint16_t* g,
                    uint16_t* b);
  c4d_bool (*set_pixel)(c4d_bitmap* bitmap, int32_t x, int32_t y, int32_t r, int32_t g, int32_t b);
} c4d_bitmap_api;

#ifdef __cplusplus
}
#endif

#endif /* C4D_ABI_BITMAPS_H__ */

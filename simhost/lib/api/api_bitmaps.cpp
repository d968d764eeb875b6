// The bitmap area of the function table.
#include "api.h"
#include "bitmap.h"
#include "host.h"
#include "text/text_util.h"

namespace simhost {

namespace {

c4d_bitmap* BitmapAlloc() { return new Bitmap(); }

void BitmapFree(c4d_bitmap* handle) {
  if (handle == nullptr) return;
  Bitmap* bitmap = ToBitmap(handle);
  if (bitmap == nullptr) {
    WarnCurrent("bitmap.free of a stale bitmap");
    return;
  }
  delete bitmap;
}

int32_t BitmapInitFile(c4d_bitmap* handle, const char* path, int32_t /*frame*/) {
  Bitmap* bitmap = ToBitmap(handle);
  return bitmap != nullptr ? bitmap->LoadFile(FromCText(path)) : image_result::kParamError;
}

int32_t BitmapInitSize(c4d_bitmap* handle, int32_t width, int32_t height, int32_t /*depth*/,
                       int32_t /*flags*/) {
  Bitmap* bitmap = ToBitmap(handle);
  return bitmap != nullptr ? bitmap->InitSize(width, height) : image_result::kParamError;
}

void BitmapFlushAll(c4d_bitmap* handle) {
  if (Bitmap* bitmap = ToBitmap(handle)) bitmap->Clear();
}

int32_t BitmapGetBw(const c4d_bitmap* handle) {
  const Bitmap* bitmap = ToBitmap(handle);
  return bitmap != nullptr ? bitmap->Width() : 0;
}

int32_t BitmapGetBh(const c4d_bitmap* handle) {
  const Bitmap* bitmap = ToBitmap(handle);
  return bitmap != nullptr ? bitmap->Height() : 0;
}

int32_t BitmapGetBt(const c4d_bitmap* handle) {
  const Bitmap* bitmap = ToBitmap(handle);
  return bitmap != nullptr ? bitmap->BitsPerPixel() : 0;
}

int32_t BitmapGetBpz(const c4d_bitmap* handle) {
  const Bitmap* bitmap = ToBitmap(handle);
  return bitmap != nullptr ? bitmap->BytesPerLine() : 0;
}

void BitmapScaleIt(const c4d_bitmap* source, c4d_bitmap* destination, int32_t intensity,
                   c4d_bool /*sample*/, c4d_bool /*non_proportional*/) {
  const Bitmap* from = ToBitmap(source);
  Bitmap* to = ToBitmap(destination);
  if (from != nullptr && to != nullptr) from->ScaleInto(to, intensity);
}

c4d_bool BitmapCopyTo(const c4d_bitmap* source, c4d_bitmap* destination) {
  const Bitmap* from = ToBitmap(source);
  Bitmap* to = ToBitmap(destination);
  if (from == nullptr || to == nullptr) return 0;
  *to = *from;
  return 1;
}

c4d_bitmap* BitmapClone(const c4d_bitmap* source) {
  const Bitmap* from = ToBitmap(source);
  return from != nullptr ? new Bitmap(*from) : nullptr;
}

void BitmapGetPixel(const c4d_bitmap* handle, int32_t x, int32_t y, uint16_t* r, uint16_t* g,
                    uint16_t* b) {
  uint8_t rgb[3] = {0, 0, 0};
  if (const Bitmap* bitmap = ToBitmap(handle)) bitmap->GetPixel(x, y, rgb);
  if (r != nullptr) *r = rgb[0];
  if (g != nullptr) *g = rgb[1];
  if (b != nullptr) *b = rgb[2];
}

c4d_bool BitmapSetPixel(c4d_bitmap* handle, int32_t x, int32_t y, int32_t r, int32_t g, int32_t b) {
  Bitmap* bitmap = ToBitmap(handle);
  return bitmap != nullptr && bitmap->SetPixel(x, y, r, g, b);
}

}  // namespace

void FillBitmapApi(c4d_bitmap_api* api) {
  api->alloc = BitmapAlloc;
  api->free = BitmapFree;
  api->init_file = BitmapInitFile;
  api->init_size = BitmapInitSize;
  api->flush_all = BitmapFlushAll;
  api->get_bw = BitmapGetBw;
  api->get_bh = BitmapGetBh;
  api->get_bt = BitmapGetBt;
  api->get_bpz = BitmapGetBpz;
  api->scale_it = BitmapScaleIt;
  api->copy_to = BitmapCopyTo;
  api->clone = BitmapClone;
  api->get_pixel = BitmapGetPixel;
  api->set_pixel = BitmapSetPixel;
}

}  // namespace simhost

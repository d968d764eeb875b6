// BaseBitmap: every call goes to the host's bitmap area.
#include "c4d_basebitmap.h"

#include "c4d_host_private.h"

namespace {

c4d_bitmap* Handle(const BaseBitmap* bitmap) {
  return reinterpret_cast<c4d_bitmap*>(const_cast<BaseBitmap*>(bitmap));
}

}  // namespace

BaseBitmap* BaseBitmap::Alloc() {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr ? reinterpret_cast<BaseBitmap*>(table->bitmap->alloc()) : nullptr;
}

void BaseBitmap::Free(BaseBitmap*& bm) {
  const c4d_function_table* table = c4dhost::Table();
  if (bm != nullptr && table != nullptr) table->bitmap->free(Handle(bm));
  bm = nullptr;
}

IMAGERESULT BaseBitmap::Init(BaseBitmap*& res, const Filename& name, maxon::Int32 frame,
                             Bool* ismovie, BitmapLoaderPlugin** loaderplugin) {
  if (loaderplugin != nullptr) *loaderplugin = nullptr;
  Free(res);
  res = Alloc();
  if (res == nullptr) return IMAGERESULT_OUTOFMEMORY;
  IMAGERESULT result = res->Init(name, frame, ismovie);
  if (result != IMAGERESULT_OK) Free(res);
  return result;
}

IMAGERESULT BaseBitmap::Init(const Filename& name, maxon::Int32 frame, Bool* ismovie) {
  if (ismovie != nullptr) *ismovie = false;
  const c4d_function_table* table = c4dhost::Table();
  if (table == nullptr) return IMAGERESULT_MISC_ERROR;
  if (c4dhost::HoldsNul(name)) return IMAGERESULT_NOTEXISTING;
  return static_cast<IMAGERESULT>(
      table->bitmap->init_file(Handle(this), c4dhost::Utf8(name).c_str(), frame));
}

IMAGERESULT BaseBitmap::Init(maxon::Int32 x, maxon::Int32 y, maxon::Int32 depth,
                             INITBITMAPFLAGS flags) {
  const c4d_function_table* table = c4dhost::Table();
  if (table == nullptr) return IMAGERESULT_MISC_ERROR;
  return static_cast<IMAGERESULT>(table->bitmap->init_size(Handle(this), x, y, depth, flags));
}

void BaseBitmap::FlushAll() {
  const c4d_function_table* table = c4dhost::Table();
  if (table != nullptr) table->bitmap->flush_all(Handle(this));
}

maxon::Int32 BaseBitmap::GetBw() const {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr ? table->bitmap->get_bw(Handle(this)) : 0;
}

maxon::Int32 BaseBitmap::GetBh() const {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr ? table->bitmap->get_bh(Handle(this)) : 0;
}

maxon::Int32 BaseBitmap::GetBt() const {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr ? table->bitmap->get_bt(Handle(this)) : 0;
}

maxon::Int32 BaseBitmap::GetBpz() const {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr ? table->bitmap->get_bpz(Handle(this)) : 0;
}

void BaseBitmap::ScaleIt(BaseBitmap* dst, maxon::Int32 intens, Bool sample, Bool nprop) const {
  const c4d_function_table* table = c4dhost::Table();
  if (table != nullptr && dst != nullptr) {
    table->bitmap->scale_it(Handle(this), Handle(dst), intens, sample ? 1 : 0, nprop ? 1 : 0);
  }
}

BaseBitmap* BaseBitmap::GetClone() const {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr ? reinterpret_cast<BaseBitmap*>(table->bitmap->clone(Handle(this)))
                          : nullptr;
}

Bool BaseBitmap::CopyTo(BaseBitmap* dst) const {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr && dst != nullptr && table->bitmap->copy_to(Handle(this), Handle(dst));
}

void BaseBitmap::GetPixel(maxon::Int32 x, maxon::Int32 y, maxon::UInt16* r, maxon::UInt16* g,
                          maxon::UInt16* b) const {
  maxon::UInt16 red = 0, green = 0, blue = 0;
  const c4d_function_table* table = c4dhost::Table();
  if (table != nullptr) table->bitmap->get_pixel(Handle(this), x, y, &red, &green, &blue);
  if (r != nullptr) *r = red;
  if (g != nullptr) *g = green;
  if (b != nullptr) *b = blue;
}

Bool BaseBitmap::SetPixel(maxon::Int32 x, maxon::Int32 y, maxon::Int32 r, maxon::Int32 g,
                          maxon::Int32 b) {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr && table->bitmap->set_pixel(Handle(this), x, y, r, g, b);
}

// BaseBitmap: a handle to a host bitmap.
#ifndef C4D_BASEBITMAP_H__
#define C4D_BASEBITMAP_H__

#include "c4d_file.h"
#include "ge_prepass.h"
#include "ge_sys_math.h"

class BitmapLoaderPlugin;

class BaseBitmap {
 public:
  static BaseBitmap* Alloc();
  static void Free(BaseBitmap*& bm);

  // Allocates res (freeing what it held) and loads name into it.
  static IMAGERESULT Init(BaseBitmap*& res, const Filename& name, maxon::Int32 frame = -1,
                          Bool* ismovie = nullptr, BitmapLoaderPlugin** loaderplugin = nullptr);
  // Loads a file; the format is detected from its content.
  IMAGERESULT Init(const Filename& name, maxon::Int32 frame = -1, Bool* ismovie = nullptr);
  // A blank bitmap of x by y pixels.
  IMAGERESULT Init(maxon::Int32 x, maxon::Int32 y, maxon::Int32 depth = 24,
                   INITBITMAPFLAGS flags = INITBITMAPFLAGS_0);
  void FlushAll();

  // Width and height; 0 while not initialised.
  maxon::Int32 GetBw() const;
  maxon::Int32 GetBh() const;
  // Bits per pixel and bytes per line.
  maxon::Int32 GetBt() const;
  maxon::Int32 GetBpz() const;

  // Resamples the whole bitmap into the whole of dst, which must already
  // have its size. intens 256 keeps the brightness; sample picks the better
  // filter; nprop allows a change of aspect ratio.
  void ScaleIt(BaseBitmap* dst, maxon::Int32 intens, Bool sample, Bool nprop) const;
  BaseBitmap* GetClone() const;
  Bool CopyTo(BaseBitmap* dst) const;

  void GetPixel(maxon::Int32 x, maxon::Int32 y, maxon::UInt16* r, maxon::UInt16* g,
                maxon::UInt16* b) const;
  Bool SetPixel(maxon::Int32 x, maxon::Int32 y, maxon::Int32 r, maxon::Int32 g, maxon::Int32 b);

 private:
  BaseBitmap();
  ~BaseBitmap();
};

#endif  // C4D_BASEBITMAP_H__

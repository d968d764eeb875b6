// ImageArea: one thumbnail tile of the browser grid.
#include "Lumidrome.h"

double imagesize = 0.0;

namespace {
const Int32 DRAW_NORMAL = BMP_NORMALSCALED | BMP_ALLOWALPHA;
const Int32 DRAW_PRESSED = BMP_NORMALSCALED | BMP_ALLOWALPHA | BMP_DIMIMAGE;

Int32 Scaled(Int32 base) { return static_cast<Int32>(base * imagesize); }

Filename ExistingOr(const Filename& candidate, const Filename& fallback) {
  return GeFExist(candidate, false) ? candidate : fallback;
}
}  // namespace

// The numbers start at zero; whoever creates a tile sets them before use.
ImageArea::ImageArea() : baseWidth(0), baseHeight(0), pressed(0) {}

ImageArea::ImageArea(const ImageArea& other)
    : GeUserArea(other),
      thumbFile(other.thumbFile),
      baseWidth(other.baseWidth),
      baseHeight(other.baseHeight),
      pressed(other.pressed) {}

ImageArea& ImageArea::operator=(const ImageArea& other) {
  GeUserArea::operator=(other);
  thumbFile = other.thumbFile;
  baseWidth = other.baseWidth;
  baseHeight = other.baseHeight;
  pressed = other.pressed;
  return *this;
}

ImageArea::~ImageArea() {}

Bool ImageArea::Init() { return true; }

Bool ImageArea::InitValues() { return true; }

Bool ImageArea::GetMinSize(Int32& w, Int32& h) {
  w = Scaled(baseWidth);
  h = Scaled(baseHeight);
  return true;
}

// The smaller JPEGs stand beside the full preview as <name>_md.jpg and
// <name>_sm.jpg; a missing one falls back to the full preview.
Filename ImageArea::PreviewFile() const {
  Filename stem = thumbFile;
  stem.ClearSuffix();
  if (imagesize == 0.6) return ExistingOr(Filename(stem.GetString() + "_md.jpg"), thumbFile);
  if (imagesize == 0.4) return ExistingOr(Filename(stem.GetString() + "_sm.jpg"), thumbFile);
  return thumbFile;
}

void ImageArea::DrawMsg(Int32 x1, Int32 y1, Int32 x2, Int32 y2, const BaseContainer& msg) {
  (void)x1;
  (void)y1;
  (void)x2;
  (void)y2;
  (void)msg;
  AutoAlloc<BaseBitmap> source;
  AutoAlloc<BaseBitmap> canvas;
  if (!source || !canvas) return;
  if (source->Init(PreviewFile(), -1, nullptr) == IMAGERESULT_OK) {
    canvas->Init(Scaled(baseWidth), Scaled(baseHeight), 24, INITBITMAPFLAGS_0);
    // Stretched to the tile whatever the preview's aspect ratio.
    source->ScaleIt(canvas, 256, true, true);
  }
  Int32 w = canvas->GetBw();
  Int32 h = canvas->GetBh();
  DrawBitmap(canvas, 0, 0, w, h, 0, 0, w, h, pressed ? DRAW_PRESSED : DRAW_NORMAL);
}

// The wheel scrolls the grid; every other event is a click on this tile.
Bool ImageArea::InputEvent(const BaseContainer& msg) {
  Int32 device = ContainerInt(msg, BFM_INPUT_DEVICE, 0);
  Int32 channel = ContainerInt(msg, BFM_INPUT_CHANNEL, 0);
  if (device == BFM_INPUT_MOUSE && channel == BFM_INPUT_MOUSEWHEEL) {
    return GeUserArea::InputEvent(msg);
  }
  BaseContainer action(BFM_ACTION);
  SetContainerInt(action, BFM_ACTION_ID, GetId());
  SendParentMessage(action);
  return true;
}

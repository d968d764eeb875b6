// The plug-in's own pictures: the "get more packs" placeholder tile and the
// command icon.
#pragma once

#include "lettering.h"
#include "raster.h"

namespace demo {

// 400 x 200 RGB: an empty slot with a plus sign and the words
// "Get more HDRI packs".
ByteImage DrawAddMoreTile(Lettering& lettering);

// 64 x 64 RGBA: a mirror ball reflecting a sky above three small tiles.
ByteImage DrawIcon();

}  // namespace demo

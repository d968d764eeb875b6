#include "library_naming.h"

namespace {
const Int32 FIRST_TILE_ID = 6000;
const Int32 LAST_TILE_ID = 9999;
const Int32 CLICKABLE_TILES = LAST_TILE_ID - FIRST_TILE_ID + 1;
const Int32 FIRST_TILE_GROUP_ID = 10001;
const Int32 FAR_TILE_ID_BASE = 1000000000;
const double CELL_BASE_WIDTH = 400.0;
const double CELL_GAP = 5.0;
}  // namespace

String PackDisplayName(const String& folder) {
  Int32 position = 0;
  if (!folder.FindFirst("_", &position)) return folder;
  return folder.SubStr(position + 1, folder.GetLength() - position - 1);
}

// Made for every tile of every rebuild: the name is cut from the path
// first, and underscores become spaces in place.
String TileLabel(const Filename& thumbFile) {
  Filename name = thumbFile.GetFile();
  name.ClearSuffix();
  String label = name.GetString();
  for (Int32 i = 0; i < label.GetLength(); ++i) {
    if (label[i] == '_') label[i] = ' ';
  }
  return label;
}

String ImageBaseName(const Filename& thumbFile) {
  String name = thumbFile.GetFile().GetString();
  Int32 position = 0;
  if (name.FindFirst(".", &position)) return name.SubStr(0, position);
  return name;
}

Filename SmallVariantOf(const Filename& hdri, const String& extension) {
  Filename name = hdri.GetFile();
  name.ClearSuffix();
  return hdri.GetDirectory() + Filename(name.GetString() + "_SM" + extension);
}

Filename OtherVariantOf(const Filename& file) {
  String suffix = file.GetSuffix();
  Filename stem = file;
  stem.ClearSuffix();
  String name = stem.GetFile().GetString();
  Int32 length = name.GetLength();
  if (length >= 3 && name.SubStr(length - 3, 3) == "_SM") {
    return file.GetDirectory() + Filename(name.SubStr(0, length - 3) + "." + suffix);
  }
  return Filename(stem.GetString() + "_SM." + suffix);
}

Int32 GridColumns(Int32 width, double factor) {
  double columns = static_cast<double>(width) / (CELL_BASE_WIDTH * factor + CELL_GAP);
  // Clamped so that no window size can overflow the conversion.
  if (!(columns > 0.0)) return 0;
  if (columns > 100000.0) return 100000;
  return static_cast<Int32>(columns);
}

Bool SizeFactor(Int32 size, double* factor) {
  switch (size) {
    case 1:
      *factor = 0.4;
      return true;
    case 2:
      *factor = 0.6;
      return true;
    case 3:
      *factor = 1.0;
      return true;
    default:
      return false;
  }
}

Int32 TileGadgetId(Int32 number) {
  if (number < CLICKABLE_TILES) return FIRST_TILE_ID + number;
  return FAR_TILE_ID_BASE + number;
}

Int32 TileGroupId(Int32 number) { return FIRST_TILE_GROUP_ID + number; }

Bool TileNumberOfGadget(Int32 id, Int32* number) {
  if (id >= FIRST_TILE_ID && id <= LAST_TILE_ID) {
    *number = id - FIRST_TILE_ID;
    return true;
  }
  if (id >= FAR_TILE_ID_BASE + CLICKABLE_TILES) {
    *number = id - FAR_TILE_ID_BASE;
    return true;
  }
  return false;
}

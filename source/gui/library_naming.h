// Naming rules of a pack library and of the grid's gadgets.
#pragma once

#include "release_compat.h"

// A pack folder's name after its first "_", or the whole name.
String PackDisplayName(const String& folder);

// The label under a tile: file name without suffix, "_" shown as " ".
String TileLabel(const Filename& thumbFile);

// The HDRI's base name: the thumbnail's file name up to its first ".".
String ImageBaseName(const Filename& thumbFile);

// <name>_SM<extension> beside the HDRI.
Filename SmallVariantOf(const Filename& hdri, const String& extension);

// The small variant of a full-size file, or the full-size file of a small one.
Filename OtherVariantOf(const Filename& file);

// How many cells of 400 x factor pixels plus 5 fit into width.
Int32 GridColumns(Int32 width, double factor);

// Size chooser value to tile size factor; false for an unknown value.
Bool SizeFactor(Int32 size, double* factor);

// Gadget ids of tile number k. Tiles from number 4000 on get user-area ids
// far above every group id, so they can neither collide with the groups
// 10001 + k nor be mistaken for another tile.
Int32 TileGadgetId(Int32 number);
Int32 TileGroupId(Int32 number);
Bool TileNumberOfGadget(Int32 id, Int32* number);

// How the browser reads names in a library: which entries are packs and
// tiles, and the names it shows and looks files up by. Names are compared
// exactly, case included, as the file system's bytes.
#pragma once

#include <string>

namespace packlib {

// A pack's entry in the pack chooser: the folder name after its first "_".
std::string PackDisplayName(const std::string& folder);
// Everything after the name's last ".", empty when it has none.
std::string SuffixOf(const std::string& name);
// The name without "." and its suffix.
std::string StemOf(const std::string& name);
// Ends in exactly ".jpg" and is no "_md"/"_sm" variant.
bool IsThumbnailName(const std::string& name);
// A "_md"/"_sm" variant of a thumbnail: the thumbnail's name, else empty.
std::string ThumbnailOfPreview(const std::string& name);
// The tile's label: the stem with every "_" shown as " ". A name that is
// only ".jpg" has an empty stem, and the browser then shows the name of the
// folder it lies in.
std::string TileLabel(const std::string& thumbnail);
// The name up to its first ".": what the HDRI and the background are found by.
std::string ImageBaseName(const std::string& thumbnail);
// <stem>_md.jpg and <stem>_sm.jpg, drawn at Medium and at Small size.
std::string MediumPreviewName(const std::string& thumbnail);
std::string SmallPreviewName(const std::string& thumbnail);
// <base>_SM<extension>, the small HDRI beside <base><extension>.
std::string SmallHdriName(const std::string& base, const std::string& extension);

}  // namespace packlib

#include "packlib/browser_naming.h"

namespace packlib {

namespace {

const char* const kThumbnailFolder = "Thumbnails";

bool EndsWith(const std::string& text, const std::string& ending) {
  return text.size() >= ending.size() &&
         text.compare(text.size() - ending.size(), ending.size(), ending) == 0;
}

bool IsPreviewStem(const std::string& stem) {
  return EndsWith(stem, "_md") || EndsWith(stem, "_sm");
}

}  // namespace

std::string PackDisplayName(const std::string& folder) {
  size_t underscore = folder.find('_');
  return underscore == std::string::npos ? folder : folder.substr(underscore + 1);
}

std::string SuffixOf(const std::string& name) {
  size_t dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

std::string StemOf(const std::string& name) {
  size_t dot = name.rfind('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

bool IsThumbnailName(const std::string& name) {
  return SuffixOf(name) == "jpg" && !IsPreviewStem(StemOf(name));
}

std::string ThumbnailOfPreview(const std::string& name) {
  if (SuffixOf(name) != "jpg" || !IsPreviewStem(StemOf(name))) return std::string();
  std::string stem = StemOf(name);
  return stem.substr(0, stem.size() - 3) + ".jpg";
}

std::string TileLabel(const std::string& thumbnail) {
  std::string label = StemOf(thumbnail);
  if (label.empty()) label = kThumbnailFolder;
  for (char& c : label) {
    if (c == '_') c = ' ';
  }
  return label;
}

std::string ImageBaseName(const std::string& thumbnail) {
  return thumbnail.substr(0, thumbnail.find('.'));
}

std::string MediumPreviewName(const std::string& thumbnail) {
  return StemOf(thumbnail) + "_md.jpg";
}

std::string SmallPreviewName(const std::string& thumbnail) { return StemOf(thumbnail) + "_sm.jpg"; }

std::string SmallHdriName(const std::string& base, const std::string& extension) {
  return base + "_SM" + extension;
}

}  // namespace packlib

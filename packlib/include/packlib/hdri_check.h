// Whether an HDRI that a click puts into the scene can be read: its header,
// the size its header asks of the file, and with `deep` every pixel.
#pragma once

#include <string>

namespace packlib {

enum class HdriFault {
  kNone,
  kUnreadable,   // cannot be opened or read
  kEmpty,        // no bytes at all
  kUndecodable,  // not a Radiance or OpenEXR picture, or cut short
};

struct HdriVerdict {
  HdriFault fault = HdriFault::kNone;
  std::string reason;  // for the user, when there is a fault
};

// Told apart by content, as a reader of the file would: a Radiance header
// (signature, format, resolution line) or an OpenEXR header (magic,
// attributes, data window) and the chunk offsets that follow it.
HdriVerdict CheckHdri(const std::string& path, bool deep);

// Whether `deep` decodes OpenEXR files in this build (it needs the OpenEXR
// library); Radiance files are decoded in every build.
bool DecodesExrFully();

}  // namespace packlib

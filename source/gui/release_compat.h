// Bridges the names that differ between the R14 and R17 plug-in interfaces,
// so the rest of the plug-in is written once.
#pragma once

#include "c4d.h"

#if API_VERSION < 15000
#define LUMIDROME_R14 1
typedef LONG Int32;
typedef ULONG UInt32;
#else
#define LUMIDROME_R14 0
#endif

#if !LUMIDROME_R14
#include "lib_takesystem.h"
#endif

using maxon::BaseArray;

template <typename T>
inline Int32 CountOf(const BaseArray<T>& array) {
  return static_cast<Int32>(array.GetCount());
}

inline Int32 ContainerInt(const BaseContainer& bc, Int32 id, Int32 preset = 0) {
#if LUMIDROME_R14
  return bc.GetLong(id, preset);
#else
  return bc.GetInt32(id, preset);
#endif
}

inline void SetContainerInt(BaseContainer& bc, Int32 id, Int32 value) {
#if LUMIDROME_R14
  bc.SetLong(id, value);
#else
  bc.SetInt32(id, value);
#endif
}

// A gadget's integer value; 0 when the host cannot read it.
inline Int32 GadgetInt(const GeDialog& dialog, Int32 id) {
  Int32 value = 0;
#if LUMIDROME_R14
  dialog.GetLong(id, value);
#else
  dialog.GetInt32(id, value);
#endif
  return value;
}

inline void SetGadgetInt(GeDialog& dialog, Int32 id, Int32 value) {
#if LUMIDROME_R14
  dialog.SetLong(id, value);
#else
  dialog.SetInt32(id, value);
#endif
}

inline String IntText(Int32 value) {
#if LUMIDROME_R14
  return LongToString(value);
#else
  return String::IntToString(value);
#endif
}

// Automatic digit counts, no exponent, '0' as fill character.
inline String FloatText(double value) {
#if LUMIDROME_R14
  return RealToString(value, -1, -1, false, 0x30);
#else
  return String::FloatToString(value, -1, -1, false, 0x30);
#endif
}

// General host services through the table's general area.
#include "c4d_general.h"

#include "c4d_host_private.h"

void GePrint(const String& str) {
  const c4d_function_table* table = c4dhost::Table();
  if (table != nullptr) table->general->print(c4dhost::Utf8(str).c_str());
}

Bool GeOpenHTML(const String& webaddress) {
  const c4d_function_table* table = c4dhost::Table();
  // An address holding a NUL is no address.
  if (c4dhost::HoldsNul(webaddress)) return false;
  return table != nullptr && table->general->open_html(c4dhost::Utf8(webaddress).c_str());
}

void GeSleep(maxon::Int32 milliseconds) {
  const c4d_function_table* table = c4dhost::Table();
  if (table != nullptr && milliseconds > 0) table->general->sleep(milliseconds);
}

void EventAdd(EVENT eventflag) {
  const c4d_function_table* table = c4dhost::Table();
  if (table != nullptr) table->general->event_add(eventflag);
}

VERSIONTYPE GeGetVersionType() {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr ? static_cast<VERSIONTYPE>(table->general->get_version_type())
                          : VERSIONTYPE_UNKNOWN;
}

// Without a host the value is outside the enumeration (0), matching no
// operating system.
OPERATINGSYSTEM GeGetCurrentOS() {
  const c4d_function_table* table = c4dhost::Table();
  return static_cast<OPERATINGSYSTEM>(table != nullptr ? table->general->get_current_os() : 0);
}

// Without a host this machine's own byte order.
BYTEORDER GeGetByteOrder() {
  const c4d_function_table* table = c4dhost::Table();
  if (table != nullptr) return static_cast<BYTEORDER>(table->general->get_byte_order());
  const uint16_t probe = 1;
  return *reinterpret_cast<const unsigned char*>(&probe) == 1 ? BYTEORDER_INTEL
                                                              : BYTEORDER_MOTOROLA;
}

maxon::Int32 GeGetTimer() {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr ? table->general->get_timer() : 0;
}

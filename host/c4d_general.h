// General host services: console, web pages, events, host facts.
#ifndef C4D_GENERAL_H__
#define C4D_GENERAL_H__

#include "c4d_string.h"
#include "ge_prepass.h"
#include "operatingsystem.h"

// One line in the host's console.
void GePrint(const String& str);
// Opens a web page in the system's browser.
Bool GeOpenHTML(const String& webaddress);
// Blocks the calling thread.
void GeSleep(maxon::Int32 milliseconds);
// Asks the host to update its views after scene changes.
void EventAdd(EVENT eventflag = EVENT_0);

VERSIONTYPE GeGetVersionType();
OPERATINGSYSTEM GeGetCurrentOS();
BYTEORDER GeGetByteOrder();
// Milliseconds of the host's timer.
maxon::Int32 GeGetTimer();

// The host's interface version (for example 17048); 0 before the table is
// known.
inline maxon::Int32 GetC4DVersion() { return t_C4DOS != nullptr ? t_C4DOS->version : 0; }

inline Bool IsNet() {
  VERSIONTYPE type = GeGetVersionType();
  return type == VERSIONTYPE_NET_CLIENT || type == VERSIONTYPE_NET_SERVER_3 ||
         type == VERSIONTYPE_NET_SERVER_UNLIMITED;
}
inline Bool IsServer() {
  VERSIONTYPE type = GeGetVersionType();
  return type == VERSIONTYPE_NET_SERVER_3 || type == VERSIONTYPE_NET_SERVER_UNLIMITED;
}
inline Bool IsClient() { return GeGetVersionType() == VERSIONTYPE_NET_CLIENT; }

#endif  // C4D_GENERAL_H__

// Enumerations of the plug-in API.
//
// List enums (a value names one case) reject comparison and arithmetic with
// plain integers; flag enums combine with |, &, ^, ~ among themselves only.
// Both still convert to an integer where one is expected.
#ifndef GE_PREPASS_H__
#define GE_PREPASS_H__

#include "ge_sys_math.h"

#define C4D_ENUM_DELETE_MIXED_(E, OP) \
  template <typename T>               \
  void operator OP(E, T) = delete;    \
  template <typename T>               \
  void operator OP(T, E) = delete;

#define C4D_ENUM_COMPARISONS_(E)                                                          \
  inline bool operator==(E a, E b) { return static_cast<int>(a) == static_cast<int>(b); } \
  inline bool operator!=(E a, E b) { return static_cast<int>(a) != static_cast<int>(b); } \
  C4D_ENUM_DELETE_MIXED_(E, ==)                                                           \
  C4D_ENUM_DELETE_MIXED_(E, !=)                                                           \
  C4D_ENUM_DELETE_MIXED_(E, <)                                                            \
  C4D_ENUM_DELETE_MIXED_(E, >)                                                            \
  C4D_ENUM_DELETE_MIXED_(E, <=)                                                           \
  C4D_ENUM_DELETE_MIXED_(E, >=)                                                           \
  C4D_ENUM_DELETE_MIXED_(E, +)                                                            \
  C4D_ENUM_DELETE_MIXED_(E, -)                                                            \
  C4D_ENUM_DELETE_MIXED_(E, *)                                                            \
  C4D_ENUM_DELETE_MIXED_(E, /)

// enum E { ... } ENUM_END_LIST(E);
#define ENUM_END_LIST(E)       \
  ;                            \
  C4D_ENUM_COMPARISONS_(E)     \
  C4D_ENUM_DELETE_MIXED_(E, |) \
  C4D_ENUM_DELETE_MIXED_(E, &) \
  template <typename T>        \
  void operator^(E, T) = delete

// enum E { ... } ENUM_END_FLAGS(E);
#define ENUM_END_FLAGS(E)                                                  \
  ;                                                                        \
  C4D_ENUM_COMPARISONS_(E)                                                 \
  inline E operator|(E a, E b) {                                           \
    return static_cast<E>(static_cast<int>(a) | static_cast<int>(b));      \
  }                                                                        \
  inline E operator&(E a, E b) {                                           \
    return static_cast<E>(static_cast<int>(a) & static_cast<int>(b));      \
  }                                                                        \
  inline E operator^(E a, E b) {                                           \
    return static_cast<E>(static_cast<int>(a) ^ static_cast<int>(b));      \
  }                                                                        \
  inline E operator~(E a) { return static_cast<E>(~static_cast<int>(a)); } \
  inline E& operator|=(E& a, E b) { return a = a | b; }                    \
  inline E& operator&=(E& a, E b) { return a = a & b; }                    \
  inline E& operator^=(E& a, E b) { return a = a ^ b; }                    \
  C4D_ENUM_DELETE_MIXED_(E, |)                                             \
  C4D_ENUM_DELETE_MIXED_(E, &)                                             \
  template <typename T>                                                    \
  void operator^(E, T) = delete

enum STRINGENCODING {
  STRINGENCODING_XBIT = 0,
  STRINGENCODING_8BIT = 1,
  STRINGENCODING_7BIT = 2,
  STRINGENCODING_7BITHEX = 3,
  STRINGENCODING_UTF8 = 4,
  STRINGENCODING_HTML = 5
} ENUM_END_LIST(STRINGENCODING);

enum FILESELECTTYPE {
  FILESELECTTYPE_ANYTHING = 0,
  FILESELECTTYPE_IMAGES = 1,
  FILESELECTTYPE_SCENES = 2,
  FILESELECTTYPE_COFFEE = 3,
  FILESELECTTYPE_BODYPAINT = 4
} ENUM_END_LIST(FILESELECTTYPE);

enum FILESELECT {
  FILESELECT_LOAD = 0,
  FILESELECT_SAVE = 1,
  FILESELECT_DIRECTORY = 2
} ENUM_END_LIST(FILESELECT);

enum IMAGERESULT {
  IMAGERESULT_OK = 1,
  IMAGERESULT_NOTEXISTING = -1,
  IMAGERESULT_WRONGTYPE = -2,
  IMAGERESULT_OUTOFMEMORY = -3,
  IMAGERESULT_FILEERROR = -4,
  IMAGERESULT_FILESTRUCTURE = -5,
  IMAGERESULT_MISC_ERROR = -6,
  IMAGERESULT_PARAM_ERROR = -7,
  IMAGERESULT_THREADCANCELED = -8
} ENUM_END_LIST(IMAGERESULT);

enum INITBITMAPFLAGS {
  INITBITMAPFLAGS_0 = 0,
  INITBITMAPFLAGS_GRAYSCALE = 1,
  INITBITMAPFLAGS_SYSTEM = 2
} ENUM_END_FLAGS(INITBITMAPFLAGS);

enum FILEOPEN {
  FILEOPEN_APPEND = 0,
  FILEOPEN_READ = 1,
  FILEOPEN_WRITE = 2,
  FILEOPEN_READWRITE = 3,
  FILEOPEN_READ_NOCACHE = 4,
  FILEOPEN_SHAREDREAD = 5,
  FILEOPEN_SHAREDWRITE = 6
} ENUM_END_LIST(FILEOPEN);

enum FILEDIALOG {
  FILEDIALOG_NONE = 0,
  FILEDIALOG_ANY = 1,
  FILEDIALOG_IGNOREOPEN = 2
} ENUM_END_LIST(FILEDIALOG);

enum BYTEORDER { BYTEORDER_MOTOROLA = 1, BYTEORDER_INTEL = 2 } ENUM_END_LIST(BYTEORDER);

enum FILESEEK { FILESEEK_START = 0, FILESEEK_RELATIVE = 2 } ENUM_END_LIST(FILESEEK);

enum FILEERROR {
  FILEERROR_NONE = 0,
  FILEERROR_OPEN = -1,
  FILEERROR_CLOSE = -2,
  FILEERROR_READ = -3,
  FILEERROR_WRITE = -4,
  FILEERROR_SEEK = -5,
  FILEERROR_INVALID = -6,
  FILEERROR_OUTOFMEMORY = -7,
  FILEERROR_USERBREAK = -8,
  FILEERROR_WRONG_VALUE = -100,
  FILEERROR_CHUNK_NUMBER = -102,
  FILEERROR_VALUE_NO_CHUNK = -103,
  FILEERROR_FILE_END = -104,
  FILEERROR_UNKNOWN_VALUE = -105
} ENUM_END_LIST(FILEERROR);

#define MACTYPE_CINEMA 1127498819     // 'C4DC'
#define MACCREATOR_CINEMA 1127498801  // 'C4D1'

enum EVENT {
  EVENT_0 = 0,
  EVENT_FORCEREDRAW = 1,
  EVENT_ANIMATE = 2,
  EVENT_NOEXPRESSION = 4,
  EVENT_GLHACK = 8,
  EVENT_CAMERAEXPRESSION = 16,
  EVENT_ENQUEUE_REDRAW = 32
} ENUM_END_FLAGS(EVENT);

enum VERSIONTYPE {
  VERSIONTYPE_PRIME = 0,
  VERSIONTYPE_BODYPAINT = 1,
  VERSIONTYPE_STUDIO = 2,
  VERSIONTYPE_VISUALIZE = 3,
  VERSIONTYPE_BROADCAST = 4,
  VERSIONTYPE_BENCHMARK = 5,
  VERSIONTYPE_UPDATER = 6,
  VERSIONTYPE_INSTALLER = 7,
  VERSIONTYPE_NET_CLIENT = 8,
  VERSIONTYPE_NET_SERVER_3 = 9,
  VERSIONTYPE_NET_SERVER_UNLIMITED = 10,
  VERSIONTYPE_UNKNOWN = 11,
  VERSIONTYPE_LICENSESERVER = 12
} ENUM_END_LIST(VERSIONTYPE);

enum OPERATINGSYSTEM {
  OPERATINGSYSTEM_WIN = 1,
  OPERATINGSYSTEM_OSX = 2,
  OPERATINGSYSTEM_UNIX = 3
} ENUM_END_LIST(OPERATINGSYSTEM);

enum DLG_TYPE {
  DLG_TYPE_MODAL = 10,
  DLG_TYPE_MODAL_RESIZEABLE = 11,
  DLG_TYPE_ASYNC = 20,
  DLG_TYPE_ASYNC_POPUP_RESIZEABLE = 21,
  DLG_TYPE_ASYNC_POPUPEDIT = 22,
  DLG_TYPE_ASYNC_FULLSCREEN_WORK = 30,
  DLG_TYPE_ASYNC_FULLSCREEN_MONITOR = 31
} ENUM_END_LIST(DLG_TYPE);

enum USERAREAFLAGS {
  USERAREA_0 = 0,
  USERAREA_TABSTOP = 1,
  USERAREA_HANDLEFOCUS = 2,
  USERAREA_COREMESSAGE = 4,
  USERAREA_SYNCMESSAGE = 8,
  USERAREA_DONT_MIRROR = 1 << 30
} ENUM_END_FLAGS(USERAREAFLAGS);

enum DESCFLAGS_GET {
  DESCFLAGS_GET_0 = 0,
  DESCFLAGS_GET_PARAM_GET = 2,
  DESCFLAGS_GET_NO_GLOBALDATA = 16,
  DESCFLAGS_GET_NO_GEDATADEFAULTVALUE = 32
} ENUM_END_FLAGS(DESCFLAGS_GET);

enum DESCFLAGS_SET {
  DESCFLAGS_SET_0 = 0,
  DESCFLAGS_SET_PARAM_SET = 2,
  DESCFLAGS_SET_USERINTERACTION = 4,
  DESCFLAGS_SET_DONTCHECKMINMAX = 8,
  DESCFLAGS_SET_DONTAFFECTINHERITANCE = 64,
  DESCFLAGS_SET_FORCESET = 128,
  DESCFLAGS_SET_DONTFREESPLINECACHE = 256,
  DESCFLAGS_SET_INDRAG = 512
} ENUM_END_FLAGS(DESCFLAGS_SET);

enum DESCFLAGS_DESC { DESCFLAGS_DESC_0 = 0 } ENUM_END_FLAGS(DESCFLAGS_DESC);

enum DESCFLAGS_ENABLE { DESCFLAGS_ENABLE_0 = 0 } ENUM_END_FLAGS(DESCFLAGS_ENABLE);

enum UNDOTYPE {
  UNDOTYPE_0 = 0,
  UNDOTYPE_CHANGE = 40,
  UNDOTYPE_CHANGE_NOCHILDREN = 41,
  UNDOTYPE_CHANGE_SMALL = 42,
  UNDOTYPE_CHANGE_SELECTION = 43,
  UNDOTYPE_NEW = 44,
  UNDOTYPE_DELETE = 45,
  UNDOTYPE_ACTIVATE = 46,
  UNDOTYPE_DEACTIVATE = 47,
  UNDOTYPE_BITS = 48,
  UNDOTYPE_HIERARCHY_PSR = 49,
  UNDOTYPE_PRIVATE_STRING = 9996,
  UNDOTYPE_PRIVATE_MULTISELECTIONAXIS = 9997,
  UNDOTYPE_START = 9998,
  UNDOTYPE_END = 9999
} ENUM_END_LIST(UNDOTYPE);

enum GETACTIVEOBJECTFLAGS {
  GETACTIVEOBJECTFLAGS_0 = 0,
  GETACTIVEOBJECTFLAGS_CHILDREN = 1,
  GETACTIVEOBJECTFLAGS_SELECTIONORDER = 2
} ENUM_END_FLAGS(GETACTIVEOBJECTFLAGS);

enum COPYFLAGS { COPYFLAGS_0 = 0 } ENUM_END_FLAGS(COPYFLAGS);

enum GETBRANCHINFO { GETBRANCHINFO_0 = 0 } ENUM_END_FLAGS(GETBRANCHINFO);

enum EXECUTIONRESULT {
  EXECUTIONRESULT_OK = 0,
  EXECUTIONRESULT_USERBREAK = 1,
  EXECUTIONRESULT_OUTOFMEMORY = 2
} ENUM_END_LIST(EXECUTIONRESULT);

enum EXECUTIONFLAGS { EXECUTIONFLAGS_0 = 0 } ENUM_END_FLAGS(EXECUTIONFLAGS);

enum SCENEHOOKDRAW { SCENEHOOKDRAW_0 = 0 } ENUM_END_FLAGS(SCENEHOOKDRAW);

#define EXECUTIONPRIORITY_INITIAL 1000
#define EXECUTIONPRIORITY_ANIMATION 2000
#define EXECUTIONPRIORITY_ANIMATION_NLA 2010
#define EXECUTIONPRIORITY_EXPRESSION 3000
#define EXECUTIONPRIORITY_DYNAMICS 4000
#define EXECUTIONPRIORITY_GENERATOR 5000
#define EXECUTIONPRIORITY_FORCE 2147483647

#endif  // GE_PREPASS_H__

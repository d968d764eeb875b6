/*
 * c4d_abi_ids.h: the numbers both sides of the function table must agree
 * on, each named once: c4d_main's actions and answers, the messages the host
 * sends, the dialog and input messages with their container keys, and the
 * values that cross with them. The host-interface layer maps them to the
 * host SDK's own names (C4DPL_, MSG_, BFM_, ...), which are given beside
 * each one. Four-character ids are written as their numbers (characters
 * packed big-endian).
 */
#ifndef C4D_ABI_IDS_H__
#define C4D_ABI_IDS_H__

/* ---------------------------------------------------- c4d_main actions */

/* The action argument of c4d_main. */
enum {
  C4D_ACTION_INIT = 1,    /* C4DPL_INIT_SYS: p1 table, p3 module path (UTF-8) */
  C4D_ACTION_START = 2,   /* C4DPL_INIT: the plug-in registers its classes */
  C4D_ACTION_END = 3,     /* C4DPL_END */
  C4D_ACTION_VERSION = 4, /* C4DPL_INIT_VERSION: which frame the module has */
  C4D_ACTION_MESSAGE = 6  /* C4DPL_MESSAGE: p1 message id, p2 its data */
};

/* What c4d_main answers. */
enum {
  C4D_ANSWER_OK = 1,              /* done, or a message was handled */
  C4D_ANSWER_FAILED = 0,          /* the start failed */
  C4D_ANSWER_REFUSED = -1,        /* C4DPL_ERROR: unknown action, unhandled message */
  C4D_ANSWER_UNUSABLE_HOST = -3,  /* C4DPL_ERROR_VERSION: table too old or too small */
  C4D_ANSWER_FRAME_VERSION = 0x05 /* C4DPL_VERSION: the answer to C4D_ACTION_VERSION */
};

/* ----------------------------------- messages the host sends (action 6) */

enum {
  C4D_MESSAGE_PRIORITY = 0,               /* C4DMSG_PRIORITY: data is an int32_t to set */
  C4D_MESSAGE_LOAD_RESOURCES = 1,         /* C4DPL_INIT_SYS: load the resource set */
  C4D_MESSAGE_START_ACTIVITY = 1000,      /* C4DPL_STARTACTIVITY: after every start */
  C4D_MESSAGE_END_ACTIVITY = 1001,        /* C4DPL_ENDACTIVITY: before any end */
  C4D_MESSAGE_COMMAND_LINE_ARGS = 1002,   /* C4DPL_COMMANDLINEARGS */
  C4D_MESSAGE_EDIT_IMAGE = 1003,          /* C4DPL_EDITIMAGE */
  C4D_MESSAGE_END_PROGRAM = 1001084,      /* C4DPL_ENDPROGRAM */
  C4D_MESSAGE_BUILD_MENU = 1001188,       /* C4DPL_BUILDMENU: menus are being built */
  C4D_MESSAGE_PROGRAM_STARTED = 450000215 /* C4DPL_PROGRAM_STARTED */
};

/* ------------------------------ messages to scene elements and scene hooks */

/* MSG_DOCUMENTINFO: data is a c4d_document_info whose type is one of the
 * C4D_DOCUMENT_INFO_ values. */
enum { C4D_MSG_DOCUMENT_INFO = 1001078 };

enum {
  C4D_DOCUMENT_INFO_SET_ACTIVE = 1000,
  C4D_DOCUMENT_INFO_LOAD = 1001,
  C4D_DOCUMENT_INFO_MERGE = 1002,
  C4D_DOCUMENT_INFO_BEFORE_MERGE = 1003,
  C4D_DOCUMENT_INFO_SAVE_BEFORE = 1004,
  C4D_DOCUMENT_INFO_SAVE_AFTER = 1005,
  C4D_DOCUMENT_INFO_SAVE_PROJECT_BEFORE = 1006,
  C4D_DOCUMENT_INFO_SAVE_PROJECT_AFTER = 1007,
  C4D_DOCUMENT_INFO_REMOVE = 1008,
  C4D_DOCUMENT_INFO_TOOL_CHANGED = 1009,
  C4D_DOCUMENT_INFO_OBJECT_INSERT = 1010,
  C4D_DOCUMENT_INFO_TAG_INSERT = 1011,
  C4D_DOCUMENT_INFO_MATERIAL_INSERT = 1012,
  C4D_DOCUMENT_INFO_UNDO = 1013,
  C4D_DOCUMENT_INFO_REDO = 1014,
  C4D_DOCUMENT_INFO_PASTE = 1015,
  C4D_DOCUMENT_INFO_COPY = 1016,
  C4D_DOCUMENT_INFO_LOAD_XREFS = 1017,
  C4D_DOCUMENT_INFO_MERGE_XREFS = 1018,
  C4D_DOCUMENT_INFO_XREFS_IMPORTED = 1019,
  C4D_DOCUMENT_INFO_MAKE_PROJECT = 1020,
  C4D_DOCUMENT_INFO_SWAP_XREF = 1021
};

/* ----------------------------------------- dialog and user-area messages */

/* The id of a message container (c4d_container get_id) that the host hands
 * to a dialog's or user area's message and input callbacks, or that the
 * module sends to its parent. */
enum {
  C4D_BFM_INPUT = 1648971854,                /* 'bIPN' an input event, keys C4D_BFM_INPUT_ */
  C4D_BFM_ACTION = 1648444244,               /* 'bACT' a gadget was used, keys C4D_BFM_ACTION_ */
  C4D_BFM_SIZED = 1648972617,                /* 'bISI' the window changed size */
  C4D_BFM_GETCURSORINFO = 1667853926,        /* 'cinf' the mouse moves over the window */
  C4D_BFM_LAYOUT_GETDATA = 1818327399,       /* 'layg' the host saves its layout */
  C4D_BFM_LAYOUT_SETDATA = 1818327411,       /* 'lays' a saved layout comes back */
  C4D_BFM_DESTROY = 1685288057,              /* 'dsty' the window goes away */
  C4D_BFM_CORE_MESSAGE = 1298360653,         /* 'MciM' */
  C4D_BFM_TIMER_MESSAGE = 10020,             /* the dialog's timer ran out */
  C4D_BFM_SCROLLGROUP_SCROLLED = 1935897203, /* 'scrs' */
  C4D_BFM_DRAW = 1648644673,                 /* 'bDRA' a user area is drawn */
  C4D_BFM_INIT = 1648971337,                 /* 'bINI' */
  C4D_BFM_INITVALUES = 1649822030,           /* 'bVIN' */
  C4D_BFM_ASKCLOSE = 1634954083,             /* 'askc' */
  C4D_BFM_CHECKCLOSE = 1667787619            /* 'chkc' */
};

/* Keys of an input event (C4D_BFM_INPUT) and of the answer of
 * general.get_input_state. */
enum {
  C4D_BFM_INPUT_DEVICE = 1768973430,      /* 'ipdv' one of the devices below */
  C4D_BFM_INPUT_CHANNEL = 1768973153,     /* 'ipca' one of the channels below */
  C4D_BFM_INPUT_VALUE = 1768978017,       /* 'ipva' wheel: 120 per notch */
  C4D_BFM_INPUT_X = 1768978040,           /* 'ipvx' in the area's coordinates */
  C4D_BFM_INPUT_Y = 1768978041,           /* 'ipvy' */
  C4D_BFM_INPUT_QUALIFIER = 1768976737,   /* 'ipqa' C4D_QUALIFIER_ bits */
  C4D_BFM_INPUT_DOUBLECLICK = 1768973410, /* 'ipdb' */
  C4D_BFM_INPUT_ASC = 1801548643          /* 'kasc' */
};

/* Input devices and channels. */
enum {
  C4D_BFM_INPUT_MOUSE = 1836021107,    /* 'mous' */
  C4D_BFM_INPUT_KEYBOARD = 1801812322, /* 'keyb' */
  C4D_BFM_INPUT_MOUSELEFT = 1,
  C4D_BFM_INPUT_MOUSERIGHT = 2,
  C4D_BFM_INPUT_MOUSEMIDDLE = 3,
  C4D_BFM_INPUT_MOUSEWHEEL = 100,
  C4D_BFM_INPUT_MOUSEMOVE = 101
};

/* Qualifier bits (QSHIFT, QCTRL, QALT, QALT2). */
enum {
  C4D_QUALIFIER_SHIFT = 1,
  C4D_QUALIFIER_CTRL = 2,
  C4D_QUALIFIER_ALT = 4,
  C4D_QUALIFIER_ALT2 = 8
};

/* Keys of a gadget action (C4D_BFM_ACTION). */
enum {
  C4D_BFM_ACTION_ID = 1835362660,   /* 'meid' the gadget's id */
  C4D_BFM_ACTION_VALUE = 1835365985 /* 'meva' its new value */
};

/* Answers to C4D_BFM_GETCURSORINFO (RESULT_). */
enum { C4D_RESULT_CURSOR = 1, C4D_RESULT_BUBBLEHELP = 2 };

/* Draw modes of dialog.ua_draw_bitmap (BMP_). */
enum {
  C4D_BMP_NORMAL = 0,
  C4D_BMP_NORMALSCALED = 1,
  C4D_BMP_EMBOSSED = 3,
  C4D_BMP_ALLOWALPHA = 256,
  C4D_BMP_APPLY_COLORPROFILE = 512,
  C4D_BMP_DIMIMAGE = 1024, /* darkened, as for a pressed image */
  C4D_BMP_MIRROR_H = 2048,
  C4D_BMP_MIRROR_H_FORBID = 4096,
  C4D_BMP_MIRROR_V = 8192,
  C4D_BMP_MIRROR_V_FORBID = 16384
};

/* ------------------------------------------------------ dialog layout */

/* Layout flags of the dialog's add_ and group_begin calls (BFV_, BFH_):
 * vertical and horizontal alignment and scaling, one value of each. */
enum {
  C4D_BFV_CENTER = 0,
  C4D_BFV_TOP = 1,
  C4D_BFV_BOTTOM = 2,
  C4D_BFV_FIT = 3,
  C4D_BFV_SCALE = 4,
  C4D_BFV_SCALEFIT = 7,
  C4D_BFV_MASK = 3,
  C4D_BFH_CENTER = 0,
  C4D_BFH_LEFT = 8,
  C4D_BFH_RIGHT = 16,
  C4D_BFH_FIT = 24,
  C4D_BFH_SCALE = 32,
  C4D_BFH_SCALEFIT = 56,
  C4D_BFH_MASK = 24
};

/* Group flags of group_begin (BFV_GRIDGROUP_): every column (row) as wide
 * (high) as the widest (highest). */
enum { C4D_BFV_GRIDGROUP_EQUALCOLS = 1, C4D_BFV_GRIDGROUP_EQUALROWS = 2 };

/* Flags of scroll_group_begin (SCROLLGROUP_). */
enum {
  C4D_SCROLLGROUP_VERT = 4,
  C4D_SCROLLGROUP_HORIZ = 8,
  C4D_SCROLLGROUP_NOBLIT = 16,
  C4D_SCROLLGROUP_LEFT = 32,
  C4D_SCROLLGROUP_BORDERIN = 64,
  C4D_SCROLLGROUP_STATUSBAR = 128,
  C4D_SCROLLGROUP_AUTOHORIZ = 256,
  C4D_SCROLLGROUP_AUTOVERT = 512,
  C4D_SCROLLGROUP_NOSCROLLER = 1024,
  C4D_SCROLLGROUP_NOVGAP = 2048,
  C4D_SCROLLGROUP_STATUSBAR_EXT_GROUP = 4096
};

/* ------------------------------------------------------ bitmaps and files */

/* What bitmap.init_file answers (IMAGERESULT_). */
enum {
  C4D_IMAGERESULT_OK = 1,
  C4D_IMAGERESULT_NOTEXISTING = -1,
  C4D_IMAGERESULT_WRONGTYPE = -2,
  C4D_IMAGERESULT_OUTOFMEMORY = -3,
  C4D_IMAGERESULT_FILEERROR = -4,
  C4D_IMAGERESULT_FILESTRUCTURE = -5,
  C4D_IMAGERESULT_MISC_ERROR = -6,
  C4D_IMAGERESULT_PARAM_ERROR = -7,
  C4D_IMAGERESULT_THREADCANCELED = -8
};

/* The mode of file.bf_open (FILEOPEN_). */
enum {
  C4D_FILEOPEN_APPEND = 0,
  C4D_FILEOPEN_READ = 1,
  C4D_FILEOPEN_WRITE = 2,
  C4D_FILEOPEN_READWRITE = 3,
  C4D_FILEOPEN_READ_NOCACHE = 4,
  C4D_FILEOPEN_SHAREDREAD = 5,
  C4D_FILEOPEN_SHAREDWRITE = 6
};

/* Whether bf_open shows the user an error (FILEDIALOG_). */
enum { C4D_FILEDIALOG_NONE = 0, C4D_FILEDIALOG_ANY = 1, C4D_FILEDIALOG_IGNOREOPEN = 2 };

/* Byte order of a file's numbers (BYTEORDER_): big- and little-endian. */
enum { C4D_BYTEORDER_MOTOROLA = 1, C4D_BYTEORDER_INTEL = 2 };

/* The mode of file.bf_seek (FILESEEK_). */
enum { C4D_FILESEEK_START = 0, C4D_FILESEEK_RELATIVE = 2 };

/* The type and creator codes bf_open stamps on a new file on macOS
 * (MACTYPE_, MACCREATOR_); 0 leaves them unset. */
enum {
  C4D_MACTYPE_CINEMA = 0x43344443,   /* 'C4DC' */
  C4D_MACCREATOR_CINEMA = 0x43344431 /* 'C4D1' */
};

/* A file's error state (FILEERROR_). */
enum {
  C4D_FILEERROR_NONE = 0,
  C4D_FILEERROR_OPEN = -1,
  C4D_FILEERROR_CLOSE = -2,
  C4D_FILEERROR_READ = -3,
  C4D_FILEERROR_WRITE = -4,
  C4D_FILEERROR_SEEK = -5,
  C4D_FILEERROR_INVALID = -6,
  C4D_FILEERROR_OUTOFMEMORY = -7,
  C4D_FILEERROR_USERBREAK = -8,
  C4D_FILEERROR_WRONG_VALUE = -100,
  C4D_FILEERROR_CHUNK_NUMBER = -102,
  C4D_FILEERROR_VALUE_NO_CHUNK = -103,
  C4D_FILEERROR_FILE_END = -104,
  C4D_FILEERROR_UNKNOWN_VALUE = -105
};

/* Which folder general.get_c4d_path answers (the SDK's C4D_PATH_ numbers). */
enum {
  C4D_FOLDER_PREFS = 1,
  C4D_FOLDER_RESOURCE = 2,
  C4D_FOLDER_LIBRARY = 3,
  C4D_FOLDER_LIBRARY_USER = 4,
  C4D_FOLDER_ONLINE_HELP = 5,
  C4D_FOLDER_DESKTOP = 6,
  C4D_FOLDER_HOME = 7,
  C4D_FOLDER_STARTUPWRITE = 8,
  C4D_FOLDER_MYDOCUMENTS = 9,
  C4D_FOLDER_APPLICATION = 10
};

/* A group's or a static text's border style (BORDER_): none draws no frame. */
enum { C4D_BORDER_NONE = 0 };

/* The answer of a command's get_state callback (CMD_). */
enum { C4D_CMD_ENABLED = 0x40000000, C4D_CMD_VALUE = 0x3FFFFFFF };

#endif /* C4D_ABI_IDS_H__ */

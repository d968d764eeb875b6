// Registration flags shared by all plug-in kinds.
#ifndef C4D_BASEPLUGIN_H__
#define C4D_BASEPLUGIN_H__

#define PLUGINFLAG_COFFEE (1 << 31)
#define PLUGINFLAG_SMALLNODE (1 << 30)
#define PLUGINFLAG_HIDE (1 << 29)
#define PLUGINFLAG_HIDEPLUGINMENU (1 << 28)
#define PLUGINFLAG_REFRESHALWAYS (1 << 25)

#endif  // C4D_BASEPLUGIN_H__

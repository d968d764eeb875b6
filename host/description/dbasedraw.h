// Parameter ids of views (BaseDraw).
#ifndef DBASEDRAW_H__
#define DBASEDRAW_H__

enum {
  // File name of the environment picture the view reflects.
  BASEDRAW_DATA_REFLECTIONS_ENV_OVERRIDE = 6209
};

#endif  // DBASEDRAW_H__

// The plug-in's resource set, loaded by the host from the resource folder.
#ifndef C4D_RESOURCE_H__
#define C4D_RESOURCE_H__

#include "c4d_file.h"
#include "ge_sys_math.h"

class LocalResource;

class GeResource {
 public:
  GeResource();
  ~GeResource();

  // Loads the plug-in's resource set from its resource folder. The host is
  // asked once in the module's life; later calls report that first answer.
  Bool Init();
  // The same with a resource folder of the caller's choice.
  Bool Init(const Filename& path, Bool regardIsStopped = true);
  // Releases the resource set.
  void Free();
  LocalResource* Get() { return lr; }

 private:
  LocalResource* lr;
  Filename* initfn;
  Bool requested;
  // Handed back to the host when the set is released.
  maxon::Int32 passAlong;
};

// The module's resource set.
extern GeResource resource;

void FreeResource();

#ifndef C4D_API_R14
Filename GeGetPluginResourcePath();
#endif

#endif  // C4D_RESOURCE_H__

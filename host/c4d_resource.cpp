// The module's resource set and the folder it is loaded from.
#include "c4d_resource.h"

#include <new>

#include "c4d_host_private.h"

namespace {

c4d_resource* HandleOf(LocalResource* resource) {
  return reinterpret_cast<c4d_resource*>(resource);
}

#ifdef C4D_API_R14
const maxon::Int32 kReleasePassAlong = 0;
#else
const maxon::Int32 kReleasePassAlong = 1;
#endif

}  // namespace

GeResource resource;

GeResource::GeResource() : lr(nullptr), initfn(nullptr), requested(false), passAlong(0) {}

GeResource::~GeResource() { Free(); }

Bool GeResource::Init() {
#ifdef C4D_API_R14
  return Init(GeGetPluginPath());
#else
  return Init(GeGetPluginResourcePath());
#endif
}

Bool GeResource::Init(const Filename& path, Bool regardIsStopped) {
  (void)regardIsStopped;
  if (initfn == nullptr) {
    initfn = new (std::nothrow) Filename(path);
    if (initfn == nullptr) return false;
  }
  if (!requested) {
    requested = true;
    const c4d_function_table* table = c4dhost::Table();
    if (table != nullptr && !c4dhost::HoldsNul(path)) {
      lr = reinterpret_cast<LocalResource*>(table->resource->load(c4dhost::Utf8(path).c_str()));
    }
    passAlong = kReleasePassAlong;
  }
  return lr != nullptr;
}

// The requested flag stays set: the host is not asked again.
void GeResource::Free() {
  const c4d_function_table* table = c4dhost::Table();
  if (lr != nullptr && table != nullptr) table->resource->release(HandleOf(lr), passAlong);
  lr = nullptr;
  delete initfn;
  initfn = nullptr;
}

void FreeResource() { resource.Free(); }

#ifndef C4D_API_R14
// A module that lies directly in the host's start-up folder keeps its
// resources in the host's own resource/modules/<module name> folder; any
// other in the "res" folder beside it.
Filename GeGetPluginResourcePath() {
  const Filename* modulePath = c4dhost::ModulePath();
  Filename pluginFolder = GeGetPluginPath();
  Filename startup = GeGetStartupPath();
  if (modulePath != nullptr && startup.Content() && pluginFolder.GetDirectory() == startup) {
    Filename moduleName = modulePath->GetFile();
    moduleName.ClearSuffixComplete();
    return startup + Filename("resource") + Filename("modules") + moduleName;
  }
  return pluginFolder + Filename("res");
}
#endif

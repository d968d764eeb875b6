// The stand-in host's windows: dialogs built from gadget calls, laid out like
// the host lays them out, user areas drawn into pixel canvases, and input.
#pragma once

#include "c4d_function_table.h"

namespace simhost {

class WindowSystem {
 public:
  // Containers and bitmaps are reached through the table's own services, so
  // this part of the host needs nothing else from the rest of it.
  explicit WindowSystem(const c4d_function_table& table);
  // Forgets every window without calling the module back.
  ~WindowSystem();
  WindowSystem(const WindowSystem&) = delete;
  WindowSystem& operator=(const WindowSystem&) = delete;

  // Fills the dialog area of the function table. Its functions act on the
  // window system made current with MakeCurrent.
  static void FillApi(c4d_dialog_api& api);
  void MakeCurrent();
  static WindowSystem* Current();
};

}  // namespace simhost

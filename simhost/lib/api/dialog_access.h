// What the dialog area's functions share: reaching the current window
// engine and the dialog or user area a handle names.
#pragma once

#include "c4d_function_table.h"
#include "gui/window_engine.h"

namespace simhost {

// The gadget-value and user-area part of FillDialogApi.
void FillDialogValueFunctions(c4d_dialog_api* api);

// The engine of the current window system, or null.
WindowEngine* CurrentEngine();

// Runs body with the dialog a handle names, inside an engine activity;
// fallback when there is no current window system or the handle is unknown.
template <typename Result, typename Body>
Result WithDialog(const c4d_dialog* handle, Result fallback, Body body) {
  WindowEngine* engine = CurrentEngine();
  if (!engine) return fallback;
  WindowEngine::Activity activity(*engine);
  Dialog* dialog = engine->FindDialog(handle);
  if (!dialog) return fallback;
  return body(*engine, *dialog);
}

// The same for an open dialog.
template <typename Result, typename Body>
Result WithOpenDialog(const c4d_dialog* handle, Result fallback, Body body) {
  return WithDialog(handle, fallback, [&](WindowEngine& engine, Dialog& dialog) {
    return dialog.open ? body(engine, dialog) : fallback;
  });
}

template <typename Result, typename Body>
Result WithArea(const c4d_userarea* handle, Result fallback, Body body) {
  WindowEngine* engine = CurrentEngine();
  if (!engine) return fallback;
  WindowEngine::Activity activity(*engine);
  UserArea* area = engine->FindArea(handle);
  if (!area) return fallback;
  return body(*engine, *area);
}

}  // namespace simhost

// CommandData: a command the user runs from menus and palettes.
#ifndef C4D_COMMANDDATA_H__
#define C4D_COMMANDDATA_H__

#include "c4d_basecontainer.h"
#include "c4d_basedata.h"
#include "c4d_baseplugin.h"
#include "c4d_string.h"

class BaseBitmap;
class BaseDocument;

#define PLUGINFLAG_COMMAND_HOTKEY (1 << 27)
#define PLUGINFLAG_COMMAND_OPTION_DIALOG (1 << 26)
#define PLUGINFLAG_COMMAND_STICKY (1 << 25)
#define PLUGINFLAG_COMMAND_ICONGADGET (1 << 24)

#define MSG_COMMANDINFORMATION 300001001

// What RestoreLayout's secret points to.
struct RestoreLayoutSecret {
  maxon::Int32 subid;
};

class CommandData : public BaseData {
 public:
  virtual Bool Execute(BaseDocument* doc);
  virtual Bool ExecuteSubID(BaseDocument* doc, maxon::Int32 subid);
  virtual Bool ExecuteOptionID(BaseDocument* doc, maxon::Int32 plugid, maxon::Int32 subid);
  // A combination of CMD_ENABLED and CMD_VALUE (checked); CMD_ENABLED here.
  virtual maxon::Int32 GetState(BaseDocument* doc);
  virtual Bool GetSubContainer(BaseDocument* doc, BaseContainer& submenu);
  // Reopens the command's dialog from a saved window layout.
  virtual Bool RestoreLayout(void* secret);
  virtual String GetScriptName(void);
  virtual Bool Message(maxon::Int32 type, void* data);
};

// Registers dat under id; the host copies icon and owns dat from then on
// (a refused dat is deleted). A null dat gives false.
Bool RegisterCommandPlugin(maxon::Int32 id, const String& str, maxon::Int32 info, BaseBitmap* icon,
                           const String& help, CommandData* dat);

#endif  // C4D_COMMANDDATA_H__

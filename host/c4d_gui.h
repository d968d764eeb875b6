// Dialogs (GeDialog) and user areas (GeUserArea), and the modal message box.
#ifndef C4D_GUI_H__
#define C4D_GUI_H__

#include "c4d_basecontainer.h"
#include "c4d_file.h"
#include "c4d_gedata.h"
#include "c4d_string.h"
#include "ge_math.h"
#include "ge_prepass.h"
#include "gui.h"

struct c4d_dialog;
struct c4d_userarea;
class BaseBitmap;
class GeDialog;

// A gadget of a dialog; the host owns it.
class C4DGadget;

typedef maxon::UChar OBSOLETE;

#define C4DGUIPTR -1
#define C4DGUINOPTR -2

#define GUI_MAXRANGE 1.0e18
#define GUI_MINRANGE -1.0e18

#ifdef C4D_API_R14
#define FORMAT_REAL 1718773089  // 'frea'
#define FORMAT_LONG 1718382183  // 'flng'
#else
#define FORMAT_FLOAT 1718773089  // 'frea'
#define FORMAT_INT 1718382183    // 'flng'
#endif

#define IDC_OK 1
#define IDC_CANCEL 2

#define DRAWTEXT_HALIGN_LEFT 0
#define DRAWTEXT_HALIGN_CENTER 1
#define DRAWTEXT_HALIGN_RIGHT 2
#define DRAWTEXT_VALIGN_TOP 0
#define DRAWTEXT_VALIGN_CENTER 16
#define DRAWTEXT_VALIGN_BOTTOM 32
#define DRAWTEXT_STD_ALIGN (DRAWTEXT_HALIGN_LEFT | DRAWTEXT_VALIGN_TOP)

// A gadget named by its id or by the pointer its Add call returned.
class GadgetPtr {
 public:
  GadgetPtr(maxon::Int32 t_id) : _id(t_id), gad(nullptr) {}
  GadgetPtr(C4DGadget* t_gad) : _id(C4DGUIPTR), gad(t_gad) {}

  maxon::Int32 Id() const { return _id; }
  C4DGadget* Ptr() const { return gad; }

 private:
  maxon::Int32 _id;
  C4DGadget* gad;
};

// A plug-in area of a dialog that draws itself and takes input. Attach it
// with GeDialog::AttachUserArea. A copy is never attached: the host binding
// stays with the object that was attached.
class GeUserArea {
 public:
  GeUserArea();
  GeUserArea(const GeUserArea& src);
  GeUserArea& operator=(const GeUserArea& src);
  virtual ~GeUserArea();

  virtual Bool Init();
  virtual Bool InitValues();
  virtual Bool GetMinSize(maxon::Int32& w, maxon::Int32& h);
  virtual void Sized(maxon::Int32 w, maxon::Int32 h);
  // Obsolete drawing slot; DrawMsg is called instead.
  virtual OBSOLETE Draw(maxon::Int32 x1, maxon::Int32 y1, maxon::Int32 x2, maxon::Int32 y2);
  virtual void DrawMsg(maxon::Int32 x1, maxon::Int32 y1, maxon::Int32 x2, maxon::Int32 y2,
                       const BaseContainer& msg);
  // The host's default handling (the wheel scrolls the enclosing group).
  virtual Bool InputEvent(const BaseContainer& msg);
  virtual Bool CoreMessage(maxon::Int32 id, const BaseContainer& msg);
  virtual void Timer(const BaseContainer& msg);
  virtual maxon::Int32 Message(const BaseContainer& msg, BaseContainer& result);

  GeDialog* GetDialog();
  // The id of the gadget this area is attached to; 0 when unattached.
  maxon::Int32 GetId();
  maxon::Int32 GetWidth();
  maxon::Int32 GetHeight();
  void Redraw(Bool threaded = false);
  Bool SendParentMessage(const BaseContainer& msg);
  void LayoutChanged();
  Bool GetInputState(maxon::Int32 askdevice, maxon::Int32 askchannel, BaseContainer& res);

  // Drawing: inside DrawMsg, or from any callback of the same dialog.
  void DrawSetPen(const Vector& color);
  void DrawRectangle(maxon::Int32 x1, maxon::Int32 y1, maxon::Int32 x2, maxon::Int32 y2);
  void DrawLine(maxon::Int32 x1, maxon::Int32 y1, maxon::Int32 x2, maxon::Int32 y2);
  // Draws the source rectangle x, y, w, h of bmp into the area's rectangle
  // wx, wy, ww, wh; mode is a combination of BMP_ values.
  void DrawBitmap(BaseBitmap* bmp, maxon::Int32 wx, maxon::Int32 wy, maxon::Int32 ww,
                  maxon::Int32 wh, maxon::Int32 x, maxon::Int32 y, maxon::Int32 w, maxon::Int32 h,
                  maxon::Int32 mode);
  void DrawText(const String& txt, maxon::Int32 x, maxon::Int32 y,
                maxon::Int32 flags = DRAWTEXT_STD_ALIGN);

 protected:
  GeDialog* dlg;

 private:
  friend class GeDialog;

  void ReleaseBinding();

  c4d_userarea* cu_;
};

// A host window driven by the plug-in. The window is created on the first
// Open or RestoreLayout and destroyed with this object.
class GeDialog {
 public:
  GeDialog();
  virtual ~GeDialog();
  GeDialog(const GeDialog&) = delete;
  GeDialog& operator=(const GeDialog&) = delete;

  // The host's default layout and values.
  virtual Bool CreateLayout();
  virtual Bool InitValues();
  virtual Bool CoreMessage(maxon::Int32 id, const BaseContainer& msg);
  virtual Bool Command(maxon::Int32 id, const BaseContainer& msg);
  // True keeps the dialog open.
  virtual Bool AskClose();
  virtual void Timer(const BaseContainer& msg);
  virtual void DestroyWindow();
  // The host's default message handling.
  virtual maxon::Int32 Message(const BaseContainer& msg, BaseContainer& result);

  Bool Open(DLG_TYPE dlgtype, maxon::Int32 pluginid, maxon::Int32 xpos = -1, maxon::Int32 ypos = -1,
            maxon::Int32 defaultw = 0, maxon::Int32 defaulth = 0, maxon::Int32 subid = 0);
  Bool Close();
  Bool Close(Bool dummy);
  // Reopens the dialog from a saved window layout; secret is the host's
  // layout record.
  Bool RestoreLayout(maxon::Int32 pluginid, maxon::Int32 subid, void* secret);
  void SetTitle(const String& title);
  void SetTimer(maxon::Int32 timer);
  // The plug-in id the dialog was opened with.
  maxon::Int32 GetId();
  Bool IsOpen();
  Bool IsVisible();
  Bool SendParentMessage(const BaseContainer& msg);
  Bool Enable(const GadgetPtr& id, Bool enabled);

  Bool GroupBegin(maxon::Int32 id, maxon::Int32 flags, maxon::Int32 cols, maxon::Int32 rows,
                  const String& title, maxon::Int32 groupflags, maxon::Int32 initw = 0,
                  maxon::Int32 inith = 0);
  Bool GroupEnd();
  Bool GroupSpace(maxon::Int32 spacex, maxon::Int32 spacey);
  Bool GroupBorder(maxon::UInt32 borderstyle);
  Bool GroupBorderNoTitle(maxon::UInt32 borderstyle);
  Bool GroupBorderSpace(maxon::Int32 left, maxon::Int32 top, maxon::Int32 right,
                        maxon::Int32 bottom);
  // Closed with GroupEnd.
  Bool ScrollGroupBegin(maxon::Int32 id, maxon::Int32 flags, maxon::Int32 scrollflags,
                        maxon::Int32 initw = 0, maxon::Int32 inith = 0);

  C4DGadget* AddStaticText(maxon::Int32 id, maxon::Int32 flags, maxon::Int32 initw,
                           maxon::Int32 inith, const String& name, maxon::Int32 borderstyle);
  C4DGadget* AddButton(maxon::Int32 id, maxon::Int32 flags, maxon::Int32 initw, maxon::Int32 inith,
                       const String& name);
  C4DGadget* AddCheckbox(maxon::Int32 id, maxon::Int32 flags, maxon::Int32 initw,
                         maxon::Int32 inith, const String& name);
  C4DGadget* AddComboBox(maxon::Int32 id, maxon::Int32 flags, maxon::Int32 initw = 0,
                         maxon::Int32 inith = 0, Bool specialalign = false);
  // Adds an entry with value subid to a combo box.
  Bool AddChild(const GadgetPtr& id, maxon::Int32 subid, const String& child);
  Bool FreeChildren(const GadgetPtr& id);
  C4DGadget* AddEditText(maxon::Int32 id, maxon::Int32 flags, maxon::Int32 initw = 0,
                         maxon::Int32 inith = 0, maxon::Int32 editflags = 0);
  C4DGadget* AddSeparatorH(maxon::Int32 initw, maxon::Int32 flags = BFH_FIT);
  C4DGadget* AddSeparatorV(maxon::Int32 inith, maxon::Int32 flags = BFV_FIT);
  C4DGadget* AddUserArea(maxon::Int32 id, maxon::Int32 flags, maxon::Int32 initw = 0,
                         maxon::Int32 inith = 0);
  // Binds ua to the user-area gadget id; an earlier binding of ua ends.
  Bool AttachUserArea(GeUserArea& ua, const GadgetPtr& id,
                      USERAREAFLAGS userareaflags = USERAREA_COREMESSAGE);

  // Empties a group so that it can be filled again.
  Bool LayoutFlushGroup(const GadgetPtr& id);
  Bool LayoutChanged(const GadgetPtr& id);
  Bool LayoutChangedNoRedraw(const GadgetPtr& id);
  Bool RemoveElement(const GadgetPtr& id);
  Bool HideElement(const GadgetPtr& id, Bool hide);

  // The visible part of a scroll group's content.
  Bool GetVisibleArea(maxon::Int32 scrollgroupid, maxon::Int32* x1, maxon::Int32* y1,
                      maxon::Int32* x2, maxon::Int32* y2);
  Bool SetVisibleArea(maxon::Int32 scrollgroupid, maxon::Int32 x1, maxon::Int32 y1, maxon::Int32 x2,
                      maxon::Int32 y2);
  Bool GetItemDim(const GadgetPtr& id, maxon::Int32* x, maxon::Int32* y, maxon::Int32* w,
                  maxon::Int32* h);

#ifdef C4D_API_R14
  Bool GetLong(const GadgetPtr& id, LONG& value) const;
  Bool GetLong(const GadgetPtr& id, BaseContainer* bc, LONG bcid) const;
  Bool SetLong(const GadgetPtr& id, LONG value, LONG min = MINLONGl, LONG max = MAXLONGl,
               LONG step = 1, LONG tristate = 0, LONG min2 = MINLONGl, LONG max2 = MAXLONGl);
  Bool GetReal(const GadgetPtr& id, Real& value) const;
  Bool SetReal(const GadgetPtr& id, Real value, Real min = GUI_MINRANGE, Real max = GUI_MAXRANGE,
               Real step = 1.0, LONG format = FORMAT_REAL, Real min2 = 0.0, Real max2 = 0.0,
               Bool quadscale = false, LONG tristate = 0);
#else
  Bool GetInt32(const GadgetPtr& id, Int32& value) const;
  Bool GetInt32(const GadgetPtr& id, BaseContainer* bc, Int32 bcid) const;
  Bool SetInt32(const GadgetPtr& id, Int32 value, Int32 min = LIMIT<Int32>::MIN,
                Int32 max = LIMIT<Int32>::MAX, Int32 step = 1, Int32 tristate = 0,
                Int32 min2 = LIMIT<Int32>::MIN, Int32 max2 = LIMIT<Int32>::MAX);
  Bool GetFloat(const GadgetPtr& id, Float& value) const;
  Bool SetFloat(const GadgetPtr& id, Float value, Float min = GUI_MINRANGE,
                Float max = GUI_MAXRANGE, Float step = 1.0, Int32 format = FORMAT_FLOAT,
                Float min2 = 0.0, Float max2 = 0.0, Bool quadscale = false, Int32 tristate = 0);
#endif
  Bool GetBool(const GadgetPtr& id, Bool& value) const;
  Bool SetBool(const GadgetPtr& id, maxon::Int32 value, maxon::Int32 tristate = 0);
  Bool GetString(const GadgetPtr& id, String& text) const;
  Bool SetString(const GadgetPtr& id, const String& text, maxon::Int32 tristate = 0,
                 maxon::Int32 flags = 0);
  Bool GetFilename(const GadgetPtr& id, Filename& fn) const;
  Bool SetFilename(const GadgetPtr& id, const Filename& fn, maxon::Int32 tristate = 0);

  Bool GetInputState(maxon::Int32 askdevice, maxon::Int32 askchannel, BaseContainer& res);

 private:
  Bool EnsureWindow();
  maxon::Int32 GadgetId(const GadgetPtr& id) const;
  Bool ReadInt(const GadgetPtr& id, maxon::Int32* value) const;
  Bool WriteInt(const GadgetPtr& id, maxon::Int32 value, maxon::Int32 min, maxon::Int32 max,
                maxon::Int32 step, maxon::Int32 tristate, maxon::Int32 min2, maxon::Int32 max2);
  Bool ReadFloat(const GadgetPtr& id, maxon::Float* value) const;
  Bool WriteFloat(const GadgetPtr& id, maxon::Float value, maxon::Float min, maxon::Float max,
                  maxon::Float step, maxon::Int32 format);

  c4d_dialog* cd_;
  maxon::Int32 plugin_id_;
};

// A modal message box.
void MessageDialog(const String& str);

// The state of one input channel (for example a key) of a device.
Bool GetInputState(maxon::Int32 askdevice, maxon::Int32 askchannel, BaseContainer& res);

#endif  // C4D_GUI_H__

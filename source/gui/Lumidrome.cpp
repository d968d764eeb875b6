// The browser command: banner, registration, install-location check.
#include "Lumidrome.h"

#include "main.h"

namespace {
#if LUMIDROME_R14
const double PLUGIN_VERSION = 2.143;
#else
const double PLUGIN_VERSION = 2.142;
#endif

const Int32 DEFAULT_WIDTH = 790;
const Int32 DEFAULT_HEIGHT = 500;
const Int32 KEYBOARD_DEVICE = 0x6B657962;  // 'keyb'
const Int32 CHANNEL_ID = 0x69706361;       // 'ipca'
const Int32 QUALIFIER_KEYS = 0x69707161;   // 'ipqa'
const Int32 COMMAND_ENABLED = 0x40000000;

const char* const EDITION_NAMES[] = {"Prime",
                                     "Bodypaint",
                                     "Studio",
                                     "Visualize",
                                     "Broadcast",
                                     "Benchmark",
                                     "Updater",
                                     "Installer",
                                     "New Client",
                                     "Net Server 3",
                                     "Net Server Unlimited",
                                     "Unknown",
                                     "License Server"};

String EditionName() {
  UInt32 edition = static_cast<UInt32>(GeGetVersionType());
  if (edition > 12) return String();
  return EDITION_NAMES[edition];
}

String OperatingSystemName() {
  OPERATINGSYSTEM os = GeGetCurrentOS();
  if (os == OPERATINGSYSTEM_UNIX) return "UNIX";
  if (os == OPERATINGSYSTEM_OSX) return "OS X";
  if (os == OPERATINGSYSTEM_WIN) return "Windows";
  return String();
}

String Banner() {
  return String("Lumidrome V(") + FloatText(PLUGIN_VERSION) + "), " + IntText(GetC4DVersion()) +
         " " + EditionName() + ", " + OperatingSystemName();
}

// Shift+Control held while running the command skips the location check.
Bool LocationShortcutHeld() {
  BaseContainer state;
  if (!GetInputState(KEYBOARD_DEVICE, CHANNEL_ID, state)) return false;
  Int32 qualifiers = ContainerInt(state, QUALIFIER_KEYS, 0);
  return (qualifiers & QSHIFT) && (qualifiers & QCTRL);
}

// The plug-in must lie in the user folder, the one that holds the host's
// preferences folder, or somewhere below it.
Bool InstalledBelowUserFolder() {
  Filename userFolder = GeGetC4DPath(C4D_PATH_PREFS).GetDirectory();
  Filename path = GeGetPluginPath();
  while (path.Content()) {
    if (path == userFolder) return true;
    Filename parent = path.GetDirectory();
    // A root that is its own directory ends the walk too.
    if (parent == path) return false;
    path = parent;
  }
  return false;
}
}  // namespace

Bool SubDialogTest::Execute(BaseDocument* doc) {
  (void)doc;
  BaseContainer settings;
  if (!LocationShortcutHeld() && !InstalledBelowUserFolder()) {
    MessageDialog(
        "Lumidrome has been installed in the wrong location, please refer to the Install.txt in "
        "Lumidrome for directions.");
    return true;
  }
  return dialog.Open(DLG_TYPE_ASYNC, ID_LUMIDROME, -1, -1, DEFAULT_WIDTH, DEFAULT_HEIGHT, 0,
                     &settings);
}

Int32 SubDialogTest::GetState(BaseDocument* doc) {
  (void)doc;
  return COMMAND_ENABLED;
}

Bool SubDialogTest::RestoreLayout(void* secret) {
  return dialog.GeDialog::RestoreLayout(ID_LUMIDROME, 0, secret);
}

Bool RegisterSubDialog() {
#if LUMIDROME_R14
  // The R14 module stays silent on hosts that have their own R17 module.
  if (GetC4DVersion() >= 17000) return true;
#endif
  GePrint(Banner());
  // A missing icon still registers the command, with an empty bitmap.
  AutoAlloc<BaseBitmap> icon;
  if (icon) icon->Init(GeGetPluginPath() + Filename("res") + Filename("icon.png"), -1, nullptr);
  return RegisterCommandPlugin(ID_LUMIDROME, "Lumidrome", 0, icon, "Open Lumidrome",
                               NewObjClear(SubDialogTest));
}

// MainDialog: state, layout, commands and window messages of the browser.
#include "Lumidrome.h"
#include "library_naming.h"

namespace {
const char* const COLLECTIONS_PAGE_URL = "https://www.lumidrome.example/hdri-collections";
#if LUMIDROME_R14
const char* const STORE_PAGE_URL = "https://store.lumidrome.example/packs/r14";
#else
const char* const STORE_PAGE_URL = "https://store.lumidrome.example/packs";
#endif

const Int32 ID_LAYOUT_SET = 0x6C617973;  // 'lays'
const Int32 LAYOUT_SIZE_KEY = 101;
const Int32 LAYOUT_PACK_KEY = 105;

void ApplySizeFactor(Int32 size) {
  double factor = 0.0;
  if (SizeFactor(size, &factor)) imagesize = factor;
}

// A nested container of msg, or null.
const BaseContainer* ChildContainer(const BaseContainer& msg, Int32 id) {
  const GeData* data = msg.GetDataPointer(id);
  if (!data || data->GetType() != DA_CONTAINER) return nullptr;
  return data->GetContainer();
}
}  // namespace

// Members that the zero-filled allocation of the command leaves at zero are
// set here too, so a dialog made any other way starts the same. Nothing is
// to be restored until the host hands back a saved layout.
MainDialog::MainDialog()
    : selectedPack(0),
      tileSize(0),
      rebuildPending(0),
      lastSelection(0),
      restoreSelection(-1),
      restoreCount(0) {}

MainDialog::~MainDialog() {}

Bool MainDialog::Open(DLG_TYPE dlgtype, Int32 pluginid, Int32 xpos, Int32 ypos, Int32 defaultw,
                      Int32 defaulth, Int32 subid, BaseContainer* settings) {
  (void)settings;
  GeDialog::Open(dlgtype, pluginid, xpos, ypos, defaultw, defaulth, subid);
  return true;
}

void MainDialog::AddPackChooser() {
  AddComboBox(GADGET_PACK_CHOOSER, 0);
  for (Int32 i = 0; i < CountOf(packNames); ++i) AddChild(GADGET_PACK_CHOOSER, i, packNames[i]);
  AddChild(GADGET_PACK_CHOOSER, CHOICE_DIVIDER, "");
  AddChild(GADGET_PACK_CHOOSER, CHOICE_SHOW_ALL, "Show All");
  AddChild(GADGET_PACK_CHOOSER, CHOICE_DIVIDER, "");
  AddChild(GADGET_PACK_CHOOSER, CHOICE_CHANGE_DIRECTORY, "Change Directory");
  AddChild(GADGET_PACK_CHOOSER, CHOICE_DIVIDER, "");
  AddChild(GADGET_PACK_CHOOSER, CHOICE_GET_MORE_PACKS, "Get More Packs");
}

Bool MainDialog::CreateLayout() {
  SetTitle("Lumidrome");
  Bool result = GeDialog::CreateLayout();
  GroupBegin(GADGET_OUTER_GROUP, LAYOUT_FILL, 1, 0, "", BFV_GRIDGROUP_EQUALCOLS);
  {
    GroupBegin(GADGET_CONTROL_ROW, BFH_LEFT, 4, 0, "", 0, 4);
    AddStaticText(0, 0, 0, 0, "  Choose Pack -", BORDER_NONE);
    GroupBegin(GADGET_PACK_CHOOSER_GROUP, BFH_LEFT, 2, 0, "", 0);
    AddPackChooser();
    GroupEnd();
    AddStaticText(0, 0, 0, 0, "  Size -", BORDER_NONE);
    AddComboBox(GADGET_SIZE_CHOOSER, 0);
    AddChild(GADGET_SIZE_CHOOSER, SIZE_SMALL, "Small");
    AddChild(GADGET_SIZE_CHOOSER, SIZE_MEDIUM, "Medium");
    AddChild(GADGET_SIZE_CHOOSER, SIZE_LARGE, "Large");
    GroupEnd();
  }
  GroupSpace(0, 10);
  {
    GroupBegin(GADGET_SCROLL_OUTER_GROUP, LAYOUT_FILL, 1, 0, "", 0);
    ScrollGroupBegin(GADGET_SCROLL_GROUP, LAYOUT_FILL, SCROLLGROUP_VERT | SCROLLGROUP_HORIZ);
    GroupBegin(GADGET_GRID_GROUP, LAYOUT_FILL, 1, 0, "", 0);
    GroupEnd();
    GroupEnd();
    GroupEnd();
  }
  GroupEnd();
  return result;
}

Bool MainDialog::InitValues() {
  if (!GeDialog::InitValues()) return false;
  restoreCount = 0;
  lastSelection = CHOICE_NOTHING_YET;
  storePageUrl = STORE_PAGE_URL;
  pluginPath = GeGetPluginPath();
  packsPath = pluginPath + Filename("Packs");
  remotePathTxt = pluginPath + Filename("res") + Filename("VexaLumidromeRemotePath.txt");
  remotePathHf = pluginPath + Filename("res") + Filename("VexaLumidromeRemotePath.hf");
  Int32 readError = ReadRemotePath();
  if (readError != 0) return readError;
  addMoreImagePath = pluginPath + Filename("res") + Filename("AddMoreHDRIs.jpg");
  addMoreTile.thumbFile = addMoreImagePath;
  addMoreTile.pressed = 0;
  addMoreTile.baseHeight = 200;
  addMoreTile.baseWidth = 400;
  ScanLibrary();
  RedrawInterface();
  return true;
}

void MainDialog::RebuildPackChooser() {
  LayoutFlushGroup(GADGET_PACK_CHOOSER_GROUP);
  GroupBegin(GADGET_PACK_CHOOSER_GROUP, BFH_LEFT, 1, 0, "", 0);
  AddPackChooser();
  GroupEnd();
  LayoutChanged(GADGET_PACK_CHOOSER_GROUP);
}

void MainDialog::SelectPackFolders(Int32 pack) {
  Filename folder = packsPath + Filename(packFolders[pack]);
  hdrisPath = folder + Filename("HDRIs");
  backgroundPath = folder + Filename("Background");
  thumbnailsPath = folder + Filename("Thumbnails");
}

Bool MainDialog::RedrawInterface() {
  ListPacks();
  RebuildPackChooser();
  if (tileSize == 0) tileSize = SIZE_MEDIUM;
  SetGadgetInt(*this, GADGET_SIZE_CHOOSER, tileSize);
  ApplySizeFactor(tileSize);
  if (selectedPack >= CountOf(packFolders) && selectedPack != CHOICE_SHOW_ALL) selectedPack = 0;
  SetGadgetInt(*this, GADGET_PACK_CHOOSER, selectedPack);
  lastSelection = selectedPack;
  if (selectedPack >= 0 && selectedPack < CountOf(packFolders)) SelectPackFolders(selectedPack);
  Int32 shown = GadgetInt(*this, GADGET_PACK_CHOOSER);
  if (restoreSelection != -1) {
    shown = restoreSelection;
    lastSelection = restoreSelection;
    // The pack in force follows what the grid now shows, so that a later
    // size change re-lays the same choice that the chooser shows and that
    // clicks are resolved against. Applied once: from then on the pack in
    // force is the user's, through resizes and reopenings.
    selectedPack = restoreSelection;
    restoreSelection = -1;
    restoreCount += 1;
    SetGadgetInt(*this, GADGET_PACK_CHOOSER, shown);
  }
  FillBrowser(shown);
  return true;
}

Bool MainDialog::Command(Int32 id, const BaseContainer& msg) {
  (void)msg;
  Int32 tileNumber = 0;
  switch (id) {
    case GADGET_PACK_CHOOSER:
      ChoosePack();
      break;
    case GADGET_SIZE_CHOOSER:
      ChooseSize();
      break;
    case GADGET_ADD_MORE_TILE:
      GeOpenHTML(storePageUrl);
      break;
    default:
      if (TileNumberOfGadget(id, &tileNumber)) ApplyTile(tileNumber);
      break;
  }
  return true;
}

// "Get More Packs" and "Change Directory" are actions, not states.
void MainDialog::PutPackChooserBack() { SetGadgetInt(*this, GADGET_PACK_CHOOSER, lastSelection); }

void MainDialog::ChoosePack() {
  Int32 value = GadgetInt(*this, GADGET_PACK_CHOOSER);
  if (value == lastSelection) return;
  if (value == CHOICE_GET_MORE_PACKS) {
    PutPackChooserBack();
    if (!GeOpenHTML(COLLECTIONS_PAGE_URL)) {
      MessageDialog("Possible problem with the website, try again later.");
    }
    return;
  }
  if (value == CHOICE_CHANGE_DIRECTORY) {
    PutPackChooserBack();
    ChangeDirectory();
    return;
  }
  lastSelection = value;
  if (value < 0) return;
  if (value >= CountOf(packFolders) && value != CHOICE_SHOW_ALL) value = 0;
  selectedPack = value;
  FillBrowser(value);
}

void MainDialog::ChooseSize() {
  tileSize = GadgetInt(*this, GADGET_SIZE_CHOOSER);
  ApplySizeFactor(tileSize);
  FillBrowser(selectedPack);
}

// A cancelled selection or one that is not a folder keeps the earlier
// choice: the settings files are only written for an existing folder, and
// the pack in force stays, so a later size change re-lays the pack that the
// chooser shows and whose tiles a click resolves against.
void MainDialog::ChangeDirectory() {
  Filename directory;
  Bool chosen = directory.FileSelect(FILESELECTTYPE_ANYTHING, FILESELECT_DIRECTORY,
                                     "Select your Pack folder");
  Bool isFolder = chosen && GeFExist(directory, true);
  if (isFolder) {
    WriteRemotePath(directory);
    packsPath = directory;
    ScanLibrary();
    selectedPack = 0;
    RedrawInterface();
  }
  NotifyHDRIElements();
}

void MainDialog::NotifyHDRIElements() {
  BaseDocument* doc = GetActiveDocument();
  if (doc) {
    BaseObject* first = doc->GetFirstObject();
    BaseArray<BaseObject*> objects;
    FindHDRIObjects(first, &objects);
    for (Int32 i = 0; i < CountOf(objects); ++i) objects[i]->Message(MSG_HDRI_LIBRARY_CHANGED);
    BaseArray<BaseTag*> tags;
    FindHDRITags(first, &tags);
    for (Int32 i = 0; i < CountOf(tags); ++i) tags[i]->Message(MSG_HDRI_LIBRARY_CHANGED);
  }
  EventAdd();
}

void MainDialog::ApplyLayoutRecord(const BaseContainer& msg) {
  const BaseContainer* layout = ChildContainer(msg, ID_LAYOUT_SET);
  const BaseContainer* record = layout ? ChildContainer(*layout, ID_LUMIDROME) : nullptr;
  if (!record) return;
  Int32 size = ContainerInt(*record, LAYOUT_SIZE_KEY, SIZE_MEDIUM);
  SetGadgetInt(*this, GADGET_SIZE_CHOOSER, size);
  tileSize = size;
  ApplySizeFactor(size);
  // The pack chooser follows at the next redraw.
  restoreSelection = ContainerInt(*record, LAYOUT_PACK_KEY, 0);
}

void MainDialog::AnswerLayoutRequest(BaseContainer& result) {
  BaseContainer record;
  SetContainerInt(record, LAYOUT_SIZE_KEY, GadgetInt(*this, GADGET_SIZE_CHOOSER));
  SetContainerInt(record, LAYOUT_PACK_KEY, GadgetInt(*this, GADGET_PACK_CHOOSER));
  // The host keeps an answer only when its id is not -1.
  result = BaseContainer(0);
  result.SetContainer(ID_LUMIDROME, record);
}

Int32 MainDialog::Message(const BaseContainer& msg, BaseContainer& result) {
  switch (msg.GetId()) {
    case BFM_SIZED:
      // A burst of resizes costs one rebuild, at the next cursor message.
      rebuildPending = 1;
      return GeDialog::Message(msg, result);
    case BFM_GETCURSORINFO:
      if (rebuildPending == 1) {
        rebuildPending = 0;
        RedrawInterface();
        return 1;
      }
      ApplyLayoutRecord(msg);
      return 1;
    case BFM_LAYOUT_SETDATA:
      ApplyLayoutRecord(msg);
      return 1;
    case BFM_LAYOUT_GETDATA:
      AnswerLayoutRequest(result);
      return 1;
    case BFM_DESTROY:
      thumbnails.Flush();
      return GeDialog::Message(msg, result);
    default:
      return GeDialog::Message(msg, result);
  }
}

// The browser: its command, its dialog and the thumbnail tiles of its grid.
//
// Fixed names: the folder source/gui/, the classes SubDialogTest,
// MainDialog, ImageArea and HDRISceneHook, their members (pluginPath,
// packsPath, thumbnails, thumbFile, ...), the global imagesize and the ids
// below are the names every Lumidrome build, document and saved layout
// knows; rename nothing here, however odd a name reads.
#pragma once

#include "release_compat.h"

// Ids shared with the HDRI object plug-in.
enum {
  ID_HDRI_OBJECT = 1035165,
  ID_HDRI_TAG = 1037662,
  HDRI_OBJECT_FILE = 2002,
  HDRI_OBJECT_BACKGROUND = 2037,
  HDRI_TAG_FILE = 2001,
  HDRI_TAG_MODE = 3000,
  HDRI_TAG_OTHER_VARIANT_EXISTS = 3001,
  HDRI_TAG_MODE_SMALL = 2,
  MSG_HDRI_LIBRARY_CHANGED = 1037792
};

// Plug-in id of the browser command; also the key of its saved layout record.
const Int32 ID_LUMIDROME = 1035349;

// Gadgets of the browser dialog.
enum {
  GADGET_OUTER_GROUP = 1,
  GADGET_CONTROL_ROW = 0,
  GADGET_PACK_CHOOSER = 105,
  GADGET_SIZE_CHOOSER = 101,
  GADGET_PACK_CHOOSER_GROUP = 106,
  GADGET_ADD_MORE_TILE = 109,
  GADGET_ADD_MORE_GROUP = 110,
  GADGET_SCROLL_OUTER_GROUP = 2300,
  GADGET_SCROLL_GROUP = 2000,
  GADGET_GRID_GROUP = 2001
};

// Pack chooser values beyond the pack indices.
enum {
  CHOICE_DIVIDER = -1,
  CHOICE_GET_MORE_PACKS = 9000,
  CHOICE_CHANGE_DIRECTORY = 9001,
  CHOICE_SHOW_ALL = 9002,
  CHOICE_NOTHING_YET = 9999
};

enum { SIZE_SMALL = 1, SIZE_MEDIUM = 2, SIZE_LARGE = 3 };

// Layout flags of every group that takes the space offered.
const Int32 LAYOUT_FILL = BFH_SCALEFIT | BFV_SCALEFIT;

// The tile size factor shared by the dialog and every tile: 0.4 Small,
// 0.6 Medium, 1.0 Large; 0.0 at load, until a size is first applied.
// Scales the 400 by 200 tile and picks the thumbnail variant drawn.
extern double imagesize;

// One thumbnail of the grid. It re-reads its JPEG on every draw.
class ImageArea : public GeUserArea {
 public:
  ImageArea();
  ImageArea(const ImageArea& other);
  ImageArea& operator=(const ImageArea& other);
  ~ImageArea() override;

  Bool Init() override;
  Bool InitValues() override;
  Bool GetMinSize(Int32& w, Int32& h) override;
  void DrawMsg(Int32 x1, Int32 y1, Int32 x2, Int32 y2, const BaseContainer& msg) override;
  Bool InputEvent(const BaseContainer& msg) override;

  Filename thumbFile;
  Int32 baseWidth;
  Int32 baseHeight;
  Int32 pressed;

 private:
  Filename PreviewFile() const;
};

// The browser window. It lives as long as its command, so its state carries
// over from one opening of the window to the next.
class MainDialog : public GeDialog {
 public:
  MainDialog();
  ~MainDialog() override;

  // The control row above an empty scrolling grid.
  Bool CreateLayout() override;
  // Paths, the remembered library, a scan of it, then RedrawInterface.
  Bool InitValues() override;
  // The choosers, the add-more tile and tile clicks (6000 + k); always true.
  Bool Command(Int32 id, const BaseContainer& msg) override;
  // Resizes, cursor information (the deferred rebuild), saved layouts.
  Int32 Message(const BaseContainer& msg, BaseContainer& result) override;

  // Opens the window; settings is unused. Always true.
  virtual Bool Open(DLG_TYPE dlgtype, Int32 pluginid, Int32 xpos, Int32 ypos, Int32 defaultw,
                    Int32 defaulth, Int32 subid, BaseContainer* settings);
  // Appends the HDRI objects at and after op, children included, stopping
  // once two are found.
  virtual Bool FindHDRIObjects(BaseObject* op, BaseArray<BaseObject*>* list);
  // Lays out the grid for a pack chooser value (a pack index or Show All).
  virtual Bool FillBrowser(Int32 pack);
  // Appends the HDRI tags of the objects at and after op, children included.
  virtual Bool FindHDRITags(BaseObject* op, BaseArray<BaseTag*>* list);

  // Rebuilds the pack chooser, puts both choosers' values back, refills the
  // grid.
  Bool RedrawInterface();
  // Flashes tile index of row pack, shown as grid tile number.
  Bool ImageButtonPressed(Int32 pack, Int32 index, Int32 number);
  // Sets parameter id of node; outside the main take also records the
  // change as that take's override.
  Bool ChangeParameter(BaseList2D* node, Int32 id, GeData value, BaseDocument* doc);

  // The pack chooser value in force: a pack index or CHOICE_SHOW_ALL.
  Int32 selectedPack;
  // The size chooser value: SIZE_SMALL, SIZE_MEDIUM or SIZE_LARGE; 0 before
  // the first layout.
  Int32 tileSize;
  // 1 after a resize: the grid is rebuilt at the next cursor information.
  Int32 rebuildPending;
  // Folder names of the packs, in library order.
  BaseArray<String> packFolders;
  // The names the pack chooser shows, parallel to packFolders.
  BaseArray<String> packNames;
  // The pack chooser value last taken, put back after the action entries.
  Int32 lastSelection;
  // The folder the module lies in.
  Filename pluginPath;
  // The library directory: Packs beside the module, or the one chosen.
  Filename packsPath;
  // The HDRIs, Background and Thumbnails folders of the selected pack.
  Filename hdrisPath;
  Filename backgroundPath;
  Filename thumbnailsPath;
  // The two settings files that remember the chosen library directory.
  Filename remotePathTxt;
  Filename remotePathHf;
  // The placeholder tile that ends the grid and opens the store page.
  ImageArea addMoreTile;
  // The grid model: one row of tiles per pack folder, in library order.
  BaseArray<BaseArray<ImageArea>> thumbnails;
  // The placeholder tile's picture, res/AddMoreHDRIs.jpg.
  Filename addMoreImagePath;
  // The page the placeholder tile opens.
  String storePageUrl;
  // The pack chooser value a restored layout asked for, applied at the next
  // redraw and then cleared; -1 while the host has delivered no layout.
  Int32 restoreSelection;
  // Redraws since InitValues; counted only, it decides nothing.
  Int32 restoreCount;

 private:
  // The library directory that packFolders and thumbnails were read from.
  Filename listedLibrary;

  // Library and settings.
  Int32 ReadRemotePath();
  void WriteRemotePath(const Filename& directory);
  void ScanLibrary();
  void ListPacks();
  void ScanPacks(const BaseArray<String>& folders);
  Bool AppendPack(const String& folder, const BaseArray<ImageArea>& row);
  String ChosenFolder() const;
  void KeepChosenFolder(const String& folder);
  void SelectPackFolders(Int32 pack);

  // Layout.
  void AddPackChooser();
  void RebuildPackChooser();
  void AddTileCell(ImageArea& tile, Int32 number);
  void AddAddMoreCell();
  void AttachTile(ImageArea& tile, Int32 number, Int32 rows);

  // Commands and messages.
  void ChoosePack();
  void ChooseSize();
  void ChangeDirectory();
  void NotifyHDRIElements();
  void PutPackChooserBack();
  void ApplyLayoutRecord(const BaseContainer& msg);
  void AnswerLayoutRequest(BaseContainer& result);

  // Applying a clicked tile to the scene.
  Bool FindTile(Int32 number, Int32 shown, Int32* pack, Int32* index) const;
  void ApplyTile(Int32 number);
  void ApplyFiles(BaseDocument* doc, const Filename& hdri, const String& extension,
                  const Filename& background);
  Bool ApplyWithoutSelection(BaseDocument* doc, const GeData& hdrData, const GeData& backgroundData,
                             const Filename& hdri, const String& extension);
  void SetObjectFiles(BaseDocument* doc, BaseObject* op, const GeData& hdrData,
                      const GeData& backgroundData);
  void UpdateTag(BaseDocument* doc, BaseTag* tag, const Filename& hdri, const String& extension);
  void SetViewEnvironment(BaseDocument* doc, const Filename& hdri, const String& extension);
};

class SubDialogTest : public CommandData {
 public:
  Bool Execute(BaseDocument* doc) override;
  Int32 GetState(BaseDocument* doc) override;
  Bool RestoreLayout(void* secret) override;

 private:
  MainDialog dialog;
};

// MainDialog: the remembered library directory, the library scan and the grid.
#include "Lumidrome.h"
#include "library_naming.h"

namespace {
const Int32 SETTINGS_IDENT = 234;
const Int32 FILE_OUT_OF_MEMORY = -7;
const Int32 TILE_BASE_WIDTH = 400;
const Int32 TILE_BASE_HEIGHT = 200;
const Int32 MOST_PACKS = CHOICE_GET_MORE_PACKS;

// Every directory entry that is a folder, apart from Finder's ".DS_Store".
Bool IsPackFolder(BrowseFiles& browser) {
  return browser.IsDir() && browser.GetFilename().GetString() != ".DS_Store";
}

// Thumbnails are <name>.jpg; <name>_md.jpg and <name>_sm.jpg are variants.
Bool IsThumbnail(const Filename& file) {
  if (file.GetSuffix() != "jpg") return false;
  Filename stem = file;
  stem.ClearSuffix();
  String text = stem.GetString();
  Int32 length = text.GetLength();
  if (length < 3) return true;
  String ending = text.SubStr(length - 3, 3);
  return ending != "_md" && ending != "_sm";
}

Bool AppendTile(BaseArray<ImageArea>& row, const Filename& file) {
  ImageArea tile;
  tile.thumbFile = file;
  tile.baseWidth = TILE_BASE_WIDTH;
  tile.baseHeight = TILE_BASE_HEIGHT;
  tile.pressed = 0;
  return row.Append(tile) != nullptr;
}

// The pack folders of a library in listing order. Pack values end below
// the chooser's own entries (9000 on), so only that many packs are listed.
void ListPackFolders(const Filename& library, BaseArray<String>& folders) {
  AutoAlloc<BrowseFiles> browser;
  if (!browser) return;
  browser->Init(library, BROWSEFILES_SUPPRESSCACHING);
  while (CountOf(folders) < MOST_PACKS && browser->GetNext()) {
    if (IsPackFolder(*browser) && !folders.Append(browser->GetFilename().GetString())) return;
  }
}

Bool SameFolders(const BaseArray<String>& a, const BaseArray<String>& b) {
  if (CountOf(a) != CountOf(b)) return false;
  for (Int32 i = 0; i < CountOf(a); ++i) {
    if (a[i] != b[i]) return false;
  }
  return true;
}

void ScanThumbnails(const Filename& folder, BaseArray<ImageArea>& row) {
  if (!GeFExist(folder, true)) return;
  AutoAlloc<BrowseFiles> browser;
  if (!browser) return;
  browser->Init(folder, BROWSEFILES_SUPPRESSCACHING);
  while (browser->GetNext()) {
    Filename file = folder + browser->GetFilename();
    if (IsThumbnail(file) && !AppendTile(row, file)) return;
  }
}
}  // namespace

// Returns 0, or the file error when the reader cannot be made.
Int32 MainDialog::ReadRemotePath() {
  if (!GeFExist(remotePathHf, false)) return 0;
  AutoAlloc<HyperFile> file;
  if (!file) return FILE_OUT_OF_MEMORY;
  if (file->Open(SETTINGS_IDENT, remotePathHf, FILEOPEN_READ, FILEDIALOG_NONE)) {
    Filename directory;
    if (!file->ReadFilename(&directory)) directory = Filename();
    if (GeFExist(directory, true)) packsPath = directory;
  }
  file->Close();
  return 0;
}

// Write results are not checked: the command goes on in any case.
void MainDialog::WriteRemotePath(const Filename& directory) {
  AutoAlloc<HyperFile> settings;
  if (settings && settings->Open(SETTINGS_IDENT, remotePathHf, FILEOPEN_WRITE, FILEDIALOG_NONE)) {
    settings->WriteFilename(directory);
    settings->Close();
  }
  AutoAlloc<BaseFile> text;
  if (text && text->Open(remotePathTxt, FILEOPEN_WRITE, FILEDIALOG_ANY, BYTEORDER_INTEL,
                         MACTYPE_CINEMA, MACCREATOR_CINEMA)) {
    text->WriteString(directory.GetString());
    text->Close();
  }
}

// Rows, folders and names always come from one listing of the library, so
// chooser entry i, row i and pack folder i are one pack. Tiles hold file
// names only; images are read when a tile draws.
void MainDialog::ScanLibrary() {
  BaseArray<String> folders;
  ListPackFolders(packsPath, folders);
  ScanPacks(folders);
}

// A rebuild lists the library again; only a changed listing opens the
// thumbnail folders, so a plain resize costs one directory listing.
void MainDialog::ListPacks() {
  BaseArray<String> folders;
  ListPackFolders(packsPath, folders);
  if (packsPath == listedLibrary && SameFolders(folders, packFolders)) return;
  ScanPacks(folders);
}

void MainDialog::ScanPacks(const BaseArray<String>& folders) {
  String chosen = ChosenFolder();
  // The grid's gadgets refer to the tiles about to be destroyed: empty it
  // first, so none of them can be drawn or clicked through a stale gadget.
  LayoutFlushGroup(GADGET_GRID_GROUP);
  thumbnails.Flush();
  packFolders.Flush();
  packNames.Flush();
  listedLibrary = packsPath;
  for (Int32 i = 0; i < CountOf(folders); ++i) {
    BaseArray<ImageArea> row;
    ScanThumbnails(packsPath + Filename(folders[i]) + Filename("Thumbnails"), row);
    if (!AppendPack(folders[i], row)) break;
  }
  KeepChosenFolder(chosen);
}

// The three lists stay the same length whatever fails.
Bool MainDialog::AppendPack(const String& folder, const BaseArray<ImageArea>& row) {
  if (!packFolders.Append(folder)) return false;
  if (!packNames.Append(PackDisplayName(folder))) {
    packFolders.Pop();
    return false;
  }
  if (!thumbnails.Append(row)) {
    packFolders.Pop();
    packNames.Pop();
    return false;
  }
  return true;
}

// The folder of the pack in force; empty for "Show All" or no pack.
String MainDialog::ChosenFolder() const {
  if (packsPath != listedLibrary) return String();
  if (selectedPack < 0 || selectedPack >= CountOf(packFolders)) return String();
  return packFolders[selectedPack];
}

// The chosen pack stays chosen where it moved to; a pack that is gone gives
// way to the first one.
void MainDialog::KeepChosenFolder(const String& folder) {
  if (!folder.Content()) return;
  selectedPack = 0;
  for (Int32 i = 0; i < CountOf(packFolders); ++i) {
    if (packFolders[i] == folder) selectedPack = i;
  }
}

void MainDialog::AttachTile(ImageArea& tile, Int32 number, Int32 rows) {
  GroupBegin(TileGroupId(number), 0, 0, rows, "", 0);
  AddUserArea(TileGadgetId(number), 0, 50, 50);
  AttachUserArea(tile, TileGadgetId(number), USERAREA_COREMESSAGE);
  GroupEnd();
}

void MainDialog::AddTileCell(ImageArea& tile, Int32 number) {
  GroupBegin(0, 0, 0, 5, "", 0);
  AttachTile(tile, number, 5);
  AddStaticText(0, BFV_TOP, 0, 0, TileLabel(tile.thumbFile), BORDER_NONE);
  GroupEnd();
}

void MainDialog::AddAddMoreCell() {
  GroupBegin(0, 0, 0, 5, "", 0);
  GroupBegin(GADGET_ADD_MORE_GROUP, 0, 0, 5, "", 0);
  AddUserArea(GADGET_ADD_MORE_TILE, 0, 50, 50);
  AttachUserArea(addMoreTile, GADGET_ADD_MORE_TILE, USERAREA_COREMESSAGE);
  GroupEnd();
  AddStaticText(0, BFV_TOP, 0, 0, "", BORDER_NONE);
  GroupEnd();
}

Bool MainDialog::FillBrowser(Int32 pack) {
  Int32 x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  if (!GetVisibleArea(GADGET_SCROLL_GROUP, &x1, &y1, &x2, &y2)) return true;
  LayoutFlushGroup(GADGET_GRID_GROUP);
  GroupBegin(GADGET_GRID_GROUP, LAYOUT_FILL, GridColumns(x2 - x1, imagesize), 0, "", 0);
  GroupSpace(10, 20);
#if LUMIDROME_R14
  if (pack != CHOICE_SHOW_ALL && pack >= CountOf(packFolders)) {
    pack = 0;
    SetGadgetInt(*this, GADGET_PACK_CHOOSER, 0);
    lastSelection = 0;
  }
#endif
  Int32 rowCount = CountOf(thumbnails);
  Int32 first = pack == CHOICE_SHOW_ALL ? 0 : pack;
  Int32 last = pack == CHOICE_SHOW_ALL ? rowCount - 1 : pack;
  // Rows beyond the model are skipped; stopping at its end also keeps a
  // restored pack value near the Int32 limit from overflowing the counter.
  if (last >= rowCount) last = rowCount - 1;
  Int32 number = 0;
  for (Int32 i = first; i <= last; ++i) {
    if (i < 0) continue;
    BaseArray<ImageArea>& row = thumbnails[i];
    for (Int32 k = 0; k < CountOf(row); ++k) AddTileCell(row[k], number++);
  }
  AddAddMoreCell();
  GroupEnd();
  LayoutChanged(GADGET_SCROLL_GROUP);
  LayoutChanged(GADGET_GRID_GROUP);
  return true;
}

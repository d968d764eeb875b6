// MainDialog: applying a clicked tile's HDRI to the active document.
#include "Lumidrome.h"
#include "library_naming.h"

namespace {
const char* const BROKEN_ASSET_MESSAGE = "Broken asset file, please reinstall Lumidrome.";
const Int32 VIEW_ENVIRONMENT = 6209;
const Int32 FIRST_VERSION_WITH_VIEW_ENVIRONMENT = 18000;
const Int32 FLASH_MILLISECONDS = 20;

// Selected HDRI objects and HDRI tags, in the host's selection order.
void CollectSelection(BaseDocument* doc, BaseArray<BaseObject*>& objects,
                      BaseArray<BaseTag*>& tags) {
  AutoAlloc<AtomArray> selected;
  if (!selected) return;
  doc->GetActiveObjectsFilter(*selected, true, ID_HDRI_OBJECT, NOTOK);
  for (Int32 i = 0; i < selected->GetCount(); ++i) {
    C4DAtom* atom = selected->GetIndex(i);
    if (atom) objects.Append(static_cast<BaseObject*>(atom));
  }
  selected->Flush();
  doc->GetActiveTags(*selected);
  for (Int32 i = 0; i < selected->GetCount(); ++i) {
    C4DAtom* atom = selected->GetIndex(i);
    if (atom && atom->GetType() == ID_HDRI_TAG) tags.Append(static_cast<BaseTag*>(atom));
  }
}

// ".hdr" wins over ".exr"; false when neither exists.
Bool FindHDRI(const Filename& folder, const String& base, Filename* hdri, String* extension) {
  *extension = ".hdr";
  *hdri = folder + Filename(base + *extension);
  if (GeFExist(*hdri, false)) return true;
  *extension = ".exr";
  *hdri = folder + Filename(base + *extension);
  return GeFExist(*hdri, false);
}
}  // namespace

// Tile number k of the grid laid out for chooser value shown.
Bool MainDialog::FindTile(Int32 number, Int32 shown, Int32* pack, Int32* index) const {
  if (shown != CHOICE_SHOW_ALL) {
    *pack = shown;
    *index = number;
    return true;
  }
  for (Int32 row = 0; row < CountOf(thumbnails); ++row) {
    Int32 count = CountOf(thumbnails[row]);
    if (number < count) {
      *pack = row;
      *index = number;
      return true;
    }
    number -= count;
  }
  return false;
}

void MainDialog::ApplyTile(Int32 number) {
  BaseDocument* doc = GetActiveDocument();
  if (!doc) return;
  Int32 pack = 0, index = 0;
  if (!FindTile(number, GadgetInt(*this, GADGET_PACK_CHOOSER), &pack, &index)) return;
  // A chooser value that names no pack has no folders to look in.
  if (pack < 0 || pack >= CountOf(packFolders)) return;
  SelectPackFolders(pack);
  if (!GeFExist(hdrisPath, true) || !GeFExist(thumbnailsPath, true)) {
    MessageDialog(BROKEN_ASSET_MESSAGE);
    return;
  }
  ImageButtonPressed(pack, index, number);
  if (pack >= CountOf(thumbnails) || index < 0 || index >= CountOf(thumbnails[pack])) {
    MessageDialog(BROKEN_ASSET_MESSAGE);
    return;
  }
  String base = ImageBaseName(thumbnails[pack][index].thumbFile);
  Filename hdri;
  String extension;
  if (!FindHDRI(hdrisPath, base, &hdri, &extension)) {
    MessageDialog(BROKEN_ASSET_MESSAGE);
    return;
  }
  ApplyFiles(doc, hdri, extension, backgroundPath + Filename(base + ".jpg"));
}

void MainDialog::ApplyFiles(BaseDocument* doc, const Filename& hdri, const String& extension,
                            const Filename& background) {
  BaseArray<BaseObject*> objects;
  BaseArray<BaseTag*> tags;
  CollectSelection(doc, objects, tags);
  GeData hdrData(hdri);
  GeData backgroundData(GeFExist(background, false) ? background : Filename());
  doc->StartUndo();
  for (Int32 i = 0; i < CountOf(objects); ++i) {
    SetObjectFiles(doc, objects[i], hdrData, backgroundData);
  }
  for (Int32 i = 0; i < CountOf(tags); ++i) UpdateTag(doc, tags[i], hdri, extension);
  if (objects.GetCount() == 0 && tags.GetCount() == 0 &&
      !ApplyWithoutSelection(doc, hdrData, backgroundData, hdri, extension)) {
    doc->EndUndo();
    return;
  }
  if (GetC4DVersion() >= FIRST_VERSION_WITH_VIEW_ENVIRONMENT) {
    SetViewEnvironment(doc, hdri, extension);
  }
  doc->EndUndo();
  EventAdd();
}

void MainDialog::SetObjectFiles(BaseDocument* doc, BaseObject* op, const GeData& hdrData,
                                const GeData& backgroundData) {
  doc->AddUndo(UNDOTYPE_CHANGE, op);
  ChangeParameter(op, HDRI_OBJECT_FILE, hdrData, doc);
  ChangeParameter(op, HDRI_OBJECT_BACKGROUND, backgroundData, doc);
}

// Nothing selected: the scene's only HDRI object or tag, or a new object.
// False when a new object was needed and the HDRI object type is missing.
Bool MainDialog::ApplyWithoutSelection(BaseDocument* doc, const GeData& hdrData,
                                       const GeData& backgroundData, const Filename& hdri,
                                       const String& extension) {
  BaseObject* first = doc->GetFirstObject();
  BaseArray<BaseTag*> tags;
  BaseArray<BaseObject*> objects;
  FindHDRITags(first, &tags);
  FindHDRIObjects(first, &objects);
  Int32 found = CountOf(tags) + CountOf(objects);
  if (found == 1 && tags.GetCount() == 1) UpdateTag(doc, tags[0], hdri, extension);
  if (found == 1 && objects.GetCount() == 1)
    SetObjectFiles(doc, objects[0], hdrData, backgroundData);
  if (found != 0) return true;
  BaseObject* created = BaseObject::Alloc(ID_HDRI_OBJECT);
  if (!created || created->GetType() != ID_HDRI_OBJECT) {
    BaseObject::Free(created);
    return false;
  }
  doc->InsertObject(created, nullptr, nullptr, false);
  doc->AddUndo(UNDOTYPE_NEW, created);
  ChangeParameter(created, HDRI_OBJECT_FILE, hdrData, doc);
  ChangeParameter(created, HDRI_OBJECT_BACKGROUND, backgroundData, doc);
  return true;
}

// Tags are changed through their data container only. A tag in small mode
// whose small file is missing keeps its working file: the user is told the
// asset is broken, and the tag gets no undo step.
void MainDialog::UpdateTag(BaseDocument* doc, BaseTag* tag, const Filename& hdri,
                           const String& extension) {
  BaseContainer* data = tag->GetDataInstance();
  if (!data) return;
  Filename file = hdri;
  if (ContainerInt(*data, HDRI_TAG_MODE, 0) == HDRI_TAG_MODE_SMALL) {
    file = SmallVariantOf(hdri, extension);
    if (!GeFExist(file, false)) {
      MessageDialog(BROKEN_ASSET_MESSAGE);
      return;
    }
  }
  doc->AddUndo(UNDOTYPE_CHANGE, tag);
  data->SetFilename(HDRI_TAG_FILE, file);
  data->SetBool(HDRI_TAG_OTHER_VARIANT_EXISTS, GeFExist(OtherVariantOf(file), false));
}

void MainDialog::SetViewEnvironment(BaseDocument* doc, const Filename& hdri,
                                    const String& extension) {
  Filename small = SmallVariantOf(hdri, extension);
  BaseDraw* view = doc->GetActiveBaseDraw();
  if (!view || !GeFExist(small, false)) return;
  doc->AddUndo(UNDOTYPE_CHANGE, view);
  view->SetParameter(DescID(VIEW_ENVIRONMENT), GeData(small), DESCFLAGS_SET_0);
}

Bool MainDialog::ChangeParameter(BaseList2D* node, Int32 id, GeData value, BaseDocument* doc) {
  GeData old;
  node->GetParameter(DescID(id), old, DESCFLAGS_GET_0);
  node->SetParameter(DescID(id), value, DESCFLAGS_SET_0);
#if LUMIDROME_R14
  (void)doc;
#else
  // Outside the main take a changed file name lands as that take's override.
  TakeData* takeData = doc ? doc->GetTakeData() : nullptr;
  if (!takeData) return true;
  BaseTake* current = takeData->GetCurrentTake();
  if (current && current != takeData->GetMainTake() && old.GetFilename() != value.GetFilename()) {
    current->FindOrAddOverrideParam(takeData, node, DescID(id), value, old, false);
  }
#endif
  return true;
}

// Scene walks: siblings in a loop, children by recursion, so a long object
// list cannot exhaust the stack.
Bool MainDialog::FindHDRIObjects(BaseObject* op, BaseArray<BaseObject*>* list) {
  for (; op; op = op->GetNext()) {
    if (op->GetType() == ID_HDRI_OBJECT) list->Append(op);
    // Callers only tell none, one and more apart.
    if (list->GetCount() >= 2) return true;
    FindHDRIObjects(op->GetDown(), list);
  }
  return true;
}

Bool MainDialog::FindHDRITags(BaseObject* op, BaseArray<BaseTag*>* list) {
  for (; op; op = op->GetNext()) {
    for (BaseTag* tag = op->GetFirstTag(); tag; tag = tag->GetNext()) {
      if (tag->GetType() == ID_HDRI_TAG) list->Append(tag);
    }
    FindHDRITags(op->GetDown(), list);
  }
  return true;
}

// The pressed look for a moment: rebuild the tile's group with the flag
// set, draw at once, then rebuild it back.
Bool MainDialog::ImageButtonPressed(Int32 pack, Int32 index, Int32 number) {
  if (pack < 0 || pack >= CountOf(thumbnails)) return false;
  if (index < 0 || index >= CountOf(thumbnails[pack])) return false;
  ImageArea& tile = thumbnails[pack][index];
  LayoutFlushGroup(TileGroupId(number));
  tile.pressed = 1;
  AttachTile(tile, number, 1);
  tile.DrawMsg(0, 0, 0, 0, BaseContainer());
  LayoutChanged(TileGroupId(number));
  GeSleep(FLASH_MILLISECONDS);
  LayoutFlushGroup(TileGroupId(number));
  tile.pressed = 0;
  AttachTile(tile, number, 1);
  LayoutChanged(TileGroupId(number));
  return true;
}

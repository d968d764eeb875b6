#include "library_check/tile_check.h"

#include <cerrno>
#include <cstring>

#include "bitmap.h"
#include "files/directory.h"
#include "library_check/browser_naming.h"
#include "library_check/printable_text.h"
#include "platform/platform.h"
#include "text/text_util.h"

namespace simhost_app {

const char* const kBrokenAssetMessage = "Broken asset file, please reinstall Lumidrome.";

namespace {

const char* const kHdris = "HDRIs";
const char* const kBackground = "Background";
const char* const kThumbnails = "Thumbnails";

std::string Quoted(const std::string& name) { return "\"" + EscapedForTerminal(name) + "\""; }

void Add(TileCheck* tile, const std::string& kind, Severity severity, const std::string& path,
         const std::string& message, bool pack_wide = false) {
  tile->findings.push_back(Finding{kind, severity, path, message, pack_wide});
}

FileLookup LookUp(const PackPlace& pack, const char* sub_folder, const std::string& name) {
  return FileLookup{name, simhost::PathExists(PackPath(pack, sub_folder, name), false)};
}

// ".hdr" first, ".exr" only when there is no ".hdr".
void FindHdri(const PackPlace& pack, TileCheck* tile) {
  FileLookup hdr = LookUp(pack, kHdris, tile->base_name + ".hdr");
  FileLookup exr = LookUp(pack, kHdris, tile->base_name + ".exr");
  tile->hdri = hdr.exists ? hdr : exr;
  if (hdr.exists) tile->hdri_extension = ".hdr";
  if (!hdr.exists && exr.exists) tile->hdri_extension = ".exr";
  if (hdr.exists && exr.exists) {
    Add(tile, "exr_never_used", Severity::kNote, PackRelativePath(pack, kHdris, exr.name),
        "the \".hdr\" wins, so " + Quoted(exr.name) + " is never used");
  }
  if (!tile->hdri_extension.empty()) return;
  Add(tile, "missing_hdri", Severity::kBroken, PackRelativePath(pack, kHdris, hdr.name),
      "neither " + Quoted(hdr.name) + " nor " + Quoted(exr.name) + " in " + kHdris +
          ": a click shows \"" + kBrokenAssetMessage + "\"");
}

void FindSmallHdri(const PackPlace& pack, TileCheck* tile) {
  tile->small_hdri = LookUp(pack, kHdris, SmallHdriName(tile->base_name, tile->hdri_extension));
  if (tile->small_hdri.exists) return;
  Add(tile, "missing_small_hdri", Severity::kBrokenInSmallMode,
      PackRelativePath(pack, kHdris, tile->small_hdri.name),
      "no " + Quoted(tile->small_hdri.name) + ": HDRI tags in small mode show \"" +
          kBrokenAssetMessage + "\", and the view keeps its environment");
}

void CheckClickFiles(const PackPlace& pack, TileCheck* tile) {
  tile->hdris_folder = pack.hdris_folder;
  if (!pack.hdris_folder) {
    Add(tile, "missing_hdris_folder", Severity::kBroken, PackRelativePath(pack, kHdris, ""),
        std::string("no ") + kHdris + " folder: a click shows \"" + kBrokenAssetMessage + "\"",
        true);
  } else {
    FindHdri(pack, tile);
    if (!tile->hdri_extension.empty()) FindSmallHdri(pack, tile);
  }
  tile->background = LookUp(pack, kBackground, tile->base_name + ".jpg");
  if (tile->background.exists) return;
  Add(tile, "missing_background", Severity::kFallback,
      PackRelativePath(pack, kBackground, tile->background.name),
      "no " + Quoted(tile->background.name) + " in " + kBackground +
          ": HDRI objects get an empty background",
      !pack.background_folder);
}

void CheckPreview(const PackPlace& pack, FileLookup* preview, const std::string& name,
                  const char* size, TileCheck* tile) {
  *preview = LookUp(pack, kThumbnails, name);
  if (preview->exists) return;
  Add(tile, std::string("missing_") + size + "_preview", Severity::kFallback,
      PackRelativePath(pack, kThumbnails, name),
      "no " + Quoted(name) + ": at " + (size[0] == 'm' ? "Medium" : "Small") +
          " size the full thumbnail is drawn, scaled down");
}

// What a picture the tile or the scene shows is meant to be.
struct PictureRole {
  const char* kind;         // "thumbnail", "preview" or "background"
  const char* consequence;  // what the user sees when it does not load
  int width = 0;            // 0: any size, only 2:1
  int height = 0;
};

std::string SizeText(int width, int height) {
  return std::to_string(width) + " x " + std::to_string(height);
}

bool CanOpen(const std::string& path, std::string* reason) {
  std::FILE* file = simhost::platform::OpenFile(path, "rb");
  if (file == nullptr) {
    *reason = std::strerror(errno);
    return false;
  }
  std::fclose(file);
  return true;
}

void CheckPictureSize(const std::string& path, const std::string& name, const PictureRole& role,
                      int width, int height, TileCheck* tile) {
  bool two_to_one = width == 2 * height;
  bool exact = role.width == 0 || (width == role.width && height == role.height);
  if (exact && two_to_one) return;
  std::string wanted = role.width == 0 ? "2:1" : SizeText(role.width, role.height);
  std::string outcome = two_to_one ? "it is drawn scaled" : "it is drawn stretched";
  if (role.width == 0) outcome = "the scene's background is stretched";
  Add(tile, std::string("wrong_") + role.kind + "_size", Severity::kFallback, path,
      Quoted(name) + " is " + SizeText(width, height) + ", not " + wanted + ": " + outcome);
}

// Loads the picture with the stand-in host's own loader, as the tile does
// when it draws.
void CheckPicture(const PackPlace& pack, const char* sub_folder, const std::string& name,
                  const PictureRole& role, TileCheck* tile) {
  std::string full = PackPath(pack, sub_folder, name);
  std::string path = PackRelativePath(pack, sub_folder, name);
  if (!simhost::PathExists(full, false)) return;
  std::string reason;
  if (!CanOpen(full, &reason)) {
    Add(tile, "unreadable_file", Severity::kBroken, path,
        Quoted(name) + " cannot be read (" + reason + "): " + role.consequence);
    return;
  }
  simhost::Bitmap picture;
  if (picture.LoadFile(full, &reason) != simhost::image_result::kOk) {
    Add(tile, std::string("undecodable_") + role.kind, Severity::kBroken, path,
        Quoted(name) + " does not load (" + (reason.empty() ? "not a picture" : reason) +
            "): " + role.consequence);
    return;
  }
  CheckPictureSize(path, name, role, picture.Width(), picture.Height(), tile);
}

void CheckPictures(const PackPlace& pack, TileCheck* tile) {
  const char* blank = "the tile stays blank";
  CheckPicture(pack, kThumbnails, tile->file, PictureRole{"thumbnail", blank, 400, 200}, tile);
  if (tile->medium_preview.exists) {
    CheckPicture(pack, kThumbnails, tile->medium_preview.name,
                 PictureRole{"preview", "the tile stays blank at Medium size", 240, 120}, tile);
  }
  if (tile->small_preview.exists) {
    CheckPicture(pack, kThumbnails, tile->small_preview.name,
                 PictureRole{"preview", "the tile stays blank at Small size", 160, 80}, tile);
  }
  if (tile->background.exists) {
    CheckPicture(pack, kBackground, tile->background.name,
                 PictureRole{"background", "the scene gets a background that does not load"}, tile);
  }
}

void CheckNames(const PackPlace& pack, bool is_folder, TileCheck* tile) {
  std::string path = PackRelativePath(pack, kThumbnails, tile->file);
  if (is_folder) {
    Add(tile, "thumbnail_is_folder", Severity::kFallback, path,
        "a folder named like a thumbnail: the tile stays blank");
  }
  if (tile->base_name.empty() || tile->base_name != StemOf(tile->file)) {
    Add(tile, "dotted_name", Severity::kNote, path,
        "files are looked up by the name before the first \".\": " + Quoted(tile->base_name));
  }
  if (!IsValidUtf8(tile->file)) {
    Add(tile, "name_not_utf8", Severity::kNote, path,
        "the name is not UTF-8; its bytes are " + Quoted(tile->file));
  }
}

}  // namespace

std::string PackPath(const PackPlace& pack, const std::string& sub_folder,
                     const std::string& name) {
  return simhost::JoinPath(pack.library, PackRelativePath(pack, sub_folder, name));
}

std::string PackRelativePath(const PackPlace& pack, const std::string& sub_folder,
                             const std::string& name) {
  std::string path = pack.folder + "/" + sub_folder;
  return name.empty() ? path : path + "/" + name;
}

TileCheck CheckTile(const PackPlace& pack, const std::string& thumbnail, bool is_folder) {
  TileCheck tile;
  tile.file = thumbnail;
  tile.label = TileLabel(thumbnail);
  tile.base_name = ImageBaseName(thumbnail);
  CheckNames(pack, is_folder, &tile);
  CheckClickFiles(pack, &tile);
  CheckPreview(pack, &tile.medium_preview, MediumPreviewName(thumbnail), "medium", &tile);
  CheckPreview(pack, &tile.small_preview, SmallPreviewName(thumbnail), "small", &tile);
  if (!is_folder) CheckPictures(pack, &tile);
  return tile;
}

}  // namespace simhost_app

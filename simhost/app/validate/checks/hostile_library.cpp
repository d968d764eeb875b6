#include "validate/checks/hostile_library.h"

#include <algorithm>
#include <fstream>
#include <system_error>

#include "common/english_counts.h"
#include "jpeg_encoder.h"
#include "platform/platform.h"

namespace simhost_app {

namespace fs = std::filesystem;
using simhost::platform::PathFromUtf8;

namespace {

const std::string kGarbage = "\x01\x02not a picture at all\xff\xd8\xff\x00\x00";

// Whether this system can hold a file of that (UTF-8) name; Windows forbids
// control characters, some punctuation, and names that are no UTF-16 text.
bool NameAllowedHere(const std::string& name) {
#ifdef _WIN32
  const auto forbidden = [](char c) {
    return static_cast<unsigned char>(c) < 32 ||
           std::string("<>:\"/\\|?*").find(c) != std::string::npos;
  };
  if (std::any_of(name.begin(), name.end(), forbidden)) return false;
  try {
    (void)PathFromUtf8(name);
  } catch (const std::exception&) {
    return false;
  }
  return true;
#else
  return name.find('/') == std::string::npos;
#endif
}

// The names this system can hold; the others are listed in left_out.
std::vector<std::string> AllowedNames(const std::vector<std::string>& names, const char* one,
                                      const char* many, std::vector<std::string>* left_out) {
  std::vector<std::string> allowed;
  for (const std::string& name : names) {
    if (NameAllowedHere(name)) allowed.push_back(name);
  }
  const size_t refused = names.size() - allowed.size();
  if (refused > 0) {
    left_out->push_back(Counted(static_cast<long long>(refused), one, many) +
                        " with names this system forbids");
  }
  return allowed;
}

void Write(const fs::path& file, const std::string& bytes) {
  std::error_code ignored;
  fs::create_directories(file.parent_path(), ignored);
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

const std::string& Thumbnail() {
  static const std::string bytes = simhost::EncodeSolidJpeg(40, 20, 90, 140, 200);
  return bytes;
}

// A tile as a pack author would ship it: thumbnail, both previews, the HDRI
// with its small variant, and the background.
void AddCompleteTile(const fs::path& pack, const std::string& name, const std::string& base,
                     const std::string& extension) {
  Write(pack / "Thumbnails" / PathFromUtf8(name + ".jpg"), Thumbnail());
  Write(pack / "Thumbnails" / PathFromUtf8(name + "_md.jpg"), Thumbnail());
  Write(pack / "Thumbnails" / PathFromUtf8(name + "_sm.jpg"), Thumbnail());
  Write(pack / "HDRIs" / PathFromUtf8(base + extension), "#?RADIANCE\n");
  Write(pack / "HDRIs" / PathFromUtf8(base + "_SM" + extension), "#?RADIANCE\n");
  Write(pack / "Background" / PathFromUtf8(base + ".jpg"), Thumbnail());
}

void AddThumbnailOnly(const fs::path& pack, const std::string& name, const std::string& bytes) {
  Write(pack / "Thumbnails" / PathFromUtf8(name), bytes);
}

class LibraryWriter {
 public:
  explicit LibraryWriter(HostileLibrary* library) : library_(library) {}
  const fs::path& Root() const { return library_->root; }
  fs::path Pack(const std::string& folder) {
    const fs::path pack = library_->root / PathFromUtf8(folder);
    std::error_code ignored;
    fs::create_directories(pack, ignored);
    library_->packs.push_back(pack);
    return pack;
  }
  void Complete(const fs::path& pack, const std::string& name,
                const std::string& extension = ".hdr") {
    AddCompleteTile(pack, name, name.substr(0, name.find('.')), extension);
  }
  void ThumbnailOnly(const fs::path& pack, const std::string& name, const std::string& bytes) {
    AddThumbnailOnly(pack, name, bytes);
  }
  std::vector<std::string>* LeftOut() { return &library_->left_out; }

 private:
  HostileLibrary* library_;
};

void AddOrdinaryPacks(LibraryWriter& writer) {
  const fs::path complete = writer.Pack("01_Complete");
  writer.Complete(complete, "Sunset_Beach_01");
  writer.Complete(complete, "Dusk.blue", ".exr");
  writer.ThumbnailOnly(complete, "No_Background.jpg", Thumbnail());
  Write(complete / "HDRIs" / "No_Background.hdr", "#?RADIANCE\n");
  writer.Pack("02_Empty");
  const fs::path no_thumbnails = writer.Pack("03_No_Thumbnails");
  Write(no_thumbnails / "HDRIs" / "Lost.hdr", "#?RADIANCE\n");
  Write(no_thumbnails / "Background" / "Lost.jpg", Thumbnail());
  const fs::path no_hdris = writer.Pack("04_Thumbnails_Without_HDRIs");
  for (const char* name : {"Alone_1.jpg", "Alone_2.jpg", "Alone_3.jpg"}) {
    writer.ThumbnailOnly(no_hdris, name, Thumbnail());
  }
  const fs::path empty_hdris = writer.Pack("05_Empty_HDRIs");
  writer.ThumbnailOnly(empty_hdris, "Missing.jpg", Thumbnail());
  fs::create_directories(empty_hdris / "HDRIs");
  const fs::path file_thumbnails = writer.Pack("06_Thumbnails_Is_A_File");
  Write(file_thumbnails / "Thumbnails", Thumbnail());
}

// Windows lets only privileged users (or developer mode) make symbolic
// links; there the check goes on without them and says so.
void AddBrokenLinks(LibraryWriter& writer, const fs::path& thumbnails) {
  std::error_code error;
  fs::create_symlink("nowhere.jpg", thumbnails / "Dangling.jpg", error);
  if (!error) fs::create_symlink("Loop.jpg", thumbnails / "Loop.jpg", error);
  if (error) {
    writer.LeftOut()->push_back(
        "dangling and looping links (this system would not make them: " + error.message() + ")");
  }
}

void AddBrokenPictures(LibraryWriter& writer) {
  const fs::path pack = writer.Pack("07_Broken_Pictures");
  const std::string& good = Thumbnail();
  writer.ThumbnailOnly(pack, "Zero_Bytes.jpg", "");
  writer.ThumbnailOnly(pack, "Truncated.jpg", good.substr(0, good.size() / 2));
  writer.ThumbnailOnly(pack, "Garbage.jpg", kGarbage);
  writer.ThumbnailOnly(pack, "Png_Inside.jpg", "\x89PNG\r\n\x1a\n\x00\x00\x00\x0dIHDR");
  writer.ThumbnailOnly(pack, "Oversized.jpg", OversizedJpeg());
  writer.Complete(pack, "Broken_Previews");
  Write(pack / "Thumbnails" / "Broken_Previews_md.jpg", "");
  Write(pack / "Thumbnails" / "Broken_Previews_sm.jpg", kGarbage);
  for (const char* base : {"Zero_Bytes", "Truncated", "Garbage", "Png_Inside", "Oversized"}) {
    Write(pack / "HDRIs" / (std::string(base) + ".hdr"), "#?RADIANCE\n");
    Write(pack / "Background" / (std::string(base) + ".jpg"), "");
  }
  std::error_code ignored;
  fs::create_directories(pack / "Thumbnails" / "Folder.jpg", ignored);
  AddBrokenLinks(writer, pack / "Thumbnails");
}

void AddOddNames(LibraryWriter& writer) {
  const fs::path pack = writer.Pack("08_Odd_Names");
  const std::vector<std::string> odd_names{"\xff\xfe_Latin1.jpg",
                                           "Z\xc3\xbcrich_\xce\xa9.jpg",
                                           "With space.jpg",
                                           "%s%n%x.jpg",
                                           "New\nline.jpg",
                                           "Quote\"d.jpg",
                                           "_.jpg",
                                           ".jpg",
                                           "..jpg",
                                           "md.jpg",
                                           "x_md2.jpg",
                                           "Tab\tname.jpg",
                                           "Back\\slash.jpg",
                                           "a.b.c.d.jpg",
                                           std::string(200, 'L') + ".jpg",
                                           "Studio_MD.jpg"};
  for (const std::string& name : AllowedNames(odd_names, "tile", "tiles", writer.LeftOut())) {
    writer.Complete(pack, name.substr(0, name.size() - 4));
  }
  const fs::path cases = writer.Pack("09_Other_Suffixes");
  for (const char* name : {"Upper.JPG", "Long.jpeg", "Picture.png", "Mixed.Jpg", "No_Suffix"}) {
    AddThumbnailOnly(cases, name, Thumbnail());
  }
  std::error_code ignored;
  fs::create_directories(cases / "Thumbnails" / "Sub" / "Deeper", ignored);
  const std::vector<std::string> folders{"\xc3\x28_Not_UTF8", "NoUnderscore", "X_", "_Lead",
                                         "A_B_C"};
  for (const std::string& folder : AllowedNames(folders, "pack", "packs", writer.LeftOut())) {
    writer.Complete(writer.Pack(folder), "Only");
  }
  // Not packs: a .DS_Store folder and a plain file beside the packs.
  AddCompleteTile(writer.Root() / ".DS_Store", "Hidden", "Hidden", ".hdr");
  Write(writer.Root() / "readme.txt", "not a pack");
}

// A hard link where the file system allows one, else a file of its own.
void LinkOrWrite(const fs::path& original, const fs::path& link, const std::string& bytes) {
  std::error_code error;
  fs::create_hard_link(original, link, error);
  if (error) Write(link, bytes);
}

// Making files is most of what a validation run costs, so the tiles share
// one HDRI, small variant and background through hard links: steps only
// ever move those folders whole. Thumbnails and previews, which steps
// empty, stay files of their own.
void AddManyTiles(LibraryWriter& writer, int count) {
  const fs::path pack = writer.Pack("10_Many");
  if (count <= 0) return;
  writer.Complete(pack, "Tile_0");
  for (int i = 1; i < count; ++i) {
    const std::string name = "Tile_" + std::to_string(i);
    for (const char* suffix : {".jpg", "_md.jpg", "_sm.jpg"}) {
      Write(pack / "Thumbnails" / (name + suffix), Thumbnail());
    }
    LinkOrWrite(pack / "HDRIs" / "Tile_0.hdr", pack / "HDRIs" / (name + ".hdr"), "#?RADIANCE\n");
    LinkOrWrite(pack / "HDRIs" / "Tile_0_SM.hdr", pack / "HDRIs" / (name + "_SM.hdr"),
                "#?RADIANCE\n");
    LinkOrWrite(pack / "Background" / "Tile_0.jpg", pack / "Background" / (name + ".jpg"),
                Thumbnail());
  }
}

}  // namespace

std::string OversizedJpeg() {
  std::string bytes = simhost::EncodeSolidJpeg(8, 8, 200, 50, 50);
  // The start-of-frame segment holds height and width after its length and
  // precision bytes.
  for (size_t i = 0; i + 8 < bytes.size(); ++i) {
    if (static_cast<unsigned char>(bytes[i]) == 0xFF &&
        static_cast<unsigned char>(bytes[i + 1]) == 0xC0) {
      bytes[i + 5] = bytes[i + 6] = bytes[i + 7] = bytes[i + 8] = '\xfe';
      break;
    }
  }
  return bytes;
}

HostileLibrary BuildHostileLibrary(const fs::path& root, int many_tiles) {
  HostileLibrary library;
  library.root = root;
  std::error_code ignored;
  fs::create_directories(root, ignored);
  LibraryWriter writer(&library);
  AddOrdinaryPacks(writer);
  AddBrokenPictures(writer);
  AddOddNames(writer);
  AddManyTiles(writer, many_tiles);
  return library;
}

}  // namespace simhost_app

#include "demo_library.h"

#include <algorithm>
#include <system_error>

#include "artwork.h"
#include "image_io.h"
#include "lettering.h"

namespace demo {
namespace {

using Sizes = LibrarySizes;
namespace fs = std::filesystem;

StudioLight Box(float azimuth, float elevation, float halfWidth, float halfHeight, Rgb color,
                float intensity) {
  return {azimuth, elevation, halfWidth, halfHeight, false, color, intensity};
}

StudioLight Ring(float azimuth, float elevation, float outer, float inner, Rgb color,
                 float intensity) {
  return {azimuth, elevation, outer, inner, true, color, intensity};
}

DemoPack StudioPack() {
  const Rgb daylight{1.0f, 0.97f, 0.93f};
  const Rgb cool{0.85f, 0.92f, 1.0f};
  const Rgb amber{1.0f, 0.72f, 0.42f};
  return {"01_Studio_Lights",
          {{"Soft_Box_01",
            {StudioScene{{0.05f, 0.05f, 0.055f},
                         {0.1f, 0.1f, 0.11f},
                         {Box(-50, 25, 18, 14, daylight, 6), Box(65, 15, 9, 20, cool, 1.5f)}},
             1.5f}},
           {"Soft_Box_02",
            {StudioScene{{0.04f, 0.045f, 0.06f},
                         {0.07f, 0.08f, 0.11f},
                         {Box(-25, 42, 24, 9, daylight, 5), Box(155, 35, 16, 8, cool, 2.5f),
                          Box(80, 8, 5, 16, daylight, 1)}},
             1.5f}},
           {"Ring_Light",
            {StudioScene{{0.06f, 0.05f, 0.05f},
                         {0.12f, 0.1f, 0.095f},
                         {Ring(0, 12, 15, 10, daylight, 8), Box(150, 22, 6, 12, amber, 2)}},
             1.4f}},
           {"Warm_Strips",
            {StudioScene{{0.05f, 0.035f, 0.03f},
                         {0.09f, 0.065f, 0.05f},
                         {Box(-100, 20, 3, 32, amber, 5), Box(0, 20, 3, 32, amber, 5),
                          Box(100, 20, 3, 32, amber, 5)}},
             1.5f}}}};
}

DemoPack SkyPack() {
  return {"02_Open_Skies",
          {{"Clear_Noon",
            {SkyScene{{0.12f, 0.3f, 0.85f},
                      {0.62f, 0.78f, 1.0f},
                      {0.16f, 0.2f, 0.08f},
                      {1.0f, 0.97f, 0.9f},
                      30,
                      62,
                      0.15f,
                      101U},
             1.1f}},
           {"Golden_Hour",
            {SkyScene{{0.18f, 0.25f, 0.55f},
                      {1.0f, 0.58f, 0.28f},
                      {0.11f, 0.08f, 0.05f},
                      {1.0f, 0.62f, 0.28f},
                      -40,
                      6,
                      0.4f,
                      202U},
             1.3f}},
           {"Cloudy_Morning",
            {SkyScene{{0.42f, 0.48f, 0.6f},
                      {0.74f, 0.77f, 0.82f},
                      {0.14f, 0.17f, 0.11f},
                      {0.9f, 0.88f, 0.82f},
                      100,
                      28,
                      0.8f,
                      303U},
             1.1f}}}};
}

DemoPack NightPack() {
  const Rgb sodium{1.0f, 0.7f, 0.35f};
  const Rgb white{0.7f, 0.82f, 1.0f};
  return {
      "03_Night_City",
      {{"Blue_Hour",
        {NightScene{
             {0.02f, 0.05f, 0.2f}, {0.22f, 0.3f, 0.45f}, sodium, white, 0.45f, 0.0f, 0, -10, 11U},
         3.0f}},
       {"Neon_Street",
        {NightScene{{0.05f, 0.01f, 0.09f},
                    {0.45f, 0.08f, 0.38f},
                    {1.0f, 0.2f, 0.7f},
                    {0.1f, 0.9f, 1.0f},
                    0.5f,
                    0.004f,
                    0,
                    -10,
                    22U},
         3.0f}},
       {"Midnight_Rooftop",
        {NightScene{{0.006f, 0.009f, 0.025f},
                    {0.07f, 0.055f, 0.05f},
                    sodium,
                    white,
                    0.25f,
                    0.012f,
                    40,
                    35,
                    33U},
         4.0f}}}};
}

std::string Spaced(std::string name) {
  std::replace(name.begin(), name.end(), '_', ' ');
  return name;
}

// The image's name, small in the bottom left corner, with a drop shadow so
// it reads on bright skies as well as dark studios.
void LabelThumbnail(ByteImage& thumbnail, Lettering& lettering, const std::string& name) {
  const int size = 13;
  const int x = 8;
  const int baseline = thumbnail.height - 8;
  lettering.Draw(thumbnail, Spaced(name), x + 1, baseline + 1, size, Rgb{0, 0, 0});
  lettering.Draw(thumbnail, Spaced(name), x, baseline, size, Rgb{1, 1, 1});
}

class Writer {
 public:
  explicit Writer(GenerateResult& result) : result_(result) {}

  bool Folder(const fs::path& folder) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (!error && fs::is_directory(folder, error)) return true;
    result_.error = "cannot create folder " + folder.string();
    return false;
  }
  bool Jpeg(const fs::path& file, const ByteImage& image) {
    return Check(WriteJpeg(file, image, Sizes::kJpegQuality), file);
  }
  bool Png(const fs::path& file, const ByteImage& image) {
    return Check(WritePng(file, image), file);
  }
  bool Radiance(const fs::path& file, const FloatImage& image) {
    return Check(WriteRadiance(file, image), file);
  }

 private:
  bool Check(bool written, const fs::path& path) {
    if (!written) {
      result_.error = "cannot write " + path.string();
      return false;
    }
    result_.files.push_back(path);
    return true;
  }
  GenerateResult& result_;
};

bool WriteThumbnails(Writer& writer, const fs::path& folder, const std::string& name,
                     const ByteImage& thumbnail) {
  return writer.Jpeg(folder / (name + ".jpg"), thumbnail) &&
         writer.Jpeg(folder / (name + "_md.jpg"),
                     Resample(thumbnail, Sizes::kMediumWidth, Sizes::kMediumHeight)) &&
         writer.Jpeg(folder / (name + "_sm.jpg"),
                     Resample(thumbnail, Sizes::kSmallWidth, Sizes::kSmallHeight));
}

bool WriteImage(Writer& writer, const fs::path& pack, const DemoImage& image,
                Lettering& lettering) {
  const FloatImage radiance =
      RenderEnvironment(image.scene, Sizes::kBackgroundWidth, Sizes::kBackgroundHeight);
  ByteImage thumbnail =
      ToneMap(Resample(radiance, Sizes::kThumbWidth, Sizes::kThumbHeight), image.scene.exposure);
  LabelThumbnail(thumbnail, lettering, image.name);
  const FloatImage hdr = Resample(radiance, Sizes::kHdrWidth, Sizes::kHdrHeight);
  return WriteThumbnails(writer, pack / "Thumbnails", image.name, thumbnail) &&
         writer.Jpeg(pack / "Background" / (image.name + ".jpg"),
                     ToneMap(radiance, image.scene.exposure)) &&
         writer.Radiance(pack / "HDRIs" / (image.name + ".hdr"), hdr) &&
         writer.Radiance(pack / "HDRIs" / (image.name + "_SM.hdr"),
                         Resample(hdr, Sizes::kSmallHdrWidth, Sizes::kSmallHdrHeight));
}

bool WritePack(Writer& writer, const fs::path& packsDir, const DemoPack& pack,
               Lettering& lettering) {
  const fs::path folder = packsDir / pack.folder;
  if (!writer.Folder(folder / "Thumbnails") || !writer.Folder(folder / "HDRIs") ||
      !writer.Folder(folder / "Background")) {
    return false;
  }
  for (const DemoImage& image : pack.images) {
    if (!WriteImage(writer, folder, image, lettering)) return false;
  }
  return true;
}

bool WriteResources(Writer& writer, const fs::path& resDir, Lettering& lettering) {
  const ByteImage tile = DrawAddMoreTile(lettering);
  return writer.Folder(resDir) && WriteThumbnails(writer, resDir, "AddMoreHDRIs", tile) &&
         writer.Png(resDir / "icon.png", DrawIcon());
}

}  // namespace

const std::vector<DemoPack>& DemoPacks() {
  static const std::vector<DemoPack> packs{StudioPack(), SkyPack(), NightPack()};
  return packs;
}

GenerateResult GenerateDemoLibrary(const fs::path& packsDir, const fs::path& resDir,
                                   const std::string& fontFile) {
  GenerateResult result;
  Lettering lettering(fontFile);
  if (!lettering.IsReady()) {
    result.error = "cannot open font " + fontFile;
    return result;
  }
  Writer writer(result);
  for (const DemoPack& pack : DemoPacks()) {
    if (!WritePack(writer, packsDir, pack, lettering)) return result;
  }
  result.ok = WriteResources(writer, resDir, lettering);
  return result;
}

}  // namespace demo

// lumipack against the tools pack authors use: the same generated HDRIs
// made into a full pack (thumbnails at three sizes, a small HDRI, a
// background) by lumipack and by a libvips pipeline, in the same run. Each
// runs as a child process, so wall time and peak memory are its own.
// Figures are printed as ratios against the libvips pipeline.
#include <Imath/half.h>
#include <ImfChannelList.h>
#include <ImfFrameBuffer.h>
#include <ImfHeader.h>
#include <ImfOutputFile.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "radiance_format.h"

namespace {

namespace fs = std::filesystem;

struct Measure {
  double seconds = 0;
  double peak_mb = 0;
  bool ok = true;
};

// One row of a sky with a sun and its glow, and some texture to compress.
void SkyRow(int y, int width, int height, std::vector<float>* row) {
  float sun_x = width * 0.3f, sun_y = height * 0.2f, radius = width / 200.0f;
  for (int x = 0; x < width; ++x) {
    float distance = std::hypot(x - sun_x, y - sun_y);
    float glow = 8.0f * radius * radius / (radius * radius + distance * distance);
    float texture = 0.9f + 0.1f * std::sin(x * 0.05f) * std::cos(y * 0.07f);
    bool sky = y < height / 2;
    float base[3] = {sky ? 0.3f : 0.2f, sky ? 0.5f : 0.12f, sky ? 1.0f : 0.05f};
    for (int c = 0; c < 3; ++c) {
      (*row)[x * 3 + c] = distance < radius ? 30000.0f : base[c] * texture + glow;
    }
  }
}

void WriteHdr(const fs::path& file, int width, int height) {
  lumipack::RadianceWriter writer(file.string(), width, height);
  std::vector<float> row(static_cast<size_t>(width) * 3);
  for (int y = 0; y < height; ++y) {
    SkyRow(y, width, height, &row);
    writer.WriteRow(row.data());
  }
  writer.Finish();
}

void WriteExr(const fs::path& file, int width, int height) {
  Imf::Header header(width, height);
  header.compression() = Imf::ZIP_COMPRESSION;
  const char* names[3] = {"R", "G", "B"};
  for (const char* name : names) header.channels().insert(name, Imf::Channel(Imf::HALF));
  Imf::OutputFile out(file.c_str(), header);
  std::vector<float> row(static_cast<size_t>(width) * 3);
  std::vector<half> halves(row.size());
  for (int y = 0; y < height; ++y) {
    SkyRow(y, width, height, &row);
    for (size_t i = 0; i < row.size(); ++i) halves[i] = half(std::min(row[i], 65504.0f));
    char* origin = reinterpret_cast<char*>(halves.data()) -
                   static_cast<ptrdiff_t>(y) * width * 3 * sizeof(half);
    Imf::FrameBuffer frame;
    for (int c = 0; c < 3; ++c) {
      frame.insert(names[c], Imf::Slice(Imf::HALF, origin + c * sizeof(half), 3 * sizeof(half),
                                        3 * sizeof(half) * width));
    }
    out.setFrameBuffer(frame);
    out.writePixels(1);
  }
}

// Runs a program with its output discarded; its wall time and peak memory.
Measure Run(const std::vector<std::string>& arguments) {
  auto started = std::chrono::steady_clock::now();
  pid_t child = fork();
  if (child == 0) {
    int null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    dup2(null, 2);
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
      argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  Measure measure;
  measure.seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  measure.peak_mb = usage.ru_maxrss / 1024.0;
  measure.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return measure;
}

Measure Sequence(const std::vector<std::vector<std::string>>& commands) {
  Measure total;
  for (const std::vector<std::string>& command : commands) {
    Measure one = Run(command);
    total.seconds += one.seconds;
    total.peak_mb = std::max(total.peak_mb, one.peak_mb);
    total.ok = total.ok && one.ok;
  }
  return total;
}

// The pack files of one source the way pack authors make them with libvips.
// It cannot write OpenEXR, so the small variant is always a ".hdr".
std::vector<std::vector<std::string>> VipsPack(const fs::path& source, const fs::path& out) {
  fs::create_directories(out);
  std::string name = source.stem().string(), from = source.string();
  std::vector<std::vector<std::string>> commands = {
      {"vips", "thumbnail", from, (out / (name + "_bg.jpg")).string(), "2048"},
      {"vips", "thumbnail", from, (out / (name + "_SM.hdr")).string(), "1024"}};
  for (const char* size : {"400x200", "240x120", "160x80"}) {
    commands.push_back(
        {"vipsthumbnail", from, "-s", size, "-o", (out / (name + "_" + size + ".jpg")).string()});
  }
  return commands;
}

Measure Lumipack(const std::string& program, const fs::path& source, const fs::path& library) {
  return Run({program, "build", "--library", library.string(), "--create-library", "--pack",
              "01_Bench", "--force", "--no-check", "--jobs", "2", source.string()});
}

std::string Mb(double mb) {
  char text[32];
  std::snprintf(text, sizeof text, "%.0f MB", mb);
  return text;
}

void Row(const std::string& name, const Measure& ours, const Measure* theirs) {
  std::printf("%-26s lumipack %6.2f s %8s", name.c_str(), ours.seconds, Mb(ours.peak_mb).c_str());
  if (theirs != nullptr) {
    std::printf(" | libvips %6.2f s %8s | time %.2fx, memory %.2fx", theirs->seconds,
                Mb(theirs->peak_mb).c_str(), ours.seconds / theirs->seconds,
                ours.peak_mb / theirs->peak_mb);
  }
  std::printf("%s\n", ours.ok && (theirs == nullptr || theirs->ok) ? "" : "  (a run FAILED)");
  std::fflush(stdout);
}

bool HaveVips() { return Run({"vips", "--version"}).ok && Run({"vipsthumbnail", "--help"}).ok; }

}  // namespace

int main(int argc, char** argv) {
  const std::string program = LUMIPACK_PROGRAM;
  bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
  fs::path root = fs::temp_directory_path() / ("lumipack-bench-" + std::to_string(getpid()));
  fs::create_directories(root / "in");
  bool vips = HaveVips();
  if (!vips)
    std::printf(
        "note: vips or vipsthumbnail is missing (Debian: libvips-tools); libvips figures "
        "skipped\n");
  std::printf(
      "Full pack output of one generated HDRI; targets: time <= 0.8x libvips, memory <= 1x at "
      "8k\n");
  std::vector<int> widths = quick ? std::vector<int>{4096} : std::vector<int>{4096, 8192};
  for (int width : widths) {
    for (const char* format : {"hdr", "exr"}) {
      fs::path source = root / "in" / ("Sky_" + std::to_string(width) + "." + format);
      if (std::strcmp(format, "hdr") == 0) WriteHdr(source, width, width / 2);
      if (std::strcmp(format, "exr") == 0) WriteExr(source, width, width / 2);
      Measure ours = Lumipack(program, source, root / "library");
      Measure theirs = vips ? Sequence(VipsPack(source, root / "vips")) : Measure{};
      Row(std::string(format) + " " + std::to_string(width) + "x" + std::to_string(width / 2), ours,
          vips ? &theirs : nullptr);
    }
  }
  if (!quick) {
    fs::path huge = root / "in" / "Sky_16384.hdr";
    WriteHdr(huge, 16384, 8192);
    Row("hdr 16384x8192 (<= 400 MB)", Lumipack(program, huge, root / "library"), nullptr);
    fs::remove(huge);
    fs::create_directories(root / "folder");
    for (int i = 0; i < 8; ++i) {
      fs::copy_file(root / "in" / "Sky_8192.hdr",
                    root / "folder" / ("Sky_" + std::to_string(i) + ".hdr"));
    }
    Measure ours = Lumipack(program, root / "folder", root / "library");
    Measure theirs;
    if (vips) {
      for (int i = 0; i < 8; ++i) {
        Measure one = Sequence(
            VipsPack(root / "folder" / ("Sky_" + std::to_string(i) + ".hdr"), root / "vips"));
        theirs.seconds += one.seconds;
        theirs.peak_mb = std::max(theirs.peak_mb, one.peak_mb);
        theirs.ok = theirs.ok && one.ok;
      }
    }
    std::printf(
        "Folder of 8 HDRIs at 8k, one lumipack run against libvips file after file; target time <= "
        "0.6x\n");
    Row("8 x hdr 8192x4096", ours, vips ? &theirs : nullptr);
  }
  fs::remove_all(root);
  return 0;
}

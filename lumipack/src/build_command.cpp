#include "build_command.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <sstream>
#include <thread>

#include "exr_format.h"
#include "packlib/human_report.h"
#include "packlib/library_scan.h"
#include "source_list.h"
#include "text/english_counts.h"

namespace lumipack {

namespace fs = std::filesystem;

namespace {

// Lines from several workers, one at a time; on a terminal a live progress
// line stands below them.
class Reporter {
 public:
  Reporter(std::ostream& out, std::ostream& err, bool live) : out_(out), err_(err), live_(live) {}
  void Line(const std::string& text, bool error = false) {
    std::lock_guard<std::mutex> lock(mutex_);
    ClearLive();
    (error ? err_ : out_) << text << '\n';
    (error ? err_ : out_).flush();
  }
  void Progress(const std::string& name, double fraction) {
    if (!live_) return;
    std::lock_guard<std::mutex> lock(mutex_);
    out_ << "\r\x1b[2K" << name << ": " << static_cast<int>(fraction * 100) << "%";
    out_.flush();
    shown_ = true;
  }

 private:
  void ClearLive() {
    if (shown_) out_ << "\r\x1b[2K";
    shown_ = false;
  }
  std::ostream& out_;
  std::ostream& err_;
  bool live_;
  bool shown_ = false;
  std::mutex mutex_;
};

struct Tally {
  std::atomic<int> built{0}, up_to_date{0}, failed{0};
};

std::string Seconds(std::chrono::steady_clock::duration time) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f s", std::chrono::duration<double>(time).count());
  return text;
}

std::string Counter(size_t index, size_t total) {
  return "[" + std::to_string(index + 1) + "/" + std::to_string(total) + "]";
}

void BuildOne(const BuildOptions& options, const std::string& pack, const SourceFile& source,
              const std::string& counter, int threads, Reporter& reporter, Tally& tally) {
  auto started = std::chrono::steady_clock::now();
  try {
    if (!source.problem.empty()) throw std::runtime_error(source.problem);
    PackOutputs outputs = OutputsFor(pack, source.base_name, SourceExtension(source.path));
    if (!options.force && UpToDate(source.path, outputs)) {
      ++tally.up_to_date;
      reporter.Line(counter + " up to date " + source.base_name + " (" + source.path + ")");
      return;
    }
    MakePackFolders(pack);
    BuildSettings settings = options.settings;
    settings.threads = threads;
    ImageReport report = BuildImage(source.path, outputs, settings, [&](double fraction) {
      reporter.Progress(counter + " " + source.base_name, fraction);
    });
    for (const std::string& warning : report.warnings) {
      reporter.Line("warning: " + source.path + ": " + warning, true);
    }
    ++tally.built;
    reporter.Line(counter + " built " + source.base_name + " from " + source.path + " (" +
                  report.format + ", " + std::to_string(report.width) + " x " +
                  std::to_string(report.height) + ") in " +
                  Seconds(std::chrono::steady_clock::now() - started));
  } catch (const std::exception& error) {
    ++tally.failed;
    reporter.Line("error: " + source.path + ": " + error.what() + "; it is left out of the pack",
                  true);
  }
}

void BuildAll(const BuildOptions& options, const std::string& pack,
              const std::vector<SourceFile>& sources, Reporter& reporter, Tally& tally) {
  int jobs = options.jobs > 0 ? options.jobs : std::max(1u, std::thread::hardware_concurrency());
  int workers = std::max(1, std::min<int>(jobs, static_cast<int>(sources.size())));
  int threads_each = std::max(1, jobs / workers);
  SetExrThreads(threads_each);
  std::atomic<size_t> next{0};
  auto work = [&] {
    for (size_t i = next++; i < sources.size(); i = next++) {
      BuildOne(options, pack, sources[i], Counter(i, sources.size()), threads_each, reporter,
               tally);
    }
  };
  std::vector<std::thread> pool;
  for (int w = 1; w < workers; ++w) pool.emplace_back(work);
  work();
  for (std::thread& thread : pool) thread.join();
}

// The check of the whole library, narrowed to the pack just built.
int CheckPack(const BuildOptions& options, std::ostream& out) {
  packlib::LibraryCheck library = packlib::CheckLibrary(options.library);
  packlib::LibraryCheck mine;
  mine.folder = library.folder;
  for (const packlib::PackCheck& pack : library.packs) {
    if (pack.folder == options.pack) mine.packs.push_back(pack);
  }
  out << "Library check of " << (fs::path(options.library) / options.pack).string() << ":\n";
  packlib::WriteProblems(mine, out);
  packlib::LibrarySummary summary = packlib::Summarize(mine);
  out << packlib::SummaryLine(summary) << '\n';
  return packlib::CheckExitStatus(summary);
}

int Usage(const std::string& problem, std::ostream& err) {
  err << "lumipack build: " << problem << "\n"
      << "usage: lumipack build --library DIR --pack NAME SOURCE... (see lumipack build --help)\n";
  return kUsageError;
}

bool LooksLikePack(const std::string& folder) {
  std::error_code error;
  return fs::is_directory(fs::path(folder) / "Thumbnails", error) &&
         (fs::is_directory(fs::path(folder) / "HDRIs", error) ||
          fs::is_directory(fs::path(folder) / "Background", error));
}

// Problems with the options themselves; empty when there is none.
std::string OptionProblem(const BuildOptions& options) {
  if (options.library.empty()) return "--library DIR is required";
  if (options.pack.empty()) return "--pack NAME is required";
  if (options.pack.find_first_of("/\\") != std::string::npos || options.pack == "." ||
      options.pack == "..") {
    return "--pack NAME is a folder name, without separators";
  }
  if (options.sources.empty()) return "no SOURCE: name HDRI files or folders of them";
  if (LooksLikePack(options.library)) {
    return "--library " + options.library +
           " looks like a pack (it holds Thumbnails and HDRIs folders), not a library of "
           "packs: pass the folder that holds it";
  }
  return "";
}

// Sources inside the pack being written are its own outputs.
void SkipPackFiles(const std::string& pack, std::vector<SourceFile>* sources, Reporter& reporter) {
  std::error_code error;
  fs::path pack_folder = fs::weakly_canonical(pack, error);
  std::vector<SourceFile> kept;
  for (SourceFile& source : *sources) {
    fs::path parent = fs::weakly_canonical(source.path, error).parent_path().parent_path();
    if (!error && parent == pack_folder) {
      reporter.Line("warning: " + source.path + " lies in the pack being built; skipped", true);
      continue;
    }
    kept.push_back(std::move(source));
  }
  sources->swap(kept);
}

}  // namespace

int RunBuild(const BuildOptions& options, std::ostream& out, std::ostream& err) {
  std::string problem = OptionProblem(options);
  if (!problem.empty()) return Usage(problem, err);
  std::string pack = (fs::path(options.library) / options.pack).string();
  Reporter reporter(out, err, options.progress_line);
  std::vector<SourceFile> sources = GatherSources(options.sources);
  SkipPackFiles(pack, &sources, reporter);
  MarkCollisions(&sources);
  if (sources.empty()) return Usage("no .hdr or .exr file among the SOURCEs", err);
  Tally tally;
  BuildAll(options, pack, sources, reporter, tally);
  out << "Summary: "
      << lumidrome::Counted(static_cast<long long>(sources.size()), "source", "sources") << ": "
      << tally.built << " built, " << tally.up_to_date << " up to date, " << tally.failed
      << " failed\n";
  int status = tally.failed > 0 ? kBuildFailed : 0;
  if (options.check && fs::is_directory(pack)) status = std::max(status, CheckPack(options, out));
  return status;
}

}  // namespace lumipack

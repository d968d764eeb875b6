#include "build_command.h"

#include <atomic>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <future>
#include <map>
#include <mutex>
#include <sstream>
#include <thread>

#include "build_record.h"
#include "exr_format.h"
#include "packlib/browser_naming.h"
#include "packlib/human_report.h"
#include "packlib/library_scan.h"
#include "source_list.h"
#include "text/english_counts.h"

namespace lumipack {

namespace fs = std::filesystem;

namespace {

std::atomic<bool> stop_requested{false};

// A second signal ends the program at once, as it would without lumipack's
// handler.
extern "C" void RequestStop(int signal_number) {
  stop_requested = true;
  std::signal(signal_number, SIG_DFL);
}

// SIGINT and SIGTERM ask the run to stop after the files in progress, for
// as long as it lasts.
class StopOnSignals {
 public:
  StopOnSignals() {
    stop_requested = false;
    old_interrupt_ = std::signal(SIGINT, RequestStop);
    old_terminate_ = std::signal(SIGTERM, RequestStop);
  }
  ~StopOnSignals() {
    std::signal(SIGINT, old_interrupt_);
    std::signal(SIGTERM, old_terminate_);
  }
  StopOnSignals(const StopOnSignals&) = delete;
  StopOnSignals& operator=(const StopOnSignals&) = delete;

 private:
  void (*old_interrupt_)(int);
  void (*old_terminate_)(int);
};

struct Line {
  std::string text;
  bool error = false;
};

// Lines from several workers, each source's in the order of the sources; on
// a terminal a live progress line stands below them.
class Reporter {
 public:
  Reporter(std::ostream& out, std::ostream& err, bool live) : out_(out), err_(err), live_(live) {}
  void Line(const std::string& text, bool error = false) {
    std::lock_guard<std::mutex> lock(mutex_);
    Print({text, error});
  }
  void Finished(size_t index, std::vector<lumipack::Line> lines) {
    std::lock_guard<std::mutex> lock(mutex_);
    waiting_[index] = std::move(lines);
    for (auto next = waiting_.find(printed_); next != waiting_.end();
         next = waiting_.find(printed_)) {
      for (const lumipack::Line& line : next->second) Print(line);
      waiting_.erase(next);
      ++printed_;
    }
  }
  // Lines of sources after one that never finished (an interrupted run).
  void FlushWaiting() {
    std::lock_guard<std::mutex> lock(mutex_);
    for (const auto& entry : waiting_) {
      for (const lumipack::Line& line : entry.second) Print(line);
    }
    waiting_.clear();
  }
  void Progress(const std::string& name, double fraction) {
    if (!live_) return;
    std::lock_guard<std::mutex> lock(mutex_);
    out_ << "\r\x1b[2K" << name << ": " << static_cast<int>(fraction * 100) << "%";
    out_.flush();
    shown_ = true;
  }

 private:
  void Print(const lumipack::Line& line) {
    if (shown_) out_ << "\r\x1b[2K";
    shown_ = false;
    std::ostream& stream = line.error ? err_ : out_;
    stream << line.text << '\n';
    stream.flush();
  }
  std::ostream& out_;
  std::ostream& err_;
  bool live_;
  bool shown_ = false;
  std::mutex mutex_;
  std::map<size_t, std::vector<lumipack::Line>> waiting_;
  size_t printed_ = 0;
};

struct Tally {
  std::atomic<int> built{0}, up_to_date{0}, failed{0};
  int Done() const { return built + up_to_date + failed; }
};

std::string Seconds(std::chrono::steady_clock::duration time) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f s", std::chrono::duration<double>(time).count());
  return text;
}

std::string Ev(double ev) {
  char text[32];
  std::snprintf(text, sizeof text, "EV %+.2f", ev);
  return text;
}

std::string Counter(size_t index, size_t total) {
  return "[" + std::to_string(index + 1) + "/" + std::to_string(total) + "]";
}

// The options that shape a source's outputs, as its build record keeps them.
std::string ShapingOptions(const BuildSettings& settings) {
  std::ostringstream text;
  text << "layer=" << settings.layer << " exposure=" << settings.exposure_ev
       << " tonemap=" << (settings.curve == ToneCurve::kClip ? "clip" : "filmic")
       << " background=" << settings.background_width << " small_hdri=" << settings.small_hdri_width
       << " exposure_mode=";
  if (settings.exposure_mode == ExposureMode::kPack) {
    text << "pack:" << Ev(std::log2(ExposureFor(settings.pack_light)));
  } else {
    text << "image";
  }
  return text.str();
}

// Whether the outputs are those of the source as it is now; the content
// is hashed only when everything else agrees (then record gets its hash).
bool IsCurrent(const std::string& pack, const SourceFile& source, const PackOutputs& outputs,
               BuildRecord* record) {
  BuildRecord built;
  if (!ReadRecord(RecordPathFor(pack, source.base_name), &built) || !SameButHash(built, *record) ||
      !UpToDate(source.path, outputs)) {
    return false;
  }
  record->hash = ContentHashOf(source.path);
  return record->hash == built.hash;
}

struct Job {
  const BuildOptions& options;
  const BuildSettings& settings;
  const std::string& pack;
  int threads;
  Reporter& reporter;
  Tally& tally;
};

std::vector<Line> BuildOne(const Job& job, const SourceFile& source, const std::string& counter) {
  auto started = std::chrono::steady_clock::now();
  std::vector<Line> lines;
  try {
    if (!source.problem.empty()) throw std::runtime_error(source.problem);
    PackOutputs outputs = OutputsFor(job.pack, source.base_name, SourceExtension(source.path));
    BuildRecord record = RecordOfSource(source.path, ShapingOptions(job.settings));
    if (!job.options.force && IsCurrent(job.pack, source, outputs, &record)) {
      ++job.tally.up_to_date;
      lines.push_back({counter + " up to date " + source.base_name + " (" + source.path + ")"});
      return lines;
    }
    MakePackFolders(job.pack);
    // Hashed beside the build, which reads the same bytes.
    std::future<std::string> hash;
    if (record.hash.empty()) hash = std::async(std::launch::async, ContentHashOf, source.path);
    BuildSettings settings = job.settings;
    settings.threads = job.threads;
    ImageReport report = BuildImage(source.path, outputs, settings, [&](double fraction) {
      job.reporter.Progress(counter + " " + source.base_name, fraction);
    });
    if (hash.valid()) record.hash = hash.get();
    WriteRecord(RecordPathFor(job.pack, source.base_name), record);
    for (const std::string& warning : report.warnings) {
      lines.push_back({"warning: " + source.path + ": " + warning, true});
    }
    ++job.tally.built;
    lines.push_back({counter + " built " + source.base_name + " from " + source.path + " (" +
                     report.format + ", " + std::to_string(report.width) + " x " +
                     std::to_string(report.height) + ", " + Ev(report.ev) + ") in " +
                     Seconds(std::chrono::steady_clock::now() - started)});
  } catch (const std::exception& error) {
    ++job.tally.failed;
    lines.push_back(
        {"error: " + source.path + ": " + error.what() + "; it is left out of the pack", true});
  }
  return lines;
}

int WorkerCount(const BuildOptions& options, size_t sources) {
  int jobs = options.jobs > 0 ? options.jobs : std::max(1u, std::thread::hardware_concurrency());
  return std::max(1, std::min<int>(jobs, static_cast<int>(sources)));
}

// Runs work(i) for every source on a pool of workers until all are done or
// a stop is requested.
template <typename Work>
void ForEachSource(int workers, size_t count, const Work& work) {
  std::atomic<size_t> next{0};
  auto worker = [&] {
    for (size_t i = next++; i < count && !stop_requested; i = next++) work(i);
  };
  std::vector<std::thread> pool;
  for (int w = 1; w < workers; ++w) pool.emplace_back(worker);
  worker();
  for (std::thread& thread : pool) thread.join();
}

void BuildAll(const BuildOptions& options, const BuildSettings& settings, const std::string& pack,
              const std::vector<SourceFile>& sources, Reporter& reporter, Tally& tally) {
  int jobs = options.jobs > 0 ? options.jobs : std::max(1u, std::thread::hardware_concurrency());
  int workers = WorkerCount(options, sources.size());
  int threads_each = std::max(1, jobs / workers);
  SetExrThreads(threads_each);
  Job job{options, settings, pack, threads_each, reporter, tally};
  ForEachSource(workers, sources.size(), [&](size_t i) {
    reporter.Finished(i, BuildOne(job, sources[i], Counter(i, sources.size())));
    if (options.after_each) options.after_each();
  });
  reporter.FlushWaiting();
}

// With one exposure for the pack: every source's light measured first; a
// source that cannot be read gets its problem now.
LightMeasure MeasurePack(const BuildOptions& options, std::vector<SourceFile>* sources,
                         Reporter& reporter) {
  std::vector<LightMeasure> lights(sources->size());
  SetExrThreads(1);
  ForEachSource(WorkerCount(options, sources->size()), sources->size(), [&](size_t i) {
    SourceFile& source = (*sources)[i];
    if (!source.problem.empty()) return;
    try {
      lights[i] = MeasureSource(source.path, options.settings);
    } catch (const std::exception& error) {
      source.problem = error.what();
    }
  });
  LightMeasure pooled = PoolLight(lights);
  reporter.Line("One exposure for the pack: " + Ev(std::log2(ExposureFor(pooled))) +
                " before --exposure");
  return pooled;
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

int Usage(const std::string& problem, const std::string& hint, std::ostream& err) {
  err << "lumipack build: " << problem << "\n" << hint << "\n";
  return kUsageError;
}

int Usage(const std::string& problem, std::ostream& err) {
  return Usage(problem, "Run lumipack build --help for the options.", err);
}

bool LooksLikePack(const std::string& folder) {
  std::error_code error;
  return fs::is_directory(fs::path(folder) / "Thumbnails", error) &&
         (fs::is_directory(fs::path(folder) / "HDRIs", error) ||
          fs::is_directory(fs::path(folder) / "Background", error));
}

std::string LibraryProblem(const BuildOptions& options) {
  std::error_code error;
  fs::file_status status = fs::status(options.library, error);
  if (fs::exists(status) && !fs::is_directory(status)) {
    return "--library " + options.library + " is not a folder";
  }
  if (!fs::exists(status) && !options.create_library) {
    return "--library " + options.library +
           ": no such folder; check the path, or pass --create-library to create it";
  }
  if (LooksLikePack(options.library)) {
    return "--library " + options.library +
           " looks like a pack (it holds Thumbnails and HDRIs folders), not a library of "
           "packs: pass the folder that holds it";
  }
  return "";
}

// Problems with the options themselves; empty when there is none.
std::string OptionProblem(const BuildOptions& options) {
  if (options.library.empty()) return "--library DIR is required";
  if (options.pack.empty()) return "--pack NAME is required";
  if (options.pack.find_first_of("/\\") != std::string::npos || options.pack == "." ||
      options.pack == ".." || options.pack == ".DS_Store") {
    return "--pack NAME is a folder name, without separators";
  }
  if (options.sources.empty()) return "no SOURCE: name HDRI files or folders of them";
  return LibraryProblem(options);
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

int Finish(const BuildOptions& options, const std::string& pack, bool pack_existed,
           const Tally& tally, size_t total, std::ostream& out, std::ostream& err) {
  RemoveTemporaries(pack);
  // A new pack folder with nothing in it would still be listed by the browser.
  if (!pack_existed && tally.built == 0) {
    std::error_code error;
    fs::remove_all(pack, error);
  }
  out << "Summary: " << lumidrome::Counted(static_cast<long long>(total), "source", "sources")
      << ": " << tally.built << " built, " << tally.up_to_date << " up to date, " << tally.failed
      << " failed\n";
  if (stop_requested) {
    out.flush();
    err << "lumipack build: interrupted after " << tally.Done() << " of " << total
        << "; run it again to build the rest\n";
    return kInterrupted;
  }
  int status = tally.failed > 0 ? kBuildFailed : 0;
  if (options.check && fs::is_directory(pack)) status = std::max(status, CheckPack(options, out));
  return status;
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
  MarkCaseClashes(ExistingPackNames(pack), &sources);
  if (sources.empty()) return Usage("no .hdr or .exr file among the SOURCEs", err);
  std::error_code error;
  if (options.create_library && !fs::is_directory(options.library)) {
    fs::create_directories(options.library, error);
    if (error)
      return Usage("cannot create --library " + options.library + ": " + error.message(),
                   "Check the path and its permissions.", err);
  }
  out << "--pack " << options.pack << " is shown as \"" << packlib::PackDisplayName(options.pack)
      << "\"\n";
  bool pack_existed = fs::is_directory(pack, error);
  StopOnSignals stop_on_signals;
  BuildSettings settings = options.settings;
  if (settings.exposure_mode == ExposureMode::kPack) {
    settings.pack_light = MeasurePack(options, &sources, reporter);
  }
  Tally tally;
  if (!stop_requested) BuildAll(options, settings, pack, sources, reporter, tally);
  return Finish(options, pack, pack_existed, tally, sources.size(), out, err);
}

}  // namespace lumipack

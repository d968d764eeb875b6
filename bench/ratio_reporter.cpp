#include "ratio_reporter.h"

#include <cstdio>
#include <utility>

namespace lumidrome_bench {

namespace {
std::vector<std::pair<std::string, std::string>>& Pairs() {
  static std::vector<std::pair<std::string, std::string>> pairs;
  return pairs;
}

// "Name/1000" -> {"Name", "/1000"}.
std::pair<std::string, std::string> SplitArguments(const std::string& run_name) {
  const size_t slash = run_name.find('/');
  if (slash == std::string::npos) return {run_name, ""};
  return {run_name.substr(0, slash), run_name.substr(slash)};
}
}  // namespace

void CompareWithBaseline(const std::string& measured, const std::string& baseline) {
  Pairs().emplace_back(measured, baseline);
}

void RatioReporter::ReportRuns(const std::vector<Run>& runs) {
  for (const Run& run : runs) {
    if (run.run_type != Run::RT_Iteration || run.error_occurred || run.iterations == 0) continue;
    // Processor time: the work is single-threaded, and on a shared machine
    // wall time mostly measures the other jobs.
    seconds_per_iteration_[run.benchmark_name()] =
        run.cpu_accumulated_time / static_cast<double>(run.iterations);
  }
  ConsoleReporter::ReportRuns(runs);
}

void RatioReporter::PrintRatios() const {
  std::printf("\nRatios against baselines measured in this run:\n");
  for (const auto& [name, seconds] : seconds_per_iteration_) {
    const auto [function, arguments] = SplitArguments(name);
    for (const auto& [measured, baseline] : Pairs()) {
      if (function != measured) continue;
      const auto found = seconds_per_iteration_.find(baseline + arguments);
      if (found == seconds_per_iteration_.end() || found->second <= 0) continue;
      std::printf("  %-40s / %-36s = %8.2f\n", name.c_str(), (baseline + arguments).c_str(),
                  seconds / found->second);
    }
  }
}

}  // namespace lumidrome_bench

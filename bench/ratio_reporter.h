// Benchmark figures as ratios: each measured benchmark is divided by a
// baseline measured in the same run on the same machine, so the numbers
// compare across machines where absolute times do not.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace lumidrome_bench {

// Pairs every run of `measured` with the run of `baseline` that has the same
// arguments ("Measured/1000" with "Baseline/1000").
void CompareWithBaseline(const std::string& measured, const std::string& baseline);

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override;
  // Prints "measured / baseline = ratio" for every pair seen in the run.
  void PrintRatios() const;

 private:
  std::map<std::string, double> seconds_per_iteration_;
};

}  // namespace lumidrome_bench

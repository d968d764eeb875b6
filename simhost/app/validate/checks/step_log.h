// What a check is doing now, written as it goes, so that a crash or hang
// can be told by the step it happened in.
#pragma once

#include <cstdio>
#include <string>

namespace simhost_app {

// Each step reaches the file at once: a crash a moment later must not lose it.
class StepLog {
 public:
  explicit StepLog(std::FILE* file) : file_(file) {}
  void Step(const std::string& what) {
    std::fputs((what + "\n").c_str(), file_);
    std::fflush(file_);
  }

 private:
  std::FILE* file_;
};

}  // namespace simhost_app

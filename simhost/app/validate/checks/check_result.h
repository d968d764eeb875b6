// What one validation check found, and the collector a check uses to gather
// its expectations into that result.
#pragma once

#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

namespace simhost_app {

// A crash (a signal, or a crash the sanitizer caught) and a timeout are kinds
// of their own, so that CI can tell them from a check's own failure.
enum class CheckStatus { kPass, kFail, kCrash, kTimeout, kSkip };

// "pass", "fail", "crash", "timeout" or "skip".
const char* StatusName(CheckStatus status);

struct CheckResult {
  CheckStatus status = CheckStatus::kPass;
  std::string detail;  // why it failed or was skipped; a short note when it passed
  std::string report;  // a sanitizer's or crash report, printed below the line
  nlohmann::json facts = nlohmann::json::object();  // what later checks need to know
};

CheckResult Skipped(const std::string& why);

// Gathers the failures of one check; the first few become its reason.
class Findings {
 public:
  // False, and the failure noted, when condition does not hold.
  bool Expect(bool condition, const std::string& failure);
  template <typename Actual, typename Expected>
  bool ExpectEq(const Actual& actual, const Expected& expected, const std::string& what) {
    if (actual == expected) return true;
    std::ostringstream text;
    text << what << " gave " << actual << ", expected " << expected;
    return Expect(false, text.str());
  }
  // A note for the PASS line, e.g. what was exercised.
  void Note(const std::string& note) { note_ = note; }
  nlohmann::json& facts() { return facts_; }
  bool Failed() const { return !failures_.empty(); }
  CheckResult Result() const;

 private:
  std::vector<std::string> failures_;
  size_t failure_count_ = 0;
  std::string note_;
  nlohmann::json facts_ = nlohmann::json::object();
};

nlohmann::json ResultToJson(const CheckResult& result);
// A result read back from another process; a malformed one is a failure.
CheckResult ResultFromJson(const std::string& text);

}  // namespace simhost_app

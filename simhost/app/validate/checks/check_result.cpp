#include "validate/checks/check_result.h"

namespace simhost_app {

namespace {
constexpr size_t kFailuresShown = 3;
constexpr CheckStatus kAllStatuses[] = {CheckStatus::kPass, CheckStatus::kFail, CheckStatus::kCrash,
                                        CheckStatus::kTimeout, CheckStatus::kSkip};
}  // namespace

const char* StatusName(CheckStatus status) {
  switch (status) {
    case CheckStatus::kPass:
      return "pass";
    case CheckStatus::kFail:
      return "fail";
    case CheckStatus::kCrash:
      return "crash";
    case CheckStatus::kTimeout:
      return "timeout";
    case CheckStatus::kSkip:
      return "skip";
  }
  return "fail";
}

CheckResult Skipped(const std::string& why) {
  CheckResult result;
  result.status = CheckStatus::kSkip;
  result.detail = why;
  return result;
}

bool Findings::Expect(bool condition, const std::string& failure) {
  if (condition) return true;
  ++failure_count_;
  if (failures_.size() < kFailuresShown) failures_.push_back(failure);
  return false;
}

CheckResult Findings::Result() const {
  CheckResult result;
  result.facts = facts_;
  if (failures_.empty()) {
    result.detail = note_;
    return result;
  }
  result.status = CheckStatus::kFail;
  for (const std::string& failure : failures_) {
    result.detail += (result.detail.empty() ? "" : "; ") + failure;
  }
  if (failure_count_ > failures_.size()) {
    result.detail += "; and " + std::to_string(failure_count_ - failures_.size()) + " more";
  }
  return result;
}

nlohmann::json ResultToJson(const CheckResult& result) {
  return {{"status", StatusName(result.status)},
          {"detail", result.detail},
          {"report", result.report},
          {"facts", result.facts}};
}

CheckResult ResultFromJson(const std::string& text) {
  CheckResult result;
  // Module file names may hold any bytes; keep them rather than throw.
  const nlohmann::json json = nlohmann::json::parse(text, nullptr, false);
  if (json.is_discarded() || !json.is_object()) {
    result.status = CheckStatus::kFail;
    result.detail = "the check gave no readable answer";
    return result;
  }
  const std::string status = json.value("status", "fail");
  result.status = CheckStatus::kFail;
  for (CheckStatus known : kAllStatuses) {
    if (status == StatusName(known)) result.status = known;
  }
  result.detail = json.value("detail", "");
  result.report = json.value("report", "");
  if (json.contains("facts") && json["facts"].is_object()) result.facts = json["facts"];
  return result;
}

}  // namespace simhost_app

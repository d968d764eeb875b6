#include "validate/runner/validation_report.h"

#include <cstdio>

namespace simhost_app {

namespace {

// The length of the valid UTF-8 sequence at text[at], or 0.
size_t Utf8Length(const std::string& text, size_t at) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  const size_t length = lead < 0x80         ? 1
                        : (lead >> 5) == 6  ? 2
                        : (lead >> 4) == 14 ? 3
                        : (lead >> 3) == 30 ? 4
                                            : 0;
  if (length == 0 || at + length > text.size()) return 0;
  for (size_t i = 1; i < length; ++i) {
    if ((byte(at + i) >> 6) != 2) return 0;
  }
  return length;
}

// Text as XML 1.0 allows it: markup escaped, control characters and bytes
// that are not UTF-8 (module file names may hold any) replaced.
std::string XmlText(const std::string& text) {
  std::string out;
  for (size_t at = 0; at < text.size();) {
    const size_t length = Utf8Length(text, at);
    const char c = text[at];
    if (length == 0) {
      out += "\xEF\xBF\xBD";
      ++at;
      continue;
    }
    if (length == 1) {
      switch (c) {
        case '&':
          out += "&amp;";
          break;
        case '<':
          out += "&lt;";
          break;
        case '>':
          out += "&gt;";
          break;
        case '"':
          out += "&quot;";
          break;
        default:
          out += (static_cast<unsigned char>(c) < 0x20 && c != '\n' && c != '\t' && c != '\r') ? '?'
                                                                                               : c;
      }
    } else {
      out.append(text, at, length);
    }
    at += length;
  }
  return out;
}

std::string Seconds(double seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f", seconds);
  return text;
}

void WriteTestCase(const CheckOutcome& check, std::ostream& out) {
  out << "    <testcase classname=\"simhost.validate\" name=\"" << XmlText(check.name)
      << "\" time=\"" << Seconds(check.seconds) << "\"";
  const CheckResult& result = check.result;
  if (result.status == CheckStatus::kPass) {
    out << "/>\n";
    return;
  }
  out << ">\n";
  const std::string message = XmlText(result.detail);
  switch (result.status) {
    case CheckStatus::kSkip:
      out << "      <skipped message=\"" << message << "\"/>\n";
      break;
    case CheckStatus::kFail:
      out << "      <failure type=\"fail\" message=\"" << message << "\">" << message << "\n"
          << XmlText(result.report) << "</failure>\n";
      break;
    default:
      out << "      <error type=\"" << StatusName(result.status) << "\" message=\"" << message
          << "\">" << message << "\n"
          << XmlText(result.report) << "</error>\n";
  }
  out << "    </testcase>\n";
}

}  // namespace

int ValidationReport::Count(CheckStatus status) const {
  int count = 0;
  for (const CheckOutcome& check : checks) count += check.result.status == status ? 1 : 0;
  return count;
}

bool ValidationReport::Passed() const {
  return Count(CheckStatus::kFail) + Count(CheckStatus::kCrash) + Count(CheckStatus::kTimeout) == 0;
}

std::string ValidationReport::Summary() const {
  return Counted(static_cast<int>(checks.size()), "check", "checks") + ": " +
         std::to_string(Count(CheckStatus::kPass)) + " passed, " +
         std::to_string(Count(CheckStatus::kFail)) + " failed, " +
         std::to_string(Count(CheckStatus::kCrash)) + " crashed, " +
         std::to_string(Count(CheckStatus::kTimeout)) + " timed out, " +
         std::to_string(Count(CheckStatus::kSkip)) + " skipped";
}

nlohmann::json ReportToJson(const ValidationReport& report) {
  nlohmann::json checks = nlohmann::json::array();
  for (const CheckOutcome& check : report.checks) {
    checks.push_back({{"name", check.name},
                      {"description", check.description},
                      {"status", StatusName(check.result.status)},
                      {"detail", check.result.detail},
                      {"report", check.result.report},
                      {"seconds", check.seconds}});
  }
  return {{"plugin_folder", report.plugin_folder},
          {"seed", report.seed},
          {"rounds", report.rounds},
          {"build", report.build},
          {"host_version", report.host_version},
          {"seconds", report.seconds},
          {"checks", checks},
          {"summary",
           {{"checks", report.checks.size()},
            {"passed", report.Count(CheckStatus::kPass)},
            {"failed", report.Count(CheckStatus::kFail)},
            {"crashed", report.Count(CheckStatus::kCrash)},
            {"timed_out", report.Count(CheckStatus::kTimeout)},
            {"skipped", report.Count(CheckStatus::kSkip)}}}};
}

void WriteJUnit(const ValidationReport& report, std::ostream& out) {
  const int errors = report.Count(CheckStatus::kCrash) + report.Count(CheckStatus::kTimeout);
  const std::string counts = "tests=\"" + std::to_string(report.checks.size()) + "\" failures=\"" +
                             std::to_string(report.Count(CheckStatus::kFail)) + "\" errors=\"" +
                             std::to_string(errors) + "\" skipped=\"" +
                             std::to_string(report.Count(CheckStatus::kSkip)) + "\" time=\"" +
                             Seconds(report.seconds) + "\"";
  out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      << "<testsuites " << counts << ">\n"
      << "  <testsuite name=\"simhost validate " << XmlText(report.plugin_folder) << "\" " << counts
      << ">\n"
      << "    <properties>\n"
      << "      <property name=\"seed\" value=\"" << report.seed << "\"/>\n"
      << "      <property name=\"rounds\" value=\"" << report.rounds << "\"/>\n"
      << "      <property name=\"build\" value=\"" << XmlText(report.build) << "\"/>\n"
      << "      <property name=\"host-version\" value=\"" << report.host_version << "\"/>\n"
      << "    </properties>\n";
  for (const CheckOutcome& check : report.checks) WriteTestCase(check, out);
  out << "  </testsuite>\n</testsuites>\n";
}

}  // namespace simhost_app

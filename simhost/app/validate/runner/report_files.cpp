#include "validate/runner/report_files.h"

#include <cstdio>

#include "platform/platform.h"

namespace simhost_app {

namespace platform = simhost::platform;

namespace {

// A new file beside path, to be moved into its place; null, with reason set,
// when the folder refuses it.
std::FILE* StartFile(const std::string& path, std::string* temp_path, std::string* reason) {
  std::FILE* file = platform::CreateFileBeside(path, temp_path, reason);
  if (file == nullptr) *reason = "cannot write " + path + ": " + *reason;
  return file;
}

}  // namespace

std::string ReportFileProblem(const std::string& path) {
  if (path == "-") return "";
  if (path.empty()) return "the file name is empty";
  if (platform::Stat(path).is_folder) return path + " is a folder; name a file in it";
  std::string temp_path;
  std::string reason;
  std::FILE* file = StartFile(path, &temp_path, &reason);
  if (file == nullptr) return reason + "; name a file in an existing folder you may write to";
  std::fclose(file);
  platform::RemoveFile(temp_path);
  return "";
}

bool WriteReportFile(const std::string& path, const std::string& text, std::ostream& out,
                     std::ostream& err) {
  if (path == "-") {
    out << text;
    return out.flush().good();
  }
  std::string temp_path;
  std::string reason;
  std::FILE* file = StartFile(path, &temp_path, &reason);
  if (file != nullptr) {
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    const bool flushed = platform::FlushToDisk(file);
    const bool closed = std::fclose(file) == 0;
    if (!(written && flushed && closed)) {
      reason = platform::LastErrorText();
    } else if (platform::MoveIntoPlace(temp_path, path, &reason)) {
      return true;
    }
    reason = "cannot write " + path + ": " + reason;
    platform::RemoveFile(temp_path);
  }
  err << "simhost validate: " << reason << "\n";
  return false;
}

}  // namespace simhost_app

#include "session/session.h"

#include <set>

#include "common/plugin_ids.h"

namespace simhost_app {

namespace {

// Records that say little to a person unless asked for.
bool IsQuietRecord(const std::string& kind) {
  static const std::set<std::string> quiet{
      simhost::event_kind::kResource, simhost::event_kind::kSleep, simhost::event_kind::kEventAdd};
  return quiet.count(kind) > 0;
}

bool IsCommentOrBlank(const std::string& line) {
  size_t first = line.find_first_not_of(" \t\r");
  return first == std::string::npos || line[first] == '#';
}

}  // namespace

Session::Session(simhost::Host& host, std::string plugin_folder, std::ostream& out,
                 SessionOptions options)
    : host_(host),
      plugin_folder_(std::move(plugin_folder)),
      out_(out),
      options_(options),
      commands_(MakeCommandTable()) {
  host_.SetObserver(
      [this](const std::string& kind, const std::string& text) { PrintRecord(kind, text); });
}

Session::~Session() { host_.SetObserver(nullptr); }

void Session::PrintRecord(const std::string& kind, const std::string& text) {
  if (!options_.verbose && IsQuietRecord(kind)) return;
  out_ << "[" << kind << "] " << text << "\n";
}

bool Session::Start() {
  if (!host_.Load(plugin_folder_)) {
    const std::string why = host_.LastLoad().error;
    out_ << "error: the plug-in in " << plugin_folder_ << " did not start"
         << (why.empty() ? "" : ": " + why) << "\n";
    ++failures_;
    return false;
  }
  if (!host_.FindCommand(plugin_ids::kBrowserCommand)) {
    out_ << "note: the plug-in registered no browser command (builds for R14 register nothing "
            "on hosts from version 17000 on; try --host-version 14042)\n";
  }
  return true;
}

c4d_dialog* Session::FindBrowser() const {
  return host_.Windows().FindOpenDialog(plugin_ids::kBrowserCommand);
}

c4d_dialog* Session::Browser() const {
  c4d_dialog* browser = FindBrowser();
  if (!browser) throw CommandError("the browser is not open (run open first)");
  return browser;
}

void Session::PrintError(const std::string& text) { out_ << where_ << "error: " << text << "\n"; }

bool Session::RunWords(const std::vector<std::string>& words) {
  const CommandSpec* command = commands_.Find(words[0]);
  try {
    if (!command) throw CommandError("unknown command (help lists them)");
    command->run(*this, Arguments({words.begin() + 1, words.end()}));
    return true;
  } catch (const std::exception& error) {
    PrintError(words[0] + ": " + error.what());
  }
  ++failures_;
  return false;
}

bool Session::RunLine(const std::string& line) {
  std::vector<std::string> words;
  try {
    words = SplitWords(line);
  } catch (const CommandError& error) {
    PrintError(error.what());
    ++failures_;
    return false;
  }
  return words.empty() || RunWords(words);
}

int Session::RunScript(std::istream& in, const std::string& name) {
  const int before = failures_;
  std::string line;
  for (int number = 1; !finished_ && std::getline(in, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.find_first_not_of(" \t") == std::string::npos) continue;
    out_ << (IsCommentOrBlank(line) ? "" : "> ") << line << "\n";
    where_ = name.empty() ? "" : name + ":" + std::to_string(number) + ": ";
    RunLine(line);
  }
  where_.clear();
  out_.flush();
  return failures_ - before;
}

}  // namespace simhost_app

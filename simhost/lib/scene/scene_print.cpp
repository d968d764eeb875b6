// Document::Describe: the listing that people and tests read.
#include <algorithm>

#include "document.h"
#include "element_types.h"
#include "text/text_util.h"

namespace simhost {

namespace {

std::string Pad(int indent) { return std::string(static_cast<size_t>(indent), ' '); }

std::string SelectionMark(const Atom* atom, const std::vector<Atom*>& selected) {
  auto it = std::find(selected.begin(), selected.end(), atom);
  if (it == selected.end()) return "";
  return " [selected " + std::to_string(it - selected.begin() + 1) + "]";
}

// The short names printed beside the parameter ids of an element of this
// type; empty for ids without one.
std::string ParameterName(int32_t type, int32_t id) {
  if (id == param_id::kName) return "name";
  switch (type) {
    case type_id::kHdriObject:
      if (id == param_id::kHdriFile) return "HDRI file";
      if (id == param_id::kHdriBackground) return "background";
      if (id == param_id::kHdriSceneFlag) return "hook mark";
      return "";
    case type_id::kHdriTag:
      if (id == param_id::kHdriTagFile) return "HDRI file";
      if (id == param_id::kHdriTagMode) return "mode";
      if (id == param_id::kHdriTagOtherExists) return "other variant";
      return "";
    case type_id::kView:
      return id == param_id::kViewEnvironmentOverride ? "view HDRI" : "";
    default:
      return "";
  }
}

Container::IdNames NamesOf(const Atom* atom) {
  const int32_t type = atom->Type();
  return [type](int32_t id) { return ParameterName(type, id); };
}

// "messages: 1037792 (2 times)": what the element received, by type in the
// order first received.
std::string ReceivedMessages(const Atom* atom, int indent) {
  std::vector<std::pair<int32_t, int>> counts;
  for (const MessageRecord& record : atom->Messages()) {
    auto it = std::find_if(counts.begin(), counts.end(),
                           [&](const auto& count) { return count.first == record.type; });
    if (it == counts.end()) {
      counts.emplace_back(record.type, 1);
    } else {
      ++it->second;
    }
  }
  if (counts.empty()) return "";
  std::string text;
  for (const auto& [type, count] : counts) {
    text += (text.empty() ? "" : ", ") + std::to_string(type) +
            (count > 1 ? " (" + std::to_string(count) + " times)" : "");
  }
  return Pad(indent) + "messages: " + text + "\n";
}

void DescribeObject(const Document& doc, const Atom* object, int indent, std::string* out) {
  *out += Pad(indent) + object->Label() + SelectionMark(object, doc.SelectedObjects()) + "\n";
  *out += object->Data().Describe(indent + 4, NamesOf(object));
  *out += ReceivedMessages(object, indent + 4);
  for (const Atom* tag : object->Tags().Items()) {
    *out += Pad(indent + 2) + "tag " + tag->Label() + SelectionMark(tag, doc.SelectedTags()) + "\n";
    *out += tag->Data().Describe(indent + 6, NamesOf(tag));
    *out += ReceivedMessages(tag, indent + 6);
  }
  for (const Atom* child : object->Children().Items()) {
    DescribeObject(doc, child, indent + 2, out);
  }
}

void DescribeTake(const TakeData& takes, const Take* take, int indent, std::string* out) {
  *out += Pad(indent) + "take " + QuoteText(take->Name()) + (take->IsMain() ? " (main)" : "") +
          (take == takes.Current() ? " [current]" : "") + "\n";
  for (const auto& entry : take->Overrides()) {
    const Atom* node = FindAtom(entry->Node());
    const std::string target = node != nullptr ? node->Label() : std::string("(deleted)");
    for (const OverrideParam& param : entry->Params()) {
      const int32_t type = node != nullptr ? node->Type() : 0;
      *out += Pad(indent + 4) + "override " + target + " " + ParameterIdText(type, param.id) +
              " = " + param.override_value.Describe() + " (backup " +
              param.backup_value.Describe() + ")\n";
    }
  }
  for (const Atom* child : take->Children().Items()) {
    DescribeTake(takes, static_cast<const Take*>(child), indent + 2, out);
  }
}

}  // namespace

std::string ParameterIdText(int32_t type, const std::vector<c4d_desc_level>& id) {
  std::string text;
  for (const c4d_desc_level& level : id) {
    text += (text.empty() ? "[" : ".") + std::to_string(level.id);
  }
  const std::string name = id.size() == 1 ? ParameterName(type, id[0].id) : std::string();
  return text + (name.empty() ? "" : " " + name) + "]";
}

std::string Document::Describe() const {
  std::string out = "document " + QuoteText(Name()) + " path " + QuoteText(file_path_) + "\n";
  out += Data().Describe(4, NamesOf(this));
  out += "  objects:\n";
  for (const Atom* object : objects_.Items()) DescribeObject(*this, object, 4, &out);
  out += "  materials:\n";
  for (const Atom* material : materials_.Items()) {
    out += "    " + material->Label() + SelectionMark(material, SelectedMaterials()) + "\n";
    out += material->Data().Describe(8, NamesOf(material));
  }
  const Atom* active = ActiveMaterial();
  out += "  active material: " + (active != nullptr ? active->Label() : std::string("none")) + "\n";
  out += "  view: " + view_->Label() + "\n" + view_->Data().Describe(6, NamesOf(view_.get()));
  out += "  takes (values above are those of the current take):\n";
  DescribeTake(takes_, takes_.Main(), 4, &out);
  out += "  undo: " + Counted(undo_.UndoCount(), "step", "steps") + ", " +
         std::to_string(undo_.RedoCount()) + " to redo\n";
  return out;
}

}  // namespace simhost

#include "gadget.h"

namespace simhost {

const char* KindName(GadgetKind kind) {
  switch (kind) {
    case GadgetKind::kGroup:
      return "group";
    case GadgetKind::kScrollGroup:
      return "scrollgroup";
    case GadgetKind::kStaticText:
      return "statictext";
    case GadgetKind::kButton:
      return "button";
    case GadgetKind::kCheckbox:
      return "checkbox";
    case GadgetKind::kComboBox:
      return "combobox";
    case GadgetKind::kEditText:
      return "edittext";
    case GadgetKind::kSeparator:
      return "separator";
    case GadgetKind::kUserArea:
      return "userarea";
  }
  return "gadget";
}

int Gadget::SelectedEntry() const {
  for (size_t i = 0; i < entries.size(); ++i) {
    if (entries[i].value == int_value) return static_cast<int>(i);
  }
  return -1;
}

std::string Gadget::ComboText() const {
  int selected = SelectedEntry();
  return selected < 0 ? std::string() : entries[static_cast<size_t>(selected)].text;
}

bool WalkTree(Gadget& root, const std::function<bool(Gadget&)>& visit) {
  if (!visit(root)) return false;
  for (auto& child : root.children) {
    if (!WalkTree(*child, visit)) return false;
  }
  return true;
}

Gadget* FindFirst(Gadget& root, int32_t id, const std::function<bool(const Gadget&)>& accept) {
  Gadget* found = nullptr;
  WalkTree(root, [&](Gadget& gadget) {
    if (gadget.id == id && accept(gadget)) found = &gadget;
    return found == nullptr;
  });
  return found;
}

Gadget* FindFirstOfKind(Gadget& root, int32_t id, GadgetKind kind) {
  return FindFirst(root, id, [kind](const Gadget& g) { return g.kind == kind; });
}

int Depth(const Gadget& gadget) {
  int depth = 0;
  for (const Gadget* at = gadget.parent; at; at = at->parent) ++depth;
  return depth;
}

bool Shown(const Gadget& gadget) {
  for (const Gadget* at = &gadget; at; at = at->parent) {
    if (at->hidden) return false;
  }
  return true;
}

}  // namespace simhost

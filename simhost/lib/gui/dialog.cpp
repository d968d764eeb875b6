#include "dialog.h"

#include <algorithm>

namespace simhost {

uint64_t NextSerial() {
  // Starts well above zero so that no handle is ever null.
  static uint64_t next = 0x1000;
  return ++next;
}

Dialog::Dialog(const c4d_dialog_callbacks* callbacks_in, void* self_in)
    : callbacks(callbacks_in), self(self_in), serial_(NextSerial()) {
  root_ = MakeRoot();
  builder_ = {root_.get()};
}

c4d_dialog* Dialog::handle() const {
  return reinterpret_cast<c4d_dialog*>(static_cast<uintptr_t>(serial_));
}

Rect Dialog::ClientRect() const {
  return Rect{0, 0, std::max(size.width, 0), std::max(size.height - kTitleBarHeight, 0)};
}

// The window itself is a one-column group that fills the client area.
std::unique_ptr<Gadget> Dialog::MakeRoot() {
  auto root = std::make_unique<Gadget>();
  root->kind = GadgetKind::kGroup;
  root->serial = NextSerial();
  root->id = INT32_MIN;
  root->flags = kFitHorizontal | kScaleHorizontal | kFitVertical | kScaleVertical;
  root->columns = 1;
  root->border_left = root->border_top = root->border_right = root->border_bottom = kWindowMargin;
  return root;
}

void Dialog::ResetTree() {
  root_ = MakeRoot();
  by_serial_.clear();
  by_id_.clear();
  builder_ = {root_.get()};
  layout_dirty = true;
}

void Dialog::Register(Gadget& gadget) {
  by_serial_[gadget.serial] = &gadget;
  std::vector<Gadget*>& same_id = by_id_[gadget.id];
  gadget.id_slot = same_id.size();
  same_id.push_back(&gadget);
  for (auto& child : gadget.children) Register(*child);
}

void Dialog::Unregister(Gadget& gadget, std::vector<uint64_t>& areas) {
  by_serial_.erase(gadget.serial);
  auto same_id = by_id_.find(gadget.id);
  if (same_id != by_id_.end()) {
    // Mostly one gadget per id: a vector, not a set, costs one allocation.
    std::vector<Gadget*>& gadgets = same_id->second;
    if (gadget.id_slot < gadgets.size() && gadgets[gadget.id_slot] == &gadget) {
      gadgets[gadget.id_slot] = gadgets.back();
      gadgets[gadget.id_slot]->id_slot = gadget.id_slot;
      gadgets.pop_back();
    }
    if (gadgets.empty()) by_id_.erase(same_id);
  }
  if (gadget.area != 0) areas.push_back(gadget.area);
  gadget.area = 0;
  builder_.erase(std::remove(builder_.begin(), builder_.end(), &gadget), builder_.end());
  for (auto& child : gadget.children) Unregister(*child, areas);
}

Gadget* Dialog::Add(std::unique_ptr<Gadget> gadget) {
  Gadget* parent = builder_.back();
  gadget->serial = NextSerial();
  gadget->parent = parent;
  parent->awaiting_refill = false;
  Gadget* added = gadget.get();
  parent->children.push_back(std::move(gadget));
  Register(*added);
  layout_dirty = true;
  return added;
}

// A group_begin with the id of a group that was just flushed and is the
// insertion point re-opens that group instead of nesting a new one.
Gadget* Dialog::BeginGroup(std::unique_ptr<Gadget> group) {
  if (static_cast<int>(builder_.size()) > kMaxNesting) return nullptr;
  Gadget* current = builder_.back();
  if (current->awaiting_refill && current->id == group->id && current->kind == group->kind &&
      current->children.empty()) {
    group->serial = current->serial;
    group->parent = current->parent;
    group->id_slot = current->id_slot;
    group->scroll_x = current->scroll_x;
    group->scroll_y = current->scroll_y;
    group->min_size = current->min_size;
    group->rect = current->rect;
    group->viewport = current->viewport;
    group->content = current->content;
    std::swap(*current, *group);
    current->awaiting_refill = false;
    builder_.push_back(current);
    layout_dirty = true;
    return current;
  }
  Gadget* added = Add(std::move(group));
  builder_.push_back(added);
  return added;
}

bool Dialog::EndGroup() {
  if (builder_.size() <= 1) return false;
  builder_.pop_back();
  return true;
}

Gadget* Dialog::Find(int32_t id, const std::function<bool(const Gadget&)>& accept) {
  // Ids are nearly always unique; the walk in tree order only settles which
  // of several gadgets sharing an id comes first. Without it, building a grid
  // of n tiles would cost n walks of a growing tree.
  auto same_id = by_id_.find(id);
  if (same_id == by_id_.end()) return nullptr;
  if (same_id->second.size() == 1) {
    Gadget* only = same_id->second.front();
    return accept(*only) ? only : nullptr;
  }
  for (auto& child : root_->children) {
    if (Gadget* found = FindFirst(*child, id, accept)) return found;
  }
  return nullptr;
}

Gadget* Dialog::FindKind(int32_t id, GadgetKind kind) {
  return Find(id, [kind](const Gadget& g) { return g.kind == kind; });
}

Gadget* Dialog::FindBySerial(uint64_t serial) const {
  auto found = by_serial_.find(serial);
  return found == by_serial_.end() ? nullptr : found->second;
}

void Dialog::Flush(Gadget& group, std::vector<std::unique_ptr<Gadget>>& removed,
                   std::vector<uint64_t>& areas) {
  for (auto& child : group.children) {
    Unregister(*child, areas);
    child->parent = nullptr;
    removed.push_back(std::move(child));
  }
  group.children.clear();
  group.awaiting_refill = true;
  builder_.clear();
  for (Gadget* at = &group; at; at = at->parent) builder_.insert(builder_.begin(), at);
  layout_dirty = true;
}

std::unique_ptr<Gadget> Dialog::Remove(Gadget& gadget, std::vector<uint64_t>& areas) {
  Gadget* parent = gadget.parent;
  if (!parent) return nullptr;
  Unregister(gadget, areas);
  if (builder_.empty()) builder_ = {root_.get()};
  auto& siblings = parent->children;
  auto at =
      std::find_if(siblings.begin(), siblings.end(),
                   [&gadget](const std::unique_ptr<Gadget>& g) { return g.get() == &gadget; });
  std::unique_ptr<Gadget> taken = std::move(*at);
  siblings.erase(at);
  taken->parent = nullptr;
  layout_dirty = true;
  return taken;
}

// The old root goes with the rest: a caller further up may still hold it.
void Dialog::Clear(std::vector<std::unique_ptr<Gadget>>& removed, std::vector<uint64_t>& areas) {
  Flush(*root_, removed, areas);
  removed.push_back(std::move(root_));
  ResetTree();
}

void Dialog::Log(const DrawCall& call) {
  if (draw_log.size() >= kDrawLogLimit) draw_log.pop_front();
  draw_log.push_back(call);
}

}  // namespace simhost

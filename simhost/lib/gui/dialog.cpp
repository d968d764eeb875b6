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
  auto [first, added] = by_id_.try_emplace(gadget.id, &gadget);
  gadget.same_id_previous = nullptr;
  gadget.same_id_next = nullptr;
  if (!added) {
    // Chained in behind the first, which stays where lookups find it.
    Gadget* head = first->second;
    gadget.same_id_previous = head;
    gadget.same_id_next = head->same_id_next;
    if (head->same_id_next) head->same_id_next->same_id_previous = &gadget;
    head->same_id_next = &gadget;
  }
  for (auto& child : gadget.children) Register(*child);
}

void Dialog::LeaveIdChain(Gadget& gadget) {
  Gadget* previous = gadget.same_id_previous;
  Gadget* next = gadget.same_id_next;
  if (next) next->same_id_previous = previous;
  if (previous) {
    previous->same_id_next = next;
  } else {
    auto first = by_id_.find(gadget.id);
    if (first != by_id_.end() && first->second == &gadget) {
      if (next) {
        first->second = next;
      } else {
        by_id_.erase(first);
      }
    }
  }
  gadget.same_id_previous = nullptr;
  gadget.same_id_next = nullptr;
}

void Dialog::Unregister(Gadget& gadget, std::vector<uint64_t>& areas) {
  by_serial_.erase(gadget.serial);
  LeaveIdChain(gadget);
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
    group->same_id_previous = current->same_id_previous;
    group->same_id_next = current->same_id_next;
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
  if (!same_id->second->same_id_next) {
    Gadget* only = same_id->second;
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
  removed.reserve(removed.size() + group.children.size());
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

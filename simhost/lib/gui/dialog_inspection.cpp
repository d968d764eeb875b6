// Text descriptions of windows and gadgets, for people and for tests.
#include <sstream>

#include "text/text_util.h"
#include "window_engine.h"

namespace simhost {

namespace {

std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    if (static_cast<unsigned char>(c) < 0x20) {
      out += '?';
      continue;
    }
    out += c;
  }
  return out + "\"";
}

std::string Place(const Rect& r) {
  std::ostringstream out;
  out << r.x << "," << r.y << " " << r.width << "x" << r.height;
  return out.str();
}

std::string Entries(const Gadget& g) {
  std::ostringstream out;
  out << "[";
  for (size_t i = 0; i < g.entries.size(); ++i) {
    if (i > 0) out << ", ";
    if (static_cast<int>(i) == g.SelectedEntry()) out << "*";
    out << g.entries[i].value << " " << Quoted(g.entries[i].text);
  }
  return out.str() + "]";
}

void DescribeKindFields(std::ostream& out, const Gadget& g, const std::string& area_state) {
  switch (g.kind) {
    case GadgetKind::kGroup:
      out << " cols=" << g.columns << " rows=" << g.rows << " groupflags=" << g.group_flags
          << " space=" << g.space_x << "," << g.space_y;
      if (!g.text.empty()) out << " title=" << Quoted(g.text);
      if (g.border_style != C4D_BORDER_NONE) out << " border=" << g.border_style;
      break;
    case GadgetKind::kScrollGroup:
      out << " scrollflags=" << g.scroll_flags << " scroll=" << g.scroll_x << "," << g.scroll_y
          << " visible=" << g.viewport.width << "x" << g.viewport.height
          << " content=" << g.content.width << "x" << g.content.height;
      break;
    case GadgetKind::kComboBox:
      out << " value=" << g.int_value << " shows=" << Quoted(g.ComboText())
          << " entries=" << Entries(g);
      break;
    case GadgetKind::kCheckbox:
      out << " value=" << g.int_value << " " << Quoted(g.text);
      break;
    case GadgetKind::kEditText:
      out << " value=" << g.float_value << " " << Quoted(g.text);
      break;
    case GadgetKind::kUserArea:
      out << " " << area_state << " min=" << g.min_size.width << "x" << g.min_size.height;
      break;
    case GadgetKind::kSeparator:
      out << (g.vertical ? " vertical" : " horizontal");
      break;
    default:
      out << " " << Quoted(g.text);
      break;
  }
}

std::string AreaState(const WindowEngine& engine, const Gadget& g) {
  if (g.area == 0) return "detached";
  const UserArea* area = engine.FindArea(g.area);
  return area && area->callbacks ? "attached" : "detached";
}

void DescribeGadget(const WindowEngine& engine, std::ostream& out, const Gadget& g, int depth) {
  out << std::string(static_cast<size_t>(depth) * 2, ' ') << KindName(g.kind) << " " << g.id
      << " flags=" << g.flags;
  DescribeKindFields(out, g, AreaState(engine, g));
  out << " at " << Place(g.rect);
  if (g.hidden) out << " hidden";
  if (!g.enabled) out << " disabled";
  out << "\n";
  for (const auto& child : g.children) DescribeGadget(engine, out, *child, depth + 1);
}

const Gadget* FirstOf(const Gadget& g, GadgetKind kind, bool with_text) {
  if (g.kind == kind && (!with_text || !g.text.empty())) return &g;
  for (const auto& child : g.children) {
    if (const Gadget* found = FirstOf(*child, kind, with_text)) return found;
  }
  return nullptr;
}

}  // namespace

std::string DialogInspection::DescribeTree(Dialog& dialog) {
  engine_.layout().EnsureLayout(dialog);
  std::ostringstream out;
  out << "dialog " << Quoted(dialog.title) << " " << dialog.size.width << "x" << dialog.size.height
      << (dialog.open ? " open" : " closed") << " plugin=" << dialog.plugin_id << "\n";
  for (const auto& child : dialog.root().children) DescribeGadget(engine_, out, *child, 1);
  return out.str();
}

namespace {

GridCellInfo CellInfo(const WindowEngine& engine, const Gadget& group, const Gadget& cell,
                      size_t index) {
  GridCellInfo info;
  const GridCell place = CellOf(group, index);
  info.column = place.column;
  info.row = place.row;
  info.x = cell.rect.x;
  info.y = cell.rect.y;
  info.width = cell.rect.width;
  info.height = cell.rect.height;
  if (const Gadget* area = FirstOf(cell, GadgetKind::kUserArea, false)) {
    info.has_area = true;
    info.area_id = area->id;
    info.attached = AreaState(engine, *area) == "attached";
    info.area_width = area->rect.width;
    info.area_height = area->rect.height;
  }
  if (const Gadget* label = FirstOf(cell, GadgetKind::kStaticText, true)) info.label = label->text;
  return info;
}

}  // namespace

GridInfo DialogInspection::QueryGrid(Dialog& dialog, int32_t group_id) {
  GridInfo grid;
  grid.group_id = group_id;
  engine_.layout().EnsureLayout(dialog);
  Gadget* group = dialog.Find(group_id, [](const Gadget& g) { return g.IsGroup(); });
  if (!group) return grid;
  grid.found = true;
  std::vector<Gadget*> cells = VisibleChildren(*group);
  GridShape shape = ShapeOf(*group, cells.size());
  grid.columns = shape.columns;
  grid.rows = shape.rows;
  for (size_t i = 0; i < cells.size(); ++i) {
    grid.cells.push_back(CellInfo(engine_, *group, *cells[i], i));
  }
  return grid;
}

std::string GridText(const GridInfo& grid) {
  if (!grid.found) return "no group " + std::to_string(grid.group_id) + "\n";
  std::ostringstream out;
  out << "grid " << grid.group_id << ": " << Counted(grid.columns, "column", "columns") << ", "
      << Counted(grid.rows, "row", "rows") << ", " << Counted(grid.cells.size(), "cell", "cells")
      << "\n";
  for (size_t i = 0; i < grid.cells.size(); ++i) {
    const GridCellInfo& cell = grid.cells[i];
    out << "  cell " << i << " column " << cell.column << " row " << cell.row << " at "
        << Place(Rect{cell.x, cell.y, cell.width, cell.height}) << ":";
    if (cell.has_area) {
      out << " userarea " << cell.area_id << (cell.attached ? " attached " : " detached ")
          << cell.area_width << "x" << cell.area_height;
    }
    out << " label " << Quoted(cell.label) << "\n";
  }
  return out.str();
}

GadgetInfo DialogInspection::QueryGadget(Dialog& dialog, int32_t id) {
  GadgetInfo info;
  engine_.layout().EnsureLayout(dialog);
  Gadget* g = dialog.Find(id, [](const Gadget&) { return true; });
  if (!g) return info;
  info.found = true;
  info.kind = KindName(g->kind);
  info.id = g->id;
  info.flags = g->flags;
  info.columns = g->columns;
  info.rows = g->rows;
  info.int_value = g->int_value;
  info.float_value = g->float_value;
  info.text = g->kind == GadgetKind::kComboBox ? g->ComboText() : g->text;
  for (const ComboEntry& e : g->entries) info.entries.emplace_back(e.value, e.text);
  info.selected_entry = g->kind == GadgetKind::kComboBox ? g->SelectedEntry() : -1;
  info.enabled = g->enabled;
  info.hidden = g->hidden;
  info.has_user_area = AreaState(engine_, *g) == "attached";
  info.min_width = g->min_size.width;
  info.min_height = g->min_size.height;
  info.x = g->rect.x;
  info.y = g->rect.y;
  info.width = g->rect.width;
  info.height = g->rect.height;
  info.child_count = g->children.size();
  return info;
}

std::vector<VisibleUserArea> DialogInspection::VisibleUserAreas(Dialog& dialog) {
  std::vector<VisibleUserArea> seen;
  if (!dialog.open) return seen;
  engine_.layout().EnsureLayout(dialog);
  const Rect client = dialog.ClientRect();
  WalkTree(dialog.root(), [&](Gadget& g) {
    if (g.kind != GadgetKind::kUserArea || !Shown(g)) return true;
    Rect place = ScreenRect(g);
    Rect visible = Intersect(place, VisibleClip(g, client));
    if (visible.Empty()) return true;
    place = place.Moved(0, kTitleBarHeight);
    visible = visible.Moved(0, kTitleBarHeight);
    seen.push_back(VisibleUserArea{g.id, AreaState(engine_, g) == "attached", place.x, place.y,
                                   place.width, place.height, visible.x, visible.y, visible.width,
                                   visible.height});
    return true;
  });
  return seen;
}

}  // namespace simhost

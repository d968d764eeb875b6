// Takes; the R14 interface has none.
#ifndef C4D_API_R14

#include "c4d_host_private.h"
#include "c4d_libs/lib_takesystem.h"

namespace {

using c4dhost::AtomOf;
using c4dhost::FromAtom;

c4d_take_data* TakesOf(TakeData* takes) { return reinterpret_cast<c4d_take_data*>(takes); }

}  // namespace

BaseTake* TakeData::GetCurrentTake() {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr ? FromAtom<BaseTake>(table->scene->takes_get_current(TakesOf(this)))
                          : nullptr;
}

BaseTake* TakeData::GetMainTake() {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr ? FromAtom<BaseTake>(table->scene->takes_get_main(TakesOf(this)))
                          : nullptr;
}

Bool TakeData::SetCurrentTake(BaseTake* take) {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr && take != nullptr &&
         table->scene->takes_set_current(TakesOf(this), AtomOf(take));
}

Bool TakeData::GetUndoState() {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr && table->scene->takes_get_undo_state(TakesOf(this));
}

void TakeData::SetUndoState(Bool state) {
  const c4d_function_table* table = c4dhost::Table();
  if (table != nullptr) table->scene->takes_set_undo_state(TakesOf(this), state ? 1 : 0);
}

Bool BaseTake::IsMain() {
  const c4d_function_table* table = c4dhost::Table();
  return table != nullptr && table->scene->take_is_main(AtomOf(this));
}

BaseOverride* BaseTake::FindOrAddOverrideParam(TakeData* takeData, BaseList2D* node,
                                               const DescID& descID, const GeData& overrideValue,
                                               const GeData& backupValue, Bool deleteAnim) {
  const c4d_function_table* table = c4dhost::Table();
  if (table == nullptr || takeData == nullptr || node == nullptr) return nullptr;
  c4d_desc_level levels[c4dhost::kMaxDescLevels];
  int32_t depth = c4dhost::DescLevels(descID, levels);
  c4dhost::HostValue overrideHostValue(overrideValue);
  c4dhost::HostValue backupHostValue(backupValue);
  return FromAtom<BaseOverride>(table->scene->take_find_or_add_override_param(
      AtomOf(this), TakesOf(takeData), AtomOf(node), levels, depth, overrideHostValue.Get(),
      backupHostValue.Get(), deleteAnim ? 1 : 0));
}

#endif  // C4D_API_R14

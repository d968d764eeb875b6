// Fault: the module takes a folder's entries for the ones it saw at the same
// places in its first listing of that folder, so it crashes when a folder
// lists the same names in another order.
#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "forward_to_real_module.h"

namespace {

struct Listing {
  std::string folder;
  std::vector<std::string> names;
};

c4d_function_table g_table;
const c4d_file_api* g_host_file = nullptr;
c4d_file_api g_file;
std::map<c4d_dir*, Listing> g_open;
std::map<std::string, std::vector<std::string>> g_first;

void KeepText(void* ctx, const char* text, int64_t length) {
  static_cast<std::string*>(ctx)->assign(text, static_cast<size_t>(length));
}

// A listing that ended: the first of its folder is remembered, a later one
// with the same names in another order is the fault's trigger.
void Compare(const Listing& listing) {
  auto first = g_first.find(listing.folder);
  if (first == g_first.end()) {
    g_first[listing.folder] = listing.names;
    return;
  }
  std::vector<std::string> before = first->second;
  std::vector<std::string> now = listing.names;
  if (before == now) return;
  std::sort(before.begin(), before.end());
  std::sort(now.begin(), now.end());
  if (before == now) broken_module::Crash();
  first->second = listing.names;
}

void WatchedInit(c4d_dir* dir, const char* path, int32_t flags) {
  g_open[dir] = Listing{path != nullptr ? path : "", {}};
  g_host_file->dir_init(dir, path, flags);
}

c4d_bool WatchedNext(c4d_dir* dir) {
  const c4d_bool more = g_host_file->dir_next(dir);
  auto listing = g_open.find(dir);
  if (listing == g_open.end()) return more;
  if (!more) {
    Compare(listing->second);
    g_open.erase(listing);
    return more;
  }
  std::string name;
  g_host_file->dir_name(dir, KeepText, &name);
  listing->second.names.push_back(name);
  return more;
}

void WatchedFree(c4d_dir* dir) {
  g_open.erase(dir);
  g_host_file->dir_free(dir);
}

}  // namespace

BROKEN_EXPORT int32_t c4d_main(int32_t action, void* p1, void* p2, void* p3) {
  if (action == C4D_ACTION_INIT && p1 != nullptr) {
    g_table = *static_cast<const c4d_function_table*>(p1);
    g_host_file = g_table.file;
    g_file = *g_host_file;
    g_file.dir_init = WatchedInit;
    g_file.dir_next = WatchedNext;
    g_file.dir_free = WatchedFree;
    g_table.file = &g_file;
    p1 = &g_table;
  }
  return broken_module::Forward(action, p1, p2, p3);
}

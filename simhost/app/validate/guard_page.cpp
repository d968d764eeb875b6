#include "validate/guard_page.h"

#include <sys/mman.h>
#include <unistd.h>

namespace simhost_app {

void* UnreadableAddress() {
  static void* page = [] {
    const long size = ::sysconf(_SC_PAGESIZE);
    void* mapped =
        ::mmap(nullptr, static_cast<size_t>(size), PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    return mapped == MAP_FAILED ? nullptr : mapped;
  }();
  return page;
}

}  // namespace simhost_app

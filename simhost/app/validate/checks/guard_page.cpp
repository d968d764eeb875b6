#include "validate/checks/guard_page.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace simhost_app {

namespace {

#ifdef _WIN32
// Reserved and committed, then every access taken away.
void* MapUnreadablePage() {
  SYSTEM_INFO system;
  ::GetSystemInfo(&system);
  void* page = ::VirtualAlloc(nullptr, system.dwPageSize, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
  DWORD previous = 0;
  if (page != nullptr && !::VirtualProtect(page, system.dwPageSize, PAGE_NOACCESS, &previous)) {
    ::VirtualFree(page, 0, MEM_RELEASE);
    return nullptr;
  }
  return page;
}
#else
void* MapUnreadablePage() {
  const long size = ::sysconf(_SC_PAGESIZE);
  void* mapped =
      ::mmap(nullptr, static_cast<size_t>(size), PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  return mapped == MAP_FAILED ? nullptr : mapped;
}
#endif

}  // namespace

void* UnreadableAddress() {
  static void* page = MapUnreadablePage();
  return page;
}

}  // namespace simhost_app

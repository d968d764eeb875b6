// Loads a Windows plug-in module as the host does and checks the answers of
// its entry against a minimal function table (only the version and size set).
//
//   windows_loader MODULE R17|R14
//
// Exit status 0 when every answer is right, 1 otherwise, 2 for bad use.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "c4d_function_table.h"

namespace {

typedef int32_t(__cdecl* EntryPoint)(int32_t action, void* p1, void* p2, void* p3);

const int32_t kVersionAction = C4D_ACTION_VERSION;
const int32_t kInitAction = C4D_ACTION_INIT;
const int32_t kMessageAction = C4D_ACTION_MESSAGE;
const int32_t kEndAction = C4D_ACTION_END;
const int32_t kUnknownMessage = 424242;

int g_failures = 0;

void Expect(const char* what, int32_t answer, int32_t expected) {
  bool right = answer == expected;
  if (!right) ++g_failures;
  std::printf("%s %s: %d (expected %d)\n", right ? "PASS" : "FAIL", what, static_cast<int>(answer),
              static_cast<int>(expected));
}

std::string Utf8(const wchar_t* text) {
  int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return std::string();
  std::string bytes(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, &bytes[0], size, nullptr, nullptr);
  bytes.resize(static_cast<size_t>(size - 1));
  return bytes;
}

// One load of the module, unloaded again when it goes.
class LoadedModule {
 public:
  explicit LoadedModule(const wchar_t* path) : module_(LoadLibraryW(path)) {}
  ~LoadedModule() {
    if (module_ != nullptr) FreeLibrary(module_);
  }
  LoadedModule(const LoadedModule&) = delete;
  LoadedModule& operator=(const LoadedModule&) = delete;

  EntryPoint Entry() const {
    if (module_ == nullptr) return nullptr;
    return reinterpret_cast<EntryPoint>(
        reinterpret_cast<void*>(GetProcAddress(module_, "c4d_main")));
  }

 private:
  HMODULE module_;
};

// Every area of the table present, each with only its size set: the module
// may accept the host, and any call it made would crash the run.
template <typename Area>
const Area* EmptyArea() {
  static Area area;
  std::memset(&area, 0, sizeof area);
  area.size = sizeof area;
  return &area;
}

c4d_function_table MinimalTable(int32_t version) {
  c4d_function_table table;
  std::memset(&table, 0, sizeof table);
  table.version = version;
  table.size = sizeof table;
  table.general = EmptyArea<c4d_general_api>();
  table.container = EmptyArea<c4d_container_api>();
  table.resource = EmptyArea<c4d_resource_api>();
  table.file = EmptyArea<c4d_file_api>();
  table.bitmap = EmptyArea<c4d_bitmap_api>();
  table.dialog = EmptyArea<c4d_dialog_api>();
  table.plugin = EmptyArea<c4d_plugin_api>();
  table.scene = EmptyArea<c4d_scene_api>();
  return table;
}

void* MessageId(int32_t id) { return reinterpret_cast<void*>(static_cast<intptr_t>(id)); }

// A host too old for the build is refused; the refused start still counts
// and is ended by the first action 3.
bool CheckRefusal(const wchar_t* path, std::string& modulePath, int32_t minimum) {
  LoadedModule module(path);
  EntryPoint entry = module.Entry();
  if (entry == nullptr) return false;
  Expect("action 4", entry(kVersionAction, nullptr, nullptr, nullptr), C4D_ANSWER_FRAME_VERSION);
  c4d_function_table old = MinimalTable(minimum - 1);
  Expect("action 1, host one version too old", entry(kInitAction, &old, nullptr, &modulePath[0]),
         C4D_ANSWER_UNUSABLE_HOST);
  Expect("action 3 after the refusal", entry(kEndAction, nullptr, nullptr, nullptr), C4D_ANSWER_OK);
  return true;
}

bool CheckLifecycle(const wchar_t* path, std::string& modulePath, int32_t minimum) {
  LoadedModule module(path);
  EntryPoint entry = module.Entry();
  if (entry == nullptr) return false;
  c4d_function_table current = MinimalTable(minimum);
  Expect("action 1, current host", entry(kInitAction, &current, nullptr, &modulePath[0]),
         C4D_ANSWER_OK);
  Expect("message 0", entry(kMessageAction, MessageId(C4D_MESSAGE_PRIORITY), nullptr, nullptr),
         C4D_ANSWER_OK);
  Expect("unknown message", entry(kMessageAction, MessageId(kUnknownMessage), nullptr, nullptr),
         C4D_ANSWER_REFUSED);
  Expect("action 3", entry(kEndAction, nullptr, nullptr, nullptr), C4D_ANSWER_OK);
  return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3 || (std::wcscmp(argv[2], L"R17") != 0 && std::wcscmp(argv[2], L"R14") != 0)) {
    std::fprintf(stderr, "usage: windows_loader MODULE R17|R14\n");
    return 2;
  }
  int32_t minimum = std::wcscmp(argv[2], L"R17") == 0 ? 17030 : 14000;
  std::string modulePath = Utf8(argv[1]);
  std::printf("module %s, interface minimum %d\n", modulePath.c_str(), static_cast<int>(minimum));
  if (!CheckRefusal(argv[1], modulePath, minimum) ||
      !CheckLifecycle(argv[1], modulePath, minimum)) {
    std::printf("FAIL cannot load %s or find c4d_main in it (error %lu)\n", modulePath.c_str(),
                static_cast<unsigned long>(GetLastError()));
    return 1;
  }
  std::printf("%d failure(s)\n", g_failures);
  return g_failures == 0 ? 0 : 1;
}

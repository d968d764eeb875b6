#include "fake_table.h"

#include <string.h>

namespace host_test {

namespace {

// ------------------------------------------------------------- containers

// A stored value; its text pointer is refreshed on each read because the
// string moves with the entry vector.
struct FakeValue {
  c4d_value value{};
  std::string text;
  c4d_container* nested = nullptr;

  c4d_value Current() const {
    c4d_value current = value;
    if (current.text != nullptr) current.text = text.c_str();
    return current;
  }
};

int g_liveContainers = 0;
std::map<std::string, std::string> g_files;
std::vector<std::string> g_calls;

}  // namespace
}  // namespace host_test

// Defined at global scope: c4d_container is the table's opaque handle type.
struct c4d_container {
  int32_t id = 0;
  std::vector<std::pair<int32_t, host_test::FakeValue>> entries;
};

namespace host_test {
namespace {

c4d_container* Create(int32_t id) {
  ++g_liveContainers;
  c4d_container* container = new c4d_container();
  container->id = id;
  return container;
}

void Destroy(c4d_container* container);

void Release(FakeValue* value) {
  if (value->nested != nullptr) Destroy(value->nested);
  value->nested = nullptr;
}

void Destroy(c4d_container* container) {
  if (container == nullptr) return;
  for (auto& entry : container->entries) Release(&entry.second);
  --g_liveContainers;
  delete container;
}

void SetValue(c4d_container* container, int32_t key, const c4d_value* value);

c4d_container* Clone(const c4d_container* source) {
  c4d_container* copy = Create(source->id);
  for (const auto& entry : source->entries) {
    c4d_value value = entry.second.Current();
    SetValue(copy, entry.first, &value);
  }
  return copy;
}

int32_t GetId(const c4d_container* container) { return container->id; }
void SetId(c4d_container* container, int32_t id) { container->id = id; }
int32_t Count(const c4d_container* container) {
  return static_cast<int32_t>(container->entries.size());
}

int32_t KeyAt(const c4d_container* container, int32_t index) {
  if (index < 0 || index >= Count(container)) return -1;
  return container->entries[static_cast<size_t>(index)].first;
}

FakeValue* Find(const c4d_container* container, int32_t key) {
  for (auto& entry : const_cast<c4d_container*>(container)->entries) {
    if (entry.first == key) return &entry.second;
  }
  return nullptr;
}

c4d_bool GetValue(const c4d_container* container, int32_t key, c4d_value* out) {
  FakeValue* value = Find(container, key);
  if (value == nullptr) return 0;
  *out = value->Current();
  return 1;
}

// Copies the value as the host does: text and nested containers are owned.
void SetValue(c4d_container* container, int32_t key, const c4d_value* value) {
  FakeValue* slot = Find(container, key);
  if (slot == nullptr) {
    container->entries.emplace_back(key, FakeValue());
    slot = &container->entries.back().second;
  }
  Release(slot);
  slot->value = *value;
  if (value->text != nullptr) {
    slot->text.assign(value->text, static_cast<size_t>(value->text_length));
  }
  if (value->type == C4D_VALUE_CONTAINER && value->container != nullptr) {
    slot->nested = Clone(value->container);
    slot->value.container = slot->nested;
  }
}

c4d_bool Remove(c4d_container* container, int32_t key) {
  for (auto it = container->entries.begin(); it != container->entries.end(); ++it) {
    if (it->first != key) continue;
    Release(&it->second);
    container->entries.erase(it);
    return 1;
  }
  return 0;
}

void Flush(c4d_container* container) {
  for (auto& entry : container->entries) Release(&entry.second);
  container->entries.clear();
}

// ------------------------------------------------------------------ files

struct FakeFile {
  std::string path;
  std::string bytes;
  size_t position = 0;
  int32_t order = 1;
  int32_t error = 0;
  bool writing = false;
};

FakeFile* FileOf(c4d_file* file) { return reinterpret_cast<FakeFile*>(file); }
const FakeFile* FileOf(const c4d_file* file) { return reinterpret_cast<const FakeFile*>(file); }

c4d_file* FileAlloc() { return reinterpret_cast<c4d_file*>(new FakeFile()); }

c4d_bool FileClose(c4d_file* handle) {
  FakeFile* file = FileOf(handle);
  if (file->writing) g_files[file->path] = file->bytes;
  file->writing = false;
  return 1;
}

void FileFree(c4d_file* handle) {
  FileClose(handle);
  delete FileOf(handle);
}

c4d_bool FileOpen(c4d_file* handle, const char* path, int32_t mode, int32_t error_dialog,
                  int32_t byte_order, int32_t type, int32_t creator) {
  (void)error_dialog;
  (void)type;
  (void)creator;
  g_calls.push_back(std::string("bf_open ") + path);
  FakeFile* file = FileOf(handle);
  file->path = path;
  file->order = byte_order;
  file->position = 0;
  file->writing = mode == 2;
  if (file->writing) {
    file->bytes.clear();
    return 1;
  }
  auto found = g_files.find(path);
  if (found == g_files.end()) return 0;
  file->bytes = found->second;
  return 1;
}

c4d_bool FileWriteBytes(c4d_file* handle, const void* data, int64_t length) {
  FakeFile* file = FileOf(handle);
  file->bytes.append(static_cast<const char*>(data), static_cast<size_t>(length));
  file->position = file->bytes.size();
  return 1;
}

int64_t FileReadBytes(c4d_file* handle, void* data, int64_t length, c4d_bool just_try) {
  FakeFile* file = FileOf(handle);
  size_t available = file->bytes.size() - file->position;
  size_t count = static_cast<size_t>(length) < available ? static_cast<size_t>(length) : available;
  memcpy(data, file->bytes.data() + file->position, count);
  file->position += count;
  if (count < static_cast<size_t>(length) && !just_try) file->error = -3;
  return static_cast<int64_t>(count);
}

c4d_bool FileWriteInt32(c4d_file* handle, int32_t value) {
  uint32_t bits = static_cast<uint32_t>(value);
  unsigned char bytes[4];
  for (int i = 0; i < 4; ++i) {
    int shift = FileOf(handle)->order == 2 ? 8 * i : 8 * (3 - i);
    bytes[i] = static_cast<unsigned char>(bits >> shift);
  }
  return FileWriteBytes(handle, bytes, 4);
}

c4d_bool FileReadInt32(c4d_file* handle, int32_t* value) {
  unsigned char bytes[4];
  if (FileReadBytes(handle, bytes, 4, 0) != 4) return 0;
  uint32_t bits = 0;
  for (int i = 0; i < 4; ++i) {
    int shift = FileOf(handle)->order == 2 ? 8 * i : 8 * (3 - i);
    bits |= static_cast<uint32_t>(bytes[i]) << shift;
  }
  *value = static_cast<int32_t>(bits);
  return 1;
}

int64_t FilePosition(c4d_file* handle) { return static_cast<int64_t>(FileOf(handle)->position); }
int64_t FileLength(c4d_file* handle) { return static_cast<int64_t>(FileOf(handle)->bytes.size()); }
int32_t FileGetError(const c4d_file* handle) { return FileOf(handle)->error; }
void FileSetError(c4d_file* handle, int32_t error) { FileOf(handle)->error = error; }
void FileSetOrder(c4d_file* handle, int32_t order) { FileOf(handle)->order = order; }

// ------------------------------------------- calls that only take text

int g_handle = 0;  // the address every fake folder browser and bitmap shares

c4d_bool Exists(const char* path, c4d_bool is_directory) {
  (void)is_directory;
  g_calls.push_back(std::string("exists ") + path);
  return 1;
}

c4d_dir* DirAlloc() { return reinterpret_cast<c4d_dir*>(&g_handle); }
void DirFree(c4d_dir* dir) { (void)dir; }
void DirInit(c4d_dir* dir, const char* path, int32_t flags) {
  (void)dir;
  (void)flags;
  g_calls.push_back(std::string("dir_init ") + path);
}

c4d_bitmap* BitmapAlloc() { return reinterpret_cast<c4d_bitmap*>(&g_handle); }
void BitmapFree(c4d_bitmap* bitmap) { (void)bitmap; }
int32_t BitmapInitFile(c4d_bitmap* bitmap, const char* path, int32_t frame) {
  (void)bitmap;
  (void)frame;
  g_calls.push_back(std::string("init_file ") + path);
  return 1;
}

void Print(const char* line) { g_calls.push_back(std::string("print ") + line); }
c4d_bool OpenHtml(const char* address) {
  g_calls.push_back(std::string("open_html ") + address);
  return 1;
}

// ------------------------------------------------------------------ scene

FakeAtom* AtomOf(const c4d_atom* atom) {
  return reinterpret_cast<FakeAtom*>(const_cast<c4d_atom*>(atom));
}

int32_t AtomType(const c4d_atom* atom) { return AtomOf(atom)->type; }
c4d_bool AtomIsInstanceOf(const c4d_atom* atom, int32_t type) { return AtomType(atom) == type; }
c4d_container* AtomData(c4d_atom* atom) { return AtomOf(atom)->data; }

}  // namespace

// Every area says it is as large as this build knows it.
FakeTable::FakeTable() : table_() {
  table_.version = 17048;
  table_.size = sizeof(c4d_function_table);
  general_.size = sizeof(general_);
  container_.size = sizeof(container_);
  resource_.size = sizeof(resource_);
  file_.size = sizeof(file_);
  bitmap_.size = sizeof(bitmap_);
  dialog_.size = sizeof(dialog_);
  plugin_.size = sizeof(plugin_);
  scene_.size = sizeof(scene_);
  table_.general = &general_;
  table_.container = &container_;
  table_.resource = &resource_;
  table_.file = &file_;
  table_.bitmap = &bitmap_;
  table_.dialog = &dialog_;
  table_.plugin = &plugin_;
  table_.scene = &scene_;
  c4d_container_api& containers = container_;
  containers.create = Create;
  containers.clone = Clone;
  containers.destroy = Destroy;
  containers.get_id = GetId;
  containers.set_id = SetId;
  containers.count = Count;
  containers.key_at = KeyAt;
  containers.get = GetValue;
  containers.set = SetValue;
  containers.remove = Remove;
  containers.flush = Flush;
  c4d_file_api& files = file_;
  files.bf_alloc = FileAlloc;
  files.bf_free = FileFree;
  files.bf_open = FileOpen;
  files.bf_close = FileClose;
  files.bf_write_bytes = FileWriteBytes;
  files.bf_read_bytes = FileReadBytes;
  files.bf_write_int32 = FileWriteInt32;
  files.bf_read_int32 = FileReadInt32;
  files.bf_get_position = FilePosition;
  files.bf_get_length = FileLength;
  files.bf_get_error = FileGetError;
  files.bf_set_error = FileSetError;
  files.bf_set_order = FileSetOrder;
  files.exists = Exists;
  files.dir_alloc = DirAlloc;
  files.dir_free = DirFree;
  files.dir_init = DirInit;
  bitmap_.alloc = BitmapAlloc;
  bitmap_.free = BitmapFree;
  bitmap_.init_file = BitmapInitFile;
  general_.print = Print;
  general_.open_html = OpenHtml;
  scene_.get_type = AtomType;
  scene_.is_instance_of = AtomIsInstanceOf;
  scene_.get_data_instance = AtomData;
}

FakeTable::~FakeTable() {
  for (auto& atom : atoms_) Destroy(atom->data);
  g_files.clear();
  g_calls.clear();
}

std::map<std::string, std::string>& FakeTable::Files() { return g_files; }

FakeAtom* FakeTable::NewAtom(int32_t type) {
  atoms_.push_back(std::make_unique<FakeAtom>());
  atoms_.back()->type = type;
  atoms_.back()->data = Create(0);
  return atoms_.back().get();
}

int FakeTable::LiveContainers() { return g_liveContainers; }

std::vector<std::string>& FakeTable::Calls() { return g_calls; }

}  // namespace host_test

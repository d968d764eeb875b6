// A small in-memory function table for the host-layer unit tests: value
// containers, binary files and elements that hold a data container. Every
// area is there at its full size; functions the tests do not touch stay
// null.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "c4d_function_table.h"

namespace host_test {

// One element: a type and its own data container.
struct FakeAtom {
  int32_t type = 0;
  c4d_container* data = nullptr;
};

class FakeTable {
 public:
  FakeTable();
  ~FakeTable();
  FakeTable(const FakeTable&) = delete;
  FakeTable& operator=(const FakeTable&) = delete;

  c4d_function_table* Get() { return &table_; }

  // Files written through the table, by path.
  std::map<std::string, std::string>& Files();

  FakeAtom* NewAtom(int32_t type);
  c4d_atom* Handle(FakeAtom* atom) { return reinterpret_cast<c4d_atom*>(atom); }

  // Containers created and not yet destroyed.
  static int LiveContainers();

  // The scene area, for tests that make it look older or newer.
  c4d_scene_api& Scene() { return scene_; }

  // Every path and text handed to the fake's file checks, folder browsing,
  // bitmap loading, console and web pages, as "<call> <text>".
  std::vector<std::string>& Calls();

 private:
  c4d_general_api general_{};
  c4d_container_api container_{};
  c4d_resource_api resource_{};
  c4d_file_api file_{};
  c4d_bitmap_api bitmap_{};
  c4d_dialog_api dialog_{};
  c4d_plugin_api plugin_{};
  c4d_scene_api scene_{};
  c4d_function_table table_;
  std::vector<std::unique_ptr<FakeAtom>> atoms_;
};

}  // namespace host_test

// The names a module file offers to other modules: the defined global and
// weak entries of its ELF dynamic symbol table, read from the file itself
// without loading it.
#pragma once

#include <string>
#include <vector>

namespace simhost_app {

// False, with error set, when the file is no readable ELF shared object with
// a dynamic symbol table.
bool ReadExportedSymbols(const std::string& file, std::vector<std::string>* names,
                         std::string* error);

}  // namespace simhost_app

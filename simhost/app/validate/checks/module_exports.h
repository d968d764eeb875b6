// The names a module file offers to other modules, read from the file itself
// without loading it, so that any host can check a module of any system: the
// defined global and weak entries of an ELF dynamic symbol table, or the
// export directory of a PE module (entries exported by ordinal alone appear
// as "ordinal N").
#pragma once

#include <string>
#include <vector>

namespace simhost_app {

// False, with error set, when the file is neither a readable ELF shared
// object with a dynamic symbol table nor a readable PE module.
bool ReadExportedSymbols(const std::string& file, std::vector<std::string>* names,
                         std::string* error);

}  // namespace simhost_app

// What a folder must hold before its module is worth checking: one module
// (a host would load only one of two, and the checks would test that one
// alone) and the res/ folder the module reads its dialogs and strings from.
#pragma once

#include <string>

namespace simhost_app {

// "holds two modules, A.so and B.so; ..." when it holds more than one
// module of this system; empty otherwise.
std::string ExtraModuleProblem(const std::string& plugin_folder);

// "has no res/ folder; ..." when res/ is missing; empty otherwise.
std::string ResourceFolderProblem(const std::string& plugin_folder);

}  // namespace simhost_app

// Random but reproducible sequences of what a user and the host do to the
// browser, run against a hostile library: the seed and the kind decide every
// step, so a failure names the step that a rerun with the same seed repeats.
#pragma once

#include "validate/checks/check_result.h"
#include "validate/checks/step_log.h"
#include "validate/checks/validation_settings.h"

namespace simhost_app {

enum class SequenceKind {
  kChoosers,        // pack and size choices, folder selections, web pages
  kClicks,          // tile clicks with every button, on changing scenes
  kWindowMessages,  // resizes, cursor information, layouts, closing, painting
  kLibraryChanges,  // all of the above while folders come and go
};

const char* SequenceName(SequenceKind kind);

// settings.rounds * 5 steps of that kind.
CheckResult CheckRandomSequence(const ValidationSettings& settings, StepLog& steps,
                                SequenceKind kind);

}  // namespace simhost_app

# What the test scripts of this folder share, for `cmake -P` scripts:
# required -D arguments, and running a command that must succeed. A failure
# names the scratch folder (the including script's ${scratch}), kept for a
# look.

# require_arguments(<script> <name>...): stops unless each -D<name> is set.
function(require_arguments script)
  foreach(required ${ARGN})
    if(NOT ${required})
      message(FATAL_ERROR "${script}: pass -D${required}=...")
    endif()
  endforeach()
endfunction()

# run(<what> <command...>): runs a command, stops with its output when it
# fails; the output goes to last_output.
function(run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE output
    ERROR_VARIABLE output)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${what} failed (${status}):\n${output}\nThe folders are kept in ${scratch}.")
  endif()
  set(last_output "${output}" PARENT_SCOPE)
endfunction()

# lumidrome_find_openexr(): find_package(OpenEXR CONFIG REQUIRED) without
# the noise of Debian's Imath package files, which list the Python binding
# (Imath::PyImath_Python3_11) and print a "file does not exist" notice when
# python3-imath is not installed; nothing here uses the binding. Only the
# package's status notices are quieted: its warnings and errors still show,
# and the libraries the build does link are checked here instead.
macro(lumidrome_find_openexr)
  set(lumidrome_log_level_before "${CMAKE_MESSAGE_LOG_LEVEL}")
  set(CMAKE_MESSAGE_LOG_LEVEL WARNING)
  find_package(OpenEXR CONFIG REQUIRED)
  set(CMAKE_MESSAGE_LOG_LEVEL "${lumidrome_log_level_before}")
  message(STATUS "Found OpenEXR ${OpenEXR_VERSION}: ${OpenEXR_DIR}")
  lumidrome_check_imported_files(OpenEXR::OpenEXR OpenEXR::OpenEXRCore OpenEXR::Iex
    OpenEXR::IlmThread Imath::Imath)
endmacro()

# lumidrome_check_imported_files(<target>...): a warning for each imported
# library file that is missing, as the package files would have said.
function(lumidrome_check_imported_files)
  foreach(target ${ARGN})
    if(NOT TARGET ${target})
      message(WARNING "OpenEXR's package files define no ${target}; reinstall libopenexr-dev")
      continue()
    endif()
    get_target_property(configurations ${target} IMPORTED_CONFIGURATIONS)
    if(NOT configurations)
      continue()
    endif()
    foreach(configuration ${configurations})
      get_target_property(file ${target} IMPORTED_LOCATION_${configuration})
      if(file AND NOT EXISTS "${file}")
        message(WARNING "${target} names ${file}, which does not exist; reinstall its package")
      endif()
    endforeach()
  endforeach()
endfunction()

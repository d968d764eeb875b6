# Module file names of the host's plug-in interface, by platform.
if(WIN32)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(LUMIDROME_MODULE_SUFFIX ".cdl64")
  else()
    set(LUMIDROME_MODULE_SUFFIX ".cdl")
  endif()
elseif(APPLE)
  set(LUMIDROME_MODULE_SUFFIX ".dylib")
else()
  set(LUMIDROME_MODULE_SUFFIX ".so")
endif()

# lumidrome_plugin_folder(<target> <flavour>): lays the module out as an
# installed plug-in folder, <build>/plugins/<flavour>/Lumidrome/, with the
# plug-in's res/ and Packs/ beside it.
function(lumidrome_plugin_folder target flavour)
  set(folder "${CMAKE_BINARY_DIR}/plugins/${flavour}/Lumidrome")
  # The generator expression keeps Visual Studio and Xcode from adding a
  # Debug/ or Release/ folder: the module stays beside res/ and Packs/.
  set_target_properties(${target} PROPERTIES
    PREFIX ""
    OUTPUT_NAME "Lumidrome"
    SUFFIX "${LUMIDROME_MODULE_SUFFIX}"
    LIBRARY_OUTPUT_DIRECTORY "${folder}$<0:>"
    ARCHIVE_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/link/${flavour}"
    PDB_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/link/${flavour}"
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
  if(MSVC)
    # c4d_main is declared dllexport by the frame and MSVC exports nothing
    # else; the static runtime (see HostSdkBuild.cmake) needs no DLL beside it.
  elseif(WIN32)
    # c4d_main (declared dllexport) is the only export, and the runtime
    # libraries are linked in: the module needs no DLL beside it.
    target_link_options(${target} PRIVATE -static "-Wl,--exclude-all-symbols")
  elseif(APPLE)
    target_link_options(${target} PRIVATE "-Wl,-exported_symbol,_c4d_main")
  else()
    # c4d_main is the only export; -fno-gnu-unique lets the module really
    # unload, so every load starts from fresh module state.
    target_link_options(${target} PRIVATE
      "-Wl,--version-script=${PROJECT_SOURCE_DIR}/cmake/exports.map" "-Wl,--no-undefined")
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
      target_compile_options(${target} PRIVATE -fno-gnu-unique)
    endif()
  endif()
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_directory "${PROJECT_SOURCE_DIR}/res" "${folder}/res"
    COMMAND ${CMAKE_COMMAND} -E copy_directory "${PROJECT_SOURCE_DIR}/Packs" "${folder}/Packs"
    COMMAND ${CMAKE_COMMAND} -E copy "${PROJECT_SOURCE_DIR}/Install.txt" "${folder}/Install.txt"
    VERBATIM)
  set_property(GLOBAL APPEND PROPERTY LUMIDROME_PLUGIN_FOLDERS "${flavour}=${folder}")
endfunction()

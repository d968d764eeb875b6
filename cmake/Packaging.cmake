# What ships: `cmake --build <build> --target package` (CPack) makes one
# archive per part, each named with the project version, in <build>/packages:
#   Lumidrome-<version>-sdk-source          the plug-in's sources, to build against
#                                           the host's SDK (made by Linux builds)
#   Lumidrome-<version>-tools-Linux-<cpu>   simhost, lumipack and simhost's font
#   Lumidrome-<version>-simhost-win64       simhost.exe and its font (win64 build)
#   Lumidrome-<version>-<release>-<system>  the plug-in folder for the real host
#                                           (builds against the host's SDK)

set(CPACK_PACKAGE_NAME "Lumidrome")
set(CPACK_PACKAGE_VENDOR "Lumidrome")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DIRECTORY "${CMAKE_BINARY_DIR}/packages")
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING IGNORE)  # one archive per part
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_STRIP_FILES ON)  # the programs without their debugging information
if(WIN32 OR LUMIDROME_HOST_SDK)  # what artists unpack
  set(CPACK_GENERATOR "ZIP")
else()
  set(CPACK_GENERATOR "TGZ")
endif()
set(package_prefix "Lumidrome-${PROJECT_VERSION}")

# lumidrome_package(<part> <archive name>): names the archive of one part.
macro(lumidrome_package part name)
  string(TOUPPER "${part}" upper)
  set(CPACK_ARCHIVE_${upper}_FILE_NAME "${name}")
  list(APPEND CPACK_COMPONENTS_ALL ${part})
endmacro()
set(CPACK_COMPONENTS_ALL "")

if(LUMIDROME_HOST_SDK)
  # The plug-in folder as artists install it.
  string(TOLOWER "${CMAKE_SYSTEM_NAME}" system)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    string(APPEND system "64")
  else()
    string(APPEND system "32")
  endif()
  install(DIRECTORY "${CMAKE_BINARY_DIR}/plugins/${LUMIDROME_HOST_RELEASE}/Lumidrome"
    DESTINATION . COMPONENT plugin USE_SOURCE_PERMISSIONS)
  lumidrome_package(plugin "${package_prefix}-${LUMIDROME_HOST_RELEASE}-${system}")
elseif(WIN32)
  if(TARGET simhost)
    set(root "${package_prefix}-simhost-win64")
    install(TARGETS simhost RUNTIME DESTINATION ${root} COMPONENT simhost)
    install(FILES "${SIMHOST_FONT_FILE}" DESTINATION ${root} COMPONENT simhost)
    lumidrome_package(simhost "${root}")
  endif()
else()
  # The sources of the build against the host's SDK: the plug-in, what ships
  # beside it, and the CMake files of that build alone.
  # (Each archive unpacks into one folder of its own name.)
  set(part sdk_source)
  set(root "${package_prefix}-sdk-source")
  install(DIRECTORY "${PROJECT_SOURCE_DIR}/source/gui" DESTINATION ${root}/source
    COMPONENT ${part} PATTERN "CMakeLists.txt" EXCLUDE)
  install(DIRECTORY "${PROJECT_SOURCE_DIR}/res" "${PROJECT_SOURCE_DIR}/Packs" DESTINATION ${root}
    COMPONENT ${part})
  install(FILES "${PROJECT_SOURCE_DIR}/cmake/HostSdkBuild.cmake"
    "${PROJECT_SOURCE_DIR}/cmake/PluginModule.cmake" "${PROJECT_SOURCE_DIR}/cmake/Packaging.cmake"
    "${PROJECT_SOURCE_DIR}/cmake/exports.map" DESTINATION ${root}/cmake COMPONENT ${part})
  install(FILES "${PROJECT_SOURCE_DIR}/CMakeLists.txt" "${PROJECT_SOURCE_DIR}/CMakePresets.json"
    "${PROJECT_SOURCE_DIR}/Install.txt" "${PROJECT_SOURCE_DIR}/BUILDING.txt"
    "${PROJECT_SOURCE_DIR}/CHANGELOG.md" DESTINATION ${root} COMPONENT ${part})
  lumidrome_package(${part} "${root}")

  # The stand-in host and the pack builder, with the font simhost draws with.
  if(TARGET simhost)
    set(tools simhost)
    if(TARGET lumipack)
      list(APPEND tools lumipack)
    endif()
    set(root "${package_prefix}-tools-Linux-${CMAKE_SYSTEM_PROCESSOR}")
    install(TARGETS ${tools} RUNTIME DESTINATION ${root} COMPONENT tools)
    install(FILES "${SIMHOST_FONT_FILE}" DESTINATION ${root} COMPONENT tools)
    lumidrome_package(tools "${root}")
  endif()
endif()

if(CPACK_COMPONENTS_ALL)  # a build of the Windows plug-ins alone ships nothing
  include(CPack)
endif()

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
    install(TARGETS simhost RUNTIME DESTINATION . COMPONENT simhost)
    install(FILES "${SIMHOST_FONT_FILE}" DESTINATION . COMPONENT simhost)
    lumidrome_package(simhost "${package_prefix}-simhost-win64")
  endif()
else()
  # The sources of the build against the host's SDK: the plug-in, what ships
  # beside it, and the CMake files of that build alone.
  set(part sdk_source)
  install(DIRECTORY "${PROJECT_SOURCE_DIR}/source/gui" DESTINATION source COMPONENT ${part}
    PATTERN "CMakeLists.txt" EXCLUDE)
  install(DIRECTORY "${PROJECT_SOURCE_DIR}/res" "${PROJECT_SOURCE_DIR}/Packs" DESTINATION .
    COMPONENT ${part})
  install(FILES "${PROJECT_SOURCE_DIR}/cmake/HostSdkBuild.cmake"
    "${PROJECT_SOURCE_DIR}/cmake/PluginModule.cmake" "${PROJECT_SOURCE_DIR}/cmake/Packaging.cmake"
    "${PROJECT_SOURCE_DIR}/cmake/exports.map" DESTINATION cmake COMPONENT ${part})
  install(FILES "${PROJECT_SOURCE_DIR}/CMakeLists.txt" "${PROJECT_SOURCE_DIR}/CMakePresets.json"
    "${PROJECT_SOURCE_DIR}/Install.txt" "${PROJECT_SOURCE_DIR}/BUILDING.txt"
    "${PROJECT_SOURCE_DIR}/CHANGELOG.md" DESTINATION . COMPONENT ${part})
  lumidrome_package(${part} "${package_prefix}-sdk-source")

  # The stand-in host and the pack builder, with the font simhost draws with.
  if(TARGET simhost)
    set(tools simhost)
    if(TARGET lumipack)
      list(APPEND tools lumipack)
    endif()
    install(TARGETS ${tools} RUNTIME DESTINATION . COMPONENT tools)
    install(FILES "${SIMHOST_FONT_FILE}" DESTINATION . COMPONENT tools)
    lumidrome_package(tools "${package_prefix}-tools-Linux-${CMAKE_SYSTEM_PROCESSOR}")
  endif()
endif()

if(CPACK_COMPONENTS_ALL)  # a build of the Windows plug-ins alone ships nothing
  include(CPack)
endif()

cmake_minimum_required(VERSION 3.25)
# The archives `--target package` makes, unpacked and run as their users run
# them: each is named with the version; the tools' simhost tells that version
# and runs a session on the demo library with the build's R17 plug-in; the
# source archive holds what a build against the host's SDK needs (its build
# is tested by sdk_mode_build.cmake); the Windows build's simhost.exe starts
# (through EMULATOR where the build runs Windows programs under wine).
#
#   cmake -DBINARY_DIR=... -DVERSION=... -DCPACK=... -DPLUGIN_FOLDER=...
#         [-DWINDOWS=ON -DEMULATOR=...] -P package_archives.cmake

include("${CMAKE_CURRENT_LIST_DIR}/script_support.cmake")
require_arguments(package_archives.cmake BINARY_DIR VERSION CPACK PLUGIN_FOLDER)

# expect(<text> <regex> <what it means>)
function(expect text pattern meaning)
  if(NOT text MATCHES "${pattern}")
    message(FATAL_ERROR "${meaning}; the output was:\n${text}\nThe folders are kept in ${scratch}.")
  endif()
endfunction()

set(scratch "${BINARY_DIR}/package_archives_test")
file(REMOVE_RECURSE "${scratch}")
run("cpack" "${CPACK}" --config "${BINARY_DIR}/CPackConfig.cmake" -B "${scratch}/packages")

# unpack(<archive name without suffix> <folder variable>)
function(unpack name folder_variable)
  file(GLOB archive "${scratch}/packages/${name}.tar.gz" "${scratch}/packages/${name}.zip")
  if(NOT archive)
    file(GLOB made RELATIVE "${scratch}/packages" "${scratch}/packages/*.*")
    message(FATAL_ERROR "No archive ${name} among: ${made}")
  endif()
  set(folder "${scratch}/unpacked/${name}")
  file(MAKE_DIRECTORY "${folder}")
  file(ARCHIVE_EXTRACT INPUT "${archive}" DESTINATION "${folder}")
  # Everything lies in one folder named as the archive.
  if(NOT IS_DIRECTORY "${folder}/${name}")
    file(GLOB made RELATIVE "${folder}" "${folder}/*")
    message(FATAL_ERROR "${name} does not unpack into one folder ${name}/ but into: ${made}")
  endif()
  set(${folder_variable} "${folder}/${name}" PARENT_SCOPE)
endfunction()

# find_in(<folder> <path> <variable>): folder/path, which must exist.
function(find_in folder path variable)
  if(NOT EXISTS "${folder}/${path}")
    message(FATAL_ERROR "${folder} holds no ${path}.")
  endif()
  set(${variable} "${folder}/${path}" PARENT_SCOPE)
endfunction()

if(WINDOWS)
  unpack("Lumidrome-${VERSION}-simhost-win64" windows)
  find_in("${windows}" "simhost.exe" simhost)
  find_in("${windows}" "DejaVuSans.ttf" font)
  run("simhost.exe --version" ${EMULATOR} "${simhost}" --version)
  expect("${last_output}" "simhost ${VERSION} " "simhost.exe does not tell the version ${VERSION}")
  message("simhost-win64 archive: ${last_output}")
  file(REMOVE_RECURSE "${scratch}")
  return()
endif()

# The source archive for builds against the host's SDK.
unpack("Lumidrome-${VERSION}-sdk-source" source)
foreach(file CMakeLists.txt cmake/HostSdkBuild.cmake cmake/PluginModule.cmake cmake/exports.map
    source/gui/main.cpp source/gui/release_compat.h res/icon.png Install.txt BUILDING.txt
    CHANGELOG.md)
  find_in("${source}" "${file}" found)
endforeach()
file(GLOB packs "${source}/Packs/*/HDRIs/*")
if(NOT packs)
  message(FATAL_ERROR "The source archive holds no demo library in Packs/.")
endif()

# The tools: simhost tells the version and runs a session on the demo library.
file(GLOB tools_archive "${scratch}/packages/Lumidrome-${VERSION}-tools-Linux-*")
if(NOT tools_archive)
  message(FATAL_ERROR "No Lumidrome-${VERSION}-tools-Linux-<processor> archive.")
endif()
get_filename_component(tools_name "${tools_archive}" NAME)
string(REGEX REPLACE "\\.(tar\\.gz|zip)$" "" tools_name "${tools_name}")
unpack("${tools_name}" tools)
find_in("${tools}" "simhost" simhost)
find_in("${tools}" "lumipack" lumipack)
find_in("${tools}" "DejaVuSans.ttf" font)
run("simhost --version" ${EMULATOR} "${simhost}" --version)
expect("${last_output}" "^simhost ${VERSION} " "simhost does not tell the version ${VERSION}")
run("lumipack --help" ${EMULATOR} "${lumipack}" --help)

set(user "${scratch}/user")
file(COPY "${PLUGIN_FOLDER}" DESTINATION "${user}/plugins")
file(WRITE "${scratch}/demo.simhost" "open\npack Studio_Lights\nclick \"Soft Box 01\"\nscene\n")
run("A session of the packaged simhost" ${EMULATOR} "${simhost}" session --user-folder "${user}"
  "${user}/plugins/Lumidrome" "${scratch}/demo.simhost")
expect("${last_output}" "HDRIs/Soft_Box_01\\.hdr"
  "The session on the demo library did not put Soft_Box_01.hdr into the scene")
message("sdk-source and ${tools_name} archives hold what they should; simhost ${VERSION} ran a session")
file(REMOVE_RECURSE "${scratch}")

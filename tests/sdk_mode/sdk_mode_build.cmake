cmake_minimum_required(VERSION 3.25)
# The build against the host's SDK, as a developer with the real SDK runs it:
# the source archive for SDK builds is made and unpacked, the stand-in host
# layer (host/ and abi/) is copied into a folder laid out like the real SDK's
# (c4d.h at its root, the framework's sources below it), both outside the
# source tree; the unpacked sources are configured and built against that
# folder with the same compiler, and the module they make must pass
# simhost's validation.
#
#   cmake -DSOURCE_DIR=... -DBINARY_DIR=... -DRELEASE=R17|R14 -DSIMHOST=...
#         -DCPACK=... -DGENERATOR=... [-DMAKE_PROGRAM -DC_COMPILER -DCXX_COMPILER
#         -DTOOLCHAIN -DLAUNCHER -DBUILD_TYPE -DSANITIZE] -P sdk_mode_build.cmake

include("${CMAKE_CURRENT_LIST_DIR}/script_support.cmake")
require_arguments(sdk_mode_build.cmake SOURCE_DIR BINARY_DIR RELEASE SIMHOST CPACK GENERATOR)

# One folder per build tree and release, outside the source tree; the same
# name every run, so that a compiler cache finds the earlier compilations.
if(DEFINED ENV{TMPDIR} AND IS_DIRECTORY "$ENV{TMPDIR}")
  set(temp "$ENV{TMPDIR}")
elseif(DEFINED ENV{TEMP} AND IS_DIRECTORY "$ENV{TEMP}")
  set(temp "$ENV{TEMP}")
else()
  set(temp "/tmp")
endif()
string(MD5 tree_hash "${BINARY_DIR}")
string(SUBSTRING "${tree_hash}" 0 10 tree_hash)
set(scratch "${temp}/lumidrome-sdk-mode-${tree_hash}-${RELEASE}")
file(REMOVE_RECURSE "${scratch}")
file(MAKE_DIRECTORY "${scratch}")
cmake_path(IS_PREFIX SOURCE_DIR "${scratch}" NORMALIZE inside)
if(inside)
  message(FATAL_ERROR "The temporary folder ${scratch} lies inside the source tree: set TMPDIR.")
endif()

# The source archive, unpacked.
run("Making the source archive" "${CPACK}" --config "${BINARY_DIR}/CPackConfig.cmake"
  -B "${scratch}/packages" -D CPACK_COMPONENTS_ALL=sdk_source)
file(GLOB archive "${scratch}/packages/Lumidrome-*-sdk-source.*")
if(NOT archive)
  message(FATAL_ERROR "cpack made no Lumidrome-<version>-sdk-source archive:\n${last_output}")
endif()
file(MAKE_DIRECTORY "${scratch}/source")
file(ARCHIVE_EXTRACT INPUT "${archive}" DESTINATION "${scratch}/source")
file(GLOB source "${scratch}/source/*/CMakeLists.txt")
if(NOT source)
  message(FATAL_ERROR "The source archive ${archive} holds no folder with a CMakeLists.txt.")
endif()
get_filename_component(source "${source}" DIRECTORY)
foreach(unwanted host abi simhost tests lumipack)
  if(EXISTS "${source}/${unwanted}")
    message(FATAL_ERROR "The source archive holds ${unwanted}/: it must build from the SDK alone.")
  endif()
endforeach()

# The stand-in SDK: the host layer without its build file, the interface
# headers at its root, and without the root's forwarding take header (the
# real SDK keeps that header in c4d_libs/ only).
set(sdk "${scratch}/sdk")
file(COPY "${SOURCE_DIR}/host/" DESTINATION "${sdk}" PATTERN "CMakeLists.txt" EXCLUDE)
file(REMOVE "${sdk}/lib_takesystem.h")
file(COPY "${SOURCE_DIR}/abi/" DESTINATION "${sdk}")

set(configure "${CMAKE_COMMAND}" -S "${source}" -B "${scratch}/build" -G "${GENERATOR}"
  "-DLUMIDROME_HOST_SDK=${sdk}" "-DLUMIDROME_HOST_RELEASE=${RELEASE}")
foreach(setting MAKE_PROGRAM:CMAKE_MAKE_PROGRAM C_COMPILER:CMAKE_C_COMPILER
    CXX_COMPILER:CMAKE_CXX_COMPILER TOOLCHAIN:CMAKE_TOOLCHAIN_FILE
    LAUNCHER:CMAKE_CXX_COMPILER_LAUNCHER BUILD_TYPE:CMAKE_BUILD_TYPE SANITIZE:LUMIDROME_SANITIZE)
  string(REPLACE ":" ";" setting "${setting}")
  list(GET setting 0 ours)
  list(GET setting 1 theirs)
  if(${ours})
    list(APPEND configure "-D${theirs}=${${ours}}")
  endif()
endforeach()
run("Configuring against the stand-in SDK" ${configure})
run("Building against the stand-in SDK" "${CMAKE_COMMAND}" --build "${scratch}/build" -j 2)

file(GLOB module "${scratch}/build/plugins/${RELEASE}/Lumidrome/Lumidrome.*")
if(NOT module)
  message(FATAL_ERROR "No module in ${scratch}/build/plugins/${RELEASE}/Lumidrome.")
endif()
run("simhost validate on the module built against the stand-in SDK" "${SIMHOST}" validate
  "${scratch}/build/plugins/${RELEASE}/Lumidrome")
if(NOT last_output MATCHES "checks: [0-9]+ passed, 0 failed, 0 crashed, 0 timed out")
  message(FATAL_ERROR "simhost validate did not pass every check:\n${last_output}")
endif()
string(REGEX MATCH "[0-9]+ checks: [^\n]*" summary "${last_output}")
message("${RELEASE} module built against the stand-in SDK in ${scratch}: ${summary}")
file(REMOVE_RECURSE "${scratch}")

# The plug-in built against the host's own SDK: source/gui/ and the SDK folder
# given in LUMIDROME_HOST_SDK, nothing else of this project. This is the build
# whose module the real host loads (the normal build's modules speak the
# stand-in host's interface and load in simhost only). Included by the
# top-level CMakeLists.txt, which builds nothing else in this mode.

set(LUMIDROME_HOST_SDK_DEFINES "" CACHE STRING
  "Macros the SDK's headers need, a list (e.g. NAME=1;OTHER)")
set(LUMIDROME_HOST_SDK_EXCLUDE "" CACHE STRING
  "Globs of SDK files to leave out, relative to the SDK folder, a list (e.g. c4d_customgui/*;*_unused.cpp)")
set(LUMIDROME_HOST_RELEASE "R17" CACHE STRING
  "The host interface release of the SDK: R17 (hosts R17 and later) or R14 (hosts R14 to R16)")
set_property(CACHE LUMIDROME_HOST_RELEASE PROPERTY STRINGS R17 R14)
set(LUMIDROME_HOST_SDK_CXX_STANDARD 11 CACHE STRING
  "C++ standard of the SDK build; the SDKs of R14 and R17 are C++11 at most")
# MSVC keeps the SDK's headers quiet (/external:I) from 19.29.30036 on; with
# an older one their warnings would stop the build.
set(warnings_as_errors ON)
if(MSVC AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 19.29.30036.3)
  set(warnings_as_errors OFF)
endif()
option(LUMIDROME_WARNINGS_AS_ERRORS "Stop at warnings in source/gui" ${warnings_as_errors})
option(LUMIDROME_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

if(NOT LUMIDROME_HOST_RELEASE MATCHES "^(R17|R14)$")
  message(FATAL_ERROR "LUMIDROME_HOST_RELEASE is '${LUMIDROME_HOST_RELEASE}': "
    "configure again with -DLUMIDROME_HOST_RELEASE=R17 or -DLUMIDROME_HOST_RELEASE=R14.")
endif()

set(CMAKE_CXX_STANDARD ${LUMIDROME_HOST_SDK_CXX_STANDARD})
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
if(NOT CMAKE_BUILD_TYPE AND NOT CMAKE_CONFIGURATION_TYPES)
  set(CMAKE_BUILD_TYPE Release)
endif()
# The module carries its own C++ runtime: nothing to install beside it.
set(CMAKE_MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")
if(MSVC)
  # CMake's default MSVC flags turn C++ exceptions on; this build has none.
  string(REGEX REPLACE "/EH[a-z-]*" "" CMAKE_CXX_FLAGS "${CMAKE_CXX_FLAGS}")
endif()

include(cmake/PluginModule.cmake)

file(TO_CMAKE_PATH "${LUMIDROME_HOST_SDK}" sdk)

# lumidrome_sdk_refuse(<what is wrong>): stops with what to pass instead.
function(lumidrome_sdk_refuse problem)
  message(FATAL_ERROR "LUMIDROME_HOST_SDK: ${problem}\n"
    "Pass the folder of the host SDK's framework sources, the one that holds c4d.h "
    "(in the R18-era SDK: frameworks/cinema.framework/source), e.g.\n"
    "  cmake -S . -B build-sdk -DLUMIDROME_HOST_SDK=/path/to/sdk/source")
endfunction()

if(NOT IS_DIRECTORY "${sdk}")
  lumidrome_sdk_refuse("${sdk} is not a folder.")
endif()
if(NOT EXISTS "${sdk}/c4d.h")
  file(GLOB_RECURSE deeper "${sdk}/c4d.h")
  if(deeper)
    list(GET deeper 0 first)
    get_filename_component(first "${first}" DIRECTORY)
    lumidrome_sdk_refuse("${sdk} holds no c4d.h; ${first} does: pass that folder.")
  endif()
  lumidrome_sdk_refuse("${sdk} holds no c4d.h.")
endif()

# The framework's sources, less what the user leaves out.
file(GLOB_RECURSE framework_sources "${sdk}/*.cpp")
foreach(glob ${LUMIDROME_HOST_SDK_EXCLUDE})
  file(GLOB_RECURSE excluded "${sdk}/${glob}")
  if(NOT excluded)
    message(WARNING "LUMIDROME_HOST_SDK_EXCLUDE: '${glob}' matches no file in ${sdk}.")
  endif()
  if(excluded AND framework_sources)
    list(REMOVE_ITEM framework_sources ${excluded})
  endif()
endforeach()
if(NOT framework_sources)
  lumidrome_sdk_refuse("${sdk} holds c4d.h but no framework sources (.cpp files) to build "
    "(after LUMIDROME_HOST_SDK_EXCLUDE: '${LUMIDROME_HOST_SDK_EXCLUDE}').")
endif()
list(LENGTH framework_sources framework_count)
message(STATUS "Host SDK: ${sdk}, ${framework_count} framework sources, release ${LUMIDROME_HOST_RELEASE}")

# The SDK folder and every folder below it that holds headers, the folder
# itself first: the SDK's headers include each other by bare name.
file(GLOB_RECURSE sdk_headers "${sdk}/*.h" "${sdk}/*.hpp" "${sdk}/*.hxx")
set(sdk_include_dirs "")
foreach(header ${sdk_headers})
  get_filename_component(folder "${header}" DIRECTORY)
  list(APPEND sdk_include_dirs "${folder}")
endforeach()
list(REMOVE_DUPLICATES sdk_include_dirs)
list(SORT sdk_include_dirs)
list(REMOVE_ITEM sdk_include_dirs "${sdk}")
list(PREPEND sdk_include_dirs "${sdk}")

# What every file of the module shares: the host's ABI for pointers to
# members (MSVC), no RTTI, the release and the user's macros.
add_library(lumidrome_sdk_flags INTERFACE)
target_compile_definitions(lumidrome_sdk_flags INTERFACE ${LUMIDROME_HOST_SDK_DEFINES}
  $<$<STREQUAL:${LUMIDROME_HOST_RELEASE},R14>:C4D_API_R14=1>)
if(MSVC)
  # /vmg /vms: the host's representation of pointers to members (general,
  # single inheritance only). /GR-: no RTTI. /EHs-c-: no C++ exception
  # handling (neither synchronous exceptions nor the extern "C" shortcut),
  # with _HAS_EXCEPTIONS=0 so that the standard headers neither throw nor
  # warn (C4530) about missing unwind code. The same for every file: the
  # standard library must be configured alike throughout the module.
  target_compile_options(lumidrome_sdk_flags INTERFACE /vmg /vms /GR- /EHs-c-)
  target_compile_definitions(lumidrome_sdk_flags INTERFACE _HAS_EXCEPTIONS=0)
else()
  target_compile_options(lumidrome_sdk_flags INTERFACE -fno-rtti)
  if(LUMIDROME_SANITIZE)
    target_compile_options(lumidrome_sdk_flags INTERFACE
      -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(lumidrome_sdk_flags INTERFACE -fsanitize=address,undefined)
  endif()
endif()

# The SDK's framework: the user's code, so built without our warning flags;
# its headers are system headers to the plug-in, whose warnings are its own.
add_library(c4d_framework STATIC ${framework_sources})
target_include_directories(c4d_framework SYSTEM PUBLIC ${sdk_include_dirs})
target_link_libraries(c4d_framework PUBLIC lumidrome_sdk_flags)
set_target_properties(c4d_framework PROPERTIES
  CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND NOT WIN32)
  target_compile_options(c4d_framework PRIVATE -fno-gnu-unique)  # the module must unload
endif()

# A build that stops when the SDK is not of the release asked for, instead of
# a module in the wrong folder.
if(LUMIDROME_HOST_RELEASE STREQUAL "R14")
  set(release_test "API_VERSION >= 15000")
  set(release_hint "this SDK is newer than R14: configure with -DLUMIDROME_HOST_RELEASE=R17")
else()
  set(release_test "API_VERSION < 17000")
  set(release_hint "this SDK is older than R17: configure with -DLUMIDROME_HOST_RELEASE=R14 for an R14 SDK")
endif()
set(release_check "${CMAKE_BINARY_DIR}/sdk_release_check.cpp")
file(CONFIGURE OUTPUT "${release_check}" CONTENT
  "// Generated by cmake/HostSdkBuild.cmake.\n#include \"c4d.h\"\n#if ${release_test}\n#error \"${release_hint}\"\n#endif\n")

file(GLOB gui_sources CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/source/gui/*.cpp")
string(TOLOWER "${LUMIDROME_HOST_RELEASE}" release_lower)
set(module lumidrome_${release_lower})
add_library(${module} MODULE ${gui_sources} "${release_check}")
target_link_libraries(${module} PRIVATE c4d_framework)
# The plug-in itself uses no exceptions (MSVC: see above); the SDK's own
# files keep the compiler's choice, as in the SDK's own projects.
if(MSVC)
  target_compile_options(${module} PRIVATE /W4 $<$<BOOL:${LUMIDROME_WARNINGS_AS_ERRORS}>:/WX>)
else()
  target_compile_options(${module} PRIVATE -fno-exceptions -Wall -Wextra -Wpedantic
    $<$<BOOL:${LUMIDROME_WARNINGS_AS_ERRORS}>:-Werror>)
endif()
lumidrome_plugin_folder(${module} ${LUMIDROME_HOST_RELEASE})

# Nothing in the plug-in calls c4d_main: without a reference the linker would
# leave the frame's object in the framework library, and the module would
# export nothing. (32-bit Windows names C functions with a leading _.)
set(entry c4d_main)
if(WIN32 AND CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(entry _c4d_main)
endif()
if(MSVC)
  target_link_options(${module} PRIVATE "/INCLUDE:${entry}")
elseif(APPLE)
  target_link_options(${module} PRIVATE "LINKER:-u,_c4d_main")
else()
  target_link_options(${module} PRIVATE "LINKER:--undefined=${entry}")
endif()
include(cmake/Packaging.cmake)

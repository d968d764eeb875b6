cmake_minimum_required(VERSION 3.25)
# Fails when the plug-in's sources include anything but their own files, the
# host's SDK or the standard library: what else they include would be missing
# from a build against the real SDK.
#   cmake -DGUI_DIR=<source/gui> "-DSDK_DIRS=<host>;<abi>" -P gui_includes.cmake

# The C++11 standard library's headers and the C headers it carries.
set(standard_headers
  algorithm array atomic bitset cassert ccomplex cctype cerrno cfenv cfloat chrono cinttypes
  ciso646 climits clocale cmath codecvt complex condition_variable csetjmp csignal cstdalign
  cstdarg cstdbool cstddef cstdint cstdio cstdlib cstring ctgmath ctime cuchar cwchar cwctype
  deque exception forward_list fstream functional future initializer_list iomanip ios iosfwd
  iostream istream iterator limits list locale map memory mutex new numeric ostream queue random
  ratio regex scoped_allocator set sstream stack stdexcept streambuf string strstream
  system_error thread tuple type_traits typeindex typeinfo unordered_map unordered_set utility
  valarray vector
  assert.h complex.h ctype.h errno.h fenv.h float.h inttypes.h iso646.h limits.h locale.h
  math.h setjmp.h signal.h stdalign.h stdarg.h stdbool.h stddef.h stdint.h stdio.h stdlib.h
  string.h tgmath.h time.h uchar.h wchar.h wctype.h)

foreach(required GUI_DIR SDK_DIRS)
  if(NOT ${required})
    message(FATAL_ERROR "gui_includes.cmake: pass -D${required}=...")
  endif()
endforeach()

# Every header of the SDK folders, by its path below the folder and below each
# subfolder (the SDK build puts every folder that holds headers on the path).
set(sdk_names "")
foreach(sdk_dir ${SDK_DIRS})
  file(GLOB_RECURSE headers RELATIVE "${sdk_dir}" "${sdk_dir}/*")
  foreach(header ${headers})
    list(APPEND sdk_names "${header}")
    while(header MATCHES "/")
      string(REGEX REPLACE "^[^/]*/" "" header "${header}")
      list(APPEND sdk_names "${header}")
    endwhile()
  endforeach()
endforeach()

file(GLOB gui_files "${GUI_DIR}/*.h" "${GUI_DIR}/*.hpp" "${GUI_DIR}/*.cpp")
if(NOT gui_files)
  message(FATAL_ERROR "gui_includes.cmake: no sources in ${GUI_DIR}")
endif()
set(problems "")
set(count 0)
foreach(file ${gui_files})
  get_filename_component(name "${file}" NAME)
  file(STRINGS "${file}" lines REGEX "^[ \t]*#[ \t]*include")
  foreach(line ${lines})
    math(EXPR count "${count} + 1")
    if(NOT line MATCHES "^[ \t]*#[ \t]*include[ \t]*([<\"])([^>\"]+)[>\"]")
      list(APPEND problems "${name}: '${line}' names no header")
      continue()
    endif()
    set(form "${CMAKE_MATCH_1}")
    set(header "${CMAKE_MATCH_2}")
    if(header MATCHES "(^|/)\\.\\.(/|$)" OR IS_ABSOLUTE "${header}" OR header MATCHES "\\\\")
      list(APPEND problems "${name}: ${header} reaches outside the plug-in's and the SDK's folders")
    elseif(form STREQUAL "<")
      if(NOT header IN_LIST standard_headers)
        list(APPEND problems "${name}: <${header}> is not a header of the standard library")
      endif()
    elseif(NOT EXISTS "${GUI_DIR}/${header}" AND NOT header IN_LIST sdk_names)
      list(APPEND problems "${name}: \"${header}\" is neither in ${GUI_DIR} nor in the SDK")
    endif()
  endforeach()
endforeach()

if(problems)
  list(JOIN problems "\n  " text)
  message(FATAL_ERROR "The plug-in includes what a build against the host's SDK would not find:\n"
    "  ${text}\nInclude only the plug-in's own headers, the SDK's and the standard library's.")
endif()
message("${count} include lines checked: the plug-in's own headers, the SDK's and the standard library's only")

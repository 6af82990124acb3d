# Shared settings of every target of the system.

add_library(kv_options INTERFACE)
target_compile_definitions(kv_options INTERFACE UNICODE _UNICODE NOMINMAX STRICT
  _WIN32_WINNT=0x0A00 WINVER=0x0A00)
# GCC 12 reports bounds and overlap faults inside the standard library's own
# inlined string copies that cannot happen (GCC bugs 105329, 105651); those
# checks are off so that -Werror keeps meaning a fault of ours.
# -Winvalid-pch: a shared precompiled header that stopped matching a target's
# flags would otherwise be skipped in silence and only cost time.
target_compile_options(kv_options INTERFACE
  $<$<COMPILE_LANGUAGE:CXX>:-finput-charset=UTF-8 -Wall -Wextra -Werror -Wno-cast-function-type
    -Wno-array-bounds -Wno-stringop-overflow -Wno-stringop-overread -Wno-restrict
    -Winvalid-pch>)
target_link_options(kv_options INTERFACE -static -static-libgcc -static-libstdc++)
target_include_directories(kv_options INTERFACE ${PROJECT_SOURCE_DIR})

# The headers nearly every source includes, directly or through the
# run-time library's units. They are compiled once for the whole build (once
# more with the test framework for the tests) and every target reuses the
# result. Units that change often stay out: a change here rebuilds all.
set(KV_PRECOMPILED_HEADERS
  <windows.h> <algorithm> <array> <cstdint> <cstring> <functional> <memory> <span> <string>
  <string_view> <utility> <variant> <vector>
  [["platform/rtl/System.h"]] [["platform/rtl/SysUtils.h"]] [["platform/rtl/Classes.h"]]
  [["platform/rtl/ClassesStreams.h"]] [["platform/rtl/ClassesThreads.h"]]
  [["platform/rtl/ClassesComponents.h"]] [["platform/rtl/TypInfo.h"]] [["platform/rtl/Variants.h"]]
  [["platform/vcl/Graphics.h"]])

# The owners of the shared precompiled headers: static libraries of one
# empty source, so that nothing but the header is built for them.
set(KV_PCH_SOURCE ${CMAKE_BINARY_DIR}/kv_pch.cpp)
file(CONFIGURE OUTPUT ${KV_PCH_SOURCE} CONTENT "// Only here to own the shared precompiled header.\n")
add_library(kv_pch STATIC ${KV_PCH_SOURCE})
target_link_libraries(kv_pch PUBLIC kv_options)
target_precompile_headers(kv_pch PRIVATE ${KV_PRECOMPILED_HEADERS})
set_target_properties(kv_pch PROPERTIES UNITY_BUILD OFF)

# kv_add_library(<name> <sources...> [DEPENDS <libs...>])
function(kv_add_library name)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  add_library(${name} STATIC ${ARG_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PUBLIC kv_options ${ARG_DEPENDS})
  target_precompile_headers(${name} REUSE_FROM kv_pch)
endfunction()

# The test programs' precompiled header, made on first use: GoogleTest is
# only there once tests/ was added.
function(kv_test_pch)
  if(TARGET kv_test_pch)
    return()
  endif()
  set(source ${CMAKE_BINARY_DIR}/kv_test_pch.cpp)
  file(CONFIGURE OUTPUT ${source} CONTENT "// Only here to own the tests' precompiled header.\n")
  add_library(kv_test_pch STATIC ${source})
  target_link_libraries(kv_test_pch PUBLIC kv_options GTest::gtest)
  target_precompile_headers(kv_test_pch PRIVATE ${KV_PRECOMPILED_HEADERS} <gtest/gtest.h>)
  set_target_properties(kv_test_pch PROPERTIES UNITY_BUILD OFF)
endfunction()

# GNU ld merges the resource sections of several objects unreliably: with
# two scripts that both hold bitmaps, one script's bitmaps can go missing from
# the program. A target with more than one resource script therefore compiles
# a single generated script that includes them all, as the program does.
function(kv_merge_resource_scripts name out_var)
  set(scripts)
  set(others)
  foreach(source IN LISTS ARGN)
    if(source MATCHES "\\.rc$")
      list(APPEND scripts ${source})
    else()
      list(APPEND others ${source})
    endif()
  endforeach()
  list(LENGTH scripts count)
  if(count LESS 2)
    set(${out_var} ${ARGN} PARENT_SCOPE)
    return()
  endif()
  set(text "")
  foreach(script IN LISTS scripts)
    string(APPEND text "#include \"${script}\"\n")
  endforeach()
  set(merged ${CMAKE_CURRENT_BINARY_DIR}/${name}_resources.rc)
  file(GENERATE OUTPUT ${merged} CONTENT "${text}")
  set_source_files_properties(${merged} PROPERTIES OBJECT_DEPENDS "${scripts}")
  set(${out_var} ${others} ${merged} PARENT_SCOPE)
endfunction()

# kv_add_test(<name> <sources...> [DEPENDS <libs...>] [SERIAL]): one
# executable, one ctest entry; a Wine process start costs too much to run
# each case on its own. ctest runs the test programs side by side; SERIAL
# ones (real input, the foreground window, the keyboard focus: state the
# whole display shares) run alone.
function(kv_add_test name)
  cmake_parse_arguments(ARG "SERIAL" "" "DEPENDS;RESOURCE_LOCK" ${ARGN})
  kv_test_pch()
  kv_merge_resource_scripts(${name} sources ${ARG_UNPARSED_ARGUMENTS})
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE kv_options ${ARG_DEPENDS} kv_test_support GTest::gtest_main)
  target_precompile_headers(${name} REUSE_FROM kv_test_pch)
  add_test(NAME ${name} COMMAND ${name})
  # The timeout only stops a hung test from holding CI; no test comes near it.
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${KV_WINE_ENVIRONMENT}" TIMEOUT 900)
  if(ARG_SERIAL)
    set_tests_properties(${name} PROPERTIES RUN_SERIAL TRUE)
  endif()
  if(ARG_RESOURCE_LOCK)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK "${ARG_RESOURCE_LOCK}")
  endif()
endfunction()

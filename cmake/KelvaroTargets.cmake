# Shared settings of every target of the system.

add_library(kv_options INTERFACE)
target_compile_definitions(kv_options INTERFACE UNICODE _UNICODE NOMINMAX STRICT
  _WIN32_WINNT=0x0A00 WINVER=0x0A00)
# GCC 12 reports bounds and overlap faults inside the standard library's own
# inlined string copies that cannot happen (GCC bugs 105329, 105651); those
# checks are off so that -Werror keeps meaning a fault of ours.
target_compile_options(kv_options INTERFACE
  $<$<COMPILE_LANGUAGE:CXX>:-finput-charset=UTF-8 -Wall -Wextra -Werror -Wno-cast-function-type
    -Wno-array-bounds -Wno-stringop-overflow -Wno-stringop-overread -Wno-restrict>)
target_link_options(kv_options INTERFACE -static -static-libgcc -static-libstdc++)
target_include_directories(kv_options INTERFACE ${PROJECT_SOURCE_DIR})

# The headers nearly every source includes; compiled once per library.
set(KV_PRECOMPILED_HEADERS
  <windows.h> <string> <string_view> <vector> <memory> <utility> <cstdint>)

# kv_add_library(<name> <sources...> [DEPENDS <libs...>])
function(kv_add_library name)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  add_library(${name} STATIC ${ARG_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PUBLIC kv_options ${ARG_DEPENDS})
  target_precompile_headers(${name} PRIVATE ${KV_PRECOMPILED_HEADERS})
endfunction()

# kv_add_test(<name> <sources...> [DEPENDS <libs...>]): one executable, one ctest
# entry; a Wine process start costs too much to run each case on its own.
function(kv_add_test name)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  add_executable(${name} ${ARG_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE kv_options ${ARG_DEPENDS} GTest::gtest_main)
  target_precompile_headers(${name} PRIVATE ${KV_PRECOMPILED_HEADERS} <gtest/gtest.h>)
  add_test(NAME ${name} COMMAND ${name})
  # The timeout only stops a hung test from holding CI; no test comes near it.
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${KV_WINE_ENVIRONMENT}" TIMEOUT 900)
endfunction()

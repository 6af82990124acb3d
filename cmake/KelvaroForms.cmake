# Form files are written as text and stored in the program as the binary form
# the reader expects, converted at build time by the run-time library's own
# converter (tools/FormToBinary, run under Wine in the build tree's prefix).

set(KV_WINE_PREFIX ${CMAKE_BINARY_DIR}/wineprefix)

# The prefix is made once. Its stamp lives inside it, so a removed prefix is
# made again; the forms depend on the stamp, not on a step that always runs,
# and are converted again only when their text or the converter changed.
set(KV_WINE_PREFIX_STAMP ${KV_WINE_PREFIX}/.kelvaro-prefix-made)
add_custom_command(OUTPUT ${KV_WINE_PREFIX_STAMP}
  COMMAND ${PROJECT_SOURCE_DIR}/scripts/wineprefix ${KV_WINE_PREFIX}
  COMMAND ${CMAKE_COMMAND} -E touch ${KV_WINE_PREFIX_STAMP}
  DEPENDS ${PROJECT_SOURCE_DIR}/scripts/wineprefix
  COMMENT "Making the Wine prefix"
  VERBATIM)
# The stamp is made in this directory; the forms of other directories reach
# it through this target.
add_custom_target(kv_wineprefix DEPENDS ${KV_WINE_PREFIX_STAMP})

# kv_add_forms(<target> <form text files...>): converts each form file and
# links the results into <target> as RCDATA named after the form's class.
function(kv_add_forms target)
  set(resources "")
  set(binaries "")
  foreach(form ${ARGN})
    get_filename_component(path ${form} ABSOLUTE)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${path})
    file(STRINGS ${path} first LIMIT_COUNT 1)
    if(NOT first MATCHES "^(object|inherited|inline) +[A-Za-z_0-9]*: *([A-Za-z_0-9]+)")
      message(FATAL_ERROR "${form}: the first line names no form class")
    endif()
    set(class ${CMAKE_MATCH_2})
    set(binary ${CMAKE_CURRENT_BINARY_DIR}/forms/${class}.bin)
    add_custom_command(OUTPUT ${binary}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/forms
      COMMAND ${PROJECT_SOURCE_DIR}/scripts/wine-tool ${KV_WINE_PREFIX}
              $<TARGET_FILE:FormToBinary> Z:${path} Z:${binary}
      DEPENDS ${path} FormToBinary ${KV_WINE_PREFIX_STAMP} kv_wineprefix
              ${PROJECT_SOURCE_DIR}/scripts/wine-tool
      COMMENT "Converting the form ${class}"
      VERBATIM)
    string(APPEND resources "${class} RCDATA \"${binary}\"\n")
    list(APPEND binaries ${binary})
  endforeach()
  set(script ${CMAKE_CURRENT_BINARY_DIR}/${target}_forms.rc)
  file(GENERATE OUTPUT ${script} CONTENT "${resources}")
  set_source_files_properties(${script} PROPERTIES GENERATED TRUE OBJECT_DEPENDS "${binaries}")
  target_sources(${target} PRIVATE ${script} ${binaries})
endfunction()

# Fails when a source file includes from a layer above its own, or when wxWidgets is
# included outside the screen layer. Run as: cmake -DROOT=<tree> -P check_layers.cmake
#
# The layers, lowest first: platform, host, editor, gui (beside editor: it knows only
# the platform), app. Tests, benchmarks and fuzz harnesses may include any layer.

cmake_minimum_required(VERSION 3.25)

if(NOT DEFINED ROOT)
  message(FATAL_ERROR "check_layers: give the tree to check with -DROOT=<folder>")
endif()

# What each layer may include of ours, by top-level folder.
set(allowed_platform platform)
set(allowed_host platform host)
set(allowed_editor platform host editor)
set(allowed_gui platform gui)
set(allowed_app platform host editor gui app)
set(layers platform host editor gui app)

# Only these may include wxWidgets headers.
set(wx_allowed_patterns "^gui/" "^tests/gui/" "^app/editor_main\\.cpp$")

function(wx_allowed file result)
  foreach(pattern ${wx_allowed_patterns})
    if(file MATCHES "${pattern}")
      set(${result} TRUE PARENT_SCOPE)
      return()
    endif()
  endforeach()
  set(${result} FALSE PARENT_SCOPE)
endfunction()

set(problems)
set(checked 0)
file(GLOB_RECURSE sources RELATIVE "${ROOT}"
     "${ROOT}/*.cpp" "${ROOT}/*.h")
foreach(file ${sources})
  if(file MATCHES "^build" OR file MATCHES "/build")
    continue()
  endif()
  math(EXPR checked "${checked} + 1")
  string(REGEX MATCH "^[^/]+" layer "${file}")
  file(STRINGS "${ROOT}/${file}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
  foreach(line ${includes})
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]+)[>\"].*" "\\1" header "${line}")
    if(header MATCHES "^wx/")
      wx_allowed("${file}" ok)
      if(NOT ok)
        list(APPEND problems "${file}: includes <${header}>; only the screen layer knows wxWidgets")
      endif()
      continue()
    endif()
    if(NOT layer IN_LIST layers)
      continue()
    endif()
    string(REGEX MATCH "^[^/]+" target "${header}")
    if(NOT target IN_LIST layers OR NOT header MATCHES "/")
      continue()
    endif()
    if(NOT target IN_LIST allowed_${layer})
      list(APPEND problems "${file}: includes \"${header}\"; ${layer}/ may not use ${target}/")
    endif()
  endforeach()
endforeach()

if(problems)
  list(LENGTH problems count)
  list(JOIN problems "\n  " text)
  message(FATAL_ERROR "check_layers: ${count} include(s) against the layers:\n  ${text}")
endif()
message(STATUS "check_layers: ${checked} files, every include points down")

# The layer check passes on a tree whose includes point down and fails, naming the file,
# on each kind of upward include. Run as:
#   cmake -DCHECKER=<check_layers.cmake> -DWORK=<scratch folder> -P check_layers_test.cmake

cmake_minimum_required(VERSION 3.25)

function(plant root file include)
  file(WRITE "${root}/${file}" "#pragma once\n#include ${include}\n")
endfunction()

function(run_checker root result output)
  execute_process(COMMAND ${CMAKE_COMMAND} -DROOT=${root} -P ${CHECKER}
                  RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
  set(${result} ${code} PARENT_SCOPE)
  set(${output} "${out}${err}" PARENT_SCOPE)
endfunction()

function(plant_sound_tree root)
  file(REMOVE_RECURSE "${root}")
  plant(${root} platform/cwnd.h "<string>")
  plant(${root} host/model/design.h "\"platform/cwnd.h\"")
  plant(${root} editor/frame/frame.h "\"host/model/design.h\"")
  plant(${root} gui/peer.cpp "<wx/window.h>")
  plant(${root} gui/peer.h "\"platform/cwnd.h\"")
  plant(${root} app/editor_main.cpp "<wx/app.h>")
  plant(${root} app/app.cpp "\"editor/frame/frame.h\"")
  plant(${root} tests/editor/frame_test.cpp "\"app/app.h\"")
endfunction()

set(sound "${WORK}/sound")
plant_sound_tree(${sound})
run_checker(${sound} code out)
if(NOT code EQUAL 0)
  message(FATAL_ERROR "a sound tree was refused:\n${out}")
endif()

# Each case: the file planted, what it includes.
set(cases
    "platform/window.h|\"host/model/design.h\""
    "host/model/gate.h|\"editor/frame/frame.h\""
    "host/utility/evt.cpp|\"app/app.h\""
    "editor/grid/grid.cpp|\"gui/peer.h\""
    "editor/views/view.cpp|\"app/app.h\""
    "gui/grid_peer.cpp|\"host/model/design.h\""
    "editor/views/paint.cpp|<wx/dc.h>"
    "app/main_frame.cpp|<wx/frame.h>")
foreach(case ${cases})
  string(REPLACE "|" ";" parts "${case}")
  list(GET parts 0 file)
  list(GET parts 1 include)
  set(tree "${WORK}/planted")
  plant_sound_tree(${tree})
  plant(${tree} ${file} "${include}")
  run_checker(${tree} code out)
  if(code EQUAL 0)
    message(FATAL_ERROR "${file} including ${include} was not refused")
  endif()
  string(FIND "${out}" "${file}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the refusal of ${file} does not name it:\n${out}")
  endif()
endforeach()
message(STATUS "check_layers_test: the sound tree passes; every planted upward include is named")

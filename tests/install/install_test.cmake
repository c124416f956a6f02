# Installs the build into a scratch prefix and checks that a desktop finds the programs,
# their entry and icon, that man and bash find their pages and completion, that the
# programs tell their version without a display, and that the installed command-line
# program finds its bundled data when the library it is given lies in a folder of its
# own. Run as:
#   cmake -DBUILD=<build folder> -DWORK=<scratch folder> -DGUI=<ON|OFF> -P install_test.cmake

cmake_minimum_required(VERSION 3.25)

set(prefix "${WORK}/prefix")
file(REMOVE_RECURSE "${WORK}")
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${prefix}
                RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT code EQUAL 0)
  message(FATAL_ERROR "cmake --install failed:\n${out}${err}")
endif()

set(expected bin/component-editor-cli lib/component-editor/component-editor-cli
             lib/component-editor/sample.cmplib lib/component-editor/def_ref.txt
             lib/component-editor/package.txt lib/component-editor/default.scmtech
             lib/component-editor/logic.scmlib lib/component-editor/footprints.pcblib
             share/man/man1/component-editor-cli.1.gz
             share/bash-completion/completions/component-editor-cli)
if(GUI)
  list(APPEND expected bin/component-editor lib/component-editor/component-editor
       share/man/man1/component-editor.1.gz
       share/applications/component-editor.desktop
       share/icons/hicolor/scalable/apps/component-editor.svg
       share/mime/packages/component-editor.xml)
endif()
foreach(file IN LISTS expected)
  if(NOT EXISTS "${prefix}/${file}")
    message(FATAL_ERROR "the install has no ${file}")
  endif()
endforeach()
if(GUI)
  file(READ "${prefix}/share/applications/component-editor.desktop" entry)
  foreach(line "Exec=component-editor %f" "Icon=component-editor" "Type=Application")
    string(FIND "${entry}" "${line}" at)
    if(at EQUAL -1)
      message(FATAL_ERROR "the desktop entry lacks \"${line}\"")
    endif()
  endforeach()
  find_program(VALIDATE desktop-file-validate)
  if(VALIDATE)
    execute_process(COMMAND ${VALIDATE} "${prefix}/share/applications/component-editor.desktop"
                    RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT code EQUAL 0)
      message(FATAL_ERROR "desktop-file-validate refused the entry:\n${out}${err}")
    endif()
  endif()
endif()

# The library alone in a fresh folder, and no settings: its symbol libraries and the
# technology files can only come from the data installed beside the program.
file(MAKE_DIRECTORY "${WORK}/alone" "${WORK}/config" "${WORK}/out")
file(COPY "${prefix}/lib/component-editor/sample.cmplib" DESTINATION "${WORK}/alone")
execute_process(COMMAND ${CMAKE_COMMAND} -E env XDG_CONFIG_HOME=${WORK}/config HOME=${WORK}
                        ${prefix}/bin/component-editor-cli render ${WORK}/alone/sample.cmplib QUAD-NAND2
                        --out ${WORK}/out
                WORKING_DIRECTORY ${WORK}
                RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT code EQUAL 0)
  message(FATAL_ERROR "the installed program could not render the sample:\n${out}${err}")
endif()
file(GLOB drawings "${WORK}/out/*.svg")
list(LENGTH drawings count)
if(count LESS 2)
  message(FATAL_ERROR "the installed program drew ${count} drawings of the sample:\n${out}${err}")
endif()

set(programs component-editor-cli)
if(GUI)
  list(APPEND programs component-editor)
endif()
foreach(program IN LISTS programs)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
                          ${prefix}/bin/${program} --version
                  RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT code EQUAL 0 OR NOT out MATCHES "^${program} [0-9]+\\.[0-9]+\\.[0-9]+\n$")
    message(FATAL_ERROR "${program} --version said:\n${out}${err}")
  endif()
endforeach()

# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows programs' resources: an icon drawn from packaging/org.vorlunde.vorlunde.svg at
# build time (rsvg-convert at each size, packed by icotool; the largest kept as PNG), the
# manifest packaging/windows/programs.manifest and a version resource. windres compiles them
# into an object of their own, linked into the program: a target's compile definitions (some
# hold spaces and quotes) never reach windres's preprocessor.
find_program(VORLUNDE_RSVG_CONVERT rsvg-convert REQUIRED)
find_program(VORLUNDE_ICOTOOL icotool REQUIRED)

set(VORLUNDE_ICON ${PROJECT_BINARY_DIR}/windows-resources/vorlunde.ico)
set(VORLUNDE_MANIFEST ${PROJECT_SOURCE_DIR}/packaging/windows/programs.manifest)
set(vorlunde_icon_svg ${PROJECT_SOURCE_DIR}/packaging/org.vorlunde.vorlunde.svg)
set(vorlunde_icon_commands)
set(vorlunde_icon_pngs)
foreach(size 16 24 32 48 64 256)
  set(png ${PROJECT_BINARY_DIR}/windows-resources/icon-${size}.png)
  list(APPEND vorlunde_icon_commands COMMAND ${VORLUNDE_RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${vorlunde_icon_svg})
  if(size EQUAL 256)
    list(APPEND vorlunde_icon_pngs --raw=${png})
  else()
    list(APPEND vorlunde_icon_pngs ${png})
  endif()
endforeach()
add_custom_command(OUTPUT ${VORLUNDE_ICON}
  ${vorlunde_icon_commands}
  COMMAND ${VORLUNDE_ICOTOOL} -c -o ${VORLUNDE_ICON} ${vorlunde_icon_pngs}
  DEPENDS ${vorlunde_icon_svg} VERBATIM)
add_custom_target(vorlunde_windows_icon DEPENDS ${VORLUNDE_ICON})

# Gives `target` (a program named VORLUNDE_PROGRAM.exe) the icon, the manifest and a version
# resource saying `description`.
function(vorlunde_windows_resources target description)
  set(VORLUNDE_PROGRAM ${target})
  set(VORLUNDE_DESCRIPTION ${description})
  set(rc ${PROJECT_BINARY_DIR}/windows-resources/${target}.rc)
  set(object ${PROJECT_BINARY_DIR}/windows-resources/${target}-resources.o)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/program.rc.in ${rc} @ONLY)
  add_custom_command(OUTPUT ${object}
    COMMAND ${CMAKE_RC_COMPILER} -O coff ${rc} ${object}
    DEPENDS ${rc} ${VORLUNDE_ICON} ${VORLUNDE_MANIFEST} vorlunde_windows_icon VERBATIM)
  add_custom_target(${target}_resources DEPENDS ${object})
  add_dependencies(${target} ${target}_resources)
  target_link_libraries(${target} PRIVATE ${object})
endfunction()

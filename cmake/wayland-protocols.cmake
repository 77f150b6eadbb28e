# SPDX-License-Identifier: GPL-3.0-or-later
# The Wayland protocols the Wayland back end speaks, turned into C by wayland-scanner at build
# time: vorlunde_wayland_protocols holds their code and puts their client headers on the path.
pkg_check_modules(WAYLAND_CLIENT REQUIRED IMPORTED_TARGET wayland-client wayland-cursor)
pkg_check_modules(XKBCOMMON REQUIRED IMPORTED_TARGET xkbcommon)
pkg_get_variable(WAYLAND_SCANNER wayland-scanner wayland_scanner)
pkg_get_variable(WAYLAND_PROTOCOLS_DIR wayland-protocols pkgdatadir)
if(NOT WAYLAND_SCANNER OR NOT WAYLAND_PROTOCOLS_DIR)
  message(FATAL_ERROR "wayland-scanner (libwayland-bin) and wayland-protocols are needed")
endif()

set(VORLUNDE_WAYLAND_PROTOCOL_DIR ${CMAKE_BINARY_DIR}/wayland-protocols)
file(MAKE_DIRECTORY ${VORLUNDE_WAYLAND_PROTOCOL_DIR})
set(VORLUNDE_WAYLAND_PROTOCOL_SOURCES)
foreach(protocol stable/xdg-shell/xdg-shell stable/viewporter/viewporter
                 staging/fractional-scale/fractional-scale-v1)
  get_filename_component(name ${protocol} NAME)
  set(xml ${WAYLAND_PROTOCOLS_DIR}/${protocol}.xml)
  set(header ${VORLUNDE_WAYLAND_PROTOCOL_DIR}/${name}-client-protocol.h)
  set(code ${VORLUNDE_WAYLAND_PROTOCOL_DIR}/${name}-protocol.c)
  add_custom_command(OUTPUT ${header} ${code}
    COMMAND ${WAYLAND_SCANNER} client-header ${xml} ${header}
    COMMAND ${WAYLAND_SCANNER} private-code ${xml} ${code}
    DEPENDS ${xml} VERBATIM)
  list(APPEND VORLUNDE_WAYLAND_PROTOCOL_SOURCES ${header} ${code})
endforeach()
add_library(vorlunde_wayland_protocols STATIC ${VORLUNDE_WAYLAND_PROTOCOL_SOURCES})
target_include_directories(vorlunde_wayland_protocols SYSTEM PUBLIC ${VORLUNDE_WAYLAND_PROTOCOL_DIR})
target_link_libraries(vorlunde_wayland_protocols PUBLIC PkgConfig::WAYLAND_CLIENT)

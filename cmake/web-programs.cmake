# SPDX-License-Identifier: GPL-3.0-or-later
# The web player, built with cmake/web.cmake (scripts/build-web): the core without threads (its
# *_web.cpp parts: the track ahead opened between two mixes, the music fetched by the page when
# first opened), the web back end with FreeType for the skin's fonts, the example plug-in
# built in, and the page. Everything lands in the build folder's
# "web" folder: index.html, player.js, vorlunde.js and vorlunde.wasm, which `tarnel-skin
# package --web` copies beside a skin. Nothing else (tools, tests, the demo) is built here.
# The player reports errors by throwing: exceptions are caught.
add_compile_options(-fexceptions)
add_link_options(-fexceptions)
pkg_check_modules(FREETYPE REQUIRED IMPORTED_TARGET freetype2)

add_subdirectory(src)

set(web_output ${CMAKE_BINARY_DIR}/web)
file(GLOB web_sources CONFIGURE_DEPENDS src/platform/web/*.cpp)
add_library(vorlunde_web STATIC ${web_sources})
target_link_libraries(vorlunde_web PUBLIC vorlunde_platform PkgConfig::FREETYPE)

# The example plug-in, its entry points renamed so that others can be built in beside it
# (src/platform/web/web_builtin_plugins.cpp).
add_library(vorlunde_web_bar_scope OBJECT plugins/bar_scope/bar_scope.cpp)
target_include_directories(vorlunde_web_bar_scope PRIVATE ${PROJECT_SOURCE_DIR}/include)
target_compile_definitions(vorlunde_web_bar_scope PRIVATE
  PluginCreateProc=bar_scope_PluginCreateProc PluginDestroyProc=bar_scope_PluginDestroyProc)

add_executable(vorlunde src/app/main.cpp)
target_link_libraries(vorlunde PRIVATE vorlunde_core vorlunde_web vorlunde_web_bar_scope)
target_compile_definitions(vorlunde PRIVATE VORLUNDE_VERSION="${PROJECT_VERSION}" VORLUNDE_INSTALL_DATADIR="/usr/share")
set_target_properties(vorlunde PROPERTIES SUFFIX .js RUNTIME_OUTPUT_DIRECTORY ${web_output})
# The loop waits for the browser inside the player's own call stack (Asyncify); the page
# starts main once the skin's files are in the file system.
target_link_options(vorlunde PRIVATE
  -sASYNCIFY -sASYNCIFY_STACK_SIZE=65536
  -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=67108864
  -sINVOKE_RUN=0 -sENVIRONMENT=web -sFORCE_FILESYSTEM=1
  -sEXPORTED_RUNTIME_METHODS=callMain,FS,UTF8ToString)
foreach(page_file index.html player.js)
  configure_file(src/platform/web/${page_file} ${web_output}/${page_file} COPYONLY)
endforeach()

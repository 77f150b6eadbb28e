# SPDX-License-Identifier: GPL-3.0-or-later
# Builds for the browser (WebAssembly) with Debian's Emscripten and the libraries that
# scripts/build-web built for it.
#
# VORLUNDE_WEB_DEPS: the build cache's folder of them (for example /var/cache/vorlunde-web/wasm).
# Its file "prefixes" names one install prefix a line (each searched by find_package and
# find_library); its folder "pkgconfig" holds their .pc files, made self-contained for static
# linking, and is the only place pkg-config looks.
# Checks that run what they build (Emscripten's own size checks among them) run it under
# node; a node with a global fetch makes Emscripten's loader fetch the .wasm by its path,
# which fails, so without it.
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/bin/node --no-experimental-fetch CACHE STRING "Runs what Emscripten builds")
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)

if(VORLUNDE_WEB_DEPS)
  file(STRINGS "${VORLUNDE_WEB_DEPS}/prefixes" vorlunde_web_prefixes)
  list(APPEND CMAKE_FIND_ROOT_PATH ${vorlunde_web_prefixes})
  set(ENV{PKG_CONFIG_LIBDIR} "${VORLUNDE_WEB_DEPS}/pkgconfig")
  set(ENV{PKG_CONFIG_PATH} "")
  set(ENV{PKG_CONFIG_SYSROOT_DIR} "")
endif()

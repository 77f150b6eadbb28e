# SPDX-License-Identifier: GPL-3.0-or-later
# The part shared by the MinGW-w64 toolchain files: Debian's cross compilers of the posix
# threads variant (std::thread and std::mutex need it), programs and DLLs linked statically
# (libgcc, libstdc++ and winpthread inside, so that they import only Windows system DLLs), and
# the libraries that scripts/build-windows built for this processor.
#
# VORLUNDE_WIN_DEPS: that processor's folder in the build cache (for example
# /var/cache/vorlunde-win/x86_64). Its file "prefixes" names one install prefix a line (each
# searched by find_package and find_library); its folder "pkgconfig" holds their .pc files,
# made self-contained for static linking, and is the only place pkg-config looks.
set(CMAKE_SYSTEM_NAME Windows)
set(mingw_triple ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_triple}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${mingw_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
set(CMAKE_SHARED_LINKER_FLAGS_INIT -static)
set(CMAKE_MODULE_LINKER_FLAGS_INIT -static)

if(VORLUNDE_WIN_DEPS)
  file(STRINGS "${VORLUNDE_WIN_DEPS}/prefixes" vorlunde_win_prefixes)
  list(APPEND CMAKE_FIND_ROOT_PATH ${vorlunde_win_prefixes})
  set(ENV{PKG_CONFIG_LIBDIR} "${VORLUNDE_WIN_DEPS}/pkgconfig")
  set(ENV{PKG_CONFIG_PATH} "")
endif()

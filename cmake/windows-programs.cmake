# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows programs, cross-built with cmake/mingw-w64-<arch>.cmake (scripts/build-windows):
# the core, the headless and Win32 back ends, vorlunde.exe and the example plug-in DLL; the
# skin tool (with the demo's generator library, which `tarnel-skin new` draws with) and the
# unit tests when the libraries they need (libpng, libimagequant, libsndfile, SDL2_ttf,
# toml++, CLI11) are found too. The Linux-only parts (the SDL/X11 back end, the D-Bus tray,
# fontconfig, the end-to-end shell tests, the demo skin itself) are not built. The toolchain
# file links everything statically. The programs get an icon, a manifest and version
# information (cmake/windows-resources.cmake).
find_package(SDL2 CONFIG REQUIRED)
set(VORLUNDE_SDL2_TARGET SDL2::SDL2-static)

add_subdirectory(src)
add_subdirectory(plugins)
include(cmake/windows-resources.cmake)
vorlunde_windows_resources(vorlunde "vorlunde music player")

pkg_check_modules(PNG IMPORTED_TARGET libpng)
pkg_check_modules(IMAGEQUANT IMPORTED_TARGET imagequant)
pkg_check_modules(SNDFILE IMPORTED_TARGET sndfile)
pkg_check_modules(SDL2_TTF IMPORTED_TARGET SDL2_ttf)
pkg_check_modules(TOMLPP IMPORTED_TARGET tomlplusplus)
pkg_check_modules(CLI11 IMPORTED_TARGET CLI11)
if(PNG_FOUND AND IMAGEQUANT_FOUND AND SNDFILE_FOUND AND SDL2_TTF_FOUND AND TOMLPP_FOUND AND CLI11_FOUND)
  add_subdirectory(tools/skin-writer)
  add_subdirectory(tools/media)
  set(VORLUNDE_BUILD_DEMO OFF)
  add_subdirectory(demo demo-build)
  add_subdirectory(tools/tarnel-skin)
  # On Linux CLI11's headers are the system's; here they come from the library cache.
  target_link_libraries(tarnel-skin PRIVATE PkgConfig::CLI11)
  vorlunde_windows_resources(tarnel-skin "tarnel-skin, the vorlunde skin tool")
  if(VORLUNDE_BUILD_TESTS)
    enable_testing()
    add_subdirectory(tests)
  endif()
else()
  message(STATUS "libpng, libimagequant, libsndfile, SDL2_ttf, toml++ or CLI11 not found for Windows: tarnel-skin.exe and the unit tests are not built")
endif()

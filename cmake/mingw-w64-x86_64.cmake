# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-compiles for 64-bit Windows; see mingw-w64.cmake.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)

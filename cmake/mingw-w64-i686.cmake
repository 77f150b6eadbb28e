# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-compiles for 32-bit Windows; see mingw-w64.cmake. SSE2 (every x86 processor since 2003
# has it) for the blend's vector code and for floating point as on x86_64.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)

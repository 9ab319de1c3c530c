# SPDX-License-Identifier: MIT
# Cross-builds for 64-bit Windows with Debian's mingw-w64 (the posix-threads
# flavour, package g++-mingw-w64-x86-64-posix):
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZORVANE_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ZORVANE_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZORVANE_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${ZORVANE_MINGW_TRIPLET}-windres)

# Libraries and headers come from the Windows sysroot only; the build's own
# tools still run on this machine.
set(CMAKE_FIND_ROOT_PATH /usr/${ZORVANE_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Everything linked in statically (libgcc, libstdc++, winpthread), so that an
# .exe imports only the DLLs Windows itself ships and can be copied anywhere
# alone.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

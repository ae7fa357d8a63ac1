# Cross-building kalveo.exe for 64-bit Windows with Debian's mingw-w64 (posix threads, for
# std::thread and std::mutex). The runtime is linked statically: a kalveo.exe that needs
# libstdc++-6.dll beside it fails without a word under Wine and on a pilot's machine.
#   cmake -S . -B build-win64 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw64.cmake
#         -DCMAKE_PREFIX_PATH=<the cross-built SDL2, SDL2_mixer, FreeType, GoogleTest>
# scripts/windows-deps builds those; scripts/test-windows does all of it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KALVEO_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KALVEO_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KALVEO_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${KALVEO_MINGW}-windres)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc")

# Libraries and headers from the mingw sysroot and the cross-built prefix only, never the
# build machine's own; programs (pkg-config, the tests' helpers) from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${KALVEO_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The cross-built prefix (KALVEO_WIN_DEPS, from the environment at the first configure) is
# searched as a root of its own; pkg-config looks there alone.
if(DEFINED ENV{KALVEO_WIN_DEPS})
  set(KALVEO_WIN_DEPS $ENV{KALVEO_WIN_DEPS} CACHE PATH "Cross-built Windows libraries")
endif()
if(KALVEO_WIN_DEPS)
  list(APPEND CMAKE_FIND_ROOT_PATH ${KALVEO_WIN_DEPS})
  set(ENV{PKG_CONFIG_LIBDIR} ${KALVEO_WIN_DEPS}/lib/pkgconfig)
  set(ENV{PKG_CONFIG_PATH} "")
endif()

# Test programs run under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)

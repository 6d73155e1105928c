# Cross-building for 64-bit Windows with Debian's mingw-w64 (scripts/windows.sh).
# The posix flavour of the compiler, whose C++ library has std::thread and
# friends. Everything is linked statically, so the programs need no DLL of
# the compiler's and carry their own maths functions: the frames do not
# depend on what a Windows machine has installed.
# KELVOR_WINDOWS_DEPS: the prefix where scripts/windows.sh installed SDL2,
# libopenmpt and libpng built for Windows.
if(NOT KELVOR_WINDOWS_DEPS)
  set(KELVOR_WINDOWS_DEPS "$ENV{KELVOR_WINDOWS_DEPS}")
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES KELVOR_WINDOWS_DEPS)

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${triple} ${KELVOR_WINDOWS_DEPS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config sees only the Windows libraries, and gives what linking them
# statically needs.
set(ENV{PKG_CONFIG_LIBDIR} "${KELVOR_WINDOWS_DEPS}/lib/pkgconfig:/usr/${triple}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")
set(PKG_CONFIG_ARGN --static)
# No link time in the programs' headers: the same sources give the same bytes.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -Wl,--no-insert-timestamp")

# Programs built here run under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)

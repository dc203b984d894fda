# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 compilers. The
# POSIX-thread variant is the one whose C++ library has std::filesystem.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

# Libraries and packages come from the target's tree only (and from the Qt
# built for Windows, given as CMAKE_FIND_ROOT_PATH), never from the build
# machine's; programs (the compilers' helpers) from the build machine.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The core tests link the C and C++ runtimes in, so they run without DLLs
# beside them; Qt and the program share the runtimes' DLLs instead.
if(NOT QZ_MINGW_SHARED_RUNTIME)
    set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR wine)

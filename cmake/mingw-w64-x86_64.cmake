# Cross build for 64-bit Windows with Debian's MinGW-w64 compilers, run and tested under Wine:
#   cmake -S . -B build-windows --toolchain cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw_triplet x86_64-w64-mingw32)
# The POSIX-threads variant: the win32-threads one has no std::mutex or std::thread, which GoogleTest needs.
set(CMAKE_C_COMPILER ${mingw_triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_triplet}-windres)

# Everything the compiler brings (libstdc++, libgcc, winpthread, and libssp for the stack protector) is linked
# in, so that a program, the tests included, runs with nothing but the DLLs every Windows has beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
set(CMAKE_C_FLAGS_INIT -fstack-protector-strong)
set(CMAKE_CXX_FLAGS_INIT -fstack-protector-strong)

# Libraries and headers come from the MinGW sysroot only; programs that run during the build from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${mingw_triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# CTest, and custom commands that name a program of the build, run it under Wine, in a prefix of the build
# tree's own that the wrapper prepares on first use.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run --prefix=${CMAKE_BINARY_DIR}/wineprefix)

# Cross-builds the core, the command-line tool and their tests for 64-bit
# Windows with Debian's MinGW-w64 compiler, and runs the test programs under
# Wine.
#
#   cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
#         -DWORDGLEANER_BUILD_GUI=OFF
#
# The POSIX-threads flavour of the compiler is the one whose standard library
# has std::thread; the win32 flavour has none.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Static runtime (libgcc, libstdc++, winpthread): the programs run on a bare
# Windows without any MinGW DLL beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Test programs, and the test discovery of GoogleTest, run under Wine in a
# prefix of their own inside the build folder.
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/wine-run;${CMAKE_BINARY_DIR}/wine-prefix")

# CLI11 and GoogleTest for the target and the Wine prefix of the tests,
# right after project(wordgleaner).
set(CMAKE_PROJECT_wordgleaner_INCLUDE "${CMAKE_CURRENT_LIST_DIR}/cross-target.cmake")

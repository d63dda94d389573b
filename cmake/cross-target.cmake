# Included right after project(wordgleaner) by the cross toolchain: what the
# cross build needs beyond the compiler. Debian ships CLI11 and GoogleTest for
# the host only; CLI11 is headers alone and is taken as it is, GoogleTest is
# built for the target from its sources. Both answer the project's
# find_package() calls. The Wine prefix that runs the tests is prepared too.
# Nothing is downloaded.

set(WORDGLEANER_CLI11_HEADERS /usr/include/CLI
    CACHE PATH "CLI11 headers to use for the target (Debian package libcli11-dev)")
if(NOT EXISTS "${WORDGLEANER_CLI11_HEADERS}/CLI.hpp")
    message(FATAL_ERROR "No CLI11 headers in ${WORDGLEANER_CLI11_HEADERS}: "
                        "install Debian's libcli11-dev or set WORDGLEANER_CLI11_HEADERS")
endif()
# A copy of their own: the host's include folder must not reach the target's
# compiler, whose C library headers differ.
file(COPY "${WORDGLEANER_CLI11_HEADERS}/" DESTINATION "${CMAKE_BINARY_DIR}/cli11/include/CLI")
# find_package() looks into this folder before any other place, in any mode.
file(WRITE "${CMAKE_FIND_PACKAGE_REDIRECTS_DIR}/cli11-config.cmake" "\
if(NOT TARGET CLI11::CLI11)
    add_library(CLI11::CLI11 INTERFACE IMPORTED)
    set_target_properties(CLI11::CLI11 PROPERTIES
        INTERFACE_INCLUDE_DIRECTORIES \"${CMAKE_BINARY_DIR}/cli11/include\")
endif()
")

set(WORDGLEANER_GOOGLETEST_SOURCE /usr/src/googletest
    CACHE PATH "GoogleTest sources to build for the target (Debian package googletest)")

if(DEFINED WORDGLEANER_BUILD_TESTS AND NOT WORDGLEANER_BUILD_TESTS)
    return()
endif()
if(NOT EXISTS "${WORDGLEANER_GOOGLETEST_SOURCE}/CMakeLists.txt")
    message(FATAL_ERROR "No GoogleTest sources in ${WORDGLEANER_GOOGLETEST_SOURCE}: "
                        "install Debian's googletest or set WORDGLEANER_GOOGLETEST_SOURCE")
endif()

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory("${WORDGLEANER_GOOGLETEST_SOURCE}" "${CMAKE_BINARY_DIR}/googletest"
                 EXCLUDE_FROM_ALL SYSTEM)

file(WRITE "${CMAKE_FIND_PACKAGE_REDIRECTS_DIR}/gtest-config.cmake"
     "# GoogleTest built in this tree for the target.\nset(GTest_FOUND TRUE)\n")
file(WRITE "${CMAKE_FIND_PACKAGE_REDIRECTS_DIR}/gtest-config-version.cmake"
     "set(PACKAGE_VERSION_COMPATIBLE TRUE)\n")

# List the tests of each program when ctest starts rather than after linking,
# so building never needs Wine.
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)

# Creating a Wine prefix takes longer than GoogleTest waits for a test
# listing, so it happens here, once per build folder.
list(GET CMAKE_CROSSCOMPILING_EMULATOR 1 wine_prefix)
find_program(WORDGLEANER_WINE wine)
if(NOT WORDGLEANER_WINE)
    message(WARNING "Wine not found: the Windows test programs build but cannot run here")
elseif(NOT EXISTS "${wine_prefix}/drive_c")
    message(STATUS "Preparing the Wine prefix ${wine_prefix}")
    execute_process(COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} cmd /c exit
                    RESULT_VARIABLE wine_result OUTPUT_QUIET ERROR_QUIET)
    if(NOT wine_result EQUAL 0)
        message(WARNING "Wine could not prepare ${wine_prefix} (${wine_result})")
    endif()
endif()

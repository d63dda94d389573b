# Included right after project(wordgleaner) by the cross toolchain: makes the
# test suites build and run for the target. GoogleTest is built for the
# target from local sources (Debian ships it for the host only) and answers
# the project's find_package(GTest); the Wine prefix that runs the tests is
# prepared. Nothing is downloaded.

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

# find_package() looks into this folder before any other place, in any mode.
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

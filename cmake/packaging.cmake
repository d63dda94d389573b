# CPack: `cpack -G DEB` in a build folder makes one Debian package of the
# desktop program and the command-line tool. Its dependencies are read from
# the installed programs by dpkg-shlibdeps (the Qt 6 libraries, the C++
# runtime), so they follow whatever the build linked.
include(GNUInstallDirs)

set(CPACK_PACKAGE_NAME wordgleaner)
set(CPACK_PACKAGE_VENDOR "Wordgleaner")
set(CPACK_PACKAGE_CONTACT "Wordgleaner developers <wordgleaner@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Carries existing translations over to the tra files of game modifications")
# Lines under 80 characters, as Debian's rules ask for terminals of 80 columns.
set(CPACK_PACKAGE_DESCRIPTION
    "Given a reference tra file in the original language, the same file\n\
translated, and a folder of a mod's tra files, Wordgleaner writes recovered\n\
copies of the mod's files in which every text found in the reference carries\n\
its translation. It comes as a desktop program (wordgleaner) and a\n\
command-line tool (wordgleaner-cli).")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Whatever the umask of the machine that builds it: Debian wants 0755.
set(directory_permissions OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
    WORLD_READ WORLD_EXECUTE)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS ${directory_permissions})
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS ${directory_permissions})

# What Debian's rules ask of a package beside its programs: the copyright in
# the machine-readable format, a changelog (the package is native: its
# version has no Debian revision, so changelog.gz), the documentation and a
# manual page for each program, all compressed with gzip -9n so that the
# same sources give the same bytes. The page of wordgleaner-cli is made from
# its own --help and --version by help2man, so it never drifts from them;
# the desktop program takes no arguments, and its page is written.
if(UNIX AND NOT CMAKE_CROSSCOMPILING)
    find_program(GZIP_PROGRAM gzip REQUIRED)
    find_program(HELP2MAN_PROGRAM help2man)
    set(debian_source ${PROJECT_SOURCE_DIR}/cmake/debian)
    set(debian_build ${PROJECT_BINARY_DIR}/debian)
    # The changelog's date, for help2man's page date too.
    set(release_epoch 1770033600)
    configure_file(${debian_source}/changelog.in ${debian_build}/changelog @ONLY)
    configure_file(${debian_source}/wordgleaner.1 ${debian_build}/wordgleaner.1 COPYONLY)
    set(compressed ${debian_build}/changelog.gz ${debian_build}/wordgleaner.1.gz)
    if(HELP2MAN_PROGRAM)
        add_custom_command(OUTPUT ${debian_build}/wordgleaner-cli.1
            COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${release_epoch}
                ${HELP2MAN_PROGRAM} --no-info --no-discard-stderr
                "--name=carry existing translations over to the tra files of a game modification"
                --include=${debian_source}/wordgleaner-cli.h2m
                --output=${debian_build}/wordgleaner-cli.1 $<TARGET_FILE:wordgleaner-cli>
            DEPENDS wordgleaner-cli ${debian_source}/wordgleaner-cli.h2m
            VERBATIM)
        list(APPEND compressed ${debian_build}/wordgleaner-cli.1.gz)
    else()
        message(STATUS "help2man not found: the package has no manual page for wordgleaner-cli")
    endif()
    foreach(file IN LISTS compressed)
        string(REGEX REPLACE "\\.gz$" "" plain ${file})
        add_custom_command(OUTPUT ${file}
            COMMAND ${GZIP_PROGRAM} -9n --force --keep ${plain}
            DEPENDS ${plain}
            VERBATIM)
    endforeach()
    add_custom_target(debian_documents ALL DEPENDS ${compressed})

    install(FILES ${debian_source}/copyright ${debian_build}/changelog.gz
                  ${PROJECT_SOURCE_DIR}/README.md
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
    if(WORDGLEANER_BUILD_GUI)
        install(FILES ${debian_build}/wordgleaner.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    endif()
    if(HELP2MAN_PROGRAM)
        install(FILES ${debian_build}/wordgleaner-cli.1.gz
            DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    endif()
endif()

include(CPack)

# CPack: `cpack -G DEB` in a build folder makes one Debian package of the
# desktop program and the command-line tool. Its dependencies are read from
# the installed programs by dpkg-shlibdeps (the Qt 6 libraries, the C++
# runtime), so they follow whatever the build linked.
set(CPACK_PACKAGE_NAME wordgleaner)
set(CPACK_PACKAGE_VENDOR "Wordgleaner")
set(CPACK_PACKAGE_CONTACT "Wordgleaner developers <wordgleaner@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Carries existing translations over to the tra files of game modifications")
set(CPACK_PACKAGE_DESCRIPTION
    "Given a reference tra file in the original language, the same file translated, and a\n\
folder of a mod's tra files, Wordgleaner writes recovered copies of the mod's files in\n\
which every text found in the reference carries its translation. It comes as a desktop\n\
program (wordgleaner) and a command-line tool (wordgleaner-cli).")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

include(CPack)

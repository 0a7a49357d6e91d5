# `cpack -G DEB` in the build folder makes a Debian package of what `cmake --install` lays out.

set(CPACK_PACKAGE_NAME drovane)
set(CPACK_PACKAGE_VENDOR "The Drovane developers")
set(CPACK_PACKAGE_CONTACT "The Drovane developers <drovane@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION
    "A small arcade game with a French interface: steer a ship along a corridor whose\n\
walls drift and close in, dodge the stone, catch bonuses, and keep a table of the\n\
thirty best results in each of five modes.")
set(CPACK_PACKAGE_HOMEPAGE_URL "${PROJECT_HOMEPAGE_URL}")
set(CPACK_GENERATOR DEB)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The windows ask for Comic Sans MS; fontconfig stands Comic Neue in for it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-comic-neue")

find_program(DROVANE_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(DROVANE_DPKG_SHLIBDEPS)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
    # Without the tool, name the Qt libraries by hand (their Debian 12 names).
    string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS
           ", libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), libqt6multimedia6 (>= 6.4)")
endif()

include(CPack)

# SPDX-License-Identifier: GPL-3.0-or-later
# `cpack -G DEB` in a build folder makes a Debian package of what `cmake --install` lays out;
# scripts/package.sh does that in build-package/ and checks the result with lintian.

# The package's changelog and the manual page name the version: keep them in step.
file(STRINGS ${PROJECT_SOURCE_DIR}/assets/debian/changelog drovane_changelog_top LIMIT_COUNT 1)
if(NOT drovane_changelog_top MATCHES "^drovane \\(${PROJECT_VERSION}\\) ")
    message(FATAL_ERROR "assets/debian/changelog starts with '${drovane_changelog_top}': "
                        "add an entry for version ${PROJECT_VERSION} at its top.")
endif()
file(STRINGS ${PROJECT_SOURCE_DIR}/assets/man/drovane.6 drovane_man_title REGEX "^\\.TH ")
if(NOT drovane_man_title MATCHES "\"Drovane ${PROJECT_VERSION}\"")
    message(FATAL_ERROR "assets/man/drovane.6 has '${drovane_man_title}': "
                        "name version ${PROJECT_VERSION} (and its date) in its .TH line.")
endif()

set(CPACK_PACKAGE_NAME drovane)
set(CPACK_PACKAGE_VENDOR "The Drovane developers")
set(CPACK_PACKAGE_CONTACT "The Drovane developers <drovane@example.org>")
# Debian's synopsis: no leading article, no full stop. Each line of the long description
# becomes a line of the control file after one space: keep them well under 80 columns.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "arcade game: steer a ship down a corridor that closes in")
set(CPACK_PACKAGE_DESCRIPTION
    "A small arcade game with a French interface. Steer a ship along the bottom\n\
of a corridor whose walls drift sideways and slowly close in, dodge the\n\
falling stone, catch bonuses and pellets, and keep a table of the thirty\n\
best results in each of five modes, from beginner to inhuman.")
set(CPACK_PACKAGE_HOMEPAGE_URL "${PROJECT_HOMEPAGE_URL}")
set(CPACK_GENERATOR DEB)
set(CPACK_STRIP_FILES ON)
# The package's files are laid out under /usr, whatever prefix the build folder has.
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Control files with the permissions Debian's tools give them (md5sums 0644 and so on).
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The windows ask for Comic Sans MS; fontconfig stands Comic Neue in for it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-comic-neue")
# Qt's Wayland platform plugin, for a session with no X server; Qt's own French texts
# (standard buttons and dialogs). The game runs without either on X11.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, qt6-translations-l10n")

find_program(DROVANE_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(DROVANE_DPKG_SHLIBDEPS)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
    # Without the tool, name the Qt libraries by hand (their Debian 12 names).
    string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS
           ", libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), libpulse0")
endif()

include(CPack)

# The Debian package: `cpack -G DEB` in the build folder writes veldane_<version>_<arch>.deb.
# Include after every install() rule.

# Cache entries, so that whoever publishes the package can put in their own address.
set(VELDANE_PACKAGE_MAINTAINER "VELDANE for C maintainers <maintainers@veldane.invalid>"
    CACHE STRING "Maintainer line of the Debian package")

# cpack packs the tree as it is built, like `cmake --install`: it does not first rebuild every
# target, tests, benchmarks and fuzzers included.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME veldane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Write the header comment of a C or C++ function")
set(CPACK_PACKAGE_CONTACT ${VELDANE_PACKAGE_MAINTAINER})
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The summary line comes first from CPACK_PACKAGE_DESCRIPTION_SUMMARY. cpack puts a blank before
# each line of this text, so a line here may hold 79 characters for the 80 columns of a terminal.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "A small Japanese desktop tool: paste one function declaration, add
descriptions, a title, an author and a date, and it expands your own format
file into the finished comment on the clipboard. The command veldane-header
writes the same comment to standard output, for editors and scripts.")
# The Qt libraries come from dpkg-shlibdeps; the font is loaded by name at run time, so no
# library dependency names it: without it the form falls back to a font without Japanese. Qt's
# Japanese texts (buttons, file chooser) are loaded the same way, from qt6-translations-l10n.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, qt6-translations-l10n")

set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build[^/]*/" "/ini/")

include(CPack)

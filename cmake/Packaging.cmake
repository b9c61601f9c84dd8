# The Debian package, built by `cpack` in a release tree configured with the
# prefix /usr (scripts/package.sh does both): morikoyomi_<version>_amd64.deb.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME morikoyomi)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGING_INSTALL_PREFIX "${CMAKE_INSTALL_PREFIX}")
set(CPACK_PACKAGE_DIRECTORY "${PROJECT_BINARY_DIR}")
set(CPACK_PACKAGE_CONTACT "${MORIKOYOMI_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "system yield table for even-aged plantation forests")
# The extended description; CPack indents it and marks the blank line
# between the paragraphs as Debian wants.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"杜の暦『構想』 (morikoyomi) makes yield prediction tables, five alternative
thinning plans and stand volume tables for planted stands from a stand
density control diagram and the site-class dominant-height curves of a
region, as Shift_JIS text with graphs. It also prepares that base data:
survey plots, the fitting of the height curves and a diagram's
coefficients.

The windows are in Japanese. The batch tool morikoyomi-cli computes the
same tables from run files; examples are installed in
${CMAKE_INSTALL_FULL_DATADIR}/morikoyomi/examples.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${MORIKOYOMI_HOMEPAGE}")
# The libraries come from the binaries; the windows draw their Japanese text
# with the IPA fonts, which no library pulls in.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)

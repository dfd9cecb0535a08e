# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package: `cmake --build build --target package`, or `cpack -G DEB`
# in the build folder.
set(CPACK_PACKAGE_NAME wogenfeld)
set(CPACK_PACKAGE_CONTACT "Wogenfeld maintainers <maintainers@users.noreply.c-seed-a292d8c6.example>"
    CACHE STRING "Name and e-mail address of whoever answers for the package")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Wellen auf einem Netz gekoppelter Pendel / waves on a net of coupled pendulums")
set(CPACK_PACKAGE_DESCRIPTION [=[
Wogenfeld zeigt live, wie sich Wellen auf einem Netz aus 71 x 71 gekoppelten
Pendeln ausbreiten: Punktquellen oder eine gerade Wellenfront regen das Netz
an, der Rand dämpft die Wellen oder wirft sie zurück. Das Netz erscheint als
blaues Drahtgitter in Perspektive, das sich drehen und vergrößern lässt. Für
den Physikunterricht; die Oberfläche ist deutsch.

Wogenfeld shows, live, how waves spread over a net of 71 x 71 coupled
pendulums, driven by point sources or a straight wavefront, with a damping or
a reflecting border, drawn as a blue wire mesh in perspective that can be
turned and zoomed. For physics lessons; the window is in German.]=])

if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
    set(CPACK_GENERATOR DEB)
endif()
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT) # wogenfeld_<version>_<architecture>.deb
# A package depends on the Qt and C library packages of the release it was
# built on, and Debian 13 renamed them, so each release gets its own package,
# named after it: wogenfeld_0.1.0~deb12_amd64.deb, wogenfeld_0.1.0~deb13_amd64.deb.
if(WOGENFELD_DEBIAN_RELEASE)
    set(CPACK_DEBIAN_PACKAGE_VERSION "${PROJECT_VERSION}~deb${WOGENFELD_DEBIAN_RELEASE}")
endif()
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps derives the Qt 6 and libjpeg packages from the binaries.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/RequireDebTools.cmake)
# The captions are laid out for the widths of Arial, which Liberation Sans has;
# in any other font some of them are cut. Added to what dpkg-shlibdeps finds.
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-liberation2)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${WOGENFELD_HOMEPAGE})
# Packaged programs carry no debugging information nor the compiler's notes.
set(CPACK_STRIP_FILES ON)
# Read by RequireDebTools.cmake: without help2man the package would lack its manual pages.
set(CPACK_WOGENFELD_HELP2MAN "${WOGENFELD_HELP2MAN}")

include(CPack)

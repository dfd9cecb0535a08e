# SPDX-License-Identifier: GPL-3.0-or-later
# Run by cpack for each generator. Without these tools CPack would still make a
# .deb, but one that declares no dependencies and fails on a clean system, or
# one without its manual pages.
if(CPACK_GENERATOR STREQUAL "DEB")
    find_program(WOGENFELD_SHLIBDEPS dpkg-shlibdeps)
    find_program(WOGENFELD_FILE file)
    if(NOT WOGENFELD_SHLIBDEPS OR NOT WOGENFELD_FILE OR NOT CPACK_WOGENFELD_HELP2MAN)
        message(FATAL_ERROR "The Debian package needs dpkg-shlibdeps and file to find its "
                            "dependencies and help2man for its manual pages; as root: "
                            "apt-get install dpkg-dev file help2man, then run cmake again")
    endif()
endif()

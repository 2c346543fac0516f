# The Debian package, ocrprint_VERSION_amd64.deb, made by CPack's DEB generator
# from the install rules (scripts/package). Its Depends are what
# dpkg-shlibdeps finds in the two programs plus what they load at run time:
# libcups (bound when the first printer is asked for), a Japanese gothic font,
# Qt's translations and platform plugins.

# The copyright file and the changelog Debian requires in the documents.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE license)
string(REGEX REPLACE "^MIT License\n\n" "" license "${license}")
string(REGEX MATCH "Copyright \\(c\\) [^\n]*" holder "${license}")
string(REGEX REPLACE "Copyright \\(c\\) " "" holder "${holder}")
string(REGEX REPLACE "\n\n" "\n.\n" license_dep5 "${license}")
string(REGEX REPLACE "\n([^\n])" "\n \\1" license_dep5 "${license_dep5}")
file(WRITE ${CMAKE_BINARY_DIR}/debian/copyright
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: ocrprint

Files: *
Copyright: ${holder}
License: Expat
 ${license_dep5}")

set(OCRPRINT_MAINTAINER "ocrprint maintainers <maintainers@users.noreply.c-seed-10053128.example>"
    CACHE STRING "The package's maintainer, as Debian writes it")
# The changelog's date in the form Debian wants (RFC 5322), from the release date.
execute_process(COMMAND date -u -R -d "${OCRPRINT_RELEASE_DATE} 00:00:00 UTC"
                OUTPUT_VARIABLE release_rfc5322 OUTPUT_STRIP_TRAILING_WHITESPACE
                RESULT_VARIABLE date_status)
if(NOT date_status EQUAL 0)
    message(FATAL_ERROR "OCRPRINT_RELEASE_DATE ${OCRPRINT_RELEASE_DATE} is not a date")
endif()
configure_file(${CMAKE_CURRENT_LIST_DIR}/changelog.in ${CMAKE_BINARY_DIR}/debian/changelog @ONLY)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/debian/changelog.gz
    COMMAND gzip -9nf -k ${CMAKE_BINARY_DIR}/debian/changelog
    DEPENDS ${CMAKE_BINARY_DIR}/debian/changelog)
add_custom_target(ocrprint_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/debian/changelog.gz)
install(FILES ${CMAKE_BINARY_DIR}/debian/copyright ${CMAKE_BINARY_DIR}/debian/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ocrprint)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${OCRPRINT_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "print OCR declaration forms onto pre-printed paper")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_FILE_NAME "ocrprint_${PROJECT_VERSION}_amd64")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${OCRPRINT_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${OCRPRINT_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libcups2, fonts-ipafont-gothic | fonts-noto-cjk, qt6-translations-l10n, qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
# CPack puts the summary above this, the extended description.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"ocrprint prints the entries of a Japanese OCR declaration form from a
Shift-JIS data file onto pre-printed paper, each entry at its exact
position in millimetres. It corrects each printer's scale and position
error from four lengths measured on a printed measurement sheet.
.
The package holds the window program, ocrprint (the menu entry OCR印刷), and
the command-line tool ocrprint-cli, which runs the same jobs without a
window and prints to CUPS queues or to PDF and PNG files.")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# The package holds what the install rules name, built beforehand by
# scripts/package; installing it does not build the tests.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
include(CPack)

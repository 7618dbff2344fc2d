# SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Installation into the standard places and the Debian package.
#   cmake --install <build> [--prefix /usr/local]
#   cpack --config <build>/CPackConfig.cmake        -> dorvanquellis_<version>_<arch>.deb
# The package passes lintian (scripts/check-package.sh runs it); its changelog
# and machine-readable copyright file are in packaging/linux/debian/.
# The help pages are compiled into the executable; Qt's Japanese translation of
# its standard dialogs comes from the system's Qt (qt6-translations-l10n).
include(GNUInstallDirs)

set(DORVAN_APP_ID org.dorvanquellis.Dorvanquellis)
set(DORVAN_LINUX_DIR ${PROJECT_SOURCE_DIR}/packaging/linux)

install(TARGETS dorvanquellis RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${DORVAN_LINUX_DIR}/${DORVAN_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${DORVAN_LINUX_DIR}/${DORVAN_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${DORVAN_LINUX_DIR}/${DORVAN_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The manual page, English and Japanese, with the project's version; compressed
# without a time stamp, as Debian wants it.
set(DORVAN_DOC_BUILD_DIR ${CMAKE_BINARY_DIR}/doc)
foreach(page dorvanquellis.1 dorvanquellis.ja.1)
  configure_file(${DORVAN_LINUX_DIR}/${page}.in ${DORVAN_DOC_BUILD_DIR}/${page} @ONLY)
endforeach()
# The Debian changelog names the version it describes first.
file(STRINGS ${DORVAN_LINUX_DIR}/debian/changelog DORVAN_CHANGELOG_TOP LIMIT_COUNT 1)
if(NOT DORVAN_CHANGELOG_TOP MATCHES "^dorvanquellis \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "packaging/linux/debian/changelog does not begin with version "
                      "${PROJECT_VERSION}: ${DORVAN_CHANGELOG_TOP}")
endif()
set(DORVAN_GZIPPED
    ${DORVAN_DOC_BUILD_DIR}/dorvanquellis.1.gz ${DORVAN_DOC_BUILD_DIR}/dorvanquellis.ja.1.gz
    ${DORVAN_DOC_BUILD_DIR}/changelog.gz)
add_custom_command(
  OUTPUT ${DORVAN_GZIPPED}
  COMMAND gzip -9nkf dorvanquellis.1 dorvanquellis.ja.1
  COMMAND gzip -9nc ${DORVAN_LINUX_DIR}/debian/changelog > changelog.gz
  DEPENDS ${DORVAN_DOC_BUILD_DIR}/dorvanquellis.1 ${DORVAN_DOC_BUILD_DIR}/dorvanquellis.ja.1
          ${DORVAN_LINUX_DIR}/debian/changelog
  WORKING_DIRECTORY ${DORVAN_DOC_BUILD_DIR} VERBATIM)
add_custom_target(dorvanquellis_docs ALL DEPENDS ${DORVAN_GZIPPED})
install(FILES ${DORVAN_DOC_BUILD_DIR}/dorvanquellis.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${DORVAN_DOC_BUILD_DIR}/dorvanquellis.ja.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/ja/man1 RENAME dorvanquellis.1.gz)
# The licence and the history, where Debian's tools look for them.
install(FILES ${DORVAN_LINUX_DIR}/debian/copyright ${DORVAN_DOC_BUILD_DIR}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/dorvanquellis)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME dorvanquellis)
set(CPACK_PACKAGE_VENDOR "The Dorvanquellis developers")
set(CPACK_PACKAGE_CONTACT
    "Seed 5f2ee4c9 maintainers <maintainers@users.noreply.c-seed-5f2ee4c9.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "file utility that acts on a list of full paths at once (Japanese UI)")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Dorvanquellis gathers the full paths of files from many folders into one\n\
list, the data list, and copies, moves or deletes (to the trash) everything\n\
in it at once. Its user interface is in Japanese.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# Libraries the executable links come from dpkg-shlibdeps; the rest is loaded
# at run time: Qt's platform plugins, its Japanese translation and a Japanese font.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, qt6-translations-l10n, fonts-ipafont-gothic | fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
include(CPack)

# The installed tree and its desktop files; the validators run where installed.
if(DORVAN_BUILD_TESTS)
  add_test(NAME install COMMAND sh ${DORVAN_LINUX_DIR}/check-install.sh
           ${CMAKE_COMMAND} ${CMAKE_BINARY_DIR} ${DORVAN_APP_ID})
  set_tests_properties(install PROPERTIES TIMEOUT 120)
  add_test(NAME command_line COMMAND sh ${DORVAN_LINUX_DIR}/check-command-line.sh
           $<TARGET_FILE:dorvanquellis> ${PROJECT_VERSION}
           ${DORVAN_DOC_BUILD_DIR}/dorvanquellis.1 ${DORVAN_DOC_BUILD_DIR}/dorvanquellis.ja.1)
  set_tests_properties(command_line PROPERTIES TIMEOUT 60)
endif()

# Installation into the standard places and the Debian package.
#   cmake --install <build> [--prefix /usr/local]
#   cpack --config <build>/CPackConfig.cmake        -> dorvanquellis_<version>_<arch>.deb
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

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME dorvanquellis)
set(CPACK_PACKAGE_VENDOR "The Dorvanquellis developers")
set(CPACK_PACKAGE_CONTACT "The Dorvanquellis developers")
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
endif()

# The Debian package (cpack -G DEB in a Release build; scripts/package-deb.sh): the programs,
# their pictures, interface module and help, the sample installation registered in the
# package's machine hive, the desktop entry and the icon, all under /opt/norvel (the
# programs find everything beside them), with links in /usr/bin and /usr/share.
set(CPACK_PACKAGE_NAME "norvel")
set(CPACK_PACKAGE_VENDOR "Kelvar")
set(CPACK_PACKAGE_CONTACT "Norvel developers <norvel@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Italian-English dictionary workstation")
set(CPACK_PACKAGE_DESCRIPTION
    "Norvel reads Italian and English text sentence by sentence, reduces every word to its\n lemmas and shows their entries, with headword lists, advanced and word-form searches\n and the user's own notes. A sample installation of dictionaries comes with it.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX "/opt/norvel")
set(CPACK_INSTALL_PREFIX "/opt/norvel") # the prefix the installation writes into the hive
set(CPACK_SET_DESTDIR ON)
set(CPACK_GENERATOR "DEB")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "text")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What no library link names: the window system's plugins and the sound backend.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6, qt6-qpa-plugins, gstreamer1.0-plugins-good")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    "${CMAKE_SOURCE_DIR}/cmake/deb/postinst;${CMAKE_SOURCE_DIR}/cmake/deb/prerm")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)

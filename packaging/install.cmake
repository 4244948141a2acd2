# Installing the programs, their data, the desktop entry and the icon, and
# the Debian package built from that ("cpack -G DEB" in the build folder).
# bin/ and share/ stay siblings: an installed editor finds its data as
# ../share/qzed32 from its own folder.
set(qz_programs qztags lexpak qzgrep)
if(TARGET qzed32)
  list(PREPEND qz_programs qzed32)
endif()
install(TARGETS ${qz_programs} RUNTIME DESTINATION bin)
# The help pages go in as the build filled them in, with their key tables.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/ DESTINATION share/qzed32 PATTERN help EXCLUDE)
install(DIRECTORY ${QZ_PROGRAM_DIR}/help/ DESTINATION share/qzed32/help)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/qzed32.desktop DESTINATION share/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/icons/qzed32.svg DESTINATION share/icons/hicolor/scalable/apps)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qzed32)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Tobarin")
set(CPACK_PACKAGE_CONTACT "QZ32 Editor developers <qzed32@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Text editor for Japanese and ASCII text (Shift-JIS, EUC-JP, JIS, UTF-8)")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Text editor for Japanese and ASCII text (Shift-JIS, EUC-JP, JIS, UTF-8)\n"
  "A multiple-document editor for programmers, with keyword colouring,\n"
  "templates, tag jumps, grep and rectangle editing. Includes the tag file\n"
  "generator qztags, the dictionary converter lexpak and qzgrep.")
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://localhost/qzed32")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# The libraries the programs link come from dpkg-shlibdeps; a Japanese font,
# Qt's Japanese texts and a browser opener are what a user wants besides.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads the SVG icon engine as a plugin, which dpkg-shlibdeps cannot see.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-ipafont-gothic | fonts-noto-cjk, qt6-translations-l10n, xdg-utils")
include(CPack)

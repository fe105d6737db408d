# Where a Debian desktop finds the program: the programs in bin, the desktop entry, the icon and the
# MIME type definitions in their freedesktop places (dpkg triggers update the caches), the help book
# in share/vemo/help, where the program looks for it beside its bin folder.
include(GNUInstallDirs)

if(VEMO_BUILD_UI)
    install(TARGETS vemo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/vemo.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/vemo.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/vemo-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
            RENAME vemo.xml)
    file(GLOB vemo_help_pages ${PROJECT_SOURCE_DIR}/help/*.html ${PROJECT_SOURCE_DIR}/help/*.png)
    install(FILES ${vemo_help_pages} DESTINATION ${CMAKE_INSTALL_DATADIR}/vemo/help)
endif()
install(TARGETS vemo-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# Debian wants the copyright and a compressed changelog in the package's doc folder.
set(vemo_docdir ${CMAKE_INSTALL_DATADIR}/doc/vemo-point-desk)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/changelog.gz
                   COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/packaging/changelog > ${CMAKE_BINARY_DIR}/changelog.gz
                   DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog)
add_custom_target(vemo_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/changelog.gz)
# The manual pages, compressed as Debian wants them.
set(vemo_man_pages)
foreach(page vemo vemo-cli)
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/${page}.1.gz
                       COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/packaging/${page}.1 > ${CMAKE_BINARY_DIR}/${page}.1.gz
                       DEPENDS ${PROJECT_SOURCE_DIR}/packaging/${page}.1)
    list(APPEND vemo_man_pages ${CMAKE_BINARY_DIR}/${page}.1.gz)
endforeach()
add_custom_target(vemo_man_pages ALL DEPENDS ${vemo_man_pages})
install(FILES ${vemo_man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/packaging/copyright
              ${CMAKE_BINARY_DIR}/changelog.gz DESTINATION ${vemo_docdir})

# cpack -G DEB: one package with both programs; the library dependencies come from dpkg-shlibdeps.
set(CPACK_PACKAGE_NAME vemo-point-desk)
set(CPACK_PACKAGE_VENDOR "Vemo Point Desk")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Coordinate manager for land surveying (points, parcels, traverses, SIMA)")
set(CPACK_PACKAGE_DESCRIPTION "Keeps surveyed point lists and parcels per job site, computes parcel
areas (chiseki and tsubo) and prints area reports, performs coordinate
geometry, traverse adjustment and coordinate transformation, and exchanges
data with total stations over RS-232C and with other software through SIMA
files.  All files are Shift-JIS (CP932).")
set(CPACK_PACKAGE_CONTACT "Vemo Point Desk maintainers <packages@vemo.invalid>")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
# The association boxes call xdg-mime; reports name IPAGothic.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "xdg-utils, shared-mime-info, fonts-ipafont-gothic")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)

# `make package`: a Debian package of both programs. The programs look for Ordalis.ini and the
# definitions beside their executable, so they live together in lib/ordalis and bin/ holds links.
include(GNUInstallDirs)
set(ORDALIS_PKG_DIR lib/ordalis)

install(TARGETS ordalis-post RUNTIME DESTINATION ${ORDALIS_PKG_DIR})
if(TARGET ordalis)
  install(TARGETS ordalis RUNTIME DESTINATION ${ORDALIS_PKG_DIR})
endif()
install(FILES data/Default.ppc data/Ordalis.ini DESTINATION ${ORDALIS_PKG_DIR})
install(DIRECTORY data/ppc DESTINATION ${ORDALIS_PKG_DIR})
install(DIRECTORY data/examples/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples)
install(FILES README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES data/desktop/ordalis.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/desktop/ordalis.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES data/desktop/ordalis-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME ordalis.xml)

# Relative links, made in the build tree and installed as links.
set(links_dir ${CMAKE_BINARY_DIR}/package-links)
file(MAKE_DIRECTORY ${links_dir})
foreach(program ordalis ordalis-post)
  file(CREATE_LINK ../${ORDALIS_PKG_DIR}/${program} ${links_dir}/${program} SYMBOLIC)
  install(FILES ${links_dir}/${program} DESTINATION ${CMAKE_INSTALL_BINDIR})
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ordalis)
set(CPACK_PACKAGE_CONTACT "Ordalis maintainers <maintainers@ordalis.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "NC post-processor: APT / CL-data toolpaths to ISO G-code")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Ordalis turns the toolpath a CAM system writes (APT / CL-data) into the ISO G-code part\n program of one machine and controller, driven by a post-processor definition file (.ppc).\n It ships a desktop program (ordalis) and a batch program (ordalis-post).")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)

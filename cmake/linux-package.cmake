# The desktop entry, the AppStream metainfo and a Debian package.
install(FILES data/${PRIZEWELL_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/${PRIZEWELL_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Prizewell developers <maintainers@prizewell.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Library dependencies come from dpkg-shlibdeps; the faces the windows are laid out for do not.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
# Without it Qt runs through XWayland on Wayland sessions.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")

# The desktop entry, the AppStream metainfo, the manual page and a Debian package.
install(FILES data/${PRIZEWELL_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/${PRIZEWELL_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Compressed as Debian's tools do: -n leaves the name and time out, so the same text always makes
# the same file.
configure_file(data/prizewell.6.in prizewell.6 @ONLY)
set(prizewell_gzipped)
foreach(file ${CMAKE_CURRENT_BINARY_DIR}/prizewell.6
             ${CMAKE_CURRENT_SOURCE_DIR}/data/debian/changelog)
    get_filename_component(name ${file} NAME)
    add_custom_command(OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/gz/${name}.gz
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/gz
        COMMAND gzip -9nc ${file} > ${CMAKE_CURRENT_BINARY_DIR}/gz/${name}.gz
        DEPENDS ${file})
    list(APPEND prizewell_gzipped ${CMAKE_CURRENT_BINARY_DIR}/gz/${name}.gz)
endforeach()
add_custom_target(prizewell_gzipped ALL DEPENDS ${prizewell_gzipped})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/gz/prizewell.6.gz
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES data/debian/copyright ${CMAKE_CURRENT_BINARY_DIR}/gz/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${CPACK_PACKAGE_NAME})

set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Prizewell developers <maintainers@prizewell.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
# The program is shipped stripped; its debugging symbols go to prizewell-dbgsym.
set(CPACK_DEBIAN_DEBUGINFO_PACKAGE ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Library dependencies come from dpkg-shlibdeps; the faces the windows are laid out for do not.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
# Without it Qt runs through XWayland on Wayland sessions.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
# The same commit makes the same packages, whoever builds them where.
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/deb-repack.cmake)

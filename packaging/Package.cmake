# The Debian package quelvo-tools_VERSION_ARCH.deb, made by CPack from the
# install rules above: `cpack -G DEB` in the build folder
# (scripts/package.sh does it for a release build and runs lintian).
# Everything lies under /usr; Depends comes from dpkg-shlibdeps.

set(VESK_PACKAGE_MAINTAINER "Quelvo Tools maintainers <maintainers@quelvo-tools.example>"
  CACHE STRING "Maintainer field of the Debian package")

set(CPACK_PACKAGE_NAME quelvo-tools)
set(CPACK_PACKAGE_VENDOR "The Quelvo Tools developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "resistivity survey sequences and data")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/package)

set(CPACK_DEBIAN_PACKAGE_NAME quelvo-tools)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VESK_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# CPack writes the summary above as the synopsis, then this long text.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Quelvo Tools designs electrode switching sequences for a 48-electrode
multi-electrode resistivity instrument, opens its data files, computes
geometry and apparent resistivities, filters measurements, joins roll-along
spreads and exports the data for inversion (Res2DInv, CSV, pyGIMLi/BERT).
.
The package holds the desktop program VeskTools, the command-line companion
vesk with its picture program vesk-plot, and the C libraries libvesk_pro
(instrument file formats, sequence generators, gridding) and libMeshInterp
(Akima surfaces over scattered points) with headers, pkg-config and CMake
package files.")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The package's own libraries satisfy its programs: dpkg-shlibdeps (run in
# the package tree) finds them there and adds no dependency for them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS usr/${CMAKE_INSTALL_LIBDIR})
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_SOURCE_DIR}/debian/triggers)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# The copyright and the changelog Debian asks of every package.
set(package_doc_folder ${CMAKE_INSTALL_DATADIR}/doc/${CPACK_DEBIAN_PACKAGE_NAME})
install(FILES debian/copyright DESTINATION ${package_doc_folder})
configure_file(debian/changelog.in ${CMAKE_CURRENT_BINARY_DIR}/changelog @ONLY)
add_custom_command(OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
  COMMAND ${GZIP} -9nkf ${CMAKE_CURRENT_BINARY_DIR}/changelog
  DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/changelog
  VERBATIM)
add_custom_target(vesk_package_changelog ALL DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz DESTINATION ${package_doc_folder})

include(CPack)

# What `cmake --install` puts in place: the two tools and their man pages, the modules the
# library loads (textutil/moduleentry_p.h), and for programs that link the library
# libqmkrtf.a, its public headers, a CMake package (find_package(QMKRtf) gives
# QMKRtf::qmkrtf) and a pkg-config file. `cpack -G DEB` makes a Debian package of it all.
include(CMakePackageConfigHelpers)

set(QMKRTF_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/QMKRtf)

install(TARGETS rtfcheck rtfdoc RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES docs/rtfcheck.1 docs/rtfdoc.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

install(TARGETS qmkrtf EXPORT QMKRtfTargets
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
    PUBLIC_HEADER DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/qmkrtf)
install(EXPORT QMKRtfTargets NAMESPACE QMKRtf:: DESTINATION ${QMKRTF_INSTALL_CMAKEDIR})
configure_package_config_file(cmake/QMKRtfConfig.cmake.in
    ${CMAKE_CURRENT_BINARY_DIR}/QMKRtfConfig.cmake
    INSTALL_DESTINATION ${QMKRTF_INSTALL_CMAKEDIR})
# Before 1.0 a minor version may change the API.
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/QMKRtfConfigVersion.cmake
    COMPATIBILITY SameMinorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/QMKRtfConfig.cmake
              ${CMAKE_CURRENT_BINARY_DIR}/QMKRtfConfigVersion.cmake
        DESTINATION ${QMKRTF_INSTALL_CMAKEDIR})

# The .pc file finds its prefix from its own place, so that `cmake --install --prefix` may
# put it anywhere. Only a static library is built: users link with `pkg-config --static`.
file(RELATIVE_PATH QMKRTF_PC_PREFIX ${CMAKE_INSTALL_FULL_LIBDIR}/pkgconfig ${CMAKE_INSTALL_PREFIX})
string(REPLACE ";" " " QMKRTF_PC_SANITIZER_FLAGS "${QMKRTF_SANITIZER_FLAGS}")
configure_file(cmake/qmkrtf.pc.in ${CMAKE_CURRENT_BINARY_DIR}/qmkrtf.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/qmkrtf.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME rtfcheck)
set(CPACK_PACKAGE_CONTACT "rtfcheck developers <rtfcheck@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "RTF checker and converter built on Qt's rich-text documents")
set(CPACK_STRIP_FILES ON)
# The library has the configured prefix compiled in (where to find its modules): the package
# installs there too.
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION text)
# dpkg-shlibdeps finds the libraries of the tools and of both modules (Poppler, libwmf).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Without its fonts libwmf does not start, and no metafile is drawn; Debian's libwmf only
# recommends them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-urw-base35)
include(CPack)

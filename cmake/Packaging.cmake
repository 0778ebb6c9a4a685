# The Debian package of the Linux command (cpack -G DEB, run by scripts/package): VesmarInvChk in
# /usr/bin, nothing else; its library dependencies come from dpkg-shlibdeps. An archive (the zip of
# the Windows programs) holds the same component.
set(CPACK_PACKAGE_NAME vesmarinvchk)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Kiv")
set(CPACK_PACKAGE_CONTACT "Kiv developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "VesmarInvChk, the companion command of the VesmarInv engine")
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_COMPONENTS_ALL command)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_COMMAND_PACKAGE_NAME vesmarinvchk)
set(CPACK_DEBIAN_COMMAND_PACKAGE_SECTION science)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# cpack builds nothing itself: the command is all it packs, and scripts/package has built it.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
include(CPack)

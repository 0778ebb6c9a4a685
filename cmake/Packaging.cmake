# The Debian packages (cpack -G DEB, run by scripts/package): the Linux command (VesmarInvChk and
# kivmod in /usr/bin) and, where the desktop part is built, the viewer kivview with its menu entry
# and MIME types; their library dependencies come from dpkg-shlibdeps. An archive (the zip of the
# Windows programs) holds the command's component.
set(CPACK_PACKAGE_NAME vesmarinvchk)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Kiv")
set(CPACK_PACKAGE_CONTACT "Kiv developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "VesmarInvChk, the companion command of the VesmarInv engine")
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_COMPONENTS_ALL command)
if(TARGET kivview)
  list(APPEND CPACK_COMPONENTS_ALL viewer)
endif()
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_COMMAND_PACKAGE_NAME vesmarinvchk)
set(CPACK_DEBIAN_COMMAND_PACKAGE_SECTION science)
set(CPACK_DEBIAN_VIEWER_PACKAGE_NAME kivview)
set(CPACK_DEBIAN_VIEWER_PACKAGE_SECTION science)
set(CPACK_COMPONENT_VIEWER_DESCRIPTION "kivview, the model file viewer of the suite")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# cpack builds nothing itself: scripts/package has built what it packs.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
include(CPack)

# Install rules. Component "command": VesmarInvChk, the content of the Debian package that
# scripts/package makes. Component "development": the suite's shared libraries, their headers
# under include/kiv/<folder>/ and a CMake package, so that a desktop program finds them with
# find_package(kiv) and links kiv::model, kiv::core or kiv::platform.
include(CMakePackageConfigHelpers)

set(KIV_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/kiv)

# Installs the library kiv_<name> and the headers of its folder <name>/, but for the test-only
# ones in a testing/ subfolder and the private ones of its sources in a detail/ subfolder.
function(kiv_install_library name)
  set_target_properties(kiv_${name} PROPERTIES EXPORT_NAME ${name})
  install(TARGETS kiv_${name} EXPORT kivTargets ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
          COMPONENT development)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/${name}/ DESTINATION ${KIV_INSTALL_INCLUDEDIR}/${name}
          COMPONENT development FILES_MATCHING PATTERN "*.h" PATTERN testing EXCLUDE
          PATTERN detail EXCLUDE)
endfunction()

install(TARGETS VesmarInvChk RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT command)
if(WIN32)
  # The zip of the Windows programs says in a few lines what it holds, in Windows line ends.
  configure_file(${CMAKE_CURRENT_LIST_DIR}/README-windows.txt.in ${PROJECT_BINARY_DIR}/README.txt
                 @ONLY NEWLINE_STYLE CRLF)
  install(FILES ${PROJECT_BINARY_DIR}/README.txt DESTINATION . COMPONENT command)
endif()

foreach(library platform core model framework)
  kiv_install_library(${library})
endforeach()
# The settings store is a library of its own in platform/, whose headers are installed above.
set_target_properties(kiv_settings_store PROPERTIES EXPORT_NAME settings_store)
install(TARGETS kiv_settings_store EXPORT kivTargets ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        COMPONENT development)
# The libraries name the warning set as a link-only dependency; it adds nothing to a consumer.
set_target_properties(kiv_warnings PROPERTIES EXPORT_NAME warnings)
install(TARGETS kiv_warnings EXPORT kivTargets)

install(EXPORT kivTargets NAMESPACE kiv:: DESTINATION ${KIV_INSTALL_CMAKEDIR}
        COMPONENT development)
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/kivConfig.cmake.in
                              ${PROJECT_BINARY_DIR}/kivConfig.cmake
                              INSTALL_DESTINATION ${KIV_INSTALL_CMAKEDIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/kivConfigVersion.cmake
                                 COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/kivConfig.cmake ${PROJECT_BINARY_DIR}/kivConfigVersion.cmake
        DESTINATION ${KIV_INSTALL_CMAKEDIR} COMPONENT development)

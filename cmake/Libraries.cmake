include(GNUInstallDirs)

# Installed headers keep their folder: include/kiv/core/PeloTypes_.h.
set(KIV_INSTALL_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/kiv)

# kiv_add_library(<name> <sources>...): the static library kiv_<name>, also known as kiv::<name>.
# Its include root is the repository's (installed: include/kiv), so that every file includes ours
# as "<folder>/<header>.h"; scripts/check-layers keeps those includes in the allowed directions.
function(kiv_add_library name)
  add_library(kiv_${name} STATIC ${ARGN})
  add_library(kiv::${name} ALIAS kiv_${name})
  target_include_directories(kiv_${name} PUBLIC $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>
                                                $<INSTALL_INTERFACE:${KIV_INSTALL_INCLUDEDIR}>)
  target_link_libraries(kiv_${name} PRIVATE kiv::warnings)
endfunction()

include(GNUInstallDirs)

# Installed headers keep their folder: include/kiv/core/PeloTypes_.h.
set(KIV_INSTALL_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/kiv)

# Every file includes ours as "<folder>/<header>.h", and the build keeps the include directions:
# a library of ours sees only its own folder and, through target_link_libraries, the folders of
# the libraries it links, so that an include across a forbidden arrow does not compile. Each
# folder has an include root of its own in the build tree, holding only a symbolic link named
# after the folder (build/include/framework_base/framework/base -> framework/base); the Windows
# cross build makes them on Linux too. The test, benchmark and fuzz code (tests/, bench/, fuzz/,
# testing/) may include anything of ours and keeps the repository's root; scripts/check-layers
# keeps what no include root shows (the Qt, libcurl and windows.h headers, the rules of those
# open folders). Installed, the libraries share include/kiv.
set(KIV_OPEN_FOLDERS tests bench fuzz testing)

# kiv_include_root(<variable>): the include root of the folder of the calling CMakeLists.txt.
function(kiv_include_root variable)
  file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  string(REGEX REPLACE "/.*" "" top ${folder})
  if(top IN_LIST KIV_OPEN_FOLDERS)
    set(${variable} ${PROJECT_SOURCE_DIR} PARENT_SCOPE)
    return()
  endif()
  string(MAKE_C_IDENTIFIER ${folder} root_name)
  set(root ${PROJECT_BINARY_DIR}/include/${root_name})
  get_filename_component(parent ${root}/${folder} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${folder} SYMBOLIC)
  set(${variable} ${root} PARENT_SCOPE)
endfunction()

# kiv_add_library(<name> <sources>...): the static library kiv_<name>, also known as kiv::<name>,
# whose include root is its folder's (installed: include/kiv).
function(kiv_add_library name)
  add_library(kiv_${name} STATIC ${ARGN})
  add_library(kiv::${name} ALIAS kiv_${name})
  kiv_include_root(root)
  target_include_directories(kiv_${name} PUBLIC $<BUILD_INTERFACE:${root}>
                                                $<INSTALL_INTERFACE:${KIV_INSTALL_INCLUDEDIR}>)
  target_link_libraries(kiv_${name} PRIVATE kiv::warnings)
endfunction()

# Every executable of the build carries a four-part file version: the project's, or one given to
# kiv_add_executable. On Linux it is a small record in the ELF section ".kiv_version", on Windows
# a VERSIONINFO resource (its product version the same, unless one is given) that windres
# compiles; either way platform/VersionResource.h reads it back from any file.

set(KIV_FILE_VERSION_TEMPLATE ${CMAKE_CURRENT_LIST_DIR}/FileVersion.cpp.in)
set(KIV_FILE_VERSION_RESOURCE_TEMPLATE ${CMAKE_CURRENT_LIST_DIR}/FileVersion.rc.in)
if(WIN32)
  enable_language(RC)
endif()

# Sets out_var to the four numbers of version (up to four numbers joined by "."; missing ones
# are 0), as a list.
function(kiv_file_version_numbers out_var version)
  if(NOT version MATCHES "^([0-9]+)(\\.([0-9]+))?(\\.([0-9]+))?(\\.([0-9]+))?$")
    message(FATAL_ERROR "File version '${version}' is not up to four numbers joined by '.'")
  endif()
  set(given "${CMAKE_MATCH_1}" "${CMAKE_MATCH_3}" "${CMAKE_MATCH_5}" "${CMAKE_MATCH_7}")
  set(numbers)
  foreach(index 0 1 2 3)
    list(GET given ${index} number)
    # Leading zeros go: the number becomes a C++ literal, where they would mean octal.
    string(REGEX REPLACE "^0+([0-9])" "\\1" number "${number}")
    if(number STREQUAL "")
      set(number 0)
    endif()
    string(LENGTH "${number}" digits)
    if(digits GREATER 5 OR number GREATER 65535)
      message(FATAL_ERROR "File version '${version}': each number must fit in 16 bits")
    endif()
    list(APPEND numbers ${number})
  endforeach()
  set(${out_var} ${numbers} PARENT_SCOPE)
endfunction()

# Sets the KIV_FILE_VERSION variables that the templates use, in the caller's scope.
macro(kiv_set_file_version_variables numbers)
  list(GET ${numbers} 0 KIV_FILE_VERSION_MAJOR)
  list(GET ${numbers} 1 KIV_FILE_VERSION_MINOR)
  list(GET ${numbers} 2 KIV_FILE_VERSION_RELEASE)
  list(GET ${numbers} 3 KIV_FILE_VERSION_BUILD)
  list(JOIN ${numbers} "." KIV_FILE_VERSION)
endmacro()

# Sets out_var to an object library holding the ELF record of version. One library per version,
# shared by the executables that carry it.
function(kiv_file_version_object out_var version)
  kiv_file_version_numbers(numbers ${version})
  list(JOIN numbers "_" id)
  set(target kiv_file_version_${id})
  if(NOT TARGET ${target})
    kiv_set_file_version_variables(numbers)
    set(source ${PROJECT_BINARY_DIR}/file_version/FileVersion_${id}.cpp)
    configure_file(${KIV_FILE_VERSION_TEMPLATE} ${source} @ONLY)
    add_library(${target} OBJECT ${source})
    target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${target} PRIVATE kiv::warnings)
  endif()
  set(${out_var} ${target} PARENT_SCOPE)
endfunction()

# Gives the executable name a VERSIONINFO resource of version and product_version; the resource
# also names the file.
function(kiv_add_version_resource name version product_version)
  kiv_file_version_numbers(numbers ${product_version})
  kiv_set_file_version_variables(numbers)
  foreach(part MAJOR MINOR RELEASE BUILD)
    set(KIV_PRODUCT_VERSION_${part} ${KIV_FILE_VERSION_${part}})
  endforeach()
  set(KIV_PRODUCT_VERSION ${KIV_FILE_VERSION})
  kiv_file_version_numbers(numbers ${version})
  kiv_set_file_version_variables(numbers)
  set(KIV_FILE_DESCRIPTION ${name})
  set(KIV_FILE_NAME ${name}${CMAKE_EXECUTABLE_SUFFIX})
  set(resource ${CMAKE_CURRENT_BINARY_DIR}/${name}.version.rc)
  configure_file(${KIV_FILE_VERSION_RESOURCE_TEMPLATE} ${resource} @ONLY)
  target_sources(${name} PRIVATE ${resource})
endfunction()

# add_executable for every program of the build. VERSION gives a file version other than the
# project's, PRODUCT_VERSION a product version other than the file version, which only a Windows
# resource can hold (tests use both); everything else is passed to add_executable. A program sees
# its own folder and what its libraries show (cmake/Libraries.cmake).
function(kiv_add_executable name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "VERSION;PRODUCT_VERSION" "")
  if(NOT arg_VERSION)
    set(arg_VERSION ${PROJECT_VERSION})
  endif()
  if(NOT arg_PRODUCT_VERSION)
    set(arg_PRODUCT_VERSION ${arg_VERSION})
  elseif(NOT WIN32)
    message(FATAL_ERROR "Executable ${name}: only a Windows version resource holds a product "
                        "version of its own")
  endif()
  add_executable(${name} ${arg_UNPARSED_ARGUMENTS})
  kiv_include_root(root)
  target_include_directories(${name} PRIVATE ${root})
  if(WIN32)
    kiv_add_version_resource(${name} ${arg_VERSION} ${arg_PRODUCT_VERSION})
  else()
    kiv_file_version_object(version_object ${arg_VERSION})
    # Linked as an object library, the record's object file goes straight onto the link line.
    target_link_libraries(${name} PRIVATE ${version_object})
  endif()
  set_target_properties(${name} PROPERTIES KIV_FILE_VERSION ${arg_VERSION})
endfunction()

# Fails the configuration when an executable was made with plain add_executable: it would carry
# no file version.
function(kiv_check_executables_carry_version directory)
  get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    get_target_property(version ${target} KIV_FILE_VERSION)
    if(type STREQUAL "EXECUTABLE" AND NOT version)
      message(FATAL_ERROR
              "Executable ${target} carries no file version: make it with kiv_add_executable")
    endif()
  endforeach()
  get_property(subdirectories DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
  foreach(subdirectory IN LISTS subdirectories)
    kiv_check_executables_carry_version(${subdirectory})
  endforeach()
endfunction()
